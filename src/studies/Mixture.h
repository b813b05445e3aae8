// The initial mixture of an ignition study: a fuel and an oxidizer, each a list of species with
// relative amounts ("CH4=1", "O2=1,N2=3.76"), combined at an equivalence ratio. Stoichiometry
// comes from the element counts of the species' thermo records: carbon burns to CO2, hydrogen
// to H2O, the oxygen a species carries counts against what it needs, and every other element
// (N, Ar, He, ...) is inert.
#pragma once

#include "thermo/SpeciesRecord.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kinetra::studies {

struct SpeciesAmount {
    std::string name;
    double amount = 0;
};

// "NAME=AMOUNT,NAME=AMOUNT" with positive amounts; the reason when the text is not such a list.
std::variant<std::vector<SpeciesAmount>, std::string> parseSpeciesAmounts(const std::string& text);

// Element symbol (upper case) to atoms per molecule.
using ElementCounts = std::map<std::string, double>;
ElementCounts elementCounts(const thermo::SpeciesRecord& species,
                            const thermo::ElementTable& elements);

// The element counts of a species by name, or nothing when the thermo data does not hold it.
using ElementLookup = std::function<std::optional<ElementCounts>(const std::string& name)>;

struct MixtureRequest {
    std::string fuel, oxidizer; // as typed
    double phi = 1;
};

// Mole fractions (summing to 1) in the order the species first appear, fuel first; or the
// message that says why there is no such mixture.
using Mixture = std::vector<SpeciesAmount>;
std::variant<Mixture, std::string> mixtureFromPhi(const MixtureRequest& request,
                                                  const ElementLookup& lookup);

// "NAME=X,NAME=X" with the shortest exact digits of each fraction.
std::string mixtureText(const Mixture& mixture);

} // namespace kinetra::studies
