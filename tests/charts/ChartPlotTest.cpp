#include "charts/ChartPlot.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

ChartSubset subsetOf(std::vector<double> x, std::vector<double> y) {
    ChartSubset s;
    s.x = std::move(x);
    s.y = std::move(y);
    return s;
}

// Empty slots and points outside a log axis end a line: the drawing shows a gap and never
// joins a point to the empty-slot value.
TEST(ChartPlot, EmptySlotsSplitTheLineIntoRuns) {
    const double E = kEmptySlot;
    struct Case {
        std::vector<double> x, y;
        bool yLog;
        std::vector<std::size_t> runLengths;
    } cases[] = {
        {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, false, {5}},
        {{1, 2, 3, 4, 5}, {1, E, 3, 4, 5}, false, {1, 3}},
        {{1, E, 3, 4, 5}, {1, 2, 3, E, 5}, false, {1, 1, 1}},
        {{E, E, E}, {1, 2, 3}, false, {}},
        {{1, 2, 3, 4}, {1, -2, 3, 4}, true, {1, 2}},
        {{1, 2, 3}, {0, 2, 3}, false, {3}},
    };
    for (const Case& c : cases) {
        const auto runs = pointRuns(subsetOf(c.x, c.y), false, c.yLog);
        std::vector<std::size_t> lengths;
        for (const PointRun& run : runs) {
            lengths.push_back(run.size());
            for (const auto& [x, y] : run)
                EXPECT_TRUE(isPointValue(x) && isPointValue(y));
        }
        EXPECT_EQ(lengths, c.runLengths);
    }
}

TEST(ChartPlot, RangeCountsShownSubsetsWithBothValues) {
    ChartContent chart;
    chart.subsets = {subsetOf({1, 2, kEmptySlot}, {-5, 7, 100}), subsetOf({50, 60}, {1000, 2000})};
    chart.subsets[1].shown = false;
    const auto x = xRangeOf(chart, false);
    const auto y = yRangeOf(chart, true);
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->minimum, 1);
    EXPECT_EQ(x->maximum, 2);
    EXPECT_EQ(y->minimum, 7); // the log axis leaves -5 out, 100 has no X
    EXPECT_EQ(y->maximum, 7);
}

TEST(ChartPlot, AxisTicksFollowTheScale) {
    // Auto rounds 300 .. 4000 K out to whole steps of 1000.
    const AxisTicks automatic = axisTicks(AxisSetup{}, ValueRange{300, 4000});
    EXPECT_EQ(automatic.minimum, 0);
    EXPECT_EQ(automatic.maximum, 4000);
    EXPECT_EQ(automatic.major, (std::vector<double>{0, 1000, 2000, 3000, 4000}));

    // Linear takes the setup's range, major intervals and minor divisions as they are.
    const AxisTicks linear =
        axisTicks(AxisSetup{AxisScale::Linear, -1, 3, 4, 2, 3}, ValueRange{0, 100});
    EXPECT_EQ(linear.major, (std::vector<double>{-1, 0, 1, 2, 3}));
    EXPECT_EQ(linear.minor.size(), 4u);
    EXPECT_EQ(linear.pattern, "0.00E+00");

    // Log puts a major tick on each decade and maps them evenly.
    const AxisTicks log = axisTicks(AxisSetup{AxisScale::Log, 1e-2, 1e3, 5, 1, 3}, std::nullopt);
    EXPECT_TRUE(log.log);
    EXPECT_EQ(log.major.size(), 6u);
    EXPECT_NEAR(axisFraction(log, 1), 0.4, 1e-12);
    EXPECT_NEAR(axisValue(log, 0.4), 1, 1e-12);

    EXPECT_EQ(tickLabel(log, 100), "1E+02");

    // Within one decade the ends are labelled as well.
    const AxisTicks short_ = axisTicks(AxisSetup{AxisScale::Log, 300, 3000, 5, 1, 3}, std::nullopt);
    EXPECT_EQ(short_.major, (std::vector<double>{300, 1000, 3000}));
    EXPECT_EQ(tickLabel(short_, 300), "3.0E+02");

    // Without a range of its own a log axis runs out to whole decades around the data (the
    // delays of an ignition sweep, 0.036 to 45 ms; a narrower set, 1.5 to 5 ms), and a range of
    // whole decades stays as it is.
    const AxisSetup automaticLog{AxisScale::Log, 0, 0, 5, 1, 3};
    const AxisTicks delays = axisTicks(automaticLog, ValueRange{0.0362, 45.49});
    EXPECT_DOUBLE_EQ(delays.minimum, 0.01);
    EXPECT_DOUBLE_EQ(delays.maximum, 100);
    EXPECT_EQ(delays.major.size(), 5u);
    const AxisTicks narrow = axisTicks(automaticLog, ValueRange{1.504, 4.99});
    EXPECT_DOUBLE_EQ(narrow.minimum, 1);
    EXPECT_DOUBLE_EQ(narrow.maximum, 10);
    // One decade alone is read at 1, 2, 5 and 10.
    EXPECT_EQ(narrow.major, (std::vector<double>{1, 2, 5, 10}));
    EXPECT_EQ(narrow.minor, (std::vector<double>{3, 4, 6, 7, 8, 9}));
    EXPECT_EQ(tickLabel(narrow, 5), "5.0E+00");
    const AxisTicks whole = axisTicks(automaticLog, ValueRange{0.1, 100});
    EXPECT_DOUBLE_EQ(whole.minimum, 0.1);
    EXPECT_DOUBLE_EQ(whole.maximum, 100);

    // A zoom range is kept exactly, whatever the scale says.
    const AxisTicks zoomed = axisTicks(AxisSetup{}, ValueRange{0, 100}, ValueRange{12.5, 17.5});
    EXPECT_EQ(zoomed.minimum, 12.5);
    EXPECT_EQ(zoomed.maximum, 17.5);
}

} // namespace
} // namespace kinetra
