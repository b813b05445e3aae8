#include "thermo/SpeciesRow.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "thermo/Composition.h"

namespace kinetra::thermo {

namespace {

using store::Value;

std::optional<double> number(const Value& v) {
    return store::toDouble(v);
}

Value optionalValue(const std::optional<double>& v) {
    return v ? Value(*v) : Value();
}

} // namespace

SpeciesRecord speciesFromValues(const std::vector<Value>& v) {
    // Opening a database checks its fields; a row set of another shape is a fault of the caller.
    if (v.size() < trm::kFieldCount)
        throw store::StoreError("A species row has " + std::to_string(v.size()) +
                                " fields instead of " + std::to_string(trm::kFieldCount));
    SpeciesRecord s;
    s.name = store::toText(v.at(trm::kSpecies));
    s.composition[0] = number(v[trm::kCh]);
    for (int slot = 1; slot < kSlotCount; ++slot)
        s.composition[slot] = number(v[trm::kN1 + slot - 1]);
    s.phase = store::toText(v[trm::kSt]);
    s.tmin = number(v[trm::kTmin]);
    s.tmax = number(v[trm::kTmax]);
    s.tcom = number(v[trm::kTbound]);
    for (std::size_t i = 0; i < s.coefficients.size(); ++i)
        s.coefficients[i] = number(v[trm::kA1 + i]).value_or(0.0);
    s.reference = store::toText(v[trm::kReference]);
    s.comment = store::toText(v[trm::kComment]);
    return s;
}

SpeciesRecord speciesFromRow(const store::Row& row) {
    return speciesFromValues(row.values());
}

std::vector<SpeciesRecord> speciesFromRows(const store::RowSet& rows) {
    std::vector<SpeciesRecord> species;
    species.reserve(rows.rows.size());
    for (const store::Row& row : rows.rows)
        species.push_back(speciesFromRow(row));
    return species;
}

std::vector<Value> rowFromSpecies(const SpeciesRecord& s, const ElementTable& elements,
                                  const RowMarks& marks) {
    std::vector<Value> row(trm::kFieldCount);
    row[trm::kSelT] = marks.selT;
    row[trm::kNum] = marks.num;
    row[trm::kSpecies] = s.name;
    row[trm::kTDB] = marks.tdb;
    row[trm::kMolFormula] = molecularFormula(s, elements);
    double sum = 0;
    for (std::size_t i = 0; i < s.coefficients.size(); ++i) {
        row[trm::kA1 + i] = s.coefficients[i];
        if (i < 14)
            sum += s.coefficients[i];
    }
    const double mw = molecularWeight(s, elements);
    row[trm::kMW] = parseNumber(formatNumber(mw, "0.######")).value_or(mw);
    row[trm::kSt] = s.phase;
    for (int slot = 0; slot < kSlotCount; ++slot)
        row[trm::kCh + slot] = optionalValue(s.composition[slot]);
    row[trm::kTmin] = optionalValue(s.tmin);
    row[trm::kTmax] = optionalValue(s.tmax);
    row[trm::kTbound] = optionalValue(s.tcom);
    row[trm::kTmp] = marks.tmp;
    row[trm::kInfo] = marks.info;
    row[trm::kPol] = std::int64_t{sum == 0 ? -1 : 0};
    row[trm::kReference] = s.reference;
    row[trm::kComment] = s.comment;
    row[trm::kUPaste] = marks.upaste;
    return row;
}

std::optional<ElementTable> readElementTable(store::Connection& db) {
    const store::RowSet rows = db.query("SELECT * FROM [Elements] Order By Num");
    if (rows.recordCount() != 10)
        return std::nullopt;
    ElementTable table;
    for (int slot = 1; slot <= 10; ++slot) {
        const store::Row& row = rows.rows[slot - 1];
        const std::string symbol = trimBlanks(store::toText(row.field("Element")));
        const double weight = store::toDouble(row.field("AW")).value_or(0.0);
        if (!symbol.empty() && weight > 0) {
            table.symbols[slot] = symbol;
            table.weights[slot] = weight;
        }
    }
    return table;
}

} // namespace kinetra::thermo
