// One solver run after the run settings have written the input file and the hand-over file:
// the solver program of the application folder runs there, its console output goes to the
// sink, and the output file named by the hand-over file is scanned for the report.
#pragma once

#include "common/Seams.h"
#include "solver/SolverOutputCheck.h"
#include "solver/SolverProcess.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kinetra::solver {

inline constexpr const char* kSolverProgram = "KINETRA_SOLVER_5";
// The place code of an unexpected error during a run.
inline constexpr const char* kRunPlaceCode = "401#001. ";

struct SolverRunResult {
    ProcessOutcome process;
    std::filesystem::path outputPath; // empty when the hand-over file named none
    std::string outputText;           // the output as scanned for the report (read once)
    RunReport report;
};

// The hand-over file as it was before the solver started: a solver that ends before it opens
// its output leaves it unchanged, still naming the input.
struct RunHandOver {
    std::optional<std::string> before;
};
RunHandOver handOverBeforeRun(const std::filesystem::path& appDir);

// The result once the solver process has ended (or could not start): the output path from the
// hand-over file and the report of its scan. The workbench starts the process itself, without
// waiting, and comes here when it ends.
SolverRunResult finishSolverRun(const std::filesystem::path& appDir, const RunHandOver& handOver,
                                ProcessOutcome process, const std::filesystem::path& program);

// Runs `program` (by default KINETRA_SOLVER_5 of `appDir`) without arguments in `appDir` and
// waits for it. The program reads the input path from SolverFilePath.txt and leaves the output
// path there.
SolverRunResult runSolver(const std::filesystem::path& appDir, OutputSink& sink,
                          std::filesystem::path program = {});

// The run as the workbench and kinetra-cli start it: an unexpected error is reported with
// kRunPlaceCode and gives nothing.
std::optional<SolverRunResult> runSolverReported(const std::filesystem::path& appDir,
                                                 OutputSink& sink, Dialogs& dialogs,
                                                 std::filesystem::path program = {});

} // namespace kinetra::solver
