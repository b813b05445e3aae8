#include "results/MeanParameters.h"

#include "OutputText.h"
#include "results/ResultProfiles.h"

#include <gtest/gtest.h>

namespace kinetra::results {
namespace {

using namespace testing;

constexpr UnitConstants kConstants{8.314462618, 1.987204259, 6.02214076e23};

// H2 (M 2): Cp/R 3.5, H/RT 3.5 - 1000/T. O2 (M 32): Cp/R 4 + 0.001 T, H/RT 4 + 0.0005 T.
// Mass fractions 0.2 and 0.8 at 2 atm.
SolverOutput twoSpecies(bool constantVolume) {
    const std::vector<solver::SolverSpecies> species{constantCpSpecies("H2", 2, 3.5, 0, -1000),
                                                     constantCpSpecies("O2", 32, 4, 0.001)};
    solver::RunParameterValues run;
    run.pressure = 2;
    run.constantVolume = constantVolume;
    std::vector<std::string> lines = inputPart(species, run);
    lines.push_back("!$RESULTS");
    for (const auto& l : headerRecord(species))
        lines.push_back(l);
    for (int r = 0; r < 4; ++r)
        for (const auto& l : record(r + 1, r * 0.1, r == 0 ? 1000 : 2000, {0.2, 0.8}))
            lines.push_back(l);
    lines.push_back("!$END");
    OutputReading reading = readSolverOutputText(joined(lines), "x");
    EXPECT_TRUE(reading.output) << reading.message;
    return reading.output ? *reading.output : SolverOutput{};
}

TEST(MeanParameters, TwoSpeciesByHand) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    ASSERT_EQ(means.size(), 4u);
    const MeanParameters& p = means[0];
    // S = 0.2/2 + 0.8/32 = 0.125: M = 8, x(H2) = 0.1/0.125 = 0.8, x(O2) = 0.2.
    EXPECT_DOUBLE_EQ(p.molecularWeight, 8);
    EXPECT_DOUBLE_EQ(p.moleFractions[0], 0.8);
    EXPECT_DOUBLE_EQ(p.moleFractions[1], 0.2);
    EXPECT_DOUBLE_EQ(p.pressure, 2);
    // C = P / (R' T) = 2 / 82057.46; rho = P M / (R' T) = 16 / 82057.46.
    EXPECT_NEAR(p.concentration, 2.4373165e-5, 1e-12);
    EXPECT_NEAR(p.density, 1.9498532e-4, 1e-11);
    // H/RT = 0.8 (3.5 - 1) + 0.2 (4 + 0.5) = 2.9: H = 2.9 * 1000 * 8.314462618 J = 24.111942 kJ.
    EXPECT_NEAR(p.enthalpy, 24.111942, 1e-6);
    // Cp/R = 0.8 * 3.5 + 0.2 * (4 + 1) = 3.8: Cp = 31.594958 J/(K mol).
    EXPECT_NEAR(p.heatCapacity, 31.594958, 1e-6);
    EXPECT_NEAR(speciesValue(p, 0, true), 0.8 * 2.4373165e-5, 1e-12);

