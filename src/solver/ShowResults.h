// "Show results": the output check, then the post-processor's reading. The window is shown only
// when both pass; the caller opens the file as a text document first when asked to and the check
// passed.
#pragma once

#include "results/SolverOutput.h"

#include <filesystem>
#include <string>

namespace kinetra::solver {

struct ShownResults {
    bool checkPassed = false;       // the file may be opened as a text document
    results::OutputReading reading; // the output, or the message of the check or the reading
};

ShownResults showResults(const std::filesystem::path& outputPath);

} // namespace kinetra::solver
