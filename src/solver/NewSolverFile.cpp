#include "solver/NewSolverFile.h"

#include "common/TextFile.h"

#include <stdexcept>

namespace kinetra::solver {

NewSolverFileResult writeNewSolverFile(const SolverInputContent& content,
                                       const NewSolverFileRequest& request) {
    NewSolverFileResult result;
    if (content.reactions.empty()) {
        result.message = "Solver file must be created from valid reactions, the valid reactions "
                         "were not found.";
        result.icon = Icon::Exclamation;
        return result;
    }
    const SolverFileHeader header{request.when, request.thermoDatabasePath,
                                  request.reactionDatabasePath, request.gasConstantCal,
                                  request.gasConstantCm3};
    std::string text;
    for (const std::string& line : solverInputLines(header, content.species, content.reactions)) {
        text += line;
        text += "\r\n";
    }
    try {
        writeTextFile(request.target, text);
    } catch (const std::exception& e) {
        result.message = e.what();
        result.icon = Icon::Critical;
        return result;
    }
    result.failed = false;
    result.speciesCount = static_cast<int>(content.species.size());
    result.reactionCount = static_cast<int>(content.reactions.size());
    if (!request.inApplicationFolder) {
        result.message = "Solver file " + request.target.string() +
                         " has been successively created. The file contains reaction mechanism "
                         "consisting of valid reactions only.";
        result.icon = Icon::Information;
    }
    return result;
}

} // namespace kinetra::solver
