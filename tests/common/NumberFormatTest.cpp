#include "common/NumberFormat.h"

#include "common/TextNumber.h"

#include <clocale>
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

TEST(NumberFormat, FixedDecimalsRoundHalfAwayFromZeroOnTheDecimalValue) {
    expectAll({{0.125, "0.00", "0.13"},
               {-0.125, "0.00", "-0.13"},
               {2.675, "0.00", "2.68"},
               {1.005, "0.00", "1.01"},
               {9.995, "0.00", "10.00"},
               {99.95, "0.0", "100.0"},
               {-9.95, "0.0", "-10.0"},
               {0.05, "0.0", "0.1"},
               {1234.5, "0.00", "1234.50"},
               {1.0005, "0.000", "1.001"},
               {1e-120, "0.00", "0.00"},
               {0.5, "0", "1"},
               {-0.5, "0", "-1"},
               {1234.5, "0", "1235"},
               {2.5, "0", "3"},
               {0.4999, "0", "0"},
               {8.314462618, "0.00000", "8.31446"},
               {1e15, "0", "1000000000000000"},
               // Beyond 15 significant digits the value is written with zeros.
               {123456789012345678.0, "0", "123456789012346000"},
               {6.02214076e23, "0.00000", "602214076000000000000000.00000"}});
}

TEST(NumberFormat, NegativeValueRoundingToZeroHasNoSign) {
    expectAll({{-0.001, "0.00", "0.00"},
               {-0.005, "0.00", "-0.01"},
               {-0.4, "0", "0"},
               {-0.0, "0.00", "0.00"},
               {-0.4, "0.", "0."},
               {-0.00004, "0.000#", "0.000"},
               {-0.00005, "0.000#", "-0.0001"},
               {-1e-300, "0.00E+00", "-1.00E-300"},
               {-0.0, "0.00E+00", "0.00E+00"}});
}

TEST(NumberFormat, OptionalDecimalsAndThePointThatIsAlwaysWritten) {
    expectAll({{5, "0.##", "5."},
               {5, "0.", "5."},
               {0, "0.###", "0."},
               {2.5, "0.##", "2.5"},
               {1.23456, "0.###", "1.235"},
               {9.9995, "0.###", "10."},
               {-2.0004, "0.###", "-2."},
               {99.995, "0.##", "100."},
               {0.05, "0.#", "0.1"},
               {0.04, "0.#", "0."},
               {123456.78, "0.#", "123456.8"},
               {0.5, "0.", "1."},
               {1e20, "0.", "100000000000000000000."},
               {0.5, "0.#####", "0.5"},
               {0.0001, "0.#####", "0.0001"},
               {1e-6, "0.#####", "0."},
               {2.000005, "0.#####", "2.00001"},
               {3.14159265, "0.#####", "3.14159"},
               {0.1234567, "0.######", "0.123457"},
               {1.23456, "0.000#", "1.2346"},
               {1.5, "0.000#", "1.500"},
               {0, "0.000#", "0.000"}});
}

TEST(NumberFormat, IntegerPlaceholders) {
    expectAll({{0, "#", ""},
               {0.4, "#", ""},
               {-0.4, "#", ""},
               {0.5, "#", "1"},
               {12, "#", "12"},
               {-3, "#", "-3"},
               {5, "00.0", "05.0"},
               {123, "00", "123"},
               {0.5, "#.##", ".5"},
               {0, "0", "0"},
               {300, "0.0 K", "300.0 K"}});
}

TEST(NumberFormat, ScientificMantissaAndCarries) {
    expectAll({{0, "0.00E+00", "0.00E+00"},
               {1, "0.00E+00", "1.00E+00"},
               {-1, "0.00E+00", "-1.00E+00"},
               {9.995, "0.00E+00", "1.00E+01"},
               {-9.995, "0.00E+00", "-1.00E+01"},
               {99.95, "0.00E+00", "1.00E+02"},
               {0.9999, "0.00E+00", "1.00E+00"},
               {1.005, "0.00E+00", "1.01E+00"},
               {0.00123, "0.00E+00", "1.23E-03"},
               {123456, "0.00E+00", "1.23E+05"},
               {6.02214076e23, "0.00E+00", "6.02E+23"},
               {1.380649e-23, "0.00E+00", "1.38E-23"},
               {123.456, "0.000E+00#", "1.235E+02"},
               {0, "0.000E+00", "0.000E+00"},
               {1, "0.#####E+00#", "1.E+00"},
               {1.5e-7, "0.#####E+00#", "1.5E-07"},
               {6.02214076e23, "0.#####E+00#", "6.02214E+23"},
               {1.2345678, "0.00####E+00", "1.234568E+00"},
               {1.5, "0.00####E+00", "1.50E+00"},
               {1.2, "0.000##E+00", "1.200E+00"},
               {1.234567, "0.000##E+00", "1.23457E+00"},
               {12.34, "0.0##E+00", "1.234E+01"},
               {0.099999, "0.0##E+00", "1.0E-01"},
               {9.9999, "0.###E+00", "1.E+01"},
               {8.314462618, "0.######E+00", "8.314463E+00"},
               {1e-10, "0.E+00", "1.E-10"},
               {5.5, "0.E+00", "6.E+00"},
               {9.5, "0.E+00", "1.E+01"},
               {-0.5, "0.E+00", "-5.E-01"},
               {1e-5, "0.##E+00", "1.E-05"},
               {1.5e-5, "0.##E+00", "1.5E-05"},
               {1.234e9, "0.##E+00", "1.23E+09"},
               {101.325, "0.000000E+00", "1.013250E+02"},
               {1.987204259, "0.00000000E+00", "1.98720426E+00"},
               {-6.02214076e23, "0.00000000E+00", "-6.02214076E+23"}});
}

