#include "store/Database.h"
#include "store/Schema.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kinetra::store {
namespace {

using kinetra::testing::TempDir;
using std::int64_t;

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

std::vector<std::filesystem::path> filesIn(const TempDir& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files.push_back(e.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(Templates, ThermoHasTheElementSlotsAndAnEmptyTrm) {
    TempDir dir;
    const auto path = dir / "EmptyThermo.mdb";
    createThermoTemplate(path);
    auto c = Connection::open(path, OpenMode::ReadOnly);
    expectTableMatches(c, elementsSchema());
    expectTableMatches(c, trmSchema());
    EXPECT_FALSE(c.hasTable("Reactions"));
    EXPECT_EQ(c.recordCount("Trm"), 0);

    const RowSet rs = c.query("SELECT * FROM [Elements] ORDER BY Num");
    const char* symbols[] = {"H", "O", "C", "N", "AR", "HE", "S", "CL", "F", "BR"};
    const double weights[] = {1.00794, 15.9994, 12.0107, 14.00674, 39.948,
                              4.0026,  32.066,  35.4527, 18.998,   79.9042};
    ASSERT_EQ(rs.recordCount(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(rs.rows[i].field("Num"), Value(static_cast<int64_t>(i + 1)));
        EXPECT_EQ(rs.rows[i].field("Element"), Value(std::string(symbols[i])));
        EXPECT_EQ(rs.rows[i].field("AW"), Value(weights[i]));
    }
}

TEST(Templates, ReactionHasOnlyAnEmptyReactionsTable) {
    TempDir dir;
    const auto path = dir / "EmptyReac.mdb";
    createReactionTemplate(path);
    auto c = Connection::open(path, OpenMode::ReadOnly);
    expectTableMatches(c, reactionsSchema());
    EXPECT_EQ(c.recordCount("Reactions"), 0);
    EXPECT_EQ(c.query("SELECT name FROM sqlite_master").recordCount(), 1u);
}

TEST(Templates, ReplaceTheTargetAndLeaveNothingElse) {
    TempDir dir;
    const auto path = dir.write("x.mdb", "not a database");
    createThermoTemplate(path);
    createReactionTemplate(path);
    EXPECT_EQ(filesIn(dir), std::vector<std::filesystem::path>{"x.mdb"});
    auto c = Connection::open(path);
    EXPECT_TRUE(c.hasTable("Reactions"));
    EXPECT_FALSE(c.hasTable("Trm"));
}

TEST(Templates, AFolderThatDoesNotExistIsAStoreError) {
    TempDir dir;
    EXPECT_THROW(createThermoTemplate(dir / "no" / "t.mdb"), StoreError);
    EXPECT_THROW(createReactionTemplate(dir / "no" / "r.mdb"), StoreError);
    EXPECT_TRUE(filesIn(dir).empty());
}

} // namespace
} // namespace kinetra::store
