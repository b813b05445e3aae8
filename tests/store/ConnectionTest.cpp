#include "StoreRows.h"
#include "common/FileAttributes.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::store {
namespace {

using kinetra::testing::readFile;
using kinetra::testing::TempDir;
using std::int64_t;
using testing::makeRow;
using testing::trmRow;

std::filesystem::path thermoWithRows(const TempDir& dir, int count, const char* name = "t.mdb") {
    const auto path = dir / name;
    createThermoTemplate(path);
    auto c = Connection::open(path);
    std::vector<std::vector<Value>> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(trmRow(i, "SP" + std::to_string(i)));
    Transaction t(c);
    c.insertRows("Trm", rows);
    t.commit();
    return path;
}

TEST(Connection, RefusesWhatIsNotADatabase) {
    TempDir dir;
    struct Case {
        const char* what;
        std::filesystem::path path;
    };
    const Case cases[] = {
        {"missing file", dir / "missing.mdb"},
        {"text file", dir.write("notes.mdb", "Species,MW\nCH4,16.04\n")},
        {"empty file", dir.write("empty.mdb", "")},
        {"folder", (std::filesystem::create_directory(dir / "folder.mdb"), dir / "folder.mdb")},
    };
    for (const Case& c : cases) {
        for (auto mode : {OpenMode::ReadWrite, OpenMode::ReadOnly}) {
            SCOPED_TRACE(c.what);
            try {
                Connection::open(c.path, mode);
                ADD_FAILURE() << "opened";
            } catch (const StoreError& e) {
                EXPECT_TRUE(std::string(e.what()).starts_with("Cannot open database " +
                                                              c.path.string() + ": "))
                    << e.what();
            }
        }
    }
    // Opening never creates a file, nor changes one it refused.
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.mdb"));
    EXPECT_EQ(readFile(dir / "notes.mdb"), "Species,MW\nCH4,16.04\n");
    EXPECT_EQ(std::filesystem::file_size(dir / "empty.mdb"), 0u);
}

TEST(Connection, CreateNeverReplacesAFile) {
    TempDir dir;
    const auto existing = dir.write("x.mdb", "keep me");
    EXPECT_THROW(Connection::create(existing), StoreError);
    EXPECT_EQ(readFile(existing), "keep me");

    const auto fresh = dir / "new.mdb";
    {
        auto c = Connection::create(fresh);
        EXPECT_FALSE(c.hasTable("Trm"));
    }
    // A new database without tables is still a database.
    auto c = Connection::open(fresh);
    EXPECT_FALSE(c.hasTable("Trm"));
}

TEST(Connection, ValuesComeOutWithTheirStoredTypes) {
    TempDir dir;
    const auto path = dir / "t.mdb";
    createThermoTemplate(path);
    auto c = Connection::open(path);
    const std::vector<std::vector<Value>> rows = {trmRow(1, "CH4"), trmRow(2, "O2")};
    c.insertRows("Trm", rows);

    const RowSet rs = c.query("SELECT * FROM [Trm] ORDER BY Num;");
    ASSERT_EQ(rs.recordCount(), 2u);
    ASSERT_EQ(rs.columns->count(), 42u);
    const Row& r = rs.rows[0];
    EXPECT_EQ(r.field("Num"), Value(int64_t{1}));
    EXPECT_EQ(r.field("species"), Value(std::string("CH4")));
    EXPECT_EQ(r.field("MW"), Value(16.04));
    EXPECT_EQ(r.field("Tmp"), Value(std::string("0")));
    EXPECT_TRUE(isNull(r.field("Ch")));
    EXPECT_TRUE(isNull(r.field("N1")));
    EXPECT_EQ(r[5], Value(2.5)); // A1
    EXPECT_EQ(&rs.rows[0].columns(), &rs.rows[1].columns());

    try {
        (void)r.field("Nope");
        ADD_FAILURE() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Field not found: Nope");
    }
    EXPECT_TRUE(rs.columns->has("UPASTE"));
    EXPECT_FALSE(rs.columns->has("UPaste2"));

    Row copy = r;
    copy.set("mw", 17.0);
    EXPECT_EQ(copy.field("MW"), Value(17.0));
    EXPECT_EQ(r.field("MW"), Value(16.04)); // row sets are snapshots

    // An empty result still knows its columns.
    const RowSet none = c.query("SELECT * FROM [Trm] WHERE Num > 99");
    EXPECT_EQ(none.recordCount(), 0u);
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
        {"Tmp", int64_t{1}, std::string("1")},
        {"Tmp", 1.0, std::string("1")},
        {"Tmp", 0.5, std::string("0.5")},
        {"Species", int64_t{7}, std::string("7")},
        {"Species", std::string(""), std::string("")},
        {"Comment", std::string("  spaced "), std::string("  spaced ")},
        {"A1", std::string("1.5D3"), 1500.0},
        {"A1", std::string(" -2.5e-3 "), -2.5e-3},
        {"A1", std::string(""), Value{}},
        {"A1", std::string("  "), Value{}},
        {"A1", int64_t{3}, 3.0},
        {"Num", std::string("12"), int64_t{12}},
        {"Num", std::string("1e3"), int64_t{1000}},
        {"Num", 4.0, int64_t{4}},
        {"Num", std::string("2.5"), 2.5},
        {"Num", std::string(""), Value{}},
        {"Info", std::string("9007199254740993"), int64_t{9007199254740993}},
        {"Info", Value{}, Value{}},
    };
    TempDir dir;
    const auto path = dir / "t.mdb";
    createThermoTemplate(path);
    auto c = Connection::open(path);
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.field) + " <- \"" + toText(k.given) + "\"");
        auto row = trmRow(1, "X");
        row[*trmSchema().position(k.field)] = k.given;
        c.execute("DELETE * FROM [Trm]");
        c.insertRows("Trm", std::vector<std::vector<Value>>{row});
        EXPECT_EQ(c.query("SELECT * FROM [Trm]").rows.at(0).field(k.field), k.stored);
    }
}

