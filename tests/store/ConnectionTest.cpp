#include "StoreRows.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::store {
namespace {

namespace fs = std::filesystem;
using kinetra::testing::readFile;
using kinetra::testing::TempDir;
using std::int64_t;
using testing::thermoWithRows;
using testing::trmRow;
using Rows = std::vector<std::vector<Value>>;

TEST(Connection, RefusesWhatIsNotADatabaseAndCreateNeverReplacesAFile) {
    TempDir dir;
    fs::create_directory(dir / "folder.mdb");
    for (const fs::path& path : {dir / "missing.mdb", dir.write("notes.mdb", "Species,MW\n"),
                                 dir.write("empty.mdb", ""), dir / "folder.mdb"}) {
        for (auto mode : {OpenMode::ReadWrite, OpenMode::ReadOnly}) {
            try {
                Connection::open(path, mode);
                ADD_FAILURE() << path << " opened";
            } catch (const StoreError& e) {
                EXPECT_TRUE(std::string(e.what()).starts_with("Cannot open database " +
                                                              path.string() + ": "))
                    << e.what();
            }
        }
    }
    // Opening never creates a file, nor changes one it refused.
    EXPECT_FALSE(fs::exists(dir / "missing.mdb"));
    EXPECT_EQ(readFile(dir / "notes.mdb"), "Species,MW\n");
    EXPECT_EQ(fs::file_size(dir / "empty.mdb"), 0u);

    EXPECT_THROW(Connection::create(dir / "notes.mdb"), StoreError);
    Connection::create(dir / "new.mdb");
    // A new database without tables is still a database.
    EXPECT_FALSE(Connection::open(dir / "new.mdb").hasTable("Trm"));
}

TEST(Connection, ValuesComeOutWithTheirStoredTypes) {
    TempDir dir;
    auto c = Connection::open(thermoWithRows(dir, 2));
    const RowSet rs = c.query("SELECT * FROM [Trm] ORDER BY Num;");
    ASSERT_EQ(rs.recordCount(), 2u);
    const Row& r = rs.rows[0];
    EXPECT_EQ(r.field("species"), Value(std::string("OLD1")));
    EXPECT_TRUE(isNull(r.field("Ch")));
    EXPECT_EQ(r[5], Value(2.5)); // A1
    EXPECT_THROW((void)r.field("Nope"), StoreError);

    // An empty result still knows its columns.
    const RowSet none = c.query("SELECT * FROM [Trm] WHERE Num > 99");
    EXPECT_EQ(none.columns->position("UPaste"), 41u);
}

// Whatever type a caller hands over, a field ends up stored with its column's type.
TEST(Connection, InsertConvertsToTheDeclaredColumnType) {
    struct Case {
        const char* field;
        Value given;
        Value stored;
    };
    const Case cases[] = {
        {"Tmp", 0.5, std::string("0.5")},
        {"Comment", std::string("  spaced "), std::string("  spaced ")},
        {"A1", std::string(" 1.5D3 "), 1500.0},
        {"A1", std::string("  "), Value{}},
        {"Num", std::string("1e3"), int64_t{1000}},
        {"Num", std::string("2.5"), 2.5},
        {"Info", std::string("9007199254740993"), int64_t{9007199254740993}},
    };
    TempDir dir;
    auto c = Connection::open(thermoWithRows(dir, 0));
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.field) + " <- \"" + toText(k.given) + "\"");
        auto row = trmRow(1, "X");
        row[*trmSchema().position(k.field)] = k.given;
        c.execute("DELETE * FROM [Trm]");
        c.insertRows("Trm", Rows{row});
        EXPECT_EQ(c.query("SELECT * FROM [Trm]").rows.at(0).field(k.field), k.stored);
    }
}

TEST(Connection, InsertRefusesBadRowsAndAddsNoneOfThem) {
    TempDir dir;
    auto c = Connection::open(thermoWithRows(dir, 3));
    for (const auto& [field, text] : {std::pair{"Num", "12abc"}, {"MW", "1e999"}}) {
        auto bad = trmRow(5, "BAD");
        bad[*trmSchema().position(field)] = std::string(text);
        try {
            c.insertRows("Trm", Rows{trmRow(4, "OK"), bad, trmRow(6, "OK")});
            ADD_FAILURE() << text << " accepted";
        } catch (const StoreError& e) {
            const std::string what = e.what();
            for (const std::string part : {"Trm", field, text})
                EXPECT_NE(what.find(part), std::string::npos) << what;
        }
    }
    EXPECT_THROW(c.insertRows("Trm", Rows{trmRow(4, "OK"), std::vector<Value>(41)}), StoreError);
    EXPECT_THROW(c.insertRows("Nope", Rows{trmRow(1, "X")}), StoreError);
    EXPECT_EQ(c.recordCount("Trm"), 3);
}

// Files written by older builds may declare other type names; SQLite's rules decide the type.
TEST(Connection, InsertFollowsTheFilesOwnDeclaredTypes) {
    TempDir dir;
    auto c = Connection::create(dir / "old.mdb");
    c.execute("CREATE TABLE [Old] ([a] DOUBLE, [b] VARCHAR(20), [c] LONG INT, [d] MEMO)");
    c.insertRows("old",
                 Rows{{std::string("1D2"), int64_t{5}, std::string(" 7 "), std::string("x")}});
    const Row row = c.query("SELECT * FROM [Old]").rows.at(0);
    EXPECT_EQ(row.field("a"), Value(100.0));
    EXPECT_EQ(row.field("b"), Value(std::string("5")));
    EXPECT_EQ(row.field("c"), Value(int64_t{7}));
    EXPECT_EQ(row.field("d"), Value(std::string("x")));
}

TEST(Connection, ReadOnlyModeRefusesEveryWrite) {
    TempDir dir;
    const auto path = thermoWithRows(dir, 5);
    const std::string before = readFile(path);
    auto c = Connection::open(path, OpenMode::ReadOnly);
    EXPECT_THROW(c.execute("UPDATE [Trm] SET SelT = 1"), StoreError);
    EXPECT_THROW(c.insertRows("Trm", Rows{trmRow(9, "X")}), StoreError);
    {
        Transaction t(c); // reading inside a transaction is fine
        EXPECT_EQ(c.recordCount("Trm"), 5);
    }
    EXPECT_EQ(readFile(path), before);
}

// Nothing may stay beside the file, or copying the file alone would lose changes.
TEST(Connection, ADatabaseAtRestIsOneFile) {
    TempDir dir;
    const auto path = thermoWithRows(dir, 25);
    Connection::open(path).execute("UPDATE [Trm] SET SelT = Num");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "t.mdb") << "left beside the database";
    EXPECT_EQ(Connection::open(path).query("SELECT * FROM [Trm] WHERE SelT > 20").recordCount(),
              5u);
}

} // namespace
} // namespace kinetra::store
