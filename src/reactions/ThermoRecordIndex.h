// The species records of the connected thermo database by name, for the tables that evaluate
// the NASA functions of a reaction's species (rate and equilibrium constants, comparisons).
// Loaded once per operation through one connection; names are matched exactly, case included.
#pragma once

#include "reactions/RateTabulation.h"
#include "store/Database.h"
#include "thermo/SpeciesRecord.h"

#include <string>
#include <unordered_map>

namespace kinetra::reactions {

class ThermoRecordIndex {
public:
    // Reads "SELECT * FROM [Trm] ORDER BY Num;"; a name held twice keeps its first record, as a
    // lookup by name in that order would find it.
    static ThermoRecordIndex load(store::Connection& thermo);

    const thermo::SpeciesRecord* find(const std::string& name) const;
    // A lookup that refers to this index: the index must outlive it.
    ThermoLookup lookup() const {
        return [this](const std::string& name) { return find(name); };
    }
    void add(thermo::SpeciesRecord record);

private:
    std::unordered_map<std::string, thermo::SpeciesRecord> records_;
};

} // namespace kinetra::reactions
