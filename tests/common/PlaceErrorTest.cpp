#include "common/PlaceError.h"

#include "support/FakeUi.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kinetra {
namespace {

TEST(PlaceError, ShowsPlaceCodeAndDescriptionAndAbandonsOnlyTheOperation) {
    testing::FakeDialogs dialogs;
    int stepsDone = 0;
    bool finished = guarded(dialogs, "MDI#012. ", [&] {
        ++stepsDone;
        throw std::runtime_error("disk full");
        ++stepsDone;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(stepsDone, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "MDI#012. disk full");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);

    EXPECT_TRUE(guarded(dialogs, "TDB#083. ", [&] { ++stepsDone; }));
    EXPECT_EQ(stepsDone, 2);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    EXPECT_FALSE(guarded(dialogs, "RDB#031. ", [] { throw 42; }));
    EXPECT_EQ(dialogs.last().text, "RDB#031. Unknown error");
}

} // namespace
} // namespace kinetra
