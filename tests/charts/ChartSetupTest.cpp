#include "charts/ChartSetup.h"

#include "ChartTestSupport.h"
#include "charts/ChartFile.h"
#include "support/FakeUi.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

using namespace testing;

using test::rampBuffer;
using test::scriptedDraws;

SetupFields validFields() {
    SetupFields f;
    f.x = AxisFields{"1000", "300", "5", "2", 3, AxisScale::Linear};
    f.y = AxisFields{"10", "1E-10", "20", "10", 3, AxisScale::Log};
    return f;
}

TEST(ChartSetup, ChecksInOrderXAxisFirst) {
    struct Case {
        const char* what;
        void (*change)(SetupFields&);
        const char* message; // empty: passes
    } cases[] = {
        {"valid", [](SetupFields&) {}, ""},
        {"max not a number",
         [](SetupFields& f) {
             f.x.maximum = "abc";
             f.x.minimum = "x";
         },
         "Maximum X-axis value, please enter a number."},
        {"min not a number",
         [](SetupFields& f) {
             f.x.minimum = "";
             f.x.majorTicks = "99";
         },
         "Minimum X-axis value, please enter a number."},
        {"max below min",
         [](SetupFields& f) {
             f.x.maximum = "299";
             f.x.majorTicks = "0";
         },
         "The maximum X-axis value is less than the minimum X-axis value. Enter correct values."},
        {"max equal min", [](SetupFields& f) { f.x.maximum = "300"; }, ""},
        {"major 21",
         [](SetupFields& f) {
             f.x.majorTicks = "21";
             f.x.minorTicks = "0";
         },
         "The major tick number of the X-axis, please enter an integer on the interval [1, 20]."},
        {"major 20", [](SetupFields& f) { f.x.majorTicks = "20"; }, ""},
        {"major text", [](SetupFields& f) { f.x.majorTicks = "five"; },
         "The major tick number of the X-axis, please enter an integer on the interval [1, 20]."},
        {"minor 0", [](SetupFields& f) { f.x.minorTicks = "0"; },
         "The minor tick number of the X-axis, please enter an integer on the interval [1, 10]."},
        {"minor 10", [](SetupFields& f) { f.x.minorTicks = "10"; }, ""},
        {"minor 11", [](SetupFields& f) { f.x.minorTicks = "11"; },
         "The minor tick number of the X-axis, please enter an integer on the interval [1, 10]."},
        {"log min 0 on X",
         [](SetupFields& f) {
             f.x.scale = AxisScale::Log;
             f.x.minimum = "0";
         },
         "The X-axis contains negative values or 0, the logarithmic scale cannot be created."},
        {"linear min 0 on X", [](SetupFields& f) { f.x.minimum = "0"; }, ""},
        {"Y max", [](SetupFields& f) { f.y.maximum = "?"; },
         "Maximum Y-axis value, please enter a number."},
        {"Y min", [](SetupFields& f) { f.y.minimum = "?"; },
         "Minimum Y-axis value, please enter a number."},
        {"Y order", [](SetupFields& f) { f.y.maximum = "1E-11"; },
         "The maximum Y-axis value is less than the minimum Y-axis value. Enter correct values."},
        {"Y major", [](SetupFields& f) { f.y.majorTicks = "0"; },
         "The major tick number of the Y-axis, please enter an integer on the interval [1, 20]."},
        {"Y minor", [](SetupFields& f) { f.y.minorTicks = "-1"; },
         "The minor tick number of the Y-axis, please enter an integer on the interval [1, 10]."},
        {"Y log min 0", [](SetupFields& f) { f.y.minimum = "0"; },
         "The Y-axis contains negative values or 0, the logarithmic scale cannot be created."},
        {"X fails before Y",
         [](SetupFields& f) {
             f.y.maximum = "?";
             f.x.minorTicks = "0";
         },
         "The minor tick number of the X-axis, please enter an integer on the interval [1, 10]."},
    };
    for (const Case& c : cases) {
        SetupFields f = validFields();
        c.change(f);
        EXPECT_EQ(firstSetupProblem(f).value_or(""), c.message) << c.what;
    }
}

