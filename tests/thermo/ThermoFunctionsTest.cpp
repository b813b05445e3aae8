#include "thermo/ThermoFunctions.h"

#include "ThermoFixture.h"
#include "thermo/ConsistencyReport.h"

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
    return {upperCp, 0, 0, 0, 0, 0, 0, lowerCp};
}

TEST(ThermoFunctions, IntervalSelection) {
    struct Case {
        const char* what;
        std::array<double, 15> a;
        double T;
        bool ok;
        double cpOverR;
    };
    const std::vector<Case> cases{
        {"below 100 K", constantCp(4, 3), 99.9, false, 0},
        {"at 100 K", constantCp(4, 3), 100, true, 3},
        {"common temperature takes the lower set", constantCp(4, 3), 1000, true, 3},
        {"common temperature without lower set", constantCp(4, 0), 1000, true, 4},
        {"upper interval", constantCp(4, 3), 1500, true, 4},
        {"far above any Tmax still evaluated", constantCp(4, 3), 20000, true, 4},
        {"no upper set above Tcom", constantCp(0, 3), 1500, false, 0},
        {"no lower set below Tcom", constantCp(4, 0), 500, false, 0},
        {"NaN temperature", constantCp(4, 3), std::nan(""), false, 0},
        {"overflow", {0, 0, 0, 0, 1e300}, 5000, false, 0},
        // a8 + a9 = 0 is still a set: Cp/R = 1 - T.
        {"coefficients summing to zero", {0, 0, 0, 0, 0, 0, 0, 1, -1}, 200, true, 1 - 200.0},
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

TEST(ThermoFunctions, ErrorText) {
    EXPECT_EQ(thermoFunctionErrorText("CH4", "Overflow."),
              "Mod1#006. Calculation error for thermodynamic functions of the species  'CH4'. "
              "Overflow.");
}

const SpeciesRecord& gri(const std::string& name) {
    for (const SpeciesRecord& s : testing::griSpecies())
        if (s.name == name)
            return s;
    throw std::runtime_error(name);
}

// Against the JANAF tables (4th edition). Tolerances are those of the fits, not of the code:
// 0.5 % for Cp and S and 0.3 kJ/mol for H - H(298.15) where the fit is good; the GRI water fit
// runs high above 2500 K, so that row allows more.
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
        {"N2", 298.15, 29.124, 191.609, 0},
        {"N2", 1000, 32.697, 228.170, 21.463},
        {"N2", 3000, 37.030, 266.925, 92.715},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.species) + " at " + std::to_string(row.T));
        const auto& a = gri(row.species).coefficients;
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
    for (const SpeciesRecord& s : testing::griSpecies()) {
        for (double T : {300.0, 700.0, 1500.0, 2500.0}) {
            SCOPED_TRACE(s.name + " at " + std::to_string(T));
            const double step = 1e-3;
            ThermoValues lo = thermoFunctions(s.coefficients, T - step, *s.tcom);
            ThermoValues mid = thermoFunctions(s.coefficients, T, *s.tcom);
            ThermoValues hi = thermoFunctions(s.coefficients, T + step, *s.tcom);
            double dH = (hi.hOverRT * (T + step) - lo.hOverRT * (T - step)) / (2 * step);
            double dS = (hi.sOverR - lo.sOverR) / (2 * step);
            EXPECT_NEAR(dH, mid.cpOverR, 1e-6 * mid.cpOverR);
            EXPECT_NEAR(T * dS, mid.cpOverR, 1e-6 * mid.cpOverR);
        }
    }
}

// The consistency report over a database.

SpeciesRecord cpSpecies(const char* name, double upperCp, double lowerCp) {
    return testing::speciesRecord(name, 300, 5000, 1000, constantCp(upperCp, lowerCp));
}