TEST(Connection, InsertRefusesBadRowsAndAddsNoneOfThem) {
    struct Case {
        const char* field;
        const char* text;
    };
    const Case cases[] = {{"A1", "abc"}, {"Num", "12abc"}, {"Info", "1,5"}, {"MW", "1e999"}};
    TempDir dir;
    const auto path = thermoWithRows(dir, 3);
    auto c = Connection::open(path);
    for (const Case& k : cases) {
        auto bad = trmRow(5, "BAD");
        bad[*trmSchema().position(k.field)] = std::string(k.text);
        const std::vector rows{trmRow(4, "OK"), bad, trmRow(6, "OK")};
        try {
            c.insertRows("Trm", rows);
            ADD_FAILURE() << k.text << " accepted";
        } catch (const StoreError& e) {
            const std::string what = e.what();
            for (const std::string& part :
                 {std::string("Trm"), std::string(k.field), std::string(k.text)})
                EXPECT_NE(what.find(part), std::string::npos) << what;
        }
        EXPECT_EQ(c.recordCount("Trm"), 3);
    }
    const std::vector<std::vector<Value>> shortRow{trmRow(4, "OK"), std::vector<Value>(41)};
    EXPECT_THROW(c.insertRows("Trm", shortRow), StoreError);
    EXPECT_THROW(c.insertRows("Nope", std::vector<std::vector<Value>>{trmRow(1, "X")}), StoreError);
    EXPECT_EQ(c.recordCount("Trm"), 3);
}

// Files written by older builds may declare other type names; SQLite's rules decide the type.
TEST(Connection, InsertFollowsTheFilesOwnDeclaredTypes) {
    TempDir dir;
    auto c = Connection::create(dir / "old.mdb");
    c.execute("CREATE TABLE [Old] ([a] DOUBLE, [b] VARCHAR(20), [c] LONG INT, [d] MEMO)");
    c.insertRows("old", std::vector<std::vector<Value>>{{std::string("1D2"), int64_t{5},
                                                         std::string(" 7 "), std::string("x")}});
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
    EXPECT_EQ(c.query("SELECT * FROM [Trm] ORDER BY Num;").recordCount(), 5u);
    EXPECT_THROW(c.execute("UPDATE [Trm] SET SelT = 1"), StoreError);
    EXPECT_THROW(c.execute("DELETE * FROM [Trm];"), StoreError);
    EXPECT_THROW(c.insertRows("Trm", std::vector<std::vector<Value>>{trmRow(9, "X")}), StoreError);
    EXPECT_THROW(c.execute("CREATE TABLE [X] ([a] INTEGER)"), StoreError);
    {
        Transaction t(c); // reading inside a transaction is fine
        EXPECT_EQ(c.recordCount("Trm"), 5);
    }
    EXPECT_EQ(readFile(path), before);
}

TEST(Connection, ADatabaseAtRestIsOneFileThatCopiesWhole) {
    TempDir dir;
    const auto path = thermoWithRows(dir, 25);
    {
        auto c = Connection::open(path);
        c.execute("UPDATE [Trm] SET SelT = Num");
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "t.mdb") << "left beside the database";

    const auto copy = dir.write("copy.mdb", "an older file");
    copyFileOverwrite(path, copy);
    auto c = Connection::open(copy);
    EXPECT_TRUE(c.hasTable("trm"));
    EXPECT_EQ(c.recordCount("Trm"), 25);
    EXPECT_EQ(c.query("SELECT * FROM [Trm] WHERE SelT > 20").recordCount(), 5u);
}

} // namespace
} // namespace kinetra::store
