// The tables of the two database kinds, field by field in position order. Whole rows are copied
// by position (rebuild, restore, text import), so the order here is part of the file format.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::store {

enum class FieldType { Integer, Real, Text };

struct Field {
    std::string name;
    FieldType type;
};

struct TableSchema {
    std::string name;
    std::vector<Field> fields;
    // Position of a field, names compared without letter case.
    std::optional<std::size_t> position(std::string_view fieldName) const;
    std::string createStatement() const;
};

const TableSchema& trmSchema();       // "Trm", 42 fields
const TableSchema& elementsSchema();  // "Elements": Num, Element, AW
const TableSchema& reactionsSchema(); // "Reactions", 59 fields

struct ElementSlot {
    int num;
    std::string symbol;
    double atomicWeight;
};
// The ten element slots of a new thermo database.
const std::vector<ElementSlot>& templateElementSlots();

} // namespace kinetra::store
