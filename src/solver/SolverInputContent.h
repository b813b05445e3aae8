// What goes into a solver input file, gathered from a reaction database and its thermo
// database: the valid reactions of a view and the species they use.
#pragma once

#include "solver/SolverInputFile.h"
#include "store/Database.h"

#include <string_view>

namespace kinetra::solver {

struct SolverInputContent {
    std::vector<SolverSpecies> species;               // by name, as the THERMO block lists them
    std::vector<reactions::ReactionRecord> reactions; // in Num order
};

// Marks the valid reactions of the view (its query text, as the reaction window keeps it; the
// default takes every valid reaction) and their species, then reads the marked rows.
SolverInputContent
gatherSolverInput(store::Connection& reactions, store::Connection& thermo,
                  std::string_view viewQuery = " * FROM [Reactions] ORDER BY Num;");

} // namespace kinetra::solver
