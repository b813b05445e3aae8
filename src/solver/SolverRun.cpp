#include "solver/SolverRun.h"

#include "common/PlaceError.h"
#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "solver/RunSettingsFiles.h"

namespace kinetra::solver {

RunHandOver handOverBeforeRun(const std::filesystem::path& appDir) {
    return {readTextFile(handOverPath(appDir))};
}

SolverRunResult finishSolverRun(const std::filesystem::path& appDir, const RunHandOver& handOverRun,
                                ProcessOutcome process, const std::filesystem::path& program) {
    SolverRunResult result;
    result.process = std::move(process);
    if (!result.process.started) {
        result.report.icon = Icon::Exclamation;
        result.report.message = " The solver has been terminated abnormally.\nThe solver " +
                                program.string() +
                                " could not be started: " + result.process.error + "\n";
        return result;
    }
    const std::optional<std::string> handOver = readTextFile(handOverPath(appDir));
    std::optional<std::string> outputPath;
    if (handOver)
        outputPath = QuotedItemReader(*handOver).readString();
    // A solver that ended before it opened its output leaves the input path in the hand-over
    // file: scanning the input would report a run that never happened.
    const bool unchanged = handOver && handOverRun.before && *handOver == *handOverRun.before;
    std::optional<std::string> text =
        outputPath && !unchanged ? readTextFile(*outputPath) : std::nullopt;
    if (!text) {
        result.report.icon = Icon::Exclamation;
        result.report.message = " The solver has been terminated abnormally.\nThe solver wrote "
                                "no output file (exit status " +
                                std::to_string(result.process.exitCode) + ").\n";
        return result;
    }
    result.outputPath = *outputPath;
    result.report = runReport(scanOutput(*text));
    result.outputText = std::move(*text);
    return result;
}

SolverRunResult runSolver(const std::filesystem::path& appDir, OutputSink& sink,
                          std::filesystem::path program) {
    if (program.empty())
        program = appDir / kSolverProgram;
    const RunHandOver handOver = handOverBeforeRun(appDir);
    ProcessOutcome process = runProcess(program, {}, appDir, sink);
    return finishSolverRun(appDir, handOver, std::move(process), program);
}

std::optional<SolverRunResult> runSolverReported(const std::filesystem::path& appDir,
                                                 OutputSink& sink, Dialogs& dialogs,
                                                 std::filesystem::path program) {
    std::optional<SolverRunResult> result;
    guarded(dialogs, kRunPlaceCode, [&] { result = runSolver(appDir, sink, std::move(program)); });
    return result;
}

} // namespace kinetra::solver