TEST(ChartSetup, OutputFormatAndEnabledFields) {
    EXPECT_EQ(outputFormat(3), "0.00E+00");
    EXPECT_EQ(outputFormat(1), "0.E+00");
    EXPECT_EQ(outputFormat(5), "0.0000E+00");
    EXPECT_FALSE(enabledFields(AxisScale::Auto).range);
    EXPECT_FALSE(enabledFields(AxisScale::Auto).ticks);
    EXPECT_TRUE(enabledFields(AxisScale::Linear).ticks);
    EXPECT_TRUE(enabledFields(AxisScale::Linear).digits);
    EXPECT_TRUE(enabledFields(AxisScale::Log).range);
    EXPECT_FALSE(enabledFields(AxisScale::Log).ticks);
    EXPECT_FALSE(enabledFields(AxisScale::Log).digits);
}

TEST(ChartSetup, FailedCheckChangesNothingAndApplySetsEverything) {
    FakeDialogs dialogs;
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(2, 4), false);
    const ChartContent before = chart.content();
    // Automatic axes show the range they are drawn with (X 1..4 and Y 0..13 rounded out), not
    // the 0..1 of a setup never applied.
    const SetupFields opened = setupFieldsOf(chart);
    EXPECT_LE(std::stod(opened.x.minimum), 1);
    EXPECT_GE(std::stod(opened.x.maximum), 4);
    EXPECT_LE(std::stod(opened.y.minimum), 0);
    EXPECT_GE(std::stod(opened.y.maximum), 13);
    EXPECT_LT(std::stod(opened.y.maximum), 100);

    SetupFields bad = validFields();
    bad.y.majorTicks = "21";
    EXPECT_FALSE(toPlotOk(chart, bad, dialogs));
    EXPECT_EQ(chart.content(), before);
    EXPECT_FALSE(chart.isModified());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "KINETRA");

    SetupFields good = validFields();
    good.x.majorTicks = "7.4"; // taken as the nearest whole number
    good.look.textSize = SizeChoice::Large;
    good.look.mainTitleFont.bold = true;
    ASSERT_TRUE(toPlotOk(chart, good, dialogs));
    const ChartLook& look = chart.content().look;
    EXPECT_EQ(look.xAxis, (AxisSetup{AxisScale::Linear, 300, 1000, 7, 2, 3}));
    EXPECT_EQ(look.yAxis, (AxisSetup{AxisScale::Log, 1e-10, 10, 20, 10, 3}));
    EXPECT_EQ(look.textSize, SizeChoice::Large);
    EXPECT_TRUE(look.mainTitleFont.bold);
    EXPECT_TRUE(chart.isModified());

    // The fields the window shows when it opens again read back the applied setup.
    const SetupFields shown = setupFieldsOf(chart);
    EXPECT_EQ(shown.x.maximum, "1.E+03");
    EXPECT_EQ(shown.y.minimum, "1.E-10");
    EXPECT_EQ(shown.x.majorTicks, "7");
}

TEST(ChartSetup, ApplyThenCancelRestoresTheChartSavedAtOpening) {
    FakeDialogs dialogs;
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(2, 4), false);
    chart.setGrid(true);
    const ChartContent before = chart.content();
    // Opening saves the chart to the scratch copy; Cancel reads it back.
    const std::string scratch = chartFileText(chart.content());
    SetupFields f = validFields();
    f.look.colours[2] = 0x102030;
    ASSERT_TRUE(toPlotOk(chart, f, dialogs));
    ASSERT_NE(chart.content(), before);
    auto restored = readChartText(scratch);
    ASSERT_TRUE(std::holds_alternative<ChartContent>(restored));
    chart.restore(std::get<ChartContent>(restored));
    EXPECT_EQ(chart.content(), before);
}

} // namespace
} // namespace kinetra