TEST(ConsistencyReport, GriSpeciesAreConsistent) {
    std::vector<NumberedSpecies> species;
    for (const SpeciesRecord& s : testing::griSpecies())
        species.push_back({static_cast<std::int64_t>(species.size() + 1), s});
    EXPECT_EQ(formatConsistencyReport(checkConsistency(species)),
              std::vector<std::string>{"No inconsistencies found."});
}

TEST(ConsistencyReport, JumpsAtTcom) {
    // Cp/R 3.5 against 3.5004: 1.1E-4 relative, just over the line; 3.5 against 3.5003 is not.
    SpeciesRecord cpJump = cpSpecies("CPJUMP", 3.5004, 3.5);
    SpeciesRecord small = cpSpecies("SMALL", 3.5003, 3.5);
    // Near zero the tolerance is absolute: S/R 0 against 2E-4 jumps, 5E-5 does not.
    SpeciesRecord sJump = cpSpecies("SJUMP", 1, 1);
    sJump.coefficients[6] = -std::log(1000.0) + 2e-4; // upper S/R = 2E-4 at Tcom
    sJump.coefficients[13] = -std::log(1000.0);       // lower S/R = 0
    SpeciesRecord sNoise = sJump;
    sNoise.name = "SNOISE";
    sNoise.coefficients[6] = -std::log(1000.0) + 5e-5;
    // Without a lower set or without Tcom there is nothing to compare.
    SpeciesRecord noTcom = cpSpecies("NOTCOM", 4, 3);
    noTcom.tcom.reset();

    ConsistencyReport report = checkConsistency({{12, cpJump},
                                                 {13, small},
                                                 {14, sJump},
                                                 {15, sNoise},
                                                 {16, cpSpecies("ONESET", 3.5, 0)},
                                                 {17, noTcom}});
    // A jump in a constant Cp moves H/RT and S/R as well.
    std::vector<std::string> lines = formatConsistencyReport(report);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "   12  CPJUMP           Cp/R jumps at Tcom 1000 K: 3.500000 below, 3.500400 above");
    EXPECT_NE(lines[1].find("CPJUMP           H/RT jumps"), std::string::npos);
    EXPECT_NE(lines[3].find("SJUMP            S/R jumps"), std::string::npos);
    EXPECT_EQ(lines[4], "4 inconsistencies found in 2 species.");
}

TEST(ConsistencyReport, NegativeHeatCapacity) {
    // Cp/R = 2 - 0.001 T above Tcom: negative from 2000 K, lowest at Tmax.
    SpeciesRecord falling = cpSpecies("FALLING", 2, 1);
    falling.coefficients[1] = -0.001;
    // Cp/R = (T - 505)^2 / 1E4 - 0.01 below Tcom: negative only between 495 and 515 K, so only
    // a grid finer than the interval finds it. Both species also jump at Tcom; only the
    // negative-Cp findings matter here.
    SpeciesRecord dip = cpSpecies("DIP", 1, 505.0 * 505.0 / 1e4 - 0.01);
    dip.coefficients[8] = -2 * 505.0 / 1e4;
    dip.coefficients[9] = 1 / 1e4;
    // Negative Cp outside [Tmin, Tmax] is not the database's fault.
    SpeciesRecord outside = falling;
    outside.name = "OUTSIDE";
    outside.tmax = 1900;

    ConsistencyReport report = checkConsistency({{1, falling}, {2, dip}, {3, outside}});
    std::vector<ConsistencyFinding> negative;
    for (const ConsistencyFinding& f : report.findings)
        if (f.kind == FindingKind::NegativeCp)
            negative.push_back(f);
    ASSERT_EQ(negative.size(), 2u);
    EXPECT_EQ(negative[1].name, "DIP");
    std::vector<std::string> lines = formatConsistencyReport({negative});
    EXPECT_EQ(lines[0], "    1  FALLING          Cp/R negative in the upper interval: -3.000000 at "
                        "5000 K");
}

} // namespace
} // namespace kinetra::thermo
