#include "common/CompactNumber.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kinetra {
namespace {

TEST(CompactNumber, PatternFollowsTheMagnitude) {
    struct Case {
        double value;
        const char* expected;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0, "0"},
             {-0.0, "0"},
             {1e-5, "1.E-05"},
             {5e-5, "5.E-05"},
             {0.0000999, "9.99E-05"},
             {-0.0000123, "-1.23E-05"},
             {0.0001, "0.0001"},
             {0.00012345678, "0.00012"},
             {0.5, "0.5"},
             {0.123456, "0.12346"},
             {1, "1"},
             {2.5, "2.5"},
             {-2.5, "-2.5"},
             {9.99999, "9.99999"},
             {10, "10"},
             {10.5, "10.5"},
             {12.3456, "12.346"},
             {-99.5, "-99.5"},
             {100, "100"},
             {123.456, "123.46"},
             {999.99, "999.99"},
             {1000, "1000"},
             {1234.56, "1234.6"},
             {-28000, "-28000"},
             {123456.78, "123456.8"},
             {999999.5, "999999.5"},
             {1000000, "1000000"},
             {1000000.4, "1000000"},
             {12345678.9, "12345679"},
             {99999999, "99999999"},
             {1e8, "1.E+08"},
             {1.5e9, "1.5E+09"},
             {-1.5e9, "-1.5E+09"},
             // Last-bit noise on an integral value does not bring the point back.
             {5.00000000001, "5"},
             {4.99999999999, "5"},
             {-1.99999999999, "-2"},
             {0.1 * 3 * 10, "3"},
             // Rounding up to a whole number or into the next range gives that number's text.
             {9.999999, "10"},
             {0.9999999, "1"},
             {99.99999, "100"},
             {999999.96, "1000000"},
             {9.999999e-5, "0.0001"},
             {99999999.7, "1.E+08"}})
        EXPECT_EQ(compactNumber(c.value), c.expected) << c.value;
}

TEST(CompactNumber, TextIsReformattedOnlyWhenNumeric) {
    struct Case {
        const char* text;
        const char* expected;
    };
    for (const Case& c : std::initializer_list<Case>{{"", ""},
                                                     {"   ", "   "},
                                                     {"abc", "abc"},
                                                     {"1,5", "1,5"},
                                                     {"1e999", "1e999"},
                                                     {" 10.0 ", "10"},
                                                     {"1.0D+13", "1.E+13"},
                                                     {"-0.50", "-0.5"}})
        EXPECT_EQ(compactNumber(std::string_view(c.text)), c.expected) << '"' << c.text << '"';
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

} // namespace
} // namespace kinetra
