#include "common/Wildcard.h"

#include <gtest/gtest.h>
#include <string>

namespace kinetra {
namespace {

TEST(Wildcard, MatchesWithAndWithoutLetterCase) {
    struct Case {
        const char* text;
        const char* pattern;
        bool sensitive;
        bool insensitive;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", "", true, true},
             {"", "*", true, true},
             {"", "?", false, false},
             {"CH4", "CH4", true, true},
             {"CH4", "ch4", false, true},
             {"CH4", "CH", false, false},
             {"CH4", "C*", true, true},
             {"CH4", "*4", true, true},
             {"CH4", "*H*", true, true},
             {"CH4", "c*", false, true},
             {"CH4", "C?4", true, true},
             {"CH4", "C??4", false, false},
             {"CH4", "CH#", true, true},
             {"CHx", "CH#", false, false},
             {"C2H6", "C#H#", true, true},
             {"OH", "[NO]H", true, true},
             {"oH", "[NO]H", false, true},
             {"HO2", "[A-Z]O2", true, true},
             {"hO2", "[A-Z]O2", false, true},
             {"HO2", "[a-z]O2", false, true},
             {"HO2", "[!A-Z]O2", false, false},
             {"hO2", "[!A-Z]O2", true, false},
             {"XO2", "[!abc]O2", true, true},
             {"bO2", "[!abc]O2", false, false},
             {"BO2", "[!abc]O2", true, false},
             {"a*b", "a[*]b", true, true},
             {"axb", "a[*]b", false, false},
             {"a?b", "a[?]b", true, true},
             {"a-b", "a[-x]b", true, true},
             {"a-b", "a[x-]b", true, true},
             {"a]b", "a[]]b", true, true},
             {"a[b", "a[b", true, true},
             {"a[bc", "a[b*", true, true},
             {"m", "[z-a]", true, true},
             {"Ar", "[A-C]r", true, true},
             {"N2", "N2*", true, true},
             {"N2(+)", "N2*", true, true},
             {"\xC3\xA9t\xC3\xA9", "?t?", true, true}, // one "?" per character, not per byte
             {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*b", true, true},
             {"abcabd", "*abd", true, true},
             {"abcabc", "*abd", false, false},
         }) {
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.sensitive)
            << '"' << c.text << "\" \"" << c.pattern << '"';
        EXPECT_EQ(wildcardMatch(c.text, c.pattern, LetterCase::Insensitive), c.insensitive)
            << '"' << c.text << "\" \"" << c.pattern << "\" ignoring case";
    }
}

// Recursive matchers take exponential time here; the iterative one must answer at once.
TEST(Wildcard, ManyStarsOnALongTextStayFast) {
    std::string text(100000, 'a');
    EXPECT_FALSE(wildcardMatch(text, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(wildcardMatch(text + "b", "*a*a*a*a*a*a*a*a*b"));
}

} // namespace
} // namespace kinetra
