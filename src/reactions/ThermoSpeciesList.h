// What the reaction checks need to know of the connected thermo database: its valid species
// (charge, element counts, formula, whether they have polynomials) and its element symbols.
// Loading the list also writes the `Pol` flag of every valid species, as the reaction side of
// the program owns that flag.
#pragma once

#include "store/Database.h"

#include <array>
#include <string>
#include <unordered_map>

namespace kinetra::reactions {

struct ThermoSpeciesInfo {
    double charge = 0;               // `Ch`, 0 when empty
    std::array<double, 10> counts{}; // `N1`..`N10`, 0 when empty
    std::string formula;             // `MolFormula`
    bool noPolynomial = false;       // `Pol` -1: the fourteen coefficients sum to zero
};

class ThermoSpeciesList {
public:
    // Reads "SELECT * FROM [Trm] WHERE Info >= 0;" and the element table, and writes `Pol` for
    // the valid species (one transaction).
    static ThermoSpeciesList load(store::Connection& thermo);

    // Exact name match (an empty name is kept as " ", as the table may hold one).
    const ThermoSpeciesInfo* find(const std::string& name) const;
    std::size_t validCount() const { return species_.size(); }
    // Slot 1..10 symbols (slot 0 unused here).
    const std::array<std::string, 11>& elementSymbols() const { return symbols_; }

    // For tests and for callers that build a list by hand.
    void add(const std::string& name, ThermoSpeciesInfo info) { species_[name] = std::move(info); }
    void setElementSymbol(int slot, std::string symbol) { symbols_.at(slot) = std::move(symbol); }

private:
    std::unordered_map<std::string, ThermoSpeciesInfo> species_;
    std::array<std::string, 11> symbols_{};
};

// The message when no valid species exist (THERMOOPEN); with the question when the caller asks
// whether to close the reaction database.
std::string noValidSpeciesMessage(bool askToClose);

} // namespace kinetra::reactions
