#include "store/KeyedView.h"

#include "StoreRows.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::store {
namespace {

using kinetra::testing::TempDir;
using testing::thermoWithRows;

constexpr const char* kByNum = "SELECT * FROM [Trm] ORDER BY Num;";

std::string species(const KeyedView& view, std::size_t row) {
    return toText(view.row(row)[*trmSchema().position("Species")]);
}

// The cursor stays on its record when an edit re-sorts the view, and the selection keeps the
// order in which the user picked the rows (paste marks follow it).
TEST(KeyedView, CursorFollowsItsRecordAndSelectionKeepsItsOrder) {
    TempDir dir;
    Connection db = Connection::open(thermoWithRows(dir, 5));
    KeyedView view;
    view.reload(db, kByNum);
    ASSERT_EQ(view.size(), 5u);
    view.setCurrent(1);
    const std::string followed = species(view, 1);
    db.execute("UPDATE [Trm] SET Num = 99 WHERE rowid = " + std::to_string(view.key(1)));
    view.reload(db, kByNum);
    EXPECT_EQ(view.current(), 4u);
    EXPECT_EQ(species(view, 4), followed);

    view.setSelection({3, 0, 3, 9});
    EXPECT_EQ(view.selectionOrder(), (std::vector<std::size_t>{3, 0}));
    EXPECT_EQ(view.selectedKeys(), (std::vector<std::int64_t>{view.key(3), view.key(0)}));
    view.clearSelection();
    EXPECT_EQ(view.selectedKeys(), (std::vector<std::int64_t>{view.key(4)})); // the cursor's

    // Rows deleted behind the cursor: it stays within the rows, the selection too.
    view.setSelection({4});
    deleteRowsByKey(db, "Trm", {view.key(3), view.key(4)});
    view.reload(db, kByNum);
    EXPECT_EQ(view.current(), 2u);
    EXPECT_TRUE(view.selectionOrder().empty());

    view.moveCursorTo(1);
    EXPECT_EQ(view.selectionOrder(), (std::vector<std::size_t>{1}));
    view.reload(db, "SELECT * FROM [Trm] WHERE Num > 1000;");
    EXPECT_FALSE(view.current().has_value());
}

} // namespace
} // namespace kinetra::store
