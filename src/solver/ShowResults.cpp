#include "solver/ShowResults.h"

#include "solver/SolverOutputCheck.h"

namespace kinetra::solver {

ShownResults showResults(const std::filesystem::path& outputPath) {
    ShownResults shown;
    const OutputCheck check = checkOutput(outputPath);
    if (check.failed) {
        shown.reading.message = check.message;
        return shown;
    }
    shown.checkPassed = true;
    shown.reading = results::readSolverOutput(outputPath);
    return shown;
}

} // namespace kinetra::solver
