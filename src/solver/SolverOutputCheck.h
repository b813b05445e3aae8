// What the workbench checks of a solver output file before it offers it: recognition of the
// file by its first line, the scan after a run (end mark, ERROR and its text, results present)
// with the report it gives, and the output check (results present, at least four records).
#pragma once

#include "common/Seams.h"

#include <filesystem>
#include <string>

namespace kinetra::solver {

// The first line, trimmed, begins with "!$KINETRA SOLVER" in any letter case.
bool isSolverOutput(const std::filesystem::path& path);
bool isSolverOutputText(const std::string& text);

struct OutputScan {
    bool endSeen = false, resultsSeen = false, failed = false;
    std::string errorText; // the ERROR line and every line after it, each ended by "\n"
};
OutputScan scanOutput(const std::string& text);

// The report after a run, for a box titled "KINETRA".
struct RunReport {
    bool success = false;      // no ERROR and "!$END" seen
    bool offerResults = false; // results seen: the box asks "Show the output data?" (Yes/No)
    Icon icon = Icon::Information;
    std::string message;
};
RunReport runReport(const OutputScan& scan);

struct OutputCheck {
    bool failed = false;
    std::string message;
};
OutputCheck checkOutputText(const std::string& text, const std::string& path);
OutputCheck checkOutput(const std::filesystem::path& path);

} // namespace kinetra::solver
