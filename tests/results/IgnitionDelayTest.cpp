#include "results/IgnitionDelay.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kinetra::results {
namespace {

// A run whose temperature follows a logistic rise of `rise` K centred on tau (where dT/dt is
// largest) and whose OH mass fraction peaks at tauOh, sampled at uneven times as a solver's
// steps are.
results::SolverOutput run(double tau, double rise, double tauOh, double end) {
    results::SolverOutput out;
    results::OutputSpecies oh, n2;
    oh.name = "OH";
    oh.molecularWeight = 17.007;
    n2.name = "N2";
    n2.molecularWeight = 28.014;
    out.species = {oh, n2};
    double t = 0, h = 1e-5;
    while (t <= end) {
        const double temperature = 1000 + rise / (1 + std::exp(-(t - tau) / 2e-4));
        const double yOh = 1e-3 * std::exp(-std::pow((t - tauOh) / 3e-4, 2));
        out.records.push_back({t, temperature, yOh, 1 - yOh});
        t += h;
        h = std::min(h * 1.07, 4e-5); // growing steps, capped near the rise
    }
    return out;
}

TEST(IgnitionDelay, FindsTheSteepestRiseAndTheOhPeakBetweenRecords) {
    const IgnitionAnalysis a = analyseIgnition(run(4.5487e-3, 1400, 4.61e-3, 8e-3));
    ASSERT_TRUE(a.ignited);
    // Records lie up to 40 microseconds apart; the interpolation does much better.
    EXPECT_NEAR(a.delay, 4.5487e-3, 2e-6);
    ASSERT_TRUE(a.ohDelay);
    EXPECT_NEAR(*a.ohDelay, 4.61e-3, 2e-6);
    EXPECT_NEAR(a.peakTemperature, 2400, 1);
}

TEST(IgnitionDelay, NoIgnitionWithoutRiseOrWhileStillSteepening) {
    EXPECT_FALSE(analyseIgnition(run(4e-3, 30, 4e-3, 8e-3)).ignited);     // 30 K only
    EXPECT_FALSE(analyseIgnition(run(8.5e-3, 1400, 4e-3, 8e-3)).ignited); // at tf
    results::SolverOutput without = run(4e-3, 1400, 4e-3, 8e-3);
    without.species[0].name = "O";
    EXPECT_FALSE(analyseIgnition(without).ohDelay);
}

TEST(IgnitionDelay, ParabolaPeakStaysWithinItsPoints) {
    EXPECT_DOUBLE_EQ(parabolaPeak(0, 0, 1, 1, 2, 0), 1);
    EXPECT_DOUBLE_EQ(parabolaPeak(0, 1, 1, 2, 3, 1), 1.5);
    EXPECT_DOUBLE_EQ(parabolaPeak(0, 0, 1, 1, 2, 2), 1);   // a line: the middle point
    EXPECT_DOUBLE_EQ(parabolaPeak(0, 0, 1, 10, 2, 19), 2); // vertex past the last point
}

} // namespace
} // namespace kinetra::results
