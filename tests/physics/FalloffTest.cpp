#include "physics/Falloff.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace kinetra::physics {
namespace {

// Reference values computed by hand (Python, double precision) from the textbook forms.
TEST(Falloff, TroeAndSriAgainstHandCalculations) {
    const TroeParameters gri{0.7346, 94, 1756, 5182}; // H + O2 (+M) of GRI-Mech 3.0
    EXPECT_NEAR(troeCentering(gri, 1000), 0.42127582405537939, 1e-15);
    EXPECT_NEAR(troeBroadening(gri, 1000, 1.0), 0.42639156438465803, 1e-15);
    // Far from the centre the broadening fades: F tends to 1 at both ends.
    EXPECT_NEAR(troeBroadening(gri, 1000, 1e12), 1.0, 0.05);
    EXPECT_NEAR(troeBroadening(gri, 1000, 1e-12), 1.0, 0.05);

    const SriParameters sri{1.1, 700, 1234, 56, 0.7};
    EXPECT_NEAR(sriBroadening(sri, 1000, 10.0) / 7017.9594136682572, 1.0, 1e-14);
}

// TROE/ 0.168 1203.00 0.00 / and TROE/0.0 570.0 0.0 1.e+30/ are written in published
// mechanisms: a zero temperature is the limit exp(-T/0) = 0, never a division by zero.
TEST(Falloff, ZeroTemperaturesAreTheLimitOfAVanishingTerm) {
    EXPECT_NEAR(troeCentering({0.168, 1203, 0, std::nullopt}, 1000), 0.36233791580036084, 1e-15);
    EXPECT_EQ(troeCentering({0.0, 570, 0, 1e30}, 1000), std::exp(-1000.0 / 570));
    // Every term gone: F stays finite and positive instead of log10(0).
    for (double pr : {0.0, 1e-8, 1.0, 1e8}) {
        const double f = troeBroadening({0.5, 0, 0, std::nullopt}, 1500, pr);
        EXPECT_TRUE(std::isfinite(f) && f > 0) << pr;
    }
    // T** = 0 means "not given", not exp(0) = 1.
    EXPECT_EQ(troeCentering({0.5, 100, 200, 0.0}, 300), troeCentering({0.5, 100, 200, {}}, 300));
    EXPECT_TRUE(std::isfinite(sriBroadening({1, 0, 0}, 1000, 0.0)));
}

// The slopes behind the solver's analytic Jacobian agree with central differences of the
// broadening routines themselves.
TEST(Falloff, SlopesAgreeWithDifferences) {
    const TroeParameters troes[] = {
        {0.7346, 94, 1756, 5182}, {0.168, 1203, 0, std::nullopt}, {0.5, 1e-30, 1e30, std::nullopt}};
    const SriParameters sris[] = {{1.1, 700, 1234, 56, 0.7}, {0.45, 797, 979}};
    for (double t : {600.0, 1200.0, 2500.0})
        for (double pr : {1e-4, 0.3, 7.0, 1e5}) {
            const double h = 1e-6;
            auto check = [&](auto broadening, BroadeningSlopes s, const char* what) {
                EXPECT_NEAR(s.f, broadening(t, pr), 1e-14 * s.f) << what;
                const double dPr = (std::log(broadening(t, pr * (1 + h))) -
                                    std::log(broadening(t, pr * (1 - h)))) /
                                   (std::log1p(h) - std::log1p(-h));
                const double dT = (std::log(broadening(t * (1 + h), pr)) -
                                   std::log(broadening(t * (1 - h), pr))) /
                                  (2 * h * t);
                EXPECT_NEAR(s.dLnFdLnPr, dPr, 1e-7) << what << " T " << t << " Pr " << pr;
                EXPECT_NEAR(s.dLnFdT, dT, 1e-9 + 1e-6 * std::fabs(dT))
                    << what << " T " << t << " Pr " << pr;
            };
            for (const auto& troe : troes)
                check([&](double tt, double p) { return troeBroadening(troe, tt, p); },
                      troeSlopes(troe, t, pr), "Troe");
            for (const auto& sri : sris)
                check([&](double tt, double p) { return sriBroadening(sri, tt, p); },
                      sriSlopes(sri, t, pr), "SRI");
        }
}

// The solver's batched Troe factors are the scalar routine's to a few units in the last place,
// for every kind of parameter set (zero temperatures, absent or zero T**) and reduced pressures
// from the floor to far above 1.
TEST(Falloff, BatchedTroeAgreesWithTheScalarForm) {
    const std::vector<TroeParameters> troes{
        {0.7346, 94, 1756, 5182}, {0.168, 1203, 0, std::nullopt}, {0.0, 570, 0, 1e30},
        {0.5, 100, 200, 0.0},     {0.5, 0, 0, std::nullopt},      {0.62, 73.2, 1180, 1e-30}};
    const std::vector<double> pressures{0, 1e-250, 1e-8, 0.02, 1, 3.5, 1e6, 1e40};
    for (double t : {300.0, 1000.0, 2850.0}) {
        std::vector<TroeParameters> troe;
        std::vector<double> pr;
        for (const auto& p : troes)
            for (double r : pressures) {
                troe.push_back(p);
                pr.push_back(r);
            }
        std::vector<double> f(pr.size()), workspace(3 * pr.size());
        troeBroadenings(troe.data(), pr.data(), pr.size(), t, f.data(), workspace.data());
        for (std::size_t i = 0; i < pr.size(); ++i)
            // exp(y) carries the rounding of y: relative error about |y| units; F reaches
            // 1E-283 where Fcent is held at its floor.
            EXPECT_NEAR(f[i], troeBroadening(troe[i], t, pr[i]),
                        1e-14 * f[i] * std::max(1.0, std::fabs(std::log(f[i]))))
                << "T " << t << " case " << i;
    }
}

} // namespace
} // namespace kinetra::physics
