// Every statement form the program sends, run as written against files made from the templates.
#include "StoreRows.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kinetra::store {
namespace {

using std::int64_t;
using testing::makeRow;
using testing::trmRow;

std::vector<Value> trm(int64_t num, const char* species, int64_t selT, int64_t tdb, int64_t info,
                       Value tmp) {
    auto row = trmRow(num, species);
    row[*trmSchema().position("SelT")] = selT;
    row[*trmSchema().position("TDB")] = tdb;
    row[*trmSchema().position("Info")] = info;
    row[*trmSchema().position("Tmp")] = std::move(tmp);
    row[*trmSchema().position("UPaste")] = int64_t{1};
    return row;
}

std::vector<Value> reaction(int64_t num, int64_t red, int64_t tmp, int64_t info, int64_t selT) {
    return makeRow(reactionsSchema(), {{"Num", num},
                                       {"Enabled", int64_t{-1}},
                                       {"Reaction", std::string("H+O2=OH+O")},
                                       {"A", 3.5e15},
                                       {"Red", red},
                                       {"Tmp", tmp},
                                       {"Info", info},
                                       {"SelT", selT},
                                       {"Dir", int64_t{1}},
                                       {"UPaste", int64_t{1}}});
}

// Rows are added out of order so that ORDER BY is actually exercised. Tmp is given as an
// integer, as text and as a different text, the ways the program writes it.
void makeThermoFile(const std::filesystem::path& path) {
    createThermoTemplate(path);
    auto c = Connection::open(path);
    const std::vector<std::vector<Value>> rows = {
        trm(3, "H2O", 3, 1, 2, std::string("1")),
        trm(1, "CH4", 0, 1, 0, int64_t{1}),
        trm(4, "CO2", 0, 0, 0, std::string("0")),
        trm(2, "AR", 7, 0, -1, Value{}),
    };
    Transaction t(c);
    c.insertRows("Trm", rows);
    t.commit();
}

void makeReactionFile(const std::filesystem::path& path) {
    createReactionTemplate(path);
    auto c = Connection::open(path);
    const std::vector<std::vector<Value>> rows = {
        reaction(3, 1, 1, -2, 5),
        reaction(1, 1, 1, 0, 0),
        reaction(4, 0, 1, 0, 1),
        reaction(2, 0, 0, -1, 3),
    };
    Transaction t(c);
    c.insertRows("Reactions", rows);
    t.commit();
}

struct Case {
    const char* statement;
    // SELECT: the Num of the rows returned. Others: the number of changed rows, then the Num
    // of the rows `check` returns afterwards.
    std::vector<int64_t> nums;
    bool ordered = true;
    int64_t changed = 0;
    const char* check = nullptr;
};

std::vector<int64_t> numsOf(const RowSet& rs) {
    std::vector<int64_t> nums;
    for (const auto& row : rs.rows)
        nums.push_back(std::get<int64_t>(row.field("Num")));
    return nums;
}

void runCases(const std::vector<Case>& cases, void (*make)(const std::filesystem::path&)) {
    kinetra::testing::TempDir dir;
    const auto original = dir / "original.mdb";
    make(original);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto path = dir / "db.mdb";
        std::filesystem::copy_file(original, path,
                                   std::filesystem::copy_options::overwrite_existing);
        auto conn = Connection::open(path);
        const std::string_view s = c.statement;
        if (s.starts_with("SELECT")) {
            auto nums = numsOf(conn.query(s));
            auto expected = c.nums;
            if (!c.ordered) {
                std::sort(nums.begin(), nums.end());
                std::sort(expected.begin(), expected.end());
            }
            EXPECT_EQ(nums, expected);
        } else {
            EXPECT_EQ(conn.execute(s), c.changed);
            if (c.check) {
                auto reopened = Connection::open(path);
                EXPECT_EQ(numsOf(reopened.query(c.check)), c.nums) << c.check;
            }
        }
    }
}

