#include "store/Schema.h"

#include <algorithm>
#include <cctype>

namespace kinetra::store {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void addNumbered(std::vector<Field>& fields, std::string_view prefix, int first, int last,
                 FieldType type) {
    for (int i = first; i <= last; ++i)
        fields.push_back({std::string(prefix) + std::to_string(i), type});
}

TableSchema makeTrm() {
    using enum FieldType;
    std::vector<Field> f{{"SelT", Integer},
                         {"Num", Integer},
                         {"Species", Text},
                         {"TDB", Integer},
                         {"MolFormula", Text}};
    addNumbered(f, "A", 1, 15, Real);
    f.insert(f.end(), {{"MW", Real}, {"St", Text}, {"Ch", Real}});
    addNumbered(f, "N", 1, 10, Real);
    // Tmp is text on purpose: the program compares it with '1' as text.
    f.insert(f.end(), {{"Tmin", Real},
                       {"Tmax", Real},
                       {"Tbound", Real},
                       {"Tmp", Text},
                       {"Info", Integer},
                       {"Pol", Integer},
                       {"Reference", Text},
                       {"Comment", Text},
                       {"UPaste", Integer}});
    return {"Trm", std::move(f)};
}

TableSchema makeReactions() {
    using enum FieldType;
    std::vector<Field> f{
        {"Num", Integer}, {"Enabled", Integer}, {"Reaction", Text}, {"Composition", Text}};
    addNumbered(f, "R", 1, 3, Text);
    addNumbered(f, "P", 1, 6, Text);
    f.insert(f.end(), {{"A", Real},
                       {"Accm", Real},
                       {"n", Real},
                       {"E", Real},
                       {"Eccm", Real},
                       {"Type", Text},
                       {"AL", Real},
                       {"ALccm", Real},
                       {"nL", Real},
                       {"EL", Real},
                       {"ELccm", Real},
                       {"Ta", Real},
                       {"Tb", Real},
                       {"Tc", Real},
                       {"Td", Real},
                       {"Te", Real}});
    for (int i = 1; i <= 10; ++i) {
        f.push_back({"S" + std::to_string(i), Text});
        f.push_back({"E" + std::to_string(i), Real});
    }
    f.insert(f.end(), {{"Tmin", Real},
                       {"Tmax", Real},
                       {"Tmp", Integer},
                       {"Info", Integer},
                       {"SelT", Integer},
                       {"Dir", Integer},
                       {"Red", Integer},
                       {"Reference", Text},
                       {"Comment", Text},
                       {"UPaste", Integer}});
    return {"Reactions", std::move(f)};
}

const char* sqlType(FieldType t) {
    switch (t) {
    case FieldType::Integer:
        return "INTEGER";
    case FieldType::Real:
        return "REAL";
    case FieldType::Text:
        return "TEXT";
    }
    return "TEXT";
}

} // namespace

std::optional<std::size_t> TableSchema::position(std::string_view fieldName) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, fieldName))
            return i;
    return std::nullopt;
}

std::string TableSchema::createStatement() const {
    std::string s = "CREATE TABLE [" + name + "] (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            s += ", ";
        s += '[' + fields[i].name + "] " + sqlType(fields[i].type);
    }
    s += ')';
    return s;
}

const TableSchema& trmSchema() {
    static const TableSchema schema = makeTrm();
    return schema;
}

const TableSchema& elementsSchema() {
    static const TableSchema schema{
        "Elements",
        {{"Num", FieldType::Integer}, {"Element", FieldType::Text}, {"AW", FieldType::Real}}};
    return schema;
}

const TableSchema& reactionsSchema() {
    static const TableSchema schema = makeReactions();
    return schema;
}

const std::vector<ElementSlot>& templateElementSlots() {
    static const std::vector<ElementSlot> slots{
        {1, "H", 1.00794}, {2, "O", 15.9994},  {3, "C", 12.0107}, {4, "N", 14.00674},
        {5, "AR", 39.948}, {6, "HE", 4.0026},  {7, "S", 32.066},  {8, "CL", 35.4527},
        {9, "F", 18.998},  {10, "BR", 79.9042}};
    return slots;
}

} // namespace kinetra::store
