#include "StoreRows.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace kinetra::store {
namespace {

using kinetra::testing::TempDir;
using std::int64_t;
using testing::thermoWithRows;
using testing::trmRows;

// After the rollback the connection stays usable, and a failed insert inside a transaction
// undoes only itself.
TEST(Transaction, AnExceptionLeavesTheFileAsBefore) {
    TempDir dir;
    const auto path = thermoWithRows(dir, 10);
    {
        auto c = Connection::open(path);
        try {
            Transaction t(c);
            c.execute("UPDATE [Trm] SET Species = 'CHANGED'");
            c.insertRows("Trm", trmRows(11, 100, "NEW"));
            throw std::runtime_error("interrupted");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(c.recordCount("Trm"), 10);
        Transaction t(c);
        c.insertRows("Trm", trmRows(11, 1, "KEPT"));
        auto rows = trmRows(12, 3, "LOST");
        rows[2][*trmSchema().position("MW")] = std::string("heavy");
        EXPECT_THROW(c.insertRows("Trm", rows), StoreError);
        t.commit();
    }
    auto c = Connection::open(path);
    EXPECT_EQ(c.recordCount("Trm"), 11);
    EXPECT_EQ(c.query("SELECT * FROM [Trm] WHERE Species = 'CHANGED'").recordCount(), 0u);
}

// A process that dies in the middle of writing leaves a journal beside the file; the next
// opening must restore the rows as they were before the transaction started.
TEST(Transaction, ACrashMidTransactionLeavesTheOldRows) {
    TempDir dir;
    const auto path = thermoWithRows(dir, 50);
    auto journal = path;
    journal += "-journal";

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // _exit before any destructor runs: no rollback, no close, as if the process was killed.
        try {
            auto c = Connection::open(path);
            // A tiny page cache forces changed pages into the database file before commit.
            c.execute("PRAGMA cache_size = 2");
            c.begin();
            c.execute("DELETE * FROM [Trm];");
            c.insertRows("Trm", trmRows(1, 3000, "HALF-WRITTEN"));
            _exit(std::filesystem::exists(journal) ? 0 : 2);
        } catch (...) {
            _exit(3);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "2: no journal written, 3: error in the child";
    ASSERT_TRUE(std::filesystem::exists(journal));

    auto c = Connection::open(path);
    const RowSet rs = c.query("SELECT * FROM [Trm] ORDER BY Num;");
    ASSERT_EQ(rs.recordCount(), 50u);
    EXPECT_EQ(rs.rows[49].field("Species"), Value(std::string("OLD50")));
    EXPECT_EQ(c.query("PRAGMA integrity_check").rows.at(0)[0], Value(std::string("ok")));
    EXPECT_FALSE(std::filesystem::exists(journal));
}

} // namespace
} // namespace kinetra::store
