// The validity check of one species row, run before a row is stored or written out. A row gets
// one code (the first rule it breaks) so that the grid can show a single message per row.
#pragma once

#include "thermo/SpeciesRecord.h"

#include <string>
#include <vector>

namespace kinetra::thermo {

// severity: 0 acceptable (possibly with a warning code), -1 name fault, -2 data fault.
struct SpeciesCheckResult {
    int code = 0;
    std::string detail;
    int severity = 0;
};

enum SpeciesCode : int {
    kSpeciesValid = 0,
    kNameEmpty = 1,
    kNewRow = 2,
    kDuplicateName = 3,
    kForbiddenSymbol = 4,
    kMisplacedPlus = 5,
    kNoElements = 6,
    kTooManyIonElements = 7,
    kTooManyElements = 8,
    kNoCoefficients = 10,
    kNoTmin = 11,
    kNoTmax = 12,
    kNoTcom = 13,
    kTminNotBelowTmax = 14,
    kTcomOutside = 15,
};

// The placeholder name of the grid's empty last row.
inline constexpr const char* kNewRowName = "NEW<";

// checkCoefficients: also warn when no polynomial coefficient is set.
SpeciesCheckResult checkSpecies(const SpeciesRecord& species, bool checkCoefficients);

// The short message for a code; empty for codes whose text is all in the detail.
const std::string& speciesMessage(int code);

// The row state shown in the grid: a duplicate name lowers the severity by 5.
inline int speciesInfo(int severity, bool duplicate) {
    return severity + (duplicate ? -5 : 0);
}

// For each name, whether another entry has exactly the same name (letter case respected).
// Empty names are never duplicates: several blank rows are each reported as empty instead.
std::vector<bool> findDuplicateNames(const std::vector<std::string>& names);

} // namespace kinetra::thermo
