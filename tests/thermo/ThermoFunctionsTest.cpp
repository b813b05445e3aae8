#include "thermo/ThermoFunctions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

constexpr double R = 8.314462618;

// Constant Cp sets, different above and below Tcom, so Cp/R shows which interval answered.
std::array<double, 15> constantCp(double upperCp, double lowerCp) {
    std::array<double, 15> a{};
    a[0] = upperCp;
    a[7] = lowerCp;
    return a;
}

TEST(ThermoFunctions, IntervalSelection) {
    struct Case {
        const char* what;
        std::array<double, 15> a;
        double T;
        bool ok;
        double cpOverR;
    };
    const std::array<double, 15> none{};
    const std::vector<Case> cases{
        {"below 100 K", constantCp(4, 3), 99.9, false, 0},
        {"at 100 K", constantCp(4, 3), 100, true, 3},
        {"lower interval", constantCp(4, 3), 500, true, 3},
        {"common temperature takes the lower set", constantCp(4, 3), 1000, true, 3},
        {"common temperature without lower set", constantCp(4, 0), 1000, true, 4},
        {"common temperature without upper set", constantCp(0, 3), 1000, true, 3},
        {"upper interval", constantCp(4, 3), 1500, true, 4},
        {"far above any Tmax still evaluated", constantCp(4, 3), 20000, true, 4},
        {"no upper set above Tcom", constantCp(0, 3), 1500, false, 0},
        {"no lower set below Tcom", constantCp(4, 0), 500, false, 0},
        {"all zero", none, 300, false, 0},
        {"all zero at Tcom", none, 1000, false, 0},
        {"NaN temperature", constantCp(4, 3), std::nan(""), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThermoValues v = thermoFunctions(c.a, c.T, 1000);
        EXPECT_EQ(v.ok, c.ok);
        EXPECT_DOUBLE_EQ(v.cpOverR, c.cpOverR);
        if (!c.ok) {
            EXPECT_EQ(v.hOverRT, 0);
            EXPECT_EQ(v.sOverR, 0);
        }
    }
}

TEST(ThermoFunctions, CoefficientsSummingToZeroAreStillASet) {
    std::array<double, 15> a{};
    a[7] = 1;
    a[8] = -1; // a1 + a2 = 0, but Cp/R = 1 - T
    ThermoValues v = thermoFunctions(a, 200, 1000);
    ASSERT_TRUE(v.ok);
    EXPECT_DOUBLE_EQ(v.cpOverR, 1 - 200.0);
}

TEST(ThermoFunctions, OverflowIsNotOk) {
    std::array<double, 15> a{};
    a[4] = 1e300; // a5 T^4
    ThermoValues v = thermoFunctions(a, 5000, 1000);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.cpOverR, 0);
    EXPECT_EQ(v.hOverRT, 0);
    EXPECT_EQ(v.sOverR, 0);
}

TEST(ThermoFunctions, ErrorTextAndUnits) {
    EXPECT_EQ(thermoFunctionErrorText("CH4", "Overflow."),
              "Mod1#006. Calculation error for thermodynamic functions of the species  'CH4'. "
              "Overflow.");
    EXPECT_DOUBLE_EQ(enthalpyKiloPerMol(2, 500, 8.0), 8.0);
    EXPECT_DOUBLE_EQ(perKelvinPerMol(3.5, 1.987), 3.5 * 1.987);
}

// GRI-Mech 3.0 coefficients, copied from gri30_thermo.dat so the test does not depend on the
// shared data folder. All four share Tcom = 1000 K.
struct Species {
    const char* name;
    std::array<double, 15> a;
};

const std::vector<Species>& gri30() {
    static const std::vector<Species> species{
        {"H2O",
         {3.03399249E+00, 2.17691804E-03, -1.64072518E-07, -9.70419870E-11, 1.68200992E-14,
          -3.00042971E+04, 4.96677010E+00, 4.19864056E+00, -2.03643410E-03, 6.52040211E-06,
          -5.48797062E-09, 1.77197817E-12, -3.02937267E+04, -8.49032208E-01, 0}},
        {"CO2",
         {3.85746029E+00, 4.41437026E-03, -2.21481404E-06, 5.23490188E-10, -4.72084164E-14,
          -4.87591660E+04, 2.27163806E+00, 2.35677352E+00, 8.98459677E-03, -7.12356269E-06,
          2.45919022E-09, -1.43699548E-13, -4.83719697E+04, 9.90105222E+00, 0}},
        {"OH",
         {3.09288767E+00, 5.48429716E-04, 1.26505228E-07, -8.79461556E-11, 1.17412376E-14,
          3.85865700E+03, 4.47669610E+00, 3.99201543E+00, -2.40131752E-03, 4.61793841E-06,
          -3.88113333E-09, 1.36411470E-12, 3.61508056E+03, -1.03925458E-01, 0}},
        {"N2",
         {0.02926640E+02, 0.14879768E-02, -0.05684760E-05, 0.10097038E-09, -0.06753351E-13,
          -0.09227977E+04, 0.05980528E+02, 0.03298677E+02, 0.14082404E-02, -0.03963222E-04,
          0.05641515E-07, -0.02444854E-10, -0.10208999E+04, 0.03950372E+02, 0}},
    };
    return species;
}