TEST(NumberFormat, ExponentDigitsAndSigns) {
    expectAll({{1e-120, "0.00E+00", "1.00E-120"},
               {1e250, "0.00E+00", "1.00E+250"},
               {1e-120, "0.000E+00#", "1.000E-120"},
               {1e5, "0.000E+00#", "1.000E+05"},
               {1.234567e100, "0.#####E+00#", "1.23457E+100"},
               {5e-324, "0.00E+00", "4.94E-324"},
               {1.7976931348623157e308, "0.00E+00", "1.80E+308"},
               {9.9995e99, "0.00E+00", "1.00E+100"},
               {1234, "0.00E-00", "1.23E03"},
               {0.001234, "0.00E-00", "1.23E-03"},
               {1234, "0.00E+0", "1.23E+3"},
               {1234, "0.00e+00", "1.23e+03"},
               {1234, "0.00E+000", "1.23E+003"}});
}

TEST(NumberFormat, GeneralFormForAnEmptyPattern) {
    expectAll({{8.314462618, "", "8.314462618"},
               {6.02214076e23, "", "6.02214076E+23"},
               {1.380649e-23, "", "1.380649E-23"},
               {1e-10, "", "1E-10"},
               {0.0001, "", "0.0001"},
               {0.00001, "", "0.00001"},
               {0.000001, "", "1E-06"},
               {1234567890123.0, "", "1234567890123"},
               {123456789012345.0, "", "123456789012345"},
               {1e15, "", "1E+15"},
               {0.1 + 0.2, "", "0.3"},
               {-2.5, "", "-2.5"},
               {0, "", "0"},
               {-0.0, "", "0"},
               {100, "", "100"},
               {1e100, "", "1E+100"},
               {-1.5e-300, "", "-1.5E-300"}});
}

TEST(NumberFormat, NonFiniteValuesAreNamed) {
    for (const char* pattern : {"0.00", "0.00E+00", "", "#"}) {
        EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), pattern), "NaN");
        EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), pattern), "Inf");
        EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), pattern), "-Inf");
    }
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

TEST(NumberFormat, TextFields) {
    struct Case {
        const char* text;
        const char* pattern;
        const char* expected;
    };
    for (const Case& c :
         std::initializer_list<Case>{{"ab", "@@@@@", "   ab"},
                                     {"ab", "!@@@@@", "ab   "},
                                     {"abcdef", "@@@", "abcdef"},
                                     {"abcdef", "!@@@", "abcdef"},
                                     {"", "@@", "  "},
                                     {"abc", "@@@", "abc"},
                                     {"\xC3\xA9", "@@@", "  \xC3\xA9"}, // one character, two bytes
                                     {"ab", "x@@@", "ab"}})
        EXPECT_EQ(formatText(c.text, c.pattern), c.expected) << c.text << " " << c.pattern;
    EXPECT_EQ(formatNumber(2.5, "@@@@@"), "  2.5");
    EXPECT_EQ(formatNumber(2.5, "!@@@@@"), "2.5  ");
}

TEST(NumberFormat, Dates) {
    LocalDateTime when{2026, 12, 6, 14, 5, 9};
    EXPECT_EQ(formatDate(when, "mmm d yyyy"), "Dec 6 2026");
    EXPECT_EQ(formatDate(when, "dd/mm/yy hh:nn:ss"), "06/12/26 14:05:09");
    EXPECT_EQ(formatDate(when, "m/d h"), "12/6 14");
    EXPECT_EQ(formatDate({2005, 1, 31, 3, 0, 0}, "mmm dd yyyy, hh"), "Jan 31 2005, 03");
    EXPECT_EQ(formatDate(when, "Date: yyyy"), "Date: 2026");
}

// The decimal point must stay a point whatever LC_NUMERIC says.
TEST(NumberFormat, LocaleDoesNotChangeTheOutput) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    std::string fixed = formatNumber(1234.5, "0.00");
    std::string scientific = formatNumber(1234.5, "0.00E+00");
    std::string general = formatNumber(8.314462618, "");
    std::optional<double> parsed = parseNumber("1.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(fixed, "1234.50");
    EXPECT_EQ(scientific, "1.23E+03");
    EXPECT_EQ(general, "8.314462618");
    EXPECT_EQ(parsed, 1.5);
}

} // namespace
} // namespace kinetra
