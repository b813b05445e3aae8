#include "textdoc/TextSearch.h"

#include <gtest/gtest.h>

namespace kinetra::textdoc {
namespace {

TEST(TextSearchTest, FindHonoursWholeWordAndCase) {
    const std::u16string text = u"H2O + h2 = H2 + OH2 h2";
    const struct {
        int flags;
        std::size_t from;
        std::optional<std::size_t> at;
    } cases[] = {
        {0, 0, 0},   {4, 0, 0},   {4, 1, 11}, {2, 0, 6}, {6, 0, 11}, {6, 12, std::nullopt},
        {0, 18, 20}, {2, 17, 20},
    };
    for (const auto& c : cases) {
        auto match = findText(text, u"H2", c.from, SearchOptions::fromFlags(c.flags));
        ASSERT_EQ(match.has_value(), c.at.has_value()) << c.flags << " " << c.from;
        if (match)
            EXPECT_EQ(match->start, *c.at) << c.flags << " " << c.from;
    }
    EXPECT_FALSE(findText(text, u"", 0, {}));
}

TEST(TextSearchTest, ReplaceAllCountsAndDoesNotRescanReplacements) {
    std::u16string text = u"aa a Aa";
    EXPECT_EQ(replaceAll(text, u"a", u"aa", {}), 5u);
    EXPECT_EQ(text, u"aaaa aa aaaa");
    std::u16string words = u"OH OHX oh";
    EXPECT_EQ(replaceAll(words, u"oh", u"HO", {true, false}), 2u);
    EXPECT_EQ(words, u"HO OHX HO");
    std::u16string untouched = u"abc";
    EXPECT_EQ(replaceAll(untouched, u"zz", u"y", {}), 0u);
    EXPECT_EQ(untouched, u"abc");
    EXPECT_EQ(replacementMessage(0), "In the document, 0 replacement(s) have been made.");
}

TEST(TextSearchTest, SessionFindsOnReplacesAndWrapsAtTheEnd) {
    std::u16string text = u"x1 x2 x3";
    SearchSession session;
    EXPECT_FALSE(session.replaceLast(text, u"y")); // nothing found yet
    EXPECT_EQ(session.findNext(text, u"x", {})->start, 0u);
    EXPECT_EQ(session.findNext(text, u"x", {})->start, 3u);
    ASSERT_TRUE(session.replaceLast(text, u"yy"));
    EXPECT_EQ(text, u"x1 yy2 x3");
    EXPECT_FALSE(session.replaceLast(text, u"z")); // a match is replaced once
    EXPECT_EQ(session.findNext(text, u"x", {})->start, 7u);
    EXPECT_FALSE(session.findNext(text, u"x", {})); // "End of search."
    EXPECT_EQ(session.findNext(text, u"x", {})->start, 0u);
}

} // namespace
} // namespace kinetra::textdoc
