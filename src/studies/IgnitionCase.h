// One ignition case from start to result: the sweep's input file completed with the case's
// temperature, pressure and mixture, the solver program run in the case's own folder, its output
// read and analysed. `kinetra-cli ignition`, the local and ssh sweeps and the cluster job array
// all run cases through this one routine, so a case gives the same result wherever it runs.
#pragma once

#include "solver/RunInputTemplate.h"
#include "solver/RunSettings.h"
#include "solver/RunSettingsFiles.h"
#include "solver/SolverProcess.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kinetra::studies {

struct IgnitionCase {
    std::string id;
    double temperature = 0, pressure = 0, phi = 0; // K, atm, -
    std::string fractions;                         // "NAME=X,..." of the initial mixture
};

enum class CaseStatus { Ignited, NoIgnition, Failed };

struct CaseResult {
    CaseStatus status = CaseStatus::Failed;
    double delay = 0;              // s
    std::optional<double> ohDelay; // s
    double peakTemperature = 0;    // K
    double seconds = 0;            // wall time of the solver runs
    double solverCpuSeconds = 0;   // their CPU time (what a sweep costs beyond it is overhead)
    std::string reason;            // why it failed
    std::string log;               // the solver's console output, kept with the result
};

// "ignited", "no ignition", "failed".
std::string statusText(CaseStatus status);

// The run settings of an ignition study: the temperature equation, a record every few accepted
// steps (they crowd where the temperature rises steepest), and the largest step and record
// limits the run settings accept.
solver::RunSettings ignitionRunSettings(bool constantVolume, const std::string& finalTime,
                                        const std::string& relativeTolerance,
                                        const std::string& absoluteTolerance);

// What every case of a study shares, read once: the solver input file (its species and the
// template each case's input is written from), the run settings and the solver program.
struct CaseRunner {
    // `inputLines`: the study's solver input file; `settings` without the case's temperature,
    // pressure and fractions.
    CaseRunner(std::vector<std::string> inputLines, solver::RunSettings settings,
               std::filesystem::path solverProgram, bool keepFiles = false);

    solver::RunSettings settings;
    std::filesystem::path solverProgram;
    bool keepFiles = false; // keep the case's input and output files
    // When set, every case's solver input, hand-over and output files are these same files in
    // this folder, written again in place, instead of fresh files in each case's folder that
    // are removed again: fewer files made and removed per case (a failed run's output is still
    // copied to its case). Not with keepFiles.
    std::filesystem::path scratchFolder;
    // Nothing when the input file cannot be read as one (every case then fails with a reason).
    std::optional<solver::InputFileSummary> summary;
    std::optional<solver::RunInputTemplate> input;
};

// Runs the case in `folder` (created when missing). The solver's console goes to `console`.
CaseResult runIgnitionCase(const CaseRunner& runner, const IgnitionCase& c,
                           const std::filesystem::path& folder, solver::OutputSink& console);

// The small result file of a case, one "key value" line each; the log one "log LINE" line per
// line of it, last (a case folder holds one file fewer, and a result returned from an ssh host
// brings its log along).
std::string caseResultText(const CaseResult& result);
std::optional<CaseResult> readCaseResultText(const std::string& text);

} // namespace kinetra::studies
