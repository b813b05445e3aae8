// The one classification of a reaction (CheckRow): valid or not and why, the equation text with
// its arrow, the composition text, and the checks against the thermo species (declared, charge
// and elements balanced, third bodies declared, usable pressure-dependent parameters). Every
// path that stores or edits a reaction runs it: the text reader, the input window, the grid and
// the check of a whole database.
#pragma once

#include "reactions/ReactionRecord.h"
#include "reactions/ThermoSpeciesList.h"

#include <array>
#include <optional>
#include <string>

namespace kinetra::reactions {

// The input a check reads from a record or from the input window's boxes.
struct CheckInput {
    std::array<std::string, rx::kSlotCount> species;
    std::array<std::string, rx::kThirdBodyCount> thirdBodies;
    std::optional<double> al;
    std::array<std::optional<double>, 5> falloff; // Ta..Te
    std::string type;
};
CheckInput checkInputOf(const ReactionRecord& record);

// Where the input window puts the cursor after a failed check (mode 1).
struct CheckFocus {
    enum class Box { None, Species, ThirdBody, AL, FalloffB, FalloffC } box = Box::None;
    int index = -1; // slot 0..8 or third body 0..9
};

struct CheckResult {
    bool valid = true;
    std::string message; // empty when valid
    bool reversible = true;
    std::string special;     // "HV", "Products", or " name " for each species without polynomials
    std::string composition; // reactant formulas " = " product formulas
    // "New Type" when the check has no type of its own to give (an ordinary reaction without
    // reverse parameters: the caller keeps the record's type); otherwise "Low..." for a
    // pressure-dependent reaction or the type text itself when it carries reverse parameters.
    std::string resultingType;
    bool reverseParameters = false; // the type text names explicit reverse parameters
    std::string equation;           // with " <=> ", " => " or, when invalid, " = "
    CheckFocus focus;
};

CheckResult checkReaction(const CheckInput& input, const ThermoSpeciesList& species);

// The reason text of a grid row (ShowErrors): "A new row." for the row Insert New Row made,
// otherwise the check's message followed by the notes on HV, lumped products and species
// without thermodynamic functions.
std::string reactionReason(const ReactionRecord& record, const ThermoSpeciesList& species);

// CheckAll: renumbers Num 1..N in the present order, writes Reaction and Composition, and Info
// (0 or -1) with Enabled false for invalid records. One transaction. Returns the number of
// invalid records. Throws store::StoreError (whose text is the message below) when the file has
// no table `Reactions`.
int checkAllReactions(store::Connection& db, const ThermoSpeciesList& species);

// path + " The program cannot find the table 'Reactions'. Make sure you are opening a reaction
// database."
std::string noReactionsTableMessage(const std::string& path);

// Throws store::StoreError with the message above when the file holds no reaction table, or
// with one naming what is wrong when its table lacks fields or holds them in another order or
// type: records are read by position, so such a file must not be read at all.
void requireReactionTable(store::Connection& db, const std::string& path);

} // namespace kinetra::reactions
