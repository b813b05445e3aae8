#include "results/RunHighlights.h"

#include <gtest/gtest.h>

namespace kinetra::results {
namespace {

SolverOutput temperatures(const std::vector<std::pair<double, double>>& timeAndT) {
    SolverOutput out;
    for (const auto& [t, T] : timeAndT)
        out.records.push_back({t, T});
    return out;
}

TEST(RunHighlights, IgnitionIsTheSteepestRiseAndThePeakTheHottestRecord) {
    // A slow rise, the jump between 2.0 and 2.1 ms (10^6 K/s), then a slight overshoot decay.
    const SolverOutput run = temperatures(
        {{0, 1200}, {1e-3, 1210}, {2e-3, 1300}, {2.1e-3, 2400}, {3e-3, 2600}, {4e-3, 2590}});
    ASSERT_TRUE(ignitionDelay(run));
    // Within the jump, where the parabola through the slopes around it peaks.
    EXPECT_GT(*ignitionDelay(run), 2.0e-3);
    EXPECT_LT(*ignitionDelay(run), 2.1e-3);
    EXPECT_DOUBLE_EQ(peakTemperature(run).temperature, 2600);
    EXPECT_DOUBLE_EQ(peakTemperature(run).time, 3e-3);
    EXPECT_EQ(highlightsText(run), "Ignition delay (largest dT/dt): 2.027E-03 s    Peak "
                                   "temperature: 2600.0 K at 3.000E-03 s");
}

TEST(RunHighlights, NoRiseNoIgnition) {
    // Constant temperature, a cooling run and repeated times (a stopped run's last record).
    for (const SolverOutput& run : {temperatures({{0, 1000}, {1, 1000}, {2, 1000}}),
                                    temperatures({{0, 1000}, {1, 900}, {1, 950}})}) {
        EXPECT_FALSE(ignitionDelay(run));
        EXPECT_NE(highlightsText(run).find("no temperature rise"), std::string::npos);
    }
}

TEST(RunHighlights, IgnitionAcrossAGapInTheRecordsIsAnInterval) {
    // The output's line limit was reached at 15.2 ms, before the ignition; the final state at
    // 30 ms follows.
    const SolverOutput run =
        temperatures({{0, 650}, {1.52e-2, 650.5}, {1.524e-2, 650.8}, {3e-2, 2547.6}});
    EXPECT_EQ(highlightsText(run).rfind("Ignition delay (largest dT/dt): between 1.524E-02 and "
                                        "3.000E-02 s (too few records there)    Peak",
                                        0),
              0u);
}

TEST(RunHighlights, ARunEndedBeforeItsFinalTimeSaysSo) {
    SolverOutput run = temperatures({{0, 650}, {1.9e-2, 700}, {1.941e-2, 1374}});
    struct Case {
        const char* finalTime;
        bool early;
    };
    // The header writes the final time to three digits ("1.94E-02" for 0.01941).
    for (const Case c : {Case{" 3.00E-02", true}, Case{"1.94E-02", false}, Case{"1.96E-02", false},
                         Case{"", false}}) {
        run.header.finalTime = c.finalTime;
        EXPECT_EQ(endedBeforeFinalTime(run).has_value(), c.early) << c.finalTime;
    }
    run.header.finalTime = " 3.00E-02";
    // The steepest rise is the last interval: its middle, as far as the records tell.
    EXPECT_EQ(highlightsText(run), "Ignition delay (largest dT/dt): 1.921E-02 s    Peak "
                                   "temperature: 1374.0 K at 1.941E-02 s    (the run ended at "
                                   "1.941E-02 s, before its final time 3.00E-02 s)");
}

TEST(RunHighlights, SpeciesRankedByTheirLargestMoleFraction) {
    auto mean = [](double time, std::vector<double> x, bool valid = true) {
        MeanParameters m;
        m.time = time;
        m.moleFractions = std::move(x);
        m.valid = valid;
        return m;
    };
    // Fuel consumed, OH a short-lived radical, N2 inert; a record without mass is skipped.
    const std::vector<MeanParameters> means{mean(0, {0.1, 0, 0.7}), mean(1, {0.05, 0.002, 0.7}),
                                            mean(2, {0, 0.9, 0.9}, false),
                                            mean(3, {0, 0.001, 0.7})};
    const auto peaks = speciesAtAGlance(means);
    ASSERT_EQ(peaks.size(), 3u);
    EXPECT_EQ(peaks[0].species, 2u);
    EXPECT_DOUBLE_EQ(peaks[0].time, 0); // the first record with the largest value
    EXPECT_EQ(peaks[1].species, 0u);
    EXPECT_EQ(peaks[2].species, 1u);
    EXPECT_DOUBLE_EQ(peaks[2].moleFraction, 0.002);
    EXPECT_DOUBLE_EQ(peaks[2].time, 1);
}

} // namespace
} // namespace kinetra::results
