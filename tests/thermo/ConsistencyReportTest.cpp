#include "thermo/ConsistencyReport.h"

#include "thermo/NasaTextReader.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

// H2O, CO2 and N2 of GRI-Mech 3.0.
const char* const kGriText =
    "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1\n"
    " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
    "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
    "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\n"
    "CO2               L 7/88C   1O   2          G   200.000  3500.000  1000.000    1\n"
    " 3.85746029E+00 4.41437026E-03-2.21481404E-06 5.23490188E-10-4.72084164E-14    2\n"
    "-4.87591660E+04 2.27163806E+00 2.35677352E+00 8.98459677E-03-7.12356269E-06    3\n"
    " 2.45919022E-09-1.43699548E-13-4.83719697E+04 9.90105222E+00                   4\n"
    "N2                121286N   2               G   300.000  5000.000  1000.000    1\n"
    " 0.02926640E+02 0.14879768E-02-0.05684760E-05 0.10097038E-09-0.06753351E-13    2\n"
    "-0.09227977E+04 0.05980528E+02 0.03298677E+02 0.14082404E-02-0.03963222E-04    3\n"
    " 0.05641515E-07-0.02444854E-10-0.10208999E+04 0.03950372E+02                   4\n";

std::vector<NumberedSpecies> griSpecies() {
    ElementTable table;
    const char* symbols[] = {"O", "H", "C", "N", "AR"};
    const double weights[] = {15.9994, 1.00794, 12.011, 14.0067, 39.948};
    for (int i = 0; i < 5; ++i) {
        table.symbols[i + 1] = symbols[i];
        table.weights[i + 1] = weights[i];
    }
    std::vector<NumberedSpecies> species;
    for (const SpeciesBlock& block : collectSpeciesBlocks(kGriText).blocks) {
        BlockResult r = readSpeciesBlock(block, table, {});
        EXPECT_EQ(r.outcome, BlockOutcome::Accepted) << r.reason;
        species.push_back({static_cast<std::int64_t>(species.size() + 1), r.record});
    }
    return species;
}

SpeciesRecord constantCp(const char* name, double upperCp, double lowerCp) {
    SpeciesRecord s;
    s.name = name;
    s.tmin = 300;
    s.tmax = 5000;
    s.tcom = 1000;
    s.coefficients[0] = upperCp;
    s.coefficients[7] = lowerCp;
    return s;
}

TEST(ConsistencyReport, GriSpeciesAreConsistent) {
    std::vector<NumberedSpecies> species = griSpecies();
    ASSERT_EQ(species.size(), 3u);
    ConsistencyReport report = checkConsistency(species);
    EXPECT_TRUE(report.findings.empty());
    EXPECT_EQ(formatConsistencyReport(report),
              std::vector<std::string>{"No inconsistencies found."});
}

TEST(ConsistencyReport, JumpsAtTcom) {
    // Cp/R 3.5 against 3.5004: 1.1E-4 relative, just over the line; 3.5 against 3.5003 is not.
    SpeciesRecord cpJump = constantCp("CPJUMP", 3.5004, 3.5);
    SpeciesRecord small = constantCp("SMALL", 3.5003, 3.5);
    // Near zero the tolerance is absolute: S/R 0 against 2E-4 jumps, 5E-5 does not.
    SpeciesRecord sJump = constantCp("SJUMP", 1, 1);
    sJump.coefficients[6] = -std::log(1000.0) + 2e-4; // upper S/R = 2E-4 at Tcom
    sJump.coefficients[13] = -std::log(1000.0);       // lower S/R = 0
    SpeciesRecord sNoise = sJump;
    sNoise.name = "SNOISE";
    sNoise.coefficients[6] = -std::log(1000.0) + 5e-5;
    // Without a lower set or without Tcom there is nothing to compare.
    SpeciesRecord oneSet = constantCp("ONESET", 3.5, 0);
    SpeciesRecord noTcom = constantCp("NOTCOM", 4, 3);
    noTcom.tcom.reset();

    ConsistencyReport report = checkConsistency(
        {{12, cpJump}, {13, small}, {14, sJump}, {15, sNoise}, {16, oneSet}, {17, noTcom}});
    ASSERT_EQ(report.findings.size(), 4u);
    const ConsistencyFinding& cp = report.findings[0];
    EXPECT_EQ(cp.num, 12);
    EXPECT_EQ(cp.kind, FindingKind::Discontinuity);
    EXPECT_EQ(cp.function, "Cp/R");
    EXPECT_DOUBLE_EQ(cp.lowerValue, 3.5);
    EXPECT_DOUBLE_EQ(cp.upperValue, 3.5004);
    EXPECT_EQ(cp.temperature, 1000);
    // A jump in a constant Cp moves H/RT and S/R as well.
    EXPECT_EQ(report.findings[1].function, "H/RT");
    EXPECT_EQ(report.findings[2].function, "S/R");
    EXPECT_EQ(report.findings[3].name, "SJUMP");
    EXPECT_EQ(report.findings[3].function, "S/R");

    std::vector<std::string> lines = formatConsistencyReport(report);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "   12  CPJUMP           Cp/R jumps at Tcom 1000 K: 3.500000 below, 3.500400 above");
    EXPECT_EQ(lines[4], "4 inconsistencies found in 2 species.");
}

TEST(ConsistencyReport, NegativeHeatCapacity) {
    // Cp/R = 2 - 0.001 T above Tcom: negative from 2000 K, lowest at Tmax.
    SpeciesRecord falling = constantCp("FALLING", 0, 1);
    falling.coefficients[0] = 2;
    falling.coefficients[1] = -0.001;
    // Cp/R = (T - 505)^2 / 1E4 - 0.01 below Tcom: negative only between 495 and 515 K, so only
    // a grid finer than the interval finds it. Both species also jump at Tcom; only the
    // negative-Cp findings matter here.
    SpeciesRecord dip = constantCp("DIP", 1, 0);
    dip.coefficients[7] = 505.0 * 505.0 / 1e4 - 0.01;
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
    EXPECT_EQ(negative[0].name, "FALLING");
    EXPECT_EQ(negative[0].temperature, 5000);
    EXPECT_DOUBLE_EQ(negative[0].upperValue, -3);
    EXPECT_EQ(negative[0].lowerValue, 0);
    EXPECT_EQ(negative[1].name, "DIP");
    EXPECT_EQ(negative[1].temperature, 500);
    EXPECT_NEAR(negative[1].lowerValue, -0.0075, 1e-12);

    std::vector<std::string> lines = formatConsistencyReport({negative});
    EXPECT_EQ(lines[0], "    1  FALLING          Cp/R negative in the upper interval: -3.000000 at "
                        "5000 K");
    EXPECT_EQ(lines[1], "    2  DIP              Cp/R negative in the lower interval: -0.007500 at "
                        "500 K");
}

} // namespace
} // namespace kinetra::thermo
