#include "../results/OutputText.h"
#include "CliData.h"
#include "CliRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kinetra::cli::testing {
namespace {

namespace fs = std::filesystem;
using kinetra::testing::readFile;
using kinetra::testing::TempDir;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        out.push_back(text.substr(from, end - from));
        from = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

struct GriDatabases {
    TempDir dir;
    fs::path thermo = dir / "gri-t.mdb", reactions = dir / "gri-r.mdb";
    GriDatabases() {
        EXPECT_EQ(run({"mechanism", "import", data("gri30/gri30.inp"), "--thermo-file",
                       data("gri30/gri30_thermo.dat"), "--thermo", thermo.string(), "--reactions",
                       reactions.string()})
                      .code,
                  0);
    }
};

// The file for GRI-Mech 3.0 was checked once line by line against the format; the date line
// and the two database paths differ from run to run.
TEST(SolverCli, GriInputFileAsChecked) {
    GriDatabases gri;
    const fs::path out = gri.dir / "gri.sol";
    const CliRun r = run({"solver-file", gri.reactions.string(), "--thermo", gri.thermo.string(),
                          "-o", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Solver file " + out.string() +
                         " has been successively created. The file contains reaction mechanism "
                         "consisting of valid reactions only.\n");
    const auto written = lines(readFile(out));
    const auto golden = lines(readFile(fs::path(KINETRA_TEST_DATA_DIR) / "solver/gri30-input.txt"));
    ASSERT_EQ(written.size(), golden.size());
    EXPECT_EQ(written[0].substr(0, 19), " !$Kinetra Solver, ");
    EXPECT_EQ(written[5], " THERMO Database: " + gri.thermo.string() + "\r");
    EXPECT_EQ(written[6], " Reaction Database: " + gri.reactions.string() + "\r");
    for (std::size_t i = 7; i < golden.size(); ++i)
        ASSERT_EQ(written[i], golden[i]) << "line " << i + 1;
    EXPECT_EQ(run({"solver-file", gri.reactions.string(), "--thermo", gri.thermo.string(), "-o",
                   out.string()})
                  .code,
              1); // exists, no --force
}

TEST(SolverCli, RunWithTheSolverAndReadTheResults) {
    GriDatabases gri;
    const fs::path input = gri.dir / "gri.sol";
    ASSERT_EQ(run({"solver-file", gri.reactions.string(), "--thermo", gri.thermo.string(), "-o",
                   input.string()})
                  .code,
              0);
    const CliRun refused =
        run({"run", input.string(), "--fractions", "CH4=1,O2=2,N2=7.52", "--rtol", "1"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err,
              "Relative tolerance, please enter a number on the interval (1.E-14, 1).\n");
    const CliRun unknown = run({"run", input.string(), "--fractions", "XE=1"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.err, "kinetra-cli: the species XE is not in the input file.\n");

    const CliRun solved = run({"run", input.string(), "--fractions", "CH4=1,O2=2,N2=7.52", "--T",
                               "1500", "--tf", "2E-3", "--max-steps", "20000", "--every", "20"});
    const fs::path output = gri.dir / "gri.out";
    ASSERT_EQ(solved.code, 0) << solved.err;
    EXPECT_EQ(solved.out, "The chemical kinetics problem has been successfully solved.\n" +
                              output.string() + "\n");
    EXPECT_NE(solved.err.find("53 species, 325 reactions"), std::string::npos) << solved.err;

    const CliRun csv = run({"results", output.string(), "--csv", "--units", "cal"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const auto rows = lines(csv.out);
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0].substr(0, 99), "Time (sec),\"T, K\",\"P, atm\",\"Ro, g/cm^3\",\"M, g/mol\","
                                     "\"C, mol/cm^3\",\"H, kcal/mol\",\"Cp, cal/K mol\",AR,C");
    // The initial record: 1500 K, 1 atm, and CH4 at 1/10.52 of the moles.
    EXPECT_EQ(rows[1].substr(0, 9), "0,1500,1,");
    EXPECT_NE(rows[1].find(",0.0950570342"), std::string::npos) << rows[1];

    const CliRun text = run({"results", output.string(), "--concentrations"});
    ASSERT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("  Mean parameters and Concentrations, mol/cm^3\r\n"),
              std::string::npos);
    const CliRun notOutput = run({"results", input.string()});
    EXPECT_EQ(notOutput.code, 1);
    EXPECT_EQ(notOutput.err, "In the file " + input.string() + " the output data is incomplete.\n");
}

// A mechanism whose reactions name no N2, like several published ones: the bath gases of the
// thermo database still join the input file, so a mixture in air can be run.
TEST(SolverCli, BathGasesJoinAnInputWhoseReactionsNameNone) {
    TempDir dir;
    const fs::path mechanism = dir / "mech.inp";
    std::ofstream(mechanism) << "ELEMENTS H O N AR END\nSPECIES H2 O2 H O OH H2O N2 AR END\n"
                                "REACTIONS\nH+O2=O+OH 2.0E14 0.0 16800\n"
                                "O+H2=H+OH 5.06E4 2.67 6290\nOH+H2=H+H2O 2.16E8 1.51 3430\nEND\n";
    const fs::path thermo = dir / "t.mdb", reactions = dir / "r.mdb", input = dir / "h2.sol";
    ASSERT_EQ(run({"mechanism", "import", mechanism.string(), "--thermo-file",
                   data("gri30/gri30_thermo.dat"), "--thermo", thermo.string(), "--reactions",
                   reactions.string()})
                  .code,
              0);
    ASSERT_EQ(
        run({"solver-file", reactions.string(), "--thermo", thermo.string(), "-o", input.string()})
            .code,
        0);
    const auto written = lines(readFile(input));
    EXPECT_EQ(written[9].substr(0, 10), " 8 !Specie"); // the six of the reactions, N2 and AR
    const CliRun solved = run(
        {"run", input.string(), "--fractions", "H2=2,O2=1,N2=3.76", "--T", "1200", "--tf", "1E-4"});
    EXPECT_EQ(solved.code, 0) << solved.err;
}

TEST(SolverCli, RunReportsAbnormalEndsOfItsSolver) {
    TempDir dir;
    const fs::path solver = dir / "fake-solver.sh";
    fs::copy_file(fs::path(KINETRA_TEST_DATA_DIR) / "../solver/fake-solver.sh", solver);
    const std::string output =
        results::testing::numberedOutput(2, 5, "ERROR Temperature left the interval");
    dir.write("fake-output.txt", output);
    dir.write("fake-exit.txt", "1");
    // The input is an output's leading part: the same lines the solver got.
    const fs::path input = dir.write("in.sol", output.substr(0, output.find("!$RESULTS")));
    const CliRun r =
        run({"run", input.string(), "--fractions", "S1=1", "--solver", solver.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, (dir / "in.out").string() + "\n");
    EXPECT_EQ(r.err, "fake solver: reading " + input.string() + "\nfake solver: done\n" +
                         " The solver has been terminated abnormally.\n"
                         "ERROR Temperature left the interval\n");
    EXPECT_EQ(readFile(dir / "SolverFilePath.txt"), "\"" + (dir / "in.out").string() + "\"\r\n");
}

} // namespace
} // namespace kinetra::cli::testing