TEST(Statements, ThermoForms) {
    const std::vector<int64_t> slots{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const char* bySelT = "SELECT * FROM [Trm] WHERE SelT > 0 ORDER BY Num";
    runCases(
        {
            {"SELECT * FROM [Elements] Order By Num", slots},
            {"SELECT * FROM [Elements]", slots, false},
            {"SELECT * FROM [Elements] ORDER BY Num;", slots},
            {"SELECT  * FROM [Trm] ORDER BY Num;", {1, 2, 3, 4}},
            {"SELECT * FROM [Trm] ORDER BY Num;", {1, 2, 3, 4}},
            {"SELECT * FROM [Trm] ORDER BY Species ASC;", {2, 1, 4, 3}},
            {"SELECT  * FROM [Trm] WHERE Info = 0 ORDER BY Num;", {1, 4}},
            {"SELECT  * FROM [Trm] WHERE Info < 0 ORDER BY Num;", {2}},
            {"SELECT * FROM [Trm] WHERE Info >= 0;", {1, 3, 4}, false},
            // Row 1 was written with the integer 1, row 3 with the text "1".
            {"SELECT  * FROM [Trm] WHERE Tmp = '1' ORDER BY Num;", {1, 3}},
            {"SELECT  * FROM [Trm] WHERE SelT > 0 ORDER BY SelT;", {3, 2}},
            {"SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Num;", {1, 3}},
            {"SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Species;", {1, 3}},
            {"SELECT * FROM [Trm] ORDER BY Species;", {2, 1, 4, 3}},
            {"SELECT * FROM [Trm]", {1, 2, 3, 4}, false},
            {"UPDATE [Trm] SET Upaste = 0, SelT = 0;", {}, true, 4, bySelT},
            {"UPDATE [Trm] SET Upaste = 0;", {}, true, 4, "SELECT * FROM [Trm] WHERE UPaste <> 0"},
            {"UPDATE [Trm] SET SelT = 0;", {}, true, 4, bySelT},
            {"UPDATE [Trm] SET SelT = SelT + 2 + 3 WHERE SelT > 5",
             {2},
             true,
             1,
             "SELECT * FROM [Trm] WHERE SelT = 12"},
            {"UPDATE [Trm] SET TDB = 0;", {}, true, 4, "SELECT * FROM [Trm] WHERE TDB = 1"},
            // The integer literal lands as text in the text field and still matches '1'.
            {"UPDATE [Trm] SET Tmp = 1;",
             {1, 2, 3, 4},
             true,
             4,
             "SELECT * FROM [Trm] WHERE Tmp = '1' ORDER BY Num"},
            {"DELETE * FROM [Trm];", {}, true, 4, "SELECT * FROM [Trm]"},
            {"DELETE * FROM [Elements];", {}, true, 10, "SELECT * FROM [Elements]"},
        },
        makeThermoFile);
}

TEST(Statements, ReactionForms) {
    const char* all = "SELECT * FROM [Reactions] ORDER BY Num";
    runCases(
        {
            {"SELECT * FROM [Reactions] ORDER BY Num;", {1, 2, 3, 4}},
            {"SELECT * FROM [Reactions] ORDER BY Num ASC;", {1, 2, 3, 4}},
            {"SELECT * FROM [Reactions] WHERE Red = 1 ORDER BY Num;", {1, 3}},
            {"SELECT * FROM [Reactions] WHERE Red = 1;", {1, 3}, false},
            {"SELECT * FROM [Reactions]", {1, 2, 3, 4}, false},
            {"UPDATE [Reactions] SET Dir = 0;",
             {},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE Dir <> 0"},
            {"UPDATE [Reactions] SET Info = 0;",
             {1, 2, 3, 4},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE Info = 0 ORDER BY Num"},
            {"UPDATE [Reactions] SET Red = 0;",
             {},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE Red = 1"},
            {"UPDATE [Reactions] SET Red = 1 WHERE Tmp = 1 and Info = 0;",
             {1, 3, 4},
             true,
             2,
             "SELECT * FROM [Reactions] WHERE Red = 1 ORDER BY Num"},
            {"UPDATE [Reactions] SET SelT = SelT + 1 + 4 WHERE SelT > 2",
             {2, 3},
             true,
             2,
             "SELECT * FROM [Reactions] WHERE SelT IN (8, 10) ORDER BY Num"},
            {"UPDATE [Reactions] SET Tmp = 0;",
             {},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE Tmp <> 0"},
            {"UPDATE [Reactions] SET Tmp = 1 WHERE Info < 0;",
             {1, 2, 3, 4},
             true,
             2,
             "SELECT * FROM [Reactions] WHERE Tmp = 1 ORDER BY Num"},
            {"UPDATE [Reactions] SET Tmp = 1 WHERE Info = 0;",
             {1, 3, 4},
             true,
             2,
             "SELECT * FROM [Reactions] WHERE Tmp = 1 ORDER BY Num"},
            {"UPDATE [Reactions] SET Tmp = 1;",
             {1, 2, 3, 4},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE Tmp = 1 ORDER BY Num"},
            {"UPDATE [Reactions] SET Upaste = 0, SelT = 0;",
             {},
             true,
             4,
             "SELECT * FROM [Reactions] WHERE UPaste <> 0 OR SelT <> 0"},
            {"DELETE * FROM [Reactions];", {}, true, 4, all},
        },
        makeReactionFile);
}

TEST(Statements, RewriteOnlyTheDeleteStarForm) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"DELETE * FROM [Trm];", "DELETE FROM [Trm];"},
        {"delete*from [Trm]", "DELETE FROM [Trm]"},
        {"  Delete \t *\n  From[Trm]", "  DELETE FROM[Trm]"},
        {"DELETE FROM [Trm]", "DELETE FROM [Trm]"},
        {"DELETE * FROMAGE", "DELETE * FROMAGE"},
        {"DELETED * FROM x", "DELETED * FROM x"},
        {"SELECT * FROM [Trm]", "SELECT * FROM [Trm]"},
        {"UPDATE [Trm] SET Comment = 'DELETE * FROM'",
         "UPDATE [Trm] SET Comment = 'DELETE * FROM'"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rewriteStatement(c.in), c.out) << c.in;
}

TEST(Statements, ExecuteCountsOnlyItsOwnChanges) {
    kinetra::testing::TempDir dir;
    const auto path = dir / "t.mdb";
    makeThermoFile(path);
    auto c = Connection::open(path);
    EXPECT_EQ(c.execute("UPDATE [Trm] SET SelT = 1"), 4);
    EXPECT_EQ(c.execute("CREATE TABLE [Extra] ([x] INTEGER)"), 0);
    EXPECT_EQ(c.execute("UPDATE [Trm] SET SelT = 2 WHERE Num > 100"), 0);
}

TEST(Statements, FaultyStatementsAreRefused) {
    kinetra::testing::TempDir dir;
    const auto path = dir / "t.mdb";
    makeThermoFile(path);
    auto c = Connection::open(path);
    for (const char* s : {"SELECT * FROM [Nope]", "SELECT Nope FROM [Trm]", "SELEKT 1", "", " ; ",
                          // A second statement would otherwise be dropped without a word.
                          "UPDATE [Trm] SET SelT = 1; DELETE FROM [Trm]"}) {
        EXPECT_THROW(c.query(s), StoreError) << s;
        EXPECT_THROW(c.execute(s), StoreError) << s;
    }
    EXPECT_EQ(c.recordCount("Trm"), 4);
    EXPECT_EQ(c.query("SELECT * FROM [Trm] WHERE SelT = 1").recordCount(), 0u);
}

} // namespace
} // namespace kinetra::store
