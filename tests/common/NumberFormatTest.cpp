#include "common/NumberFormat.h"

#include "common/CompactNumber.h"
#include "common/ExactNumber.h"
#include "common/TextNumber.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace kinetra {
namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* expected;
};

void expectAll(std::initializer_list<NumberCase> cases) {
    for (const NumberCase& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected)
            << "value " << c.value << " pattern \"" << c.pattern << '"';
}

// Rounding half away from zero with two decimals is checked against integers further down.
TEST(NumberFormat, FixedScientificAndGeneralForms) {
    expectAll({{0.4999, "0", "0"},
               // Beyond 15 significant digits the value is written with zeros.
               {123456789012345678.0, "0", "123456789012346000"},
               {5, "0.##", "5."},
               {9.9995, "0.###", "10."},
               {1.5, "0.000#", "1.500"},
               {0.4, "#", ""},
               {0.5, "#.##", ".5"},
               {300, "0.0 K", "300.0 K"},
               {-9.995, "0.00E+00", "-1.00E+01"},
               {1.005, "0.00E+00", "1.01E+00"},
               {-0.0, "0.00E+00", "0.00E+00"},
               {123.456, "0.000E+00#", "1.235E+02"},
               {1.234567, "0.000##E+00", "1.23457E+00"},
               {5e-324, "0.00E+00", "4.94E-324"},
               {9.9995e99, "0.00E+00", "1.00E+100"},
               {1234, "0.00E-00", "1.23E03"},
               {1234, "0.00e+000", "1.23e+003"},
               {6.02214076e23, "", "6.02214076E+23"},
               {0.000001, "", "1E-06"},
               {1e15, "", "1E+15"},
               {0.1 + 0.2, "", "0.3"},
               {-0.0, "", "0"}});
}

TEST(NumberFormat, NonFiniteValuesAndTextFields) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), "NaN");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), "0.00E+00"), "-Inf");
    EXPECT_EQ(formatText("\xC3\xA9", "@@@"), "  \xC3\xA9"); // one character, two bytes
    EXPECT_EQ(formatText("abcdef", "!@@@"), "abcdef");
    EXPECT_EQ(formatNumber(2.5, "!@@@@@"), "2.5  ");
}

// Thousandths are exact at 15 digits, so "0.00" must agree with integer rounding half away
// from zero of the thousandths count.
TEST(NumberFormat, TwoDecimalsAgreeWithIntegerRounding) {
    std::mt19937_64 random(12345);
    std::uniform_int_distribution<std::int64_t> thousandths(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        std::int64_t k = thousandths(random);
        std::int64_t hundredths = (std::llabs(k) + 5) / 10;
        std::string fraction = std::to_string(hundredths % 100);
        std::string expected = (k < 0 && hundredths != 0 ? "-" : "") +
                               std::to_string(hundredths / 100) + "." +
                               (fraction.size() == 1 ? "0" : "") + fraction;
        ASSERT_EQ(formatNumber(static_cast<double>(k) / 1000, "0.00"), expected) << k;
    }
}

TEST(NumberFormat, Dates) {
    LocalDateTime when{2026, 12, 6, 14, 5, 9};
    EXPECT_EQ(formatDate(when, "mmm d yyyy"), "Dec 6 2026");
    EXPECT_EQ(formatDate(when, "dd/mm/yy hh:nn:ss"), "06/12/26 14:05:09");
    EXPECT_EQ(formatDate(when, "m/d h"), "12/6 14");
}

// The decimal point must stay a point whatever LC_NUMERIC says.
TEST(NumberFormat, LocaleDoesNotChangeTheOutput) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    std::string fixed = formatNumber(1234.5, "0.00");
    std::string general = formatNumber(8.314462618, "");
    std::optional<double> parsed = parseNumber("1.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(fixed, "1234.50");
    EXPECT_EQ(general, "8.314462618");
    EXPECT_EQ(parsed, 1.5);
}

TEST(CompactNumber, PatternFollowsTheMagnitude) {
    for (const auto& [value, expected] : std::initializer_list<std::pair<double, const char*>>{
             {-0.0000123, "-1.23E-05"},
             {0.00012345678, "0.00012"},
             {1234.56, "1234.6"},
             // Last-bit noise on an integral value does not bring the point back.
             {4.99999999999, "5"},
             // Rounding up to a whole number or into the next range gives that number's text.
             {9.999999, "10"},
             {9.999999e-5, "0.0001"},
             {99999999.7, "1.E+08"}})
        EXPECT_EQ(compactNumber(value), expected) << value;
    EXPECT_EQ(compactNumber(std::string_view(" 10.0 ")), "10");
    EXPECT_EQ(compactNumber(std::string_view("1.0D+13")), "1.E+13");
    EXPECT_EQ(compactNumber(std::string_view("1,5")), "1,5");
    EXPECT_EQ(compactNumber(std::string_view("1e999")), "1e999");
}

