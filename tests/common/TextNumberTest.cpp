#include "common/TextNumber.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kinetra {
namespace {

TEST(TextNumber, AcceptedTextsAndTheirValues) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"1.0D+13", 1e13},
             {"1.0d-3", 1e-3},
             {"+5", 5},
             {" 12 ", 12},
             {"-.5", -0.5},
             {"5.", 5},
             {"1E5", 1e5},
             {"1e+05", 1e5},
             {" -3.2E-4 ", -3.2e-4},
             {"\t7\t", 7},
             {"1.E-05", 1e-5},
             {"007", 7},
             {"8.314462618", 8.314462618},
             {"1.7976931348623157e308", 1.7976931348623157e308},
         }) {
        EXPECT_TRUE(isNumeric(c.text)) << c.text;
        EXPECT_EQ(parseNumber(c.text), c.value) << c.text;
    }
}

TEST(TextNumber, RefusedTexts) {
    for (const char* text :
         {"1,5",  "",    "   ",  "1e",  "--1",  "+-1",          ".", "E5", "1.2.3",
          "0x10", "inf", "nan",  "1 2", "1e5x", "\xEF\xBC\x91", "+", "-",  "1e+",
          "1d",   "e",   "1.5f", "\n1"}) {
        EXPECT_FALSE(isNumeric(text)) << text;
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    }
}

TEST(TextNumber, OutOfRangeValues) {
    EXPECT_TRUE(isNumeric("1e400"));
    EXPECT_FALSE(parseNumber("1e400").has_value());
    EXPECT_FALSE(parseNumber("-1D999").has_value());
    EXPECT_FALSE(parseNumber(std::string(400, '9')).has_value());
    // A value too small for a double is zero, not an error.
    EXPECT_EQ(parseNumber("1e-400"), 0.0);
    EXPECT_EQ(parseNumber("0.000001e-320"), 0.0);
    EXPECT_EQ(parseNumber("5e-324"), 5e-324);
    // A field longer than any realistic one still parses.
    EXPECT_EQ(parseNumber(std::string(100, '0') + "12.5"), 12.5);
}

// Random texts over the characters that matter: no crash, and the parser agrees with the test
// and with strtod (the program runs in the "C" locale during tests).
TEST(TextNumber, RandomTextsAgreeWithStrtod) {
    const std::string alphabet = " +-.0123456789eEdDx,\t";
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += i % 10 == 0 ? static_cast<char>(anyByte(random)) : alphabet[pick(random)];
        bool numeric = isNumeric(text);
        std::optional<double> value = parseNumber(text);
        ASSERT_TRUE(!value || numeric) << text;
        if (!numeric)
            continue;
        std::string forStrtod = text;
        for (char& c : forStrtod)
            if (c == 'd' || c == 'D')
                c = 'e';
        double expected = std::strtod(forStrtod.c_str(), nullptr);
        if (std::isinf(expected))
            ASSERT_FALSE(value.has_value()) << text;
        else
            ASSERT_EQ(value, expected) << text;
    }
}

} // namespace
} // namespace kinetra