const Species& find(const std::string& name) {
    for (const Species& s : gri30())
        if (name == s.name)
            return s;
    throw std::runtime_error(name);
}

// Against the JANAF tables (4th edition). Tolerances are those of the fits, not of the code:
// 0.5 % for Cp and S and 0.3 kJ/mol for H - H(298.15) where the fit is good; the GRI water fit
// runs high above 2500 K and the old OH fit is a little off in Cp, so those rows allow more.
TEST(ThermoFunctions, AgreesWithJanafTables) {
    struct Row {
        const char* species;
        double T, cp, s, dh;               // J/(K mol), J/(K mol), kJ/mol
        double cpTol = 0.005, dhTol = 0.3; // relative, kJ/mol
    };
    const std::vector<Row> rows{
        {"H2O", 298.15, 33.590, 188.834, 0},
        {"H2O", 1000, 41.268, 232.738, 26.000},
        {"H2O", 3000, 55.744, 286.504, 126.549, 0.025, 1.5},
        {"CO2", 298.15, 37.129, 213.795, 0},
        {"CO2", 1000, 54.360, 269.325, 33.397},
        {"CO2", 3000, 62.229, 334.170, 152.852},
        {"OH", 298.15, 29.986, 183.708, 0},
        {"OH", 1000, 30.68, 219.74, 20.93},
        {"OH", 3000, 36.73, 256.82, 89.58, 0.012},
        {"N2", 298.15, 29.124, 191.609, 0},
        {"N2", 1000, 32.697, 228.170, 21.463},
        {"N2", 3000, 37.030, 266.925, 92.715},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.species) + " at " + std::to_string(row.T));
        const auto& a = find(row.species).a;
        ThermoValues v = thermoFunctions(a, row.T, 1000);
        ThermoValues ref = thermoFunctions(a, 298.15, 1000);
        ASSERT_TRUE(v.ok && ref.ok);
        EXPECT_NEAR(perKelvinPerMol(v.cpOverR, R), row.cp, row.cp * row.cpTol);
        EXPECT_NEAR(perKelvinPerMol(v.sOverR, R), row.s, row.s * 0.005);
        double dh =
            enthalpyKiloPerMol(v.hOverRT, row.T, R) - enthalpyKiloPerMol(ref.hOverRT, 298.15, R);
        EXPECT_NEAR(dh, row.dh, row.dhTol);
    }
}

// The three functions must belong together: dH/dT = Cp and T dS/dT = Cp. A wrong divisor in
// one Horner term breaks this long before it shows against tabulated data.
TEST(ThermoFunctions, FunctionsAreThermodynamicallyConsistent) {
    for (const Species& s : gri30()) {
        for (double T : {300.0, 700.0, 1500.0, 2500.0}) {
            SCOPED_TRACE(std::string(s.name) + " at " + std::to_string(T));
            const double step = 1e-3;
            ThermoValues lo = thermoFunctions(s.a, T - step, 1000);
            ThermoValues mid = thermoFunctions(s.a, T, 1000);
            ThermoValues hi = thermoFunctions(s.a, T + step, 1000);
            double dH = (hi.hOverRT * (T + step) - lo.hOverRT * (T - step)) / (2 * step);
            double dS = (hi.sOverR - lo.sOverR) / (2 * step);
            EXPECT_NEAR(dH, mid.cpOverR, 1e-6 * mid.cpOverR);
            EXPECT_NEAR(T * dS, mid.cpOverR, 1e-6 * mid.cpOverR);
        }
    }
}

// Both GRI sets meet at Tcom; evaluating either side of it must show no jump beyond the fit.
TEST(ThermoFunctions, ContinuousAcrossCommonTemperature) {
    for (const Species& s : gri30()) {
        SCOPED_TRACE(s.name);
        ThermoValues below = thermoFunctions(s.a, 1000, 1000);
        ThermoValues above = thermoFunctions(s.a, 1000 + 1e-9, 1000);
        EXPECT_NEAR(below.cpOverR, above.cpOverR, 1e-3);
        EXPECT_NEAR(below.hOverRT, above.hOverRT, 1e-3);
        EXPECT_NEAR(below.sOverR, above.sOverR, 1e-3);
    }
}

} // namespace
} // namespace kinetra::thermo
