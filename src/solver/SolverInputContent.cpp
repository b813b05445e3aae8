#include "solver/SolverInputContent.h"

#include "reactions/ReactionTextWriter.h"
#include "store/Value.h"
#include "thermo/SpeciesRow.h"

#include <algorithm>

namespace kinetra::solver {

namespace {

SolverSpecies solverSpecies(const store::Row& row) {
    SolverSpecies s;
    s.record = thermo::speciesFromRow(row);
    s.formula = store::toText(row[thermo::trm::kMolFormula]);
    s.molecularWeight = store::toDouble(row[thermo::trm::kMW]).value_or(0);
    return s;
}

} // namespace

SolverInputContent gatherSolverInput(store::Connection& reactions, store::Connection& thermo,
                                     reactions::ReactionView view) {
    reactions::markOutputSelection(reactions, thermo, view);
    SolverInputContent content;
    for (const store::Row& row :
         thermo.query("SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Species;").rows)
        content.species.push_back(solverSpecies(row));
    for (const store::Row& row :
         reactions.query("SELECT * FROM [Reactions] WHERE Red = 1 ORDER BY Num;").rows)
        content.reactions.push_back(reactions::reactionFromRow(row));
    return content;
}

bool addThermoSpecies(SolverInputContent& content, const store::Row& thermoRow) {
    SolverSpecies added = solverSpecies(thermoRow);
    const std::string& name = added.record.name;
    const auto at = std::find_if(content.species.begin(), content.species.end(),
                                 [&](const SolverSpecies& s) { return s.record.name >= name; });
    if (at != content.species.end() && at->record.name == name)
        return false;
    content.species.insert(at, std::move(added));
    return true;
}

int addBathGases(SolverInputContent& content, store::Connection& thermo) {
    std::string names; // constant names of letters and digits: safe to write into the statement
    for (std::string_view name : kBathGases)
        names += (names.empty() ? "'" : ", '") + std::string(name) + "'";
    int added = 0;
    for (const store::Row& row :
         thermo.query("SELECT * FROM [Trm] WHERE Info = 0 AND Species IN (" + names + ");").rows)
        if (addThermoSpecies(content, row))
            ++added;
    return added;
}

} // namespace kinetra::solver
