#include "store/Schema.h"

#include "store/Database.h"
#include "store/Value.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace kinetra::store {
namespace {

using std::int64_t;

// Positions other parts of the program copy rows by; a shift here corrupts every file written.
// Names are looked up without letter case, and only within their own table.
TEST(Schema, FieldCountsPositionsAndUniqueNames) {
    for (const auto& [table, count] : {std::pair<const TableSchema&, std::size_t>{trmSchema(), 42},
                                       {elementsSchema(), 3},
                                       {reactionsSchema(), 59}}) {
        SCOPED_TRACE(table.name);
        EXPECT_EQ(table.fields.size(), count);
        // A duplicate name (without letter case) would make lookups by name silently pick one.
        std::set<std::string> lower;
        for (const auto& f : table.fields) {
            std::string n = f.name;
            for (auto& ch : n)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            EXPECT_TRUE(lower.insert(n).second) << f.name;
        }
    }
    EXPECT_EQ(trmSchema().position("species"), 2u);
    EXPECT_EQ(trmSchema().position("UPaste"), 41u);
    EXPECT_EQ(reactionsSchema().position("e"), 16u);
    EXPECT_EQ(reactionsSchema().position("UPaste"), 58u);
    EXPECT_EQ(reactionsSchema().position("N1"), std::nullopt);
    EXPECT_EQ(trmSchema().position(""), std::nullopt);
}

TEST(Value, Conversions) {
    const Value null{};
    EXPECT_EQ(toDouble(std::string(" 1.5d-3 ")), 1.5e-3);
    EXPECT_EQ(toDouble(std::string("1,5")), std::nullopt);

    struct Case {
        Value in;
        std::optional<int64_t> out;
    };
    const Case cases[] = {
        {null, std::nullopt},
        {-2.5, -3}, // half away from zero
        {1e300, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {std::string("1D2"), 100},
        // Beyond 2^53 a trip through double would change the last digit.
        {std::string("9007199254740993"), int64_t{9007199254740993}},
        {std::string("99999999999999999999"), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toInteger(c.in), c.out) << toText(c.in);
}

TEST(Value, ToTextIsShortestAndRoundTrips) {
    EXPECT_EQ(toText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(toText(-2.5e-300), "-2.5e-300");
    for (double d : {0.1 + 0.2, 1.0 / 3.0, 6.02214076e23, 4.9e-324})
        EXPECT_EQ(std::strtod(toText(d).c_str(), nullptr), d);
}

using kinetra::testing::TempDir;

const char* sqlType(FieldType t) {
    return t == FieldType::Integer ? "INTEGER" : t == FieldType::Real ? "REAL" : "TEXT";
}

// The file's own declaration of a table, field by field, must be the schema's.
void expectTableMatches(Connection& c, const TableSchema& schema) {
    SCOPED_TRACE(schema.name);
    const RowSet info = c.query("PRAGMA table_info([" + schema.name + "])");
    ASSERT_EQ(info.recordCount(), schema.fields.size());
    for (std::size_t i = 0; i < schema.fields.size(); ++i) {
        EXPECT_EQ(info.rows[i].field("name"), Value(schema.fields[i].name));
        EXPECT_EQ(info.rows[i].field("type"), Value(std::string(sqlType(schema.fields[i].type))));
        EXPECT_EQ(info.rows[i].field("pk"), Value(int64_t{0}));
    }
}

TEST(Templates, ThermoHasTheElementSlotsAndAnEmptyTrmReactionOnlyReactions) {
    TempDir dir;
    createThermoTemplate(dir / "EmptyThermo.mdb");
    auto c = Connection::open(dir / "EmptyThermo.mdb", OpenMode::ReadOnly);
    expectTableMatches(c, elementsSchema());
    expectTableMatches(c, trmSchema());
    EXPECT_EQ(c.recordCount("Trm"), 0);
    const RowSet rs = c.query("SELECT * FROM [Elements] ORDER BY Num");
    std::string slots;
    for (const Row& row : rs.rows)
        slots += toText(row.field("Num")) + toText(row.field("Element")) + " ";
    EXPECT_EQ(slots, "1H 2O 3C 4N 5AR 6HE 7S 8CL 9F 10BR ");
    EXPECT_EQ(rs.rows.at(9).field("AW"), Value(79.9042));

    createReactionTemplate(dir / "EmptyReac.mdb");
    auto r = Connection::open(dir / "EmptyReac.mdb", OpenMode::ReadOnly);
    expectTableMatches(r, reactionsSchema());
    EXPECT_EQ(r.query("SELECT name FROM sqlite_master").recordCount(), 1u);
}

// Replacing a file and refusing a missing folder both leave nothing else behind.
TEST(Templates, ReplaceTheTargetAndLeaveNothingElse) {
    TempDir dir;
    const auto path = dir.write("x.mdb", "not a database");
    createThermoTemplate(path);
    createReactionTemplate(path);
    EXPECT_THROW(createThermoTemplate(dir / "no" / "t.mdb"), StoreError);
    EXPECT_THROW(createReactionTemplate(dir / "no" / "r.mdb"), StoreError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    auto c = Connection::open(path);
    EXPECT_TRUE(c.hasTable("Reactions"));
    EXPECT_FALSE(c.hasTable("Trm"));
}

} // namespace
} // namespace kinetra::store
