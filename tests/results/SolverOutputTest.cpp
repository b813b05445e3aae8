#include "results/SolverOutput.h"

#include "OutputText.h"
#include "results/ResultRecords.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace kinetra::results {
namespace {

using namespace testing;

double written(double v) {
    return std::stod(engine::recordValueText(v));
}

TEST(SolverOutput, RecordGeometryIsOneLinePerFiftySpecies) {
    for (const auto& [n, k] : std::vector<std::pair<int, int>>{
             {1, 1}, {50, 1}, {51, 2}, {100, 2}, {101, 3}, {120, 3}, {150, 3}, {151, 4}})
        EXPECT_EQ(recordLineCount(n), k) << n;
}

TEST(SolverOutput, ReadsEveryColumnOfEveryRecord) {
    for (const int n : {1, 50, 51, 120}) {
        const std::string text = numberedOutput(n, 5);
        if (n > 50) { // the case of a continuation line that begins with "-" is exercised
            EXPECT_NE(text.find("\n-"), std::string::npos) << n;
        }
        const OutputReading reading = readSolverOutputText(text, "run.out");
        ASSERT_TRUE(reading.output) << n << ": " << reading.message;
        const SolverOutput& out = *reading.output;
        EXPECT_EQ(out.header.speciesCount, n);
        ASSERT_EQ(out.columnNames.size(), static_cast<std::size_t>(n) + 3);
        EXPECT_EQ(out.columnNames[2], "Ro");
        EXPECT_EQ(out.columnNames[3], "S1");
        EXPECT_EQ(out.columnNames.back(), "S" + std::to_string(n));
        ASSERT_EQ(out.records.size(), 5u) << n;
        for (int r = 0; r < 5; ++r) {
            EXPECT_EQ(out.records[r][0], written(1e-4 * r));
            EXPECT_EQ(out.records[r][1], written(1000 + r));
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(out.records[r][i + 2], written(speciesValue(r, i)))
                    << n << " species, record " << r << ", species " << i;
        }
        ASSERT_EQ(out.species.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(out.species[0].molecularWeight, 11);
        EXPECT_EQ(out.species[0].coefficients[0], 3.5);
        EXPECT_EQ(out.species[0].tcom, 1000);
        EXPECT_EQ(out.elements, (std::vector<std::string>{"e", "H"}));
    }
}

TEST(SolverOutput, HeaderLinesAndReactionText) {
    solver::RunParameterValues run;
    run.pressure = 2.5;
    run.constantVolume = true;
    run.energyEquation = false;
    run.finalTime = 0.25;
    run.maximumSteps = 4321;
    run.deltaN = 7;
    auto lines = inputPart(numberedSpecies(2), run);
    lines.push_back("!$RESULTS");
    const OutputReading reading = readSolverOutputText(joined(lines) + "!$END\n", "x");
    EXPECT_FALSE(reading.output); // no records
    std::string text = numberedOutput(2, 4);
    const std::string runText = joined(inputPart(numberedSpecies(2), run));
    text.replace(0, runText.size(), runText);
    const OutputReading ok = readSolverOutputText(text, "x");
    ASSERT_TRUE(ok.output) << ok.message;
    const RunHeader& h = ok.output->header;
    EXPECT_EQ(h.pressure, 2.5);
    EXPECT_EQ(h.mode, 2);
    EXPECT_EQ(h.finalTime, "2.50E-01");
    EXPECT_EQ(h.maximumSteps, 4321);
    EXPECT_EQ(h.deltaN, 7);
    EXPECT_EQ(h.gasConstantCal, 1.987204);
    EXPECT_EQ(h.gasConstantCm3, 82.05746);
}

TEST(SolverOutput, RefusesIncompleteOutputs) {
    const std::string incomplete = "In the file run.out the output data is incomplete.";
    struct Case {
        const char* what;
        std::string text;
    };
    std::string errorBefore = numberedOutput(3, 0, "");
    errorBefore.replace(errorBefore.find("!$RESULTS"), 9,
                        "ERROR The temperature left the interval");
    const std::vector<Case> cases{
        {"three records with the end mark", numberedOutput(3, 3)},
        {"three records, then ERROR", numberedOutput(60, 3, "ERROR Maximum number of steps")},
        {"ERROR before the results", errorBefore},
        {"no results at all", joined(inputPart(numberedSpecies(3)))},
    };
    for (const Case& c : cases) {
        const OutputReading reading = readSolverOutputText(c.text, "run.out");
        EXPECT_FALSE(reading.output) << c.what;
        EXPECT_EQ(reading.message, incomplete) << c.what;
    }
}

TEST(SolverOutput, RecordsEndAtErrorAndWithoutEndMark) {
    for (const std::string& ending :
         {std::string("ERROR Integrator failure at t = 1"), std::string()}) {
        const OutputReading reading = readSolverOutputText(numberedOutput(51, 6, ending), "x");
        ASSERT_TRUE(reading.output) << reading.message;
        EXPECT_EQ(reading.output->records.size(), 6u);
    }
    // A record cut short by the ERROR line is left out.
    std::string text = numberedOutput(51, 6, "");
    text.erase(text.rfind('\n', text.size() - 2) + 1);
    text += "ERROR stopped\n";
    const OutputReading cut = readSolverOutputText(text, "x");
    ASSERT_TRUE(cut.output);
    EXPECT_EQ(cut.output->records.size(), 5u);
}

TEST(SolverOutput, FormulaElements) {
    EXPECT_EQ(formulaElements("H4C1"), (std::vector<std::string>{"H", "C"}));
    EXPECT_EQ(formulaElements("E-1AR1"), (std::vector<std::string>{"e", "AR"}));
    EXPECT_EQ(formulaElements("N0.5O1"), (std::vector<std::string>{"N", "O"}));
}

} // namespace
} // namespace kinetra::results

