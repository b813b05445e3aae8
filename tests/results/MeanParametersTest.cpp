#include "results/MeanParameters.h"

#include "OutputText.h"

#include <gtest/gtest.h>

namespace kinetra::results {
namespace {

using namespace testing;

constexpr UnitConstants kConstants{8.314462618, 1.987204259, 6.02214076e23};

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

// One species' mole fraction is the very number of the whole record's (the OH peak of the
// ignition delay reads it alone), for a record without mass too.
TEST(MeanParameters, OneMoleFractionIsTheRecordsOwn) {
    SolverOutput out = twoSpecies(false);
    out.records[2][2] = out.records[2][3] = 0;
    for (const auto& record : out.records) {
        const std::vector<double> all = recordMoleFractions(out, record);
        for (std::size_t s = 0; s < all.size(); ++s)
            EXPECT_EQ(recordMoleFraction(out, record, s), all[s]);
    }
    EXPECT_DOUBLE_EQ(recordMoleFraction(out, out.records[0], 0), 0.8);
    EXPECT_EQ(recordMoleFraction(out, out.records[2], 1), 0);
}

} // namespace
} // namespace kinetra::results
