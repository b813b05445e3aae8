// The case runner of a sweep: the named cases of a sweep folder run one after the other, each in
// its own folder, through runIgnitionCase. The local and ssh sweeps (GNU parallel) and the
// cluster's job array all start the small program kinetra-sweep-case, which runs this and
// nothing else: it links no Qt, so its many starts cost little.
#pragma once

#include "studies/IgnitionCase.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kinetra::studies {

// The case runner's program in the application folder.
inline constexpr const char* kCaseRunnerProgram = "kinetra-sweep-case";

std::filesystem::path caseResultPath(const std::filesystem::path& sweep, const std::string& id);

// A case is done when its result file reads.
bool caseDone(const std::filesystem::path& sweep, const std::string& id);

// The plan of the sweep folder; nothing after a message to `err` when it holds none.
std::optional<std::vector<IgnitionCase>> readSweepPlan(const std::filesystem::path& sweep,
                                                       std::ostream& err);

// What the runner says of each case on `out`: a line for each (what a log wants), or only the
// failed ones (under parallel's progress bar, which other lines would break up).
enum class CaseListing { Every, FailuresOnly };

// Runs the cases named (skipping those done already), writing each one's result file and a line
// to `out`. Several in one call spare the start of a process per case. 0 when every id named a
// case of the plan, 1 otherwise or when the folder holds no sweep.
// When `stopRequested` turns true (the runner was told to stop: parallel's TERM on Ctrl+C, a
// cancelled job), no further case starts and the case running then gets no result, since its
// solver run was likely cut short by the same signal: it runs again when the sweep is resumed.
// The runner then returns normally, so its scratch folder goes too.
int runSweepCases(const std::filesystem::path& sweep, const std::vector<std::string>& ids,
                  const std::filesystem::path& solverProgram, bool keepFiles, std::ostream& out,
                  std::ostream& err, const std::function<bool()>& stopRequested = {},
                  CaseListing listing = CaseListing::Every);

} // namespace kinetra::studies
