#include "EngineFixture.h"

#include <random>

namespace kinetra::engine {
namespace {

using namespace testing;

std::vector<std::string> mechanismLines() {
    std::vector<solver::SolverSpecies> species{
        idealSpecies("AR", 39.948), idealSpecies("H", 1.008), idealSpecies("H2", 2.016),
        idealSpecies("HO2", 33.007), idealSpecies("O2", 31.998)};
    species[2].moleFraction = 2;
    species[4].moleFraction = 1;
    auto troe = reactionRecord("H + O2 + M$ <=> HO2 + M$", {"H", "O2", "M$", "HO2", "M$"}, 4.65e12,
                               0.44, 0, "Low Troe");
    troe.al = 6.366e20, troe.nl = -1.72, troe.el = 524.8;
    troe.falloff = {0.5, 1e-30, 1e30, std::nullopt, std::nullopt};
    troe.thirdBodies = {"H2", "AR", "O2", "O2", "O2", "O2"};
    troe.efficiencies = {2, 0.67, 0.78, 0.78, 0.78, 0.78};
    auto sri = reactionRecord("H + O2 + AR$ <=> HO2 + AR$", {"H", "O2", "AR$", "HO2", "AR$"}, 1e12,
                              0, 0, "Low SRI");
    sri.al = 1e18, sri.nl = -1, sri.el = 0;
    sri.falloff = {1.1, 700, 1234, std::nullopt, std::nullopt};
    auto rev =
        reactionRecord("H + H + M <=> H2 + M", {"H", "H", "M", "H2", "M"}, 1e18, -1, 0, "Rev");
    rev.al = 5e15, rev.nl = 0, rev.el = 9.6e4;
    return inputLines(
        species,
        {troe, sri, rev,
         reactionRecord("H2 + HV <=> H + H", {"H2", "HV", "", "H", "H"}, 1e-3, 0, 0, "Irrev ")},
        {});
}

TEST(InputFile, ReadsEveryReactionKind) {
    const SolverInput input = readOrFail(mechanismLines());
    ASSERT_EQ(input.species.size(), 5u);
    EXPECT_EQ(input.species[4].name, "O2");
    EXPECT_DOUBLE_EQ(input.species[2].moleFraction, 2);
    EXPECT_DOUBLE_EQ(input.species[1].molecularWeight, 1.008);
    EXPECT_EQ(input.parameters.mode, ReactorMode::EnergyConstantP);
    EXPECT_EQ(input.parameters.maximumSteps, 1000);
    EXPECT_DOUBLE_EQ(input.parameters.relativeTolerance, 1e-6);
    EXPECT_DOUBLE_EQ(input.parameters.gasConstantCal, kRcal);
    ASSERT_EQ(input.reactions.size(), 4u);
    const InputReaction& troe = input.reactions[0];
    EXPECT_EQ(troe.reactants, (std::vector<int>{1, 4}));
    EXPECT_EQ(troe.products, (std::vector<int>{3}));
    EXPECT_EQ(troe.auxiliary, Auxiliary::Low);
    EXPECT_EQ(troe.falloff, FalloffKind::Troe);
    EXPECT_EQ(troe.falloffParameters.size(), 3u);
    EXPECT_EQ(troe.efficiencies.size(), 6u); // across two third-body lines
    EXPECT_EQ(troe.efficiencies[1], (std::pair<int, double>{0, 0.67}));
    EXPECT_FALSE(troe.namedCollider);
    const InputReaction& sri = input.reactions[1];
    EXPECT_EQ(sri.namedCollider, 0); // AR, from the title's "AR$"
    EXPECT_EQ(sri.falloff, FalloffKind::Sri);
    EXPECT_EQ(input.reactions[2].auxiliary, Auxiliary::Rev);
    EXPECT_DOUBLE_EQ(input.reactions[2].el, 9.6e4);
    EXPECT_EQ(input.reactions[2].reactants, (std::vector<int>{1, 1}));
    const InputReaction& photon = input.reactions[3];
    EXPECT_FALSE(photon.reversible);                    // the title lost its "<"
    EXPECT_EQ(photon.reactants, (std::vector<int>{2})); // HV is not a species
}

struct Malformed {
    int line;             // the line replaced (1-based)
    const char* text;     // its new text
    int errorLine;        // the line the error names
    const char* expected; // part of the expectation
};

TEST(InputFile, MalformedLinesAreNamed) {
    const std::vector<Malformed> cases{
        {10, " x !Species", 10, "species count"},
        {10, " 10000 !Species", 10, "from 1 to 9999"},
        {15, " 7 !Temperature Mode", 15, "mode 0, 1, 2 or 3"},
        {16, " 100 !Initial Temperature", 16, "inside the allowable interval"},
        {20, " 0 !Final Time", 20, "final time after the initial time"},
        {22, " 1.5 !Relative Tolerance", 22, "relative tolerance"},
        {24, " 1.5 !Maximum Number of Steps", 24, "maximum number of steps"},
        {34, " THERM", 34, "\"THERMO\""},
        {35, " 1    AR", 35, "species 1"},
        {36, " 2.5000000E+00 x", 36, "numeric fields"},
        {55, " Nothing", 55, "\"End\" after 5 species"},
        {59, "      2   5", 59, "16 integer codes"},
        {60, "      4.65E+12 0.44", 60, "A, n and E"},
        {61, " Rev  1 2 3", 61, "\"LOW\" and three numbers"},
        {62, " Troe 0.5", 62, "\"Troe\" and 3 or 4 numbers"},
        {63, "      3   H2      x", 63, "third bodies"},
        {59, "      2   5   0   4   0   0   0   0   0   2   1   2   6   0   1   1   ", 59,
         "fall-off form only with LOW"},
        {59, "      9   5   0   4   0   0   0   0   0   2   1   2   6   1   1   1   ", 59,
         "species codes between 1 and 5"},
    };
    for (const Malformed& c : cases) {
        std::vector<std::string> lines = mechanismLines();
        ASSERT_EQ(lines[56], " Reactions"); // the positions below rely on the fixture's layout
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        const InputReading reading = readSolverInput(lines);
        ASSERT_FALSE(reading.input) << c.text;
        EXPECT_EQ(reading.error.line, c.errorLine) << c.text;
        EXPECT_NE(reading.error.expected.find(c.expected), std::string::npos)
            << reading.error.expected;
        EXPECT_EQ(inputErrorText(reading.error).rfind("ERROR in the input file, line ", 0), 0u);
    }
    // A file cut anywhere names the line where it ends.
    const auto whole = mechanismLines();
    for (std::size_t keep = 0; keep < whole.size(); ++keep) {
        const InputReading reading =
            readSolverInput({whole.begin(), whole.begin() + static_cast<long>(keep)});
        ASSERT_FALSE(reading.input) << keep;
        EXPECT_GE(reading.error.line, 1);
    }
}

// Random damage never crashes the reader: it reads the file or names a line.
TEST(InputFile, DamagedFilesNeverCrash) {
    const auto whole = mechanismLines();
    std::mt19937 random(7);
    const char noise[] = " 0123456789.-+EeM$!x\t";
    for (int trial = 0; trial < 3000; ++trial) {
        auto lines = whole;
        for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
            std::string& l = lines[random() % lines.size()];
            const std::size_t at = l.empty() ? 0 : random() % l.size();
            switch (random() % 4) {
            case 0:
                l.insert(at, 1, noise[random() % (sizeof noise - 1)]);
                break;
            case 1:
                if (!l.empty())
                    l.erase(at, 1 + random() % 8);
                break;
            case 2:
                if (!l.empty())
                    l[at] = noise[random() % (sizeof noise - 1)];
                break;
            case 3:
                lines.erase(lines.begin() + static_cast<long>(random() % lines.size()));
                break;
            }
        }
        const InputReading reading = readSolverInput(lines);
        if (!reading.input) {
            EXPECT_GE(reading.error.line, 0);
        }
    }
}

} // namespace
} // namespace kinetra::engine
