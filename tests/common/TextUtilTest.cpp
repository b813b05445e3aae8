#include "common/TextUtil.h"

#include "common/PlaceError.h"
#include "common/QuotedItems.h"
#include "common/Wildcard.h"
#include "support/FakeUi.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

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

TEST(PlaceError, ShowsPlaceCodeAndDescriptionAndAbandonsOnlyTheOperation) {
    testing::FakeDialogs dialogs;
    int stepsDone = 0;
    bool finished = guarded(dialogs, "MDI#012. ", [&] {
        ++stepsDone;
        throw std::runtime_error("disk full");
        ++stepsDone;
    });
    EXPECT_FALSE(finished);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "MDI#012. disk full");
    EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);

    EXPECT_TRUE(guarded(dialogs, "TDB#083. ", [&] { ++stepsDone; }));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(guarded(dialogs, "RDB#031. ", [] { throw 42; }));
    EXPECT_EQ(dialogs.last().text, "RDB#031. Unknown error");
}

TEST(Wildcard, MatchesWithAndWithoutLetterCase) {
    using Case = std::tuple<const char*, const char*, bool, bool>; // text, pattern, results
    for (const auto& [text, pattern, sensitive, insensitive] : std::initializer_list<Case>{
             {"", "*", true, true},
             {"CH4", "ch4", false, true},
             {"C2H6", "C#H#", true, true},
             {"HO2", "[a-z]O2", false, true},
             {"hO2", "[!A-Z]O2", true, false},
             {"a*b", "a[*]b", true, true},
             {"a[bc", "a[b*", true, true},
             {"\xC3\xA9t\xC3\xA9", "?t?", true, true}, // one "?" per character, not per byte
             {"abcabd", "*abd", true, true},
         }) {
        EXPECT_EQ(wildcardMatch(text, pattern), sensitive) << text << " " << pattern;
        EXPECT_EQ(wildcardMatch(text, pattern, LetterCase::Insensitive), insensitive)
            << text << " " << pattern << " ignoring case";
    }
}

// Recursive matchers take exponential time here; the iterative one must answer at once.
TEST(Wildcard, ManyStarsOnALongTextStayFast) {
    std::string text(100000, 'a');
    EXPECT_FALSE(wildcardMatch(text, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(wildcardMatch(text + "b", "*a*a*a*a*a*a*a*a*b"));
}

std::vector<std::string> texts(std::string_view file) {
    std::vector<std::string> out;
    for (const QuotedItem& item : splitQuotedItems(file))
        out.push_back(item.quoted ? '"' + item.text + '"' : item.text);
    return out;
}

TEST(QuotedItems, Splitting) {
    using Items = std::vector<std::string>;
    struct Case {
        const char* file;
        Items items; // quoted items shown in quotes
    };
    for (const Case& c : std::initializer_list<Case>{
             {"1,2,\"a, b\"\r\n3", {"1", "2", "\"a, b\"", "3"}},
             {"  x y \t, z ", {"x y", "z"}},
             {"1,\r\n2", {"1", "", "2"}},
             {"\"q\" ignored ,next", {"\"q\"", "next"}},
             {"\"two\r\nlines\"\r\n5", {"\"two\r\nlines\"", "5"}},
             {"\"open, to the end\r\nx", {"\"open, to the end\r\nx\""}},
         })
        EXPECT_EQ(texts(c.file), c.items) << c.file;
}

TEST(QuotedItems, ReaderTypesAndStayingOnAFailedItem) {
    QuotedItemReader reader("12,\"34\",+8,2.5E-3, ,99999999999999999999\r\n\"end\"");
    EXPECT_EQ(reader.readInteger(), 12);
    EXPECT_FALSE(reader.readInteger()); // quoted
    EXPECT_EQ(reader.readString(), "34");
    EXPECT_EQ(reader.readInteger(), 8);
    EXPECT_FALSE(reader.readInteger()); // a real is not an integer
    EXPECT_EQ(reader.readReal(), 2.5e-3);
    EXPECT_FALSE(reader.readReal()); // empty
    EXPECT_EQ(reader.readString(), "");
    EXPECT_FALSE(reader.readInteger()); // too large for 64 bits
    EXPECT_EQ(reader.readReal(), 1e20);
    reader.skip();
    EXPECT_TRUE(reader.atEnd());
}

TEST(QuotedItems, WrittenValuesReadBackExactly) {
    std::vector<QuotedValue> values{std::int64_t{42},
                                    std::int64_t{INT64_MIN},
                                    1.380649e-23,
                                    -987654321.012345,
                                    std::string("with, comma"),
                                    std::string("  blanks  "),
                                    std::string("two\r\nlines"),
                                    std::string("")};
    std::string file = writeQuotedItems(values);
    EXPECT_EQ(file.substr(0, 4), "42\r\n");
    EXPECT_EQ(formatRealItem(6.02214076e23), "6.02214076E+23");
    // No escape exists for an embedded double quote: it becomes a single quote.
    EXPECT_EQ(formatQuotedValue(std::string("say \"hi\"")), "\"say 'hi'\"");
    EXPECT_EQ(file.substr(file.size() - 4), "\"\"\r\n");
    QuotedItemReader reader(file);
    for (const QuotedValue& value : values) {
        if (const auto* integer = std::get_if<std::int64_t>(&value))
            EXPECT_EQ(reader.readInteger(), *integer);
        else if (const auto* real = std::get_if<double>(&value))
            EXPECT_EQ(reader.readReal(), *real);
        else
            EXPECT_EQ(reader.readString(), std::get<std::string>(value));
    }
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
} // namespace kinetra
