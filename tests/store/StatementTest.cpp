// The statement forms the program sends, run as written against a file made from the template.
#include "StoreRows.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace kinetra::store {
namespace {

using std::int64_t;
using testing::trmRow;

// Rows are added out of order so that ORDER BY is actually exercised. Tmp is given as an
// integer, as text and as a different text, the ways the program writes it.
void makeThermoFile(const std::filesystem::path& path) {
    createThermoTemplate(path);
    auto c = Connection::open(path);
    std::vector<std::vector<Value>> rows;
    for (auto [num, species, selT, tdb, info, tmp] :
         {std::tuple<int64_t, const char*, int64_t, int64_t, int64_t, Value>{3, "H2O", 3, 1, 2,
                                                                             "1"},
          {1, "CH4", 0, 1, 0, int64_t{1}},
          {4, "CO2", 0, 0, 0, "0"},
          {2, "AR", 7, 0, -1, Value{}}}) {
        rows.push_back(trmRow(num, species));
        for (const auto& [field, value] : {std::pair<const char*, Value>{"SelT", selT},
                                           {"TDB", tdb},
                                           {"Info", info},
                                           {"Tmp", tmp},
                                           {"UPaste", int64_t{1}}})
            rows.back()[*trmSchema().position(field)] = value;
    }
    c.insertRows("Trm", rows);
}

// A SELECT lists the Num of the rows it returns (in order when it has ORDER BY). Any other
// statement gives the number of rows it changed, then the Num of the Trm rows meeting `check`
// in the file reopened afterwards.
struct Case {
    const char* statement;
    std::vector<int64_t> nums;
    int64_t changed = 0;
    const char* check = nullptr;
};

std::vector<int64_t> numsOf(const RowSet& rs) {
    std::vector<int64_t> nums;
    for (const auto& row : rs.rows)
        nums.push_back(std::get<int64_t>(row.field("Num")));
    return nums;
}

void runCases(const std::vector<Case>& cases) {
    kinetra::testing::TempDir dir;
    const auto original = dir / "original.mdb";
    makeThermoFile(original);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto path = dir / "db.mdb";
        std::filesystem::copy_file(original, path,
                                   std::filesystem::copy_options::overwrite_existing);
        auto conn = Connection::open(path);
        std::string s = c.statement;
        if (s.starts_with("SELECT")) {
            auto nums = numsOf(conn.query(s));
            auto expected = c.nums;
            std::transform(s.begin(), s.end(), s.begin(), ::toupper);
            if (s.find("ORDER BY") == std::string::npos) {
                std::sort(nums.begin(), nums.end());
                std::sort(expected.begin(), expected.end());
            }
            EXPECT_EQ(nums, expected);
        } else {
            EXPECT_EQ(conn.execute(s), c.changed);
            auto reopened = Connection::open(path);
            const std::string check =
                std::string("SELECT * FROM [Trm] WHERE ") + c.check + " ORDER BY Num";
            EXPECT_EQ(numsOf(reopened.query(check)), c.nums) << check;
        }
    }
}

TEST(Statements, ThermoForms) {
    runCases({
        {"SELECT * FROM [Elements] Order By Num", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"SELECT  * FROM [Trm] ORDER BY Num;", {1, 2, 3, 4}},
        {"SELECT * FROM [Trm] ORDER BY Species ASC;", {2, 1, 4, 3}},
        // Row 1 was written with the integer 1, row 3 with the text "1".
        {"SELECT  * FROM [Trm] WHERE Tmp = '1' ORDER BY Num;", {1, 3}},
        {"SELECT  * FROM [Trm] WHERE SelT > 0 ORDER BY SelT;", {3, 2}},
        {"UPDATE [Trm] SET Upaste = 0, SelT = 0;", {}, 4, "UPaste <> 0 OR SelT <> 0"},
        {"UPDATE [Trm] SET SelT = SelT + 2 + 3 WHERE SelT > 5", {2}, 1, "SelT = 12"},
        // The integer literal lands as text in the text field and still matches '1'.
        {"UPDATE [Trm] SET Tmp = 1;", {1, 2, 3, 4}, 4, "Tmp = '1'"},
        {"DELETE * FROM [Trm];", {}, 4, "1 = 1"},
    });
}

TEST(Statements, RewriteOnlyTheDeleteStarForm) {
    EXPECT_EQ(rewriteStatement("delete*from [Trm]"), "DELETE FROM [Trm]");
    EXPECT_EQ(rewriteStatement("  Delete \t *\n  From[Trm]"), "  DELETE FROM[Trm]");
    for (const char* kept : {"DELETE * FROMAGE", "UPDATE [Trm] SET Comment = 'DELETE * FROM'"})
        EXPECT_EQ(rewriteStatement(kept), kept);
}

TEST(Statements, ExecuteCountsOnlyItsOwnChangesAndRefusesFaultyStatements) {
    kinetra::testing::TempDir dir;
    makeThermoFile(dir / "t.mdb");
    auto c = Connection::open(dir / "t.mdb");
    EXPECT_EQ(c.execute("UPDATE [Trm] SET SelT = 9"), 4);
    EXPECT_EQ(c.execute("CREATE TABLE [Extra] ([x] INTEGER)"), 0);
    EXPECT_EQ(c.execute("UPDATE [Trm] SET SelT = 2 WHERE Num > 100"), 0);
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
