#include "studies/IgnitionCase.h"

#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/IgnitionDelay.h"
#include "results/SolverOutput.h"
#include "solver/RunSettingsFiles.h"
#include "solver/SolverRun.h"
#include "studies/Mixture.h"

#include <charconv>
#include <chrono>
#include <sstream>
#include <string_view>

namespace kinetra::studies {

namespace {

namespace fs = std::filesystem;

constexpr const char* kInputName = "input.txt";
// A record every fourth accepted step. The steps crowd around the steepest rise, so every
// fourth still samples it densely: against every step, the delay of GRI-Mech 3.0 CH4/air at
// 1200 K moves by 1 part in 10^6, that of H2/air at 1100 K by 4 parts in 10^4; and the case
// runner reads a fourth of the records, which made up most of its own time.
constexpr const char* kRecordStride = "4";
// A run of more steps than the records hold is repeated once with a record every this many
// steps: the step limit divided by it stays below the record limit.
constexpr const char* kSparseStride = "11";

std::string numberText(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

CaseResult failed(std::string reason, double seconds = 0) {
    CaseResult r;
    r.reason = std::move(reason);
    r.seconds = seconds;
    return r;
}

// The ERROR line of a failed run's report, without the report's leading sentence.
std::string failureReason(const std::string& message) {
    const auto error = message.find("ERROR");
    std::string reason = message.substr(error == std::string::npos ? 0 : error);
    for (char& ch : reason)
        if (ch == '\n' || ch == '\r')
            ch = ' ';
    return trimBlanks(reason);
}

struct SolvedRun {
    std::optional<results::SolverOutput> output;
    std::string failure;
    double seconds = 0, cpuSeconds = 0;
};

// The solver runs in the runner's scratch folder when it has one, else in the case's folder.
SolvedRun solveOnce(const CaseRunner& runner, solver::RunSettings settings, const fs::path& folder,
                    solver::OutputSink& console) {
    SolvedRun run;
    const solver::RunSettingsCheck check = solver::validateRunSettings(settings);
    if (check.refusal) {
        run.failure = check.refusal->message;
        return run;
    }
    const bool scratch = !runner.scratchFolder.empty();
    const fs::path work = scratch ? runner.scratchFolder : folder;
    try {
        solver::writeRunInputText(work / kInputName, runner.input->text(*check.values), work,
                                  scratch ? Durability::InPlace : Durability::Scratch);
    } catch (const std::exception& e) {
        run.failure = e.what();
        return run;
    }
    const auto start = std::chrono::steady_clock::now();
    const solver::SolverRunResult result = solver::runSolver(work, console, runner.solverProgram);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = result.process.cpuSeconds;
    std::error_code ignored;
    if (!result.report.success) {
        run.failure = failureReason(result.report.message);
        // The output of a failed run says more than its reason: it stays with the case.
        if (scratch && !result.outputPath.empty())
            fs::copy_file(result.outputPath, folder / result.outputPath.filename(),
                          fs::copy_options::overwrite_existing, ignored);
    } else {
        // The delay needs the first and the last state; a quiet run of a few long steps has
        // three, fewer than the post-processor asks for.
        results::OutputReading reading =
            results::readSolverOutputText(result.outputText, result.outputPath.string(), 2);
        if (!reading.output)
            run.failure = reading.message;
        run.output = std::move(reading.output);
    }
    // In the scratch folder the next case's run writes the output again (the solver cuts it
    // when it opens it, and names it in the hand-over file only then).
    if (!scratch && !runner.keepFiles && result.report.success)
        fs::remove(result.outputPath);
    return run;
}

} // namespace

std::string statusText(CaseStatus status) {
    switch (status) {
    case CaseStatus::Ignited:
        return "ignited";
    case CaseStatus::NoIgnition:
        return "no ignition";
    case CaseStatus::Failed:
        break;
    }
    return "failed";
}

solver::RunSettings ignitionRunSettings(bool constantVolume, const std::string& finalTime,
                                        const std::string& relativeTolerance,
                                        const std::string& absoluteTolerance) {
    solver::RunSettings s;
    s.energyEquation = true;
    s.constantVolume = constantVolume;
    s.finalTime = finalTime;
    s.relativeTolerance = relativeTolerance;
    s.absoluteTolerance = absoluteTolerance;
    s.maximumSteps = std::to_string(solver::kStepLimit - 1);
    s.maximumOutputLines = std::to_string(solver::kOutputLineLimit - 1);
    s.outputStride = kRecordStride;
    return s;
}

CaseRunner::CaseRunner(std::vector<std::string> inputLines, solver::RunSettings runSettings,
                       fs::path program, bool keep)
    : settings(std::move(runSettings)), solverProgram(std::move(program)), keepFiles(keep),
      summary(solver::summariseInputFile(inputLines)) {
    if (summary)
        input.emplace(std::move(inputLines), summary->species.size());
}

CaseResult runIgnitionCase(const CaseRunner& runner, const IgnitionCase& c, const fs::path& folder,
                           solver::OutputSink& console) {
    if (!runner.summary || !runner.input)
        return failed("The study's solver input file cannot be read.");
    solver::RunSettings settings = runner.settings;
    settings.species = runner.summary->species;
    settings.clearFractions();
    settings.initialTemperature = numberText(c.temperature);
    settings.pressure = numberText(c.pressure);
    auto amounts = parseSpeciesAmounts(c.fractions);
    if (auto* reason = std::get_if<std::string>(&amounts))
        return failed("The mixture \"" + c.fractions + "\" " + *reason);
    for (const SpeciesAmount& a : std::get<std::vector<SpeciesAmount>>(amounts)) {
        bool found = false;
        for (auto& s : settings.species)
            if (s.name == a.name) {
                s.fraction = numberText(a.amount);
                found = true;
            }
        if (!found)
            return failed("The species " + a.name + " is not in the solver input file.");
    }
    fs::create_directories(folder);

    SolvedRun run = solveOnce(runner, settings, folder, console);
    double seconds = run.seconds, cpuSeconds = run.cpuSeconds;
    const auto recordLimit = parseNumber(settings.maximumOutputLines);
    if (run.output && recordLimit &&
        static_cast<double>(run.output->records.size()) >= *recordLimit &&
        settings.outputStride != kSparseStride) {
        // The records ran out before the final time: the steepest rise may lie past them.
        settings.outputStride = kSparseStride;
        run = solveOnce(runner, settings, folder, console);
        seconds += run.seconds;
        cpuSeconds += run.cpuSeconds;
    }
    if (!runner.keepFiles && runner.scratchFolder.empty())
        fs::remove(folder / kInputName);
    if (!run.output) {
        CaseResult r = failed(run.failure, seconds);
        r.solverCpuSeconds = cpuSeconds;
        return r;
    }

    const results::IgnitionAnalysis analysis = results::analyseIgnition(*run.output);
    CaseResult result;
    result.status = analysis.ignited ? CaseStatus::Ignited : CaseStatus::NoIgnition;
    result.delay = analysis.ignited ? analysis.delay : 0;
    result.ohDelay = analysis.ignited ? analysis.ohDelay : std::nullopt;
    result.peakTemperature = analysis.peakTemperature;
    result.seconds = seconds;
    result.solverCpuSeconds = cpuSeconds;
    return result;
}

std::string caseResultText(const CaseResult& r) {
    std::string text = "status " + statusText(r.status) + "\n";
    if (r.status == CaseStatus::Ignited)
        text += "delay " + numberText(r.delay) + "\n";
    if (r.ohDelay)
        text += "oh-delay " + numberText(*r.ohDelay) + "\n";
    if (r.status != CaseStatus::Failed)
        text += "peak-T " + numberText(r.peakTemperature) + "\n";
    text += "seconds " + numberText(r.seconds) + "\n";
    text += "solver-cpu " + numberText(r.solverCpuSeconds) + "\n";
    if (!r.reason.empty())
        text += "reason " + r.reason + "\n";
    std::size_t from = 0;
    while (from < r.log.size()) {
        std::size_t end = r.log.find('\n', from);
        if (end == std::string::npos)
            end = r.log.size();
        std::string_view line(r.log.data() + from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        text += "log ";
        text += line;
        text += '\n';
        from = end + 1;
    }
    return text;
}

std::optional<CaseResult> readCaseResultText(const std::string& text) {
    CaseResult r;
    bool statusSeen = false;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        const auto number = parseNumber(value);
        if (key == "status") {
            for (CaseStatus s : {CaseStatus::Ignited, CaseStatus::NoIgnition, CaseStatus::Failed})
                if (value == statusText(s)) {
                    r.status = s;
                    statusSeen = true;
                }
        } else if (key == "reason") {
            r.reason = value;
        } else if (key == "log") {
            r.log += value + "\n";
        } else if (!number) {
            return std::nullopt;
        } else if (key == "delay") {
            r.delay = *number;
        } else if (key == "oh-delay") {
            r.ohDelay = *number;
        } else if (key == "peak-T") {
            r.peakTemperature = *number;
        } else if (key == "seconds") {
            r.seconds = *number;
        } else if (key == "solver-cpu") {
            r.solverCpuSeconds = *number;
        }
    }
    if (!statusSeen)
        return std::nullopt;
    return r;
}

} // namespace kinetra::studies
