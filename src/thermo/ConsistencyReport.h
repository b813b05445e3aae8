// A read-only check of the polynomials in a thermo database: functions that jump at the common
// temperature where the two sets meet, and heat capacities that turn negative inside the valid
// range. Either fault makes equilibrium constants and solver results misbehave far from where
// the data look wrong, so the report names species and places; it never changes a record.
#pragma once

#include "thermo/SpeciesRecord.h"
#include "thermo/ThermoFunctions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinetra::thermo {

struct NumberedSpecies {
    std::int64_t num = 0; // the row's Num in the species table
    SpeciesRecord record;
};

enum class FindingKind { Discontinuity, NegativeCp };

struct ConsistencyFinding {
    std::int64_t num = 0;
    std::string name;
    FindingKind kind = FindingKind::Discontinuity;
    std::string function; // "Cp/R", "H/RT" or "S/R"; "Cp/R" for NegativeCp
    // Discontinuity: the function from the lower and the upper set at Tcom.
    // NegativeCp: the lowest Cp/R found, in the field of the set that gave it (the other is 0).
    double lowerValue = 0, upperValue = 0;
    double temperature = 0; // Tcom, or where Cp/R is lowest
};

struct ConsistencyReport {
    std::vector<ConsistencyFinding> findings; // in input order; per species jumps first
};

ConsistencyReport checkConsistency(const std::vector<NumberedSpecies>& species);

// One line per finding, then a summary line.
std::vector<std::string> formatConsistencyReport(const ConsistencyReport& report);

} // namespace kinetra::thermo
