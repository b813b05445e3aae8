#include "physics/Rates.h"

#include "physics/RateBatch.h"

#include <gtest/gtest.h>

namespace kinetra::physics {
namespace {

constexpr double kRcal = 1.987204; // cal/(K mol)
constexpr double kRcm3 = 82.05737; // cm^3 atm/(K mol)

// Reference values computed independently in Python (double precision) from the textbook forms,
// with GRI-Mech 3.0's O + H2 <=> H + OH and H + O2 (+M) <=> HO2 (+M) at 1500 K.
TEST(Rates, ArrheniusAndFalloffAgainstHandCalculations) {
    const auto t = TemperatureTerms::at(1500);
    const Arrhenius oh{3.87e4, 2.7, 6260};
    EXPECT_NEAR(arrhenius(oh, t, 1 / kRcal) / 1782765270811.393, 1, 1e-14);
    EXPECT_NEAR(arrheniusLogSlope(oh, t, 1 / kRcal) / 0.003200068750979881, 1, 1e-14);
    EXPECT_LT(arrhenius({-2e13, 0, 0}, t, 1 / kRcal), 0); // a negative duplicate stays negative

    const double kHigh = arrhenius({4.65e12, 0.44, 0}, t, 1 / kRcal);
    const double kLow = arrhenius({6.366e20, -1.72, 524.8}, t, 1 / kRcal);
    FalloffParameters lindemann;
    const FalloffRate l = falloffRate(kHigh, kLow, 1e-5, lindemann, 1500);
    EXPECT_NEAR(l.k / 18384809047.034332, 1, 1e-13);
    EXPECT_NEAR(l.reducedPressure / 0.00015834150845650498, 1, 1e-13);
    FalloffParameters troe{FalloffForm::Troe, {0.5, 1e-30, 1e30, std::nullopt}, {}};
    EXPECT_NEAR(falloffRate(kHigh, kLow, 1e-5, troe, 1500).k / 16547800120.048075, 1, 1e-13);
    // The limits: k0 [M] at low pressure, k_inf at high pressure.
    EXPECT_NEAR(falloffRate(kHigh, kLow, 1e-14, lindemann, 1500).k / (kLow * 1e-14), 1, 1e-8);
    EXPECT_NEAR(falloffRate(kHigh, kLow, 1e9, lindemann, 1500).k / kHigh, 1, 1e-9);
    EXPECT_EQ(falloffRate(0, kLow, 1e-5, troe, 1500).k, kLow * 1e-5);
}

// The batch form gives the scalar routine's rates, to the few last bits of the vector
// exponential, including negative A and rates that underflow.
TEST(Rates, BatchRatesAgreeWithTheScalarForm) {
    const double a[] = {3.87e4, -2e13, 6.366e20, 1e10, 5e13};
    const double n[] = {2.7, 0, -1.72, 0.5, 0};
    const double e[] = {6260, 0, 524.8, 9e6, -1788}; // cal/mol
    double scaled[5], k[5];
    for (int i = 0; i < 5; ++i)
        scaled[i] = e[i] / kRcal;
    for (double temperature : {300.0, 1500.0, 3000.0}) {
        const auto t = TemperatureTerms::at(temperature);
        arrheniusRates({a, n, scaled, 5}, t, k);
        for (int i = 0; i < 5; ++i) {
            const double expected = arrhenius({a[i], n[i], e[i]}, t, 1 / kRcal);
            EXPECT_NEAR(k[i], expected, 1e-14 * std::fabs(expected)) << i << " at " << temperature;
        }
    }
}

TEST(Rates, ThirdBodiesAndEquilibriumConstants) {
    const double c[] = {1e-6, 2e-6, 3e-6};
    const int listed[] = {0, 2};
    const double efficiency[] = {2.5, 0};
    EXPECT_DOUBLE_EQ(thirdBodyConcentration(6e-6, listed, efficiency, 2, c), 6e-6 + 1.5e-6 - 3e-6);
    const auto t = TemperatureTerms::at(1500);
    EXPECT_NEAR(equilibriumConstant(2.5, -1, t, kRcm3) / 10103.518655296133, 1, 1e-14);
    EXPECT_NEAR(equilibriumConstant(2.5, 0, t, kRcm3) / 0.0820849986238988, 1, 1e-14);
    EXPECT_NEAR(inverseEquilibriumConstant(2.5, -1, std::log(kRcm3 * 1500)) * 10103.518655296133, 1,
                1e-14);
}

} // namespace
} // namespace kinetra::physics