// The mechanism writer relies on this: a compact text read and written again is unchanged.
TEST(CompactNumber, TextSurvivesReadingAndWritingAgain) {
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> exponent(-9, 10);
    std::uniform_int_distribution<int> boundary(-5, 8);
    std::uniform_real_distribution<double> nudge(-1e-6, 1e-6);
    for (int i = 0; i < 50000; ++i) {
        double value = i % 2 ? std::pow(10.0, exponent(random))
                             : std::pow(10.0, boundary(random)) * (1 + nudge(random));
        std::string once = compactNumber(i % 3 ? value : -value);
        ASSERT_EQ(compactNumber(std::string_view(once)), once) << value;
    }
}

// Rate parameters are written in their familiar patterns where those are exact, and with just
// the digits they need where not; either way the text reads back as the stored double.
TEST(ExactNumber, KeepsThePatternWhereExactAndEveryDigitElsewhere) {
    EXPECT_EQ(exactNumberText(1.23e13, "0.00E+00"), "1.23E+13");
    EXPECT_EQ(exactNumberText(2e13, "0.00E+00"), "2.00E+13");
    EXPECT_EQ(exactNumberText(4.577e19, "0.00E+00"), "4.577E+19");
    EXPECT_EQ(exactNumberText(-1.23456789e-5, "0.00E+00"), "-1.23456789E-05");
    EXPECT_EQ(exactNumberText(12779.64, "0"), "12779.64");
    EXPECT_EQ(exactNumberText(16600, "0"), "16600");
    EXPECT_EQ(exactCompactNumber(0.7346), "0.7346");
    EXPECT_EQ(exactCompactNumber(1.23456789), "1.23456789");
    EXPECT_EQ(exactCompactNumber(-1.4e-7), "-1.4E-07");
    EXPECT_EQ(exactCompactNumber(1e30), "1.E+30");

    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-12, 40);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        for (const char* pattern : {"0.00E+00", "0", "0.##E+00"})
            ASSERT_EQ(parseNumber(exactNumberText(value, pattern)), value) << value;
        ASSERT_EQ(parseNumber(exactCompactNumber(value)), value) << value;
    }
}

TEST(ExactNumber, UnitConversionNoiseIsRoundedAway) {
    EXPECT_EQ(roundToFifteenDigits(1.2345 * 1000), 1234.5);
    EXPECT_EQ(roundToFifteenDigits(0.1 + 0.2), 0.3);
    EXPECT_EQ(roundToFifteenDigits(6.02214076e23 * 1.66e-12), 999675366160);
}

// What is accepted is compared with strtod below; these are refused although strtod takes them.
TEST(TextNumber, RefusedTextsAndOutOfRangeValues) {
    EXPECT_EQ(parseNumber("\t-1.0D+13 "), -1e13);
    for (const char* text : {"1,5", "   ", "1e", "+-1", ".", "E5", "1.2.3", "0x10", "inf", "1 2",
                             "\xEF\xBC\x91", "1d", "1.5f"}) {
        EXPECT_FALSE(isNumeric(text)) << text;
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    }
    EXPECT_TRUE(isNumeric("1e400"));
    EXPECT_FALSE(parseNumber("1e400").has_value());
    EXPECT_FALSE(parseNumber(std::string(400, '9')).has_value());
    // A value too small for a double is zero, not an error.
    EXPECT_EQ(parseNumber("1e-400"), 0.0);
    // A field longer than any realistic one still parses.
    EXPECT_EQ(parseNumber(std::string(100, '0') + "12.5"), 12.5);
}

// Counts in files: whole numbers a double holds exactly; a huge one (found by fuzzing the
// output reader, where it overflowed a conversion) is refused like a fraction.
TEST(TextNumber, WholeNumbers) {
    EXPECT_EQ(parseWholeNumber(" 1.E+03 "), 1000);
    EXPECT_EQ(parseWholeNumber("-99999"), -99999);
    EXPECT_EQ(parseWholeNumber("9007199254740992"), 9007199254740992LL);
    for (const char* text : {"4.577E+19", "9007199254740994", "1.5", "1e400", "x", ""})
        EXPECT_FALSE(parseWholeNumber(text).has_value()) << text;
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
