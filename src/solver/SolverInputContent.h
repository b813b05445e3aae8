// What goes into a solver input file, gathered from a reaction database and its thermo
// database: the valid reactions of a view and the species they use.
#pragma once

#include "reactions/ReactionViews.h"
#include "solver/SolverInputFile.h"
#include "store/Database.h"

#include <string_view>

namespace kinetra::solver {

struct SolverInputContent {
    std::vector<SolverSpecies> species;               // by name, as the THERMO block lists them
    std::vector<reactions::ReactionRecord> reactions; // in Num order
};

// Marks the valid reactions of the view (the reaction window's; the default takes every valid
// reaction) and their species, then reads the marked rows.
SolverInputContent gatherSolverInput(store::Connection& reactions, store::Connection& thermo,
                                     reactions::ReactionView view = reactions::ReactionView::All);

// Adds the species of a thermo row (a diluent such as N2 or AR that no selected reaction names)
// to the THERMO block at its place in name order. A species the block holds already is left as
// it is. Returns whether it was added.
bool addThermoSpecies(SolverInputContent& content, const store::Row& thermoRow);

// The bath gases of mixtures in air and of shock tubes. Several published mechanisms name N2 in
// no reaction, yet a mixture in air needs it; at a zero fraction a bath gas changes nothing in a
// run, so every input file offers them.
inline constexpr std::string_view kBathGases[] = {"N2", "AR", "HE"};

// Adds the bath gases that the thermo database holds as valid species and the THERMO block
// lacks; returns how many were added.
int addBathGases(SolverInputContent& content, store::Connection& thermo);

} // namespace kinetra::solver
