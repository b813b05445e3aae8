// The species table's rows in typed form and back. Whole rows travel by position (insertion,
// rebuild, restore), so the positions of the 42 fields are fixed here once.
#pragma once

#include "store/Database.h"
#include "thermo/SpeciesRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::thermo {

namespace trm {
inline constexpr std::size_t kSelT = 0, kNum = 1, kSpecies = 2, kTDB = 3, kMolFormula = 4, kA1 = 5,
                             kMW = 20, kSt = 21, kCh = 22, kN1 = 23, kTmin = 33, kTmax = 34,
                             kTbound = 35, kTmp = 36, kInfo = 37, kPol = 38, kReference = 39,
                             kComment = 40, kUPaste = 41, kFieldCount = 42;
} // namespace trm

// The bookkeeping fields of a row, which the species itself does not carry.
struct RowMarks {
    std::int64_t selT = 0;
    std::int64_t num = 0;
    std::int64_t tdb = 0;
    std::string tmp;
    std::int64_t info = 0;
    std::int64_t upaste = 0;
};

SpeciesRecord speciesFromRow(const store::Row& row);
SpeciesRecord speciesFromValues(const std::vector<store::Value>& values);
// The species of every row of a row set, in its order.
std::vector<SpeciesRecord> speciesFromRows(const store::RowSet& rows);

// A whole row for the species: formula and weight (six decimals) derived from the composition,
// `Pol` -1 when the coefficients sum to zero.
std::vector<store::Value> rowFromSpecies(const SpeciesRecord& species, const ElementTable& elements,
                                         const RowMarks& marks);

// The element header: the ten slots of the `Elements` table in Num order. Nothing when the
// table does not hold exactly ten rows.
std::optional<ElementTable> readElementTable(store::Connection& db);

} // namespace kinetra::thermo
