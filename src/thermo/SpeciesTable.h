// Whole-table operations on the species table of an open thermo database: the validity check of
// every row, renumbering and the insertion of new rows. Each runs in one transaction.
#pragma once

#include "common/Seams.h"
#include "store/Database.h"
#include "thermo/SpeciesRecord.h"

#include <cstdint>
#include <vector>

namespace kinetra::thermo {

// The sets of rows the thermo window shows.
enum class SpeciesView {
    All,      // every species in Num order
    Pasted,   // the rows of the last paste, in paste order (SelT)
    Valid,    // Info = 0
    Invalid,  // Info < 0
    Filtered, // the rows the last find/filter marked (Tmp)
};

// The query of a view: the one place where the species table's views are written in SQL.
std::string speciesViewQuery(SpeciesView view);

// The rows of a view, in its order.
store::RowSet speciesRows(store::Connection& db, SpeciesView view);

// Recomputes `Info` of every row: the severity of its species check plus the duplicate penalty
// (names compared exactly). Returns the number of invalid rows.
int checkAllSpecies(store::Connection& db);

// Sets Num to 1, 2, 3, ... in the present Num order.
void renumberSpecies(store::Connection& db);

// Inserts whole rows after the row whose Num is afterNum (0: before the first row) and
// renumbers the table 1..n, keeping every field of the old rows. Marks (SelT) of later rows are
// shifted past the new ones. Shows "Preparing thermodynamic data..." for large tables and stops
// with false, half done, when the user cancels there: the caller owns the transaction and rolls
// it back.
bool insertSpeciesRows(store::Connection& db, std::int64_t afterNum,
                       std::vector<std::vector<store::Value>> newRows, Progress* progress);

// Every row of a table in Num order, fields in position order.
std::vector<std::vector<store::Value>> readAllRows(store::Connection& db, const char* table);

} // namespace kinetra::thermo
