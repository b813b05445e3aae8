// Writing a solver input file from a reaction database: "Run Solver" writes SOLTMP.txt in the
// application folder before the run settings open; the reaction window's solver-file command
// writes it to a chosen path and says so.
#pragma once

#include "common/Seams.h"
#include "solver/SolverInputContent.h"

#include <filesystem>
#include <string>

namespace kinetra::solver {

struct NewSolverFileRequest {
    std::filesystem::path target;
    bool inApplicationFolder = false; // SOLTMP.txt for a run: no message on success
    std::string thermoDatabasePath, reactionDatabasePath;
    double gasConstantCal = 0, gasConstantCm3 = 0;
    LocalDateTime when;
};

struct NewSolverFileResult {
    bool failed = true;
    std::string message; // for a box titled "KINETRA"; empty after a quiet success
    Icon icon = Icon::None;
    int speciesCount = 0, reactionCount = 0;
};

// Writes the file for the gathered content (CR LF line ends). No valid reaction: a warning and
// no file. A file that cannot be written: failure with the reason.
NewSolverFileResult writeNewSolverFile(const SolverInputContent& content,
                                       const NewSolverFileRequest& request);

} // namespace kinetra::solver
