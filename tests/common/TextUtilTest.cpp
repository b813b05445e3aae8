#include "common/TextUtil.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// Cutting never splits a UTF-8 character, and bytes that are no UTF-8 at all are still cut at
// the limit instead of being dropped back to nothing.
TEST(TextUtil, CutTextKeepsWholeCharacters) {
    std::string ascii = "ABCDEFGHIJKLMNOPQRS";
    cutText(ascii, 16);
    EXPECT_EQ(ascii, "ABCDEFGHIJKLMNOP");

    std::string accented = std::string(15, 'a') + "\xC3\xA9" + "b"; // é straddles byte 16
    cutText(accented, 16);
    EXPECT_EQ(accented, std::string(15, 'a'));

    std::string garbage(40, '\xBB'); // continuation bytes only
    cutText(garbage, 16);
    EXPECT_EQ(garbage.size(), 16u);
}

} // namespace
} // namespace kinetra
