#include "store/Value.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace kinetra::store {
namespace {

using std::int64_t;
const Value null{};

TEST(Value, ToDouble) {
    struct Case {
        Value in;
        std::optional<double> out;
    };
    const Case cases[] = {
        {null, std::nullopt},
        {int64_t{-7}, -7.0},
        {0.25, 0.25},
        {std::string("1.5d-3"), 1.5e-3},
        {std::string(" 42 "), 42.0},
        {std::string(""), std::nullopt},
        {std::string("1,5"), std::nullopt},
        {std::string("G"), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toDouble(c.in), c.out) << toText(c.in);
}

TEST(Value, ToIntegerRoundsHalfAwayFromZero) {
    struct Case {
        Value in;
        std::optional<int64_t> out;
    };
    const Case cases[] = {
        {null, std::nullopt},
        {int64_t{-1}, -1},
        {2.5, 3},
        {-2.5, -3},
        {2.4999, 2},
        {-0.4, 0},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {std::string("3.5"), 4},
        {std::string(" -12 "), -12},
        {std::string("+8"), 8},
        {std::string("1D2"), 100},
        // Beyond 2^53 a trip through double would change the last digit.
        {std::string("9007199254740993"), int64_t{9007199254740993}},
        {std::string("99999999999999999999"), std::nullopt},
        {std::string("+-5"), std::nullopt},
        {std::string("abc"), std::nullopt},
        {std::string(""), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toInteger(c.in), c.out) << toText(c.in);
}

TEST(Value, ToTextIsShortestAndRoundTrips) {
    struct Case {
        Value in;
        std::string out;
    };
    const Case cases[] = {
        {null, ""},
        {int64_t{0}, "0"},
        {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
        {12.0, "12"},
        {0.1, "0.1"},
        {1.00794, "1.00794"},
        {-2.5e-300, "-2.5e-300"},
        {std::string(" as is "), " as is "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toText(c.in), c.out);
    for (double d : {0.1 + 0.2, 1.0 / 3.0, 6.02214076e23, 4.9e-324})
        EXPECT_EQ(std::strtod(toText(d).c_str(), nullptr), d);
}

} // namespace
} // namespace kinetra::store
