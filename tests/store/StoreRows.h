// Row builders shared by the store tests: whole rows in position order with a few named fields
// filled in, the way the program hands rows to insertRows, and a thermo file holding such rows.
#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "store/Value.h"
#include "support/TempDir.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kinetra::store::testing {

inline std::vector<Value> makeRow(const TableSchema& table,
                                  std::initializer_list<std::pair<std::string_view, Value>> set) {
    std::vector<Value> row(table.fields.size());
    for (const auto& [name, value] : set)
        row.at(table.position(name).value()) = value;
    return row;
}

inline std::vector<Value> trmRow(std::int64_t num, std::string species) {
    return makeRow(trmSchema(), {{"Num", num},
                                 {"Species", std::move(species)},
                                 {"SelT", std::int64_t{0}},
                                 {"TDB", std::int64_t{1}},
                                 {"A1", 2.5},
                                 {"MW", 16.04},
                                 {"St", std::string("G")},
                                 {"Tmp", std::string("0")},
                                 {"Info", std::int64_t{0}}});
}

inline std::vector<std::vector<Value>> trmRows(int first, int count, const std::string& prefix) {
    std::vector<std::vector<Value>> rows;
    for (int i = first; i < first + count; ++i)
        rows.push_back(trmRow(i, prefix + std::to_string(i)));
    return rows;
}

// A thermo file "t.mdb" in `dir` holding the species OLD1 ... OLD<count>.
inline std::filesystem::path thermoWithRows(const kinetra::testing::TempDir& dir, int count) {
    const auto path = dir / "t.mdb";
    createThermoTemplate(path);
    auto c = Connection::open(path);
    Transaction t(c);
    c.insertRows("Trm", trmRows(1, count, "OLD"));
    t.commit();
    return path;
}

} // namespace kinetra::store::testing
