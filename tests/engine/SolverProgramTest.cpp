// The solver program as the workbench runs it: a separate process in the application folder,
// its hand-over file, its output file and its exit status.
#include "EngineFixture.h"
#include "solver/SolverOutputCheck.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kinetra::engine {
namespace {

using namespace testing;
using kinetra::testing::readFile;
using kinetra::testing::TempDir;

const std::string kSolver = KINETRA_APP_DIR "/KINETRA_SOLVER_5";

// Runs a command line in a folder; returns the exit status.
int run(const std::filesystem::path& folder, const std::string& arguments) {
    const std::string command =
        "cd '" + folder.string() + "' && '" + kSolver + "' " + arguments + " > console.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string decayInput() {
    auto a = idealSpecies("A", 28), b = idealSpecies("B", 28);
    a.moleFraction = 1;
    solver::RunParameterValues run;
    run.energyEquation = false;
    run.finalTime = 2e-3;
    std::string text;
    for (const std::string& line : inputLines(
             {a, b}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")}, run))
        text += line + "\r\n";
    return text;
}

TEST(SolverProgram, HandOverFileNamesInputAndThenOutput) {
    TempDir folder;
    const auto input = folder.write("SOLTMP.txt", decayInput());
    folder.write("SolverFilePath.txt", "\"" + input.string() + "\"\r\n");
    ASSERT_EQ(run(folder.path(), ""), 0) << readFile(folder / "console.txt");
    const auto output = folder / "SOLTMP.out";
    EXPECT_EQ(readFile(folder / "SolverFilePath.txt"), "\"" + output.string() + "\"\r\n");
    const std::string text = readFile(output);
    EXPECT_EQ(text.rfind(" !$Kinetra Solver, ", 0), 0u);
    EXPECT_NE(text.find("\n!$RESULTS\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "!$END\n");
    const std::string console = readFile(folder / "console.txt");
    EXPECT_NE(console.find("Done: "), std::string::npos) << console;
}

TEST(SolverProgram, ExplicitPathsAndFailures) {
    TempDir folder;
    folder.write("run.txt", decayInput());
    ASSERT_EQ(run(folder.path(), "run.txt -o result.txt"), 0);
    EXPECT_NE(readFile(folder / "result.txt").find("!$END"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "SolverFilePath.txt"));

    // A malformed line: the output holds the input and an ERROR line naming it; status 1.
    std::string broken = decayInput();
    broken.replace(broken.find(" 0 !Constant Temperature"), 2, " 9");
    folder.write("broken.txt", broken);
    EXPECT_EQ(run(folder.path(), "broken.txt"), 1);
    const std::string text = readFile(folder / "broken.out");
    EXPECT_NE(text.find("\nERROR in the input file, line 15: expected the mode 0, 1, 2 or 3.\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("!$RESULTS"), std::string::npos);

    // No readable input, no hand-over, wrong arguments.
    EXPECT_EQ(run(folder.path(), "missing.txt"), 1);
    EXPECT_EQ(readFile(folder / "missing.out").rfind("ERROR", 0), 0u);
    TempDir empty;
    EXPECT_EQ(run(empty.path(), ""), 2);
    EXPECT_EQ(run(folder.path(), "run.txt --bogus"), 2);
}

// The workbench's Stop is a SIGTERM to the program: GRI-Mech 3.0 far beyond ignition with
// tolerances near the machine's (about 0.4 s of work) is signalled once its output holds
// records, and ends at once with a readable output, the stop as its ERROR line and status 1.
TEST(SolverProgram, TermSignalStopsTheRunWithAReadableOutput) {
    TempDir folder;
    std::string input =
        readFile(std::filesystem::path(KINETRA_TEST_DATA_DIR) / "gri30-ch4-air-1200K-constP.txt");
    input.replace(input.find(" 1.00E-01 !Final Time"), 9, " 1.00E+03");
    input.replace(input.find(" 1.00E-06 !Relative"), 9, " 1.00E-13");
    input.replace(input.find(" 1.00E-15 !Absolute"), 9, " 1.00E-30");
    const auto path = folder.write("long.txt", input);
    const auto output = folder / "long.out";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::execl(kSolver.c_str(), kSolver.c_str(), path.c_str(), "-o", output.c_str(), nullptr);
        ::_exit(127);
    }
    // Records reach the file in the stream's chunks: a few of them mean the run is under way.
    while (!std::filesystem::exists(output) || std::filesystem::file_size(output) < 200000)
        ::usleep(1000);
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string text = readFile(output);
    EXPECT_FALSE(solver::checkOutputText(text, "o").failed);
    const solver::OutputScan scan = solver::scanOutput(text);
    EXPECT_TRUE(scan.failed && scan.resultsSeen);
    EXPECT_EQ(scan.errorText.rfind("ERROR The run was stopped by the user at time ", 0), 0u)
        << scan.errorText;
}

} // namespace
} // namespace kinetra::engine
