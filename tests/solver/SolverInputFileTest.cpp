#include "solver/SolverInputFile.h"

#include <gtest/gtest.h>

namespace kinetra::solver {
namespace {

using reactions::ReactionRecord;

SolverSpecies species(std::string name, std::string phase = "G") {
    SolverSpecies s;
    s.record.name = std::move(name);
    s.record.phase = std::move(phase);
    s.formula = "H2O1";
    s.molecularWeight = 18.01528;
    s.record.tmin = 200;
    s.record.tmax = 3500;
    s.record.tcom = 1000;
    for (int k = 0; k < 14; ++k)
        s.record.coefficients[k] = (k % 2 ? -1.0 : 1.0) * (k + 1) * 1.234567891e-3;
    return s;
}

const std::vector<SolverSpecies> kSpecies{species("AR"), species("H"),   species("H2"),
                                          species("O2"), species("HO2"), species("OH")};

ReactionRecord reaction(std::string equation, std::array<std::string, 9> slots,
                        std::string type = "") {
    ReactionRecord r;
    r.reaction = std::move(equation);
    r.species = std::move(slots);
    r.type = std::move(type);
    r.a = 1.235e14;
    r.n = -0.5;
    r.e = 16600;
    return r;
}

TEST(SolverInputFile, SpeciesLinesStandWhereTheReadersLook) {
    SolverSpecies water = species("H2O", "g");
    water.moleFraction = 0.125;
    const auto lines = speciesLines(7, water);
    ASSERT_EQ(lines.size(), 4u);
    const std::string& first = lines[0];
    EXPECT_EQ(first.substr(0, 5), " 7   ");
    EXPECT_EQ(first.substr(23, 4), "H2O1");                   // formula from character 24
    EXPECT_EQ(first.substr(45, 2), " 0");                     // lower-case "g" is gas
    EXPECT_EQ(first.substr(47, 9), " 200.    ");              // Tmin from character 48
    EXPECT_EQ(first.substr(56, 9), " 3500.   ");              // Tmax from character 57
    EXPECT_EQ(first.substr(65, 9), " 1000.   ");              // Tcom from character 66
    EXPECT_EQ(first.substr(first.size() - 10), " 1.250E-01"); // the fraction: last 10
    // Fields of 15 characters touch when the sign takes the blank.
    EXPECT_EQ(lines[1], " 1.23456789E-03-2.46913578E-03 3.70370367E-03-4.93827156E-03"
                        " 6.17283946E-03");
    EXPECT_EQ(lines[3].size(), 75u);
    EXPECT_EQ(lines[3].substr(60), "       18.01528");
    EXPECT_EQ(speciesLines(1, species("X", "L"))[0].substr(45, 2), " 1");
    EXPECT_EQ(speciesLines(1, species("X", "S"))[0].substr(45, 2), " 2");
    EXPECT_EQ(speciesLines(1, species("X", "B"))[0].substr(45, 2), " 0");
    EXPECT_EQ(speciesLines(1, species("X"))[0].substr(74), " 0        ");
}

struct ReactionCase {
    const char* what;
    ReactionRecord record;
    std::vector<std::string> lines;
};

TEST(SolverInputFile, ReactionLinesByKind) {
    ReactionRecord troe =
        reaction("H + O2 + M$ <=> HO2 + M$", {"H", "O2", "M$", "HO2"}, "Low Troe");
    troe.al = 6.366e20;
    troe.nl = -1.72;
    troe.el = 524.8;
    troe.falloff = {0.8, 1e-30, 1e30, std::nullopt, std::nullopt};
    troe.thirdBodies = {"H2", "O2", "AR", "H2O", "CH4", "CO", "CO2", "C2H6LONGNAME"};
    troe.efficiencies = {2, 0.78, 0.67, 11, 2, 1.5, 2, 1.0 / 3};
    ReactionRecord sri =
        reaction("H + O2 + AR$ <=> HO2 + AR$", {"H", "O2", "AR$", "HO2", "AR$"}, "Low SRI");
    sri.al = 1e18;
    sri.nl = 0;
    sri.el = 0;
    sri.falloff = {1.1, 700, 1234, std::nullopt, std::nullopt};
    ReactionRecord rev = reaction("H + H + M <=> H2 + M", {"H", "H", "M", "H2", "M"}, "Rev");
    rev.al = 2.5e17;
    rev.nl = 1;
    rev.el = 104000;
    ReactionRecord precise = reaction("H + O2 <=> OH + O", {"H", "O2", "", "OH", "O"});
    precise.a = 1.2345678e14;
    precise.n = -0.6707;
    precise.e = 16600.4;
    const std::vector<ReactionCase> cases{
        {"digits beyond the patterns are kept",
         precise,
         {" 1    H + O2 <=> OH + O",
          "      2   4   0   6   0   0   0   0   0   2   1   0   0   0   0   1   ",
          "      1.2345678E+14  -0.6707        1.66004E+04    "}},
        {"reversible, no extras",
         reaction("H + O2 <=> OH + O", {"H", "O2", "", "OH", "O"}),
         {" 1    H + O2 <=> OH + O",
          // "O" is not in the species block: not coded
          "      2   4   0   6   0   0   0   0   0   2   1   0   0   0   0   1   ",
          "      1.235E+14      -0.500         1.660E+04      "}},
        {"irreversible keeps a two-way arrow in the record only",
         reaction("H2 + HV <=> H + H", {"H2", "HV", "", "H", "H"}, "Irrev "),
         {" 1    H2 + HV => H + H",
          "      3   0   0   2   2   0   0   0   0   1   2   0   0   0   0   0   ",
          "      1.235E+14      -0.500         1.660E+04      "}},
        {"fall-off with a Troe line and a long third-body list",
         troe,
         {" 1    H + O2 + M$ <=> HO2 + M$",
          "      2   4   0   5   0   0   0   0   0   2   1   2   8   1   1   1   ",
          "      1.235E+14      -0.500         1.660E+04      ",
          " Low  6.366E+20      -1.720         5.248E+02      ",
          " Troe 8.E-01         1.E-30         1.E+30         ",
          "      3   H2      2.      4   O2      0.78    1   AR      0.67    0   H2O     11.     "
          "0   CH4     2.      ",
          "      0   CO      1.5     0   CO2     2.      0   C2H6LO> 0.33333 "}},
        {"named collider, SRI",
         sri,
         {" 1    H + O2 + AR$ <=> HO2 + AR$",
          "      2   4   0   5   0   0   0   0   0   2   1   0   0   1   2   1   ",
          "      1.235E+14      -0.500         1.660E+04      ",
          " Low  1.000E+18      0.000          0.000E+00      ",
          " SRI  1.1E+00        7.E+02         1.234E+03      "}},
        {"explicit reverse rate with M",
         rev,
         {" 1    H + H + M <=> H2 + M",
          "      2   2   0   3   0   0   0   0   0   2   1   1   0   2   0   1   ",
          "      1.235E+14      -0.500         1.660E+04      ",
          " Rev  2.500E+17      1.000          1.040E+05      "}},
    };
    for (const ReactionCase& c : cases)
        EXPECT_EQ(reactionLines(1, c.record, SpeciesCodes(kSpecies)), c.lines) << c.what;
}

TEST(SolverInputFile, HeaderAndParameterLinesAtTheirNumbers) {
    const SolverFileHeader header{
        {2026, 12, 7, 9, 5, 3}, "/t/THERMO.db", "/t/REAC.db", 1.98720425864, 82.0573661};
    const auto lines =
        solverInputLines(header, kSpecies, {reaction("H + O2 <=> OH + O", {"H", "O2"})});
    EXPECT_EQ(lines[0], " !$Kinetra Solver, Dec 7 2026, 09:05:03");
    EXPECT_EQ(lines[line::kSpeciesCount - 1], " 6 !Species");
    EXPECT_EQ(lines[line::kReactionCount - 1], " 1 !Reactions");
    EXPECT_EQ(lines[line::kPressure - 1], " 1 !Pressure");
    EXPECT_EQ(lines[line::kMaximumSteps - 1], " 1000 !Maximum number of steps");
    EXPECT_EQ(lines[line::kDeltaN - 1], " 1 !Delta N");
    EXPECT_EQ(lines[line::kGasConstantCal - 1], " 1.987204 !Universal Gas Constant (cal/K mol)");
    EXPECT_EQ(lines[line::kGasConstantCm3 - 1], " 82.05737 !Gas Constant (cm^3 atm/K mol)");
    EXPECT_EQ(lines[line::kThermo - 1], " THERMO");
    EXPECT_EQ(lines[line::kThermo + 4 * 6], " End");
    EXPECT_EQ(lines[line::kThermo + 4 * 6 + 2], " Reactions");
    EXPECT_EQ(lines.back(), " End");
    EXPECT_EQ(lines.size(), std::size_t(line::kThermo + 4 * 6 + 3 + 3 + 1));
}

} // namespace
} // namespace kinetra::solver