    const auto cal =
        meanParameters(out, ConcentrationUnit::PerCm3, EnergyUnit::Calorie, kConstants);
    EXPECT_NEAR(cal[0].enthalpy, 2.9 * 1000 * 1.987204259 * 0.001, 1e-9);
    EXPECT_NEAR(cal[0].heatCapacity, 3.8 * 1.987204259, 1e-9);
    EXPECT_NEAR(cal[0].concentration / 1.4677863e19, 1, 1e-7); // 2.4373165E-5 * N_A
}

TEST(MeanParameters, ConstantVolumeKeepsTheDensity) {
    const auto cp = meanParameters(twoSpecies(false), ConcentrationUnit::MolPerCm3,
                                   EnergyUnit::Joule, kConstants);
    const auto cv = meanParameters(twoSpecies(true), ConcentrationUnit::MolPerCm3,
                                   EnergyUnit::Joule, kConstants);
    // At 2000 K: constant pressure halves the density; constant volume doubles the pressure.
    EXPECT_DOUBLE_EQ(cp[1].pressure, 2);
    EXPECT_NEAR(cp[1].density, 1.9498532e-4 / 2, 1e-11);
    EXPECT_NEAR(cv[1].pressure, 4, 1e-12);
    EXPECT_DOUBLE_EQ(cv[1].density, cv[0].density);
    EXPECT_NEAR(cv[1].concentration, cv[0].concentration, 1e-15);
}

TEST(MeanParameters, NoMassGivesAnInvalidRecord) {
    SolverOutput out = twoSpecies(false);
    out.records[2][2] = out.records[2][3] = 0;
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    EXPECT_FALSE(means[2].valid);
    EXPECT_EQ(means[2].molecularWeight, 0);
    EXPECT_TRUE(means[3].valid);
}

TEST(ResultProfiles, SettingsRefusedInOrder) {
    struct Case {
        PlotSettings settings;
        std::optional<std::string> refusal;
    };
    auto with = [](auto change) {
        PlotSettings s;
        change(s);
        return s;
    };
    const std::vector<Case> cases{
        {PlotSettings{}, std::nullopt},
        {with([](auto& s) { s.pointInterval = "0"; }),
         "Interval of points, please enter a positive integer."},
        {with([](auto& s) { s.pointInterval = "1.5"; }),
         "Interval of points, please enter a positive integer."},
        {with([](auto& s) { s.xScale = "0"; }),
         "Scaling factor for X-axis, please enter a nonzero number."},
        {with([](auto& s) {
             s.xScale = "-2";
             s.logX = true;
         }),
         "Scaling factor for logarithmic X-axis, a positive number is required."},
        {with([](auto& s) { s.yScale = "a"; }), "Scaling factor, please enter a nonzero number."},
        {with([](auto& s) {
             s.yScale = "-1";
             s.logY = true;
         }),
         "Scaling factor for logarithmic Y-axis, a positive number is required."},
        {with([](auto& s) { s.yScale = "-1"; }), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plotSettingsRefusal(c.settings), c.refusal);
    EXPECT_EQ(checkedRowsRefusal(0), "In the tables there are no checked parameters.");
    EXPECT_EQ(checkedRowsRefusal(20), std::nullopt);
    EXPECT_EQ(checkedRowsRefusal(21), "The maximum number of subsets you can view is 20; you are "
                                      "attempting to view 21.");
}

TEST(ResultProfiles, TitlesSelectionAndRefusals) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    s.xScale = "1000";
    s.pointInterval = "2";
    const ProfileOutcome t = resultProfile(out, means, {MeanQuantity::Temperature, 0}, s);
    ASSERT_TRUE(t.profile);
    EXPECT_EQ(t.profile->caption, "Temporary Chart ");
    EXPECT_EQ(t.profile->xTitle, "Time (sec) x 1.0E+03");
    EXPECT_EQ(t.profile->yTitle, "Temperature, K");
    EXPECT_EQ(t.profile->x, (std::vector<double>{0, 200}));
    EXPECT_EQ(t.profile->y, (std::vector<double>{1000, 2000}));

    s = PlotSettings{};
    s.logY = true;
    s.logX = true;
    const ProfileOutcome h2 = resultProfile(out, means, {std::nullopt, 0}, s);
    ASSERT_TRUE(h2.profile);
    EXPECT_EQ(h2.profile->xTitle, "L0g10 Time (sec)");
    EXPECT_EQ(h2.profile->yTitle, "Log10 Mole Fraction [H2]");
    EXPECT_EQ(h2.profile->x.size(), 3u); // time 0 has no logarithm

    SolverOutput zero = out;
    for (auto& r : zero.records)
        r[2] = 0;
    const auto zeroMeans =
        meanParameters(zero, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    EXPECT_EQ(resultProfile(zero, zeroMeans, {std::nullopt, 0}, PlotSettings{}).refusal,
              "You are attempting to plot the function H2 where all values are zero. The "
              "function cannot be plotted.");
    EXPECT_EQ(resultProfile(zero, zeroMeans, {std::nullopt, 0}, s).refusal,
              "You are attempting to plot the function H2 where all values are zero or "
              "logarithms of negative numbers. The function cannot be plotted.");
}

TEST(ResultProfiles, NumericDataText) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    s.concentrations = true;
    const std::string text =
        numericDataText(out, means, {{MeanQuantity::Pressure, 0}, {std::nullopt, 1}}, s,
                        "/x/run.out", {2026, 12, 7, 9, 5, 3});
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n  ") + 4),
              "  Kinetra, Dec 7 2026, 09:05:03\r\n  Solver file:  /x/run.out\r\n\r\n");
    EXPECT_NE(text.find("  Mean parameters and Concentrations, mol/cm^3\r\n"), std::string::npos);
    EXPECT_NE(text.find("       P, atm               O2"), std::string::npos) << text;
    EXPECT_NE(text.find("     1       0.000E+00        2.000E+00        4.875E-06\r\n"),
              std::string::npos)
        << text;
}

} // namespace
} // namespace kinetra::results
