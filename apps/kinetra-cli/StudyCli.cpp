#include "StudyCli.h"

#include "ReactionCli.h"
#include "solver/NewSolverFile.h"
#include "store/Value.h"
#include "studies/Mixture.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

#include <map>
#include <ostream>

namespace kinetra::cli {

std::optional<StudyMixtures> prepareStudy(Context& c, const std::string& reactionsPath,
                                          const std::string* thermoPath, const std::string& fuel,
                                          const std::string& oxidizer,
                                          const std::vector<double>& phis,
                                          const std::filesystem::path& input) {
    auto open = openReactions(c, reactionsPath, thermoPath, false);
    if (!open)
        return std::nullopt;
    store::Connection thermo = open->thermo.connection();
    const std::optional<thermo::ElementTable> elements = thermo::readElementTable(thermo);
    if (!elements) {
        c.io.err << "kinetra-cli: the thermo database has no element header.\n";
        return std::nullopt;
    }
    std::map<std::string, store::Row> valid;
    for (store::Row& row : speciesRows(thermo, thermo::SpeciesView::Valid).rows)
        valid.emplace(store::toText(row[thermo::trm::kSpecies]), std::move(row));
    const studies::ElementLookup lookup =
        [&](const std::string& name) -> std::optional<studies::ElementCounts> {
        const auto it = valid.find(name);
        if (it == valid.end())
            return std::nullopt;
        return studies::elementCounts(thermo::speciesFromRow(it->second), *elements);
    };

    StudyMixtures mixtures;
    std::vector<std::string> names;
    for (double phi : phis) {
        auto mixture = studies::mixtureFromPhi({fuel, oxidizer, phi}, lookup);
        if (auto* reason = std::get_if<std::string>(&mixture)) {
            c.io.err << *reason << '\n';
            return std::nullopt;
        }
        for (const auto& m : std::get<studies::Mixture>(mixture))
            names.push_back(m.name);
        mixtures.fractions.push_back(studies::mixtureText(std::get<studies::Mixture>(mixture)));
    }

    store::Connection reactions = open->database->connection();
    solver::SolverInputContent content = solver::gatherSolverInput(reactions, thermo);
    // Diluents such as N2 or AR may take part in no reaction; the mixture still needs them.
    for (const std::string& name : names)
        solver::addThermoSpecies(content, valid.at(name));
    const PhysicalConstants constants = physicalConstants(c);
    solver::NewSolverFileRequest request;
    request.target = input;
    request.inApplicationFolder = true; // quiet on success
    request.thermoDatabasePath = open->thermo.path().string();
    request.reactionDatabasePath = open->database->path().string();
    request.gasConstantCal = constants.gasConstantCal;
    request.gasConstantCm3 = constants.gasConstantCm3Atm();
    request.when = c.ui.clock.now();
    const solver::NewSolverFileResult written = solver::writeNewSolverFile(content, request);
    if (written.failed) {
        c.io.err << written.message << '\n';
        return std::nullopt;
    }
    return mixtures;
}

} // namespace kinetra::cli
