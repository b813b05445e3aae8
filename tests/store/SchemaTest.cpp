#include "store/Schema.h"

#include <gtest/gtest.h>
#include <set>

namespace kinetra::store {
namespace {

TEST(Schema, FieldCountsAndUniqueNames) {
    struct Case {
        const TableSchema& table;
        const char* name;
        std::size_t count;
    };
    for (const Case& c : {Case{trmSchema(), "Trm", 42}, Case{elementsSchema(), "Elements", 3},
                          Case{reactionsSchema(), "Reactions", 59}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.table.name, c.name);
        EXPECT_EQ(c.table.fields.size(), c.count);
        // A duplicate name (without letter case) would make lookups by name silently pick one.
        std::set<std::string> lower;
        for (const auto& f : c.table.fields) {
            std::string n = f.name;
            for (auto& ch : n)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            EXPECT_TRUE(lower.insert(n).second) << f.name;
        }
    }
}

// Positions other parts of the program copy rows by; a shift here corrupts every file written.
TEST(Schema, PositionsAndTypesTheProgramReliesOn) {
    using enum FieldType;
    struct Case {
        const TableSchema& table;
        const char* field;
        std::size_t position;
        FieldType type;
    };
    const Case cases[] = {
        {trmSchema(), "SelT", 0, Integer},       {trmSchema(), "Species", 2, Text},
        {trmSchema(), "MolFormula", 4, Text},    {trmSchema(), "A1", 5, Real},
        {trmSchema(), "A15", 19, Real},          {trmSchema(), "MW", 20, Real},
        {trmSchema(), "St", 21, Text},           {trmSchema(), "Ch", 22, Real},
        {trmSchema(), "N1", 23, Real},           {trmSchema(), "N10", 32, Real},
        {trmSchema(), "Tmin", 33, Real},         {trmSchema(), "Tmp", 36, Text},
        {trmSchema(), "Info", 37, Integer},      {trmSchema(), "Reference", 39, Text},
        {trmSchema(), "UPaste", 41, Integer},    {elementsSchema(), "Num", 0, Integer},
        {elementsSchema(), "Element", 1, Text},  {elementsSchema(), "AW", 2, Real},
        {reactionsSchema(), "Num", 0, Integer},  {reactionsSchema(), "Enabled", 1, Integer},
        {reactionsSchema(), "R1", 4, Text},      {reactionsSchema(), "P6", 12, Text},
        {reactionsSchema(), "A", 13, Real},      {reactionsSchema(), "n", 15, Real},
        {reactionsSchema(), "E", 16, Real},      {reactionsSchema(), "Type", 18, Text},
        {reactionsSchema(), "ELccm", 23, Real},  {reactionsSchema(), "Ta", 24, Real},
        {reactionsSchema(), "Te", 28, Real},     {reactionsSchema(), "S1", 29, Text},
        {reactionsSchema(), "E1", 30, Real},     {reactionsSchema(), "S10", 47, Text},
        {reactionsSchema(), "E10", 48, Real},    {reactionsSchema(), "Tmin", 49, Real},
        {reactionsSchema(), "Tmp", 51, Integer}, {reactionsSchema(), "Info", 52, Integer},
        {reactionsSchema(), "Red", 55, Integer}, {reactionsSchema(), "UPaste", 58, Integer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.name + "." + c.field);
        ASSERT_EQ(c.table.position(c.field), c.position);
        EXPECT_EQ(c.table.fields[c.position].type, c.type);
    }
}

TEST(Schema, NamesCompareWithoutLetterCaseWithinTheirTable) {
    struct Case {
        const TableSchema& table;
        const char* field;
        std::optional<std::size_t> position;
    };
    const Case cases[] = {
        {reactionsSchema(), "e", 16},
        {reactionsSchema(), "e1", 30},
        {reactionsSchema(), "N", 15},
        {reactionsSchema(), "NL", 21},
        {reactionsSchema(), "N1", std::nullopt},
        {trmSchema(), "n1", 23},
        {trmSchema(), "upaste", 41},
        {trmSchema(), "TMP", 36},
        {trmSchema(), "A16", std::nullopt},
        {trmSchema(), "", std::nullopt},
        {elementsSchema(), "element", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.table.position(c.field), c.position) << c.table.name << "." << c.field;
}

} // namespace
} // namespace kinetra::store
