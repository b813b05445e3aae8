#include "solver/SolverInputContent.h"

#include "reactions/ReactionTextWriter.h"
#include "store/Value.h"
#include "thermo/SpeciesRow.h"

namespace kinetra::solver {

SolverInputContent gatherSolverInput(store::Connection& reactions, store::Connection& thermo,
                                     reactions::ReactionView view) {
    reactions::markOutputSelection(reactions, thermo, view);
    SolverInputContent content;
    for (const store::Row& row :
         thermo.query("SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Species;").rows) {
        SolverSpecies s;
        s.record = thermo::speciesFromRow(row);
        s.formula = store::toText(row[thermo::trm::kMolFormula]);
        s.molecularWeight = store::toDouble(row[thermo::trm::kMW]).value_or(0);
        content.species.push_back(std::move(s));
    }
    for (const store::Row& row :
         reactions.query("SELECT * FROM [Reactions] WHERE Red = 1 ORDER BY Num;").rows)
        content.reactions.push_back(reactions::reactionFromRow(row));
    return content;
}

} // namespace kinetra::solver