namespace kinetra::results {
namespace {

// The fast conversions of the solver's %.9E record texts and %.8E THERMO texts must give the
// very double the general one gives, at every scale a double takes (subnormal ones included)
// and at the edges where they hand over.
TEST(SolverOutput, RecordNumbersAreTheNearestDoubles) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> exponent(-330, 308);
    char text[40];
    for (int n = 0; n < 200000; ++n) {
        const char* format = n % 3 == 0 ? "%.8E" : "%.9E";
        std::snprintf(text, sizeof text, format,
                      (n % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random)));
        const auto v = recordNumber(text);
        ASSERT_TRUE(v) << text;
        ASSERT_EQ(*v, std::strtod(text, nullptr)) << text;
    }
    // 2^30 x 10^23 and 2^31 x 10^23 lie exactly halfway between two doubles (ties go to the
    // even one); 4.940656458E-324 is the smallest subnormal, 2.470328230E-324 rounds up to it.
    for (const char* edge :
         {"9.999999999E+31", "1.000000000E-13", "1.000000000E-14", "1.000000000E+23",
          "1.073741824E+32", "2.147483648E+32", "4.940656458E-324", "2.470328230E-324",
          "2.225073859E-308", "1.797693135E+308", "0.000000000E+00", "-0.000000000E+00", "+1.5E+00",
          "2.5", "-7.250000000E-102", "1.234567890123456E-05", "1.2E+5"})
        EXPECT_EQ(recordNumber(edge), std::strtod(edge, nullptr)) << edge;
    EXPECT_FALSE(recordNumber("1.234567890E-0x"));
    EXPECT_FALSE(recordNumber("1.2345x7890E-05"));
    EXPECT_FALSE(recordNumber("1.234567890E-"));
}

} // namespace
TEST(SolverOutput, InitialMoleFractionsAreTheTypedOnesOverTheirSum) {
    SolverOutput out;
    for (const double typed : {1.0, 2.0, 0.0, 7.52}) {
        out.species.emplace_back();
        out.species.back().initialFraction = typed;
    }
    EXPECT_DOUBLE_EQ(initialMoleFraction(out, 0), 1 / 10.52);
    EXPECT_DOUBLE_EQ(initialMoleFraction(out, 3), 7.52 / 10.52);
    EXPECT_EQ(initialMoleFraction(out, 2), 0);
    for (OutputSpecies& s : out.species)
        s.initialFraction = 0;
    EXPECT_EQ(initialMoleFraction(out, 1), 0);
}

} // namespace kinetra::results
