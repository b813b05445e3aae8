#include "engine/OutputRecords.h"

#include "results/ResultRecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace kinetra::engine {
namespace {

using results::assembleRecord;
using results::recordColumn;

// The post-processor's record geometry: 1..50 species one line, 51..100 two, 101..150 three.
TEST(OutputRecords, LinesPerRecord) {
    for (const auto& [n, k] : std::vector<std::pair<int, int>>{
             {1, 1}, {49, 1}, {50, 1}, {51, 2}, {100, 2}, {101, 3}, {120, 3}, {150, 3}, {1000, 20}})
        EXPECT_EQ(recordLineCount(n), k) << n;
}

TEST(OutputRecords, ValueTexts) {
    EXPECT_EQ(recordValueText(1234.5), "1.234500000E+03");
    EXPECT_EQ(recordValueText(-2.5e-7), "-2.500000000E-07");
    EXPECT_EQ(recordValueText(0), "0.000000000E+00");
    EXPECT_EQ(recordValueText(9.9e-100), "0.000000000E+00"); // below 1E-99: 0
    EXPECT_EQ(recordValueText(-1e-120), "0.000000000E+00");
    EXPECT_EQ(recordValueText(1e-99), "1.000000000E-99");
    EXPECT_EQ(recordValueText(-3e150).size(), 16u); // a three-digit exponent keeps the width
}

// The value texts are those of printf's %.9E (to_chars rounds the same way), 'E' and all,
// whatever path the writer takes: random magnitudes over the whole range, exact rounding ties
// (integers and a half, and their binary scalings), the edges of a decade and of the range.
TEST(OutputRecords, ValueTextsAreTheExactRounding) {
    auto exact = [](double v) {
        if (std::fabs(v) < 1e-99)
            v = 0;
        char buffer[40];
        char* end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific,
                                  std::fabs(v) >= 1e100 ? 8 : 9)
                        .ptr;
        std::string s(buffer, end);
        std::replace(s.begin(), s.end(), 'e', 'E');
        return s;
    };
    std::vector<double> values{1e-99,
                               9.9999999995e-100,
                               1e99,
                               9.9999999995e98,
                               9.99999999949e98,
                               1,
                               10,
                               9.9999999995,
                               9.99999999949999,
                               2621.8812345678,
                               1e100,
                               -0.0,
                               5e-324,
                               1.7976931348623157e308};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-101, 101), mantissa(1, 10);
    for (int i = 0; i < 200000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    std::uniform_int_distribution<long long> tenDigits(1'000'000'000LL, 9'999'999'999LL);
    for (int i = 0; i < 20000; ++i) {
        const double tie = static_cast<double>(tenDigits(random)) + 0.5;
        for (int power : {-300, -200, -60, -3, 0, 3, 60, 200})
            values.push_back(std::ldexp(tie, power));
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(std::nextafter(tie, 1e300));
    }
    for (int e = -100; e <= 100; ++e)
        for (double m : {1.0, 9.9999999995, 9.999999999499999})
            values.push_back(m * std::pow(10.0, e));
    for (const double v : values)
        for (const double signed_ : {v, -v})
            ASSERT_EQ(recordValueText(signed_), exact(signed_)) << std::hexfloat << signed_;
}

std::string name(std::mt19937& random, std::size_t length) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789()-,*#";
    std::string s;
    for (std::size_t i = 0; i < length; ++i)
        s += letters[random() % (sizeof letters - 1)];
    return s;
}

void expectRoundTrip(const std::vector<std::string>& fields, int species, const char* what) {
    const std::vector<std::string> lines = recordLines("12", fields, recordLineCount(species));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(recordLineCount(species))) << what;
    const std::string record = assembleRecord(lines);
    for (std::size_t i = 0; i < fields.size(); ++i)
        ASSERT_EQ(recordColumn(record, static_cast<int>(i)), fields[i]) << what << " column " << i;
    EXPECT_EQ(recordColumn(record, static_cast<int>(fields.size())), "") << what;
}

// Every value and every header name comes back exactly under the reader's rule, whatever the
// signs, magnitudes and name lengths.
TEST(OutputRecords, RecordsReadBackExactly) {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> exponent(-130, 8), mantissa(-1, 1);
    for (int species : {1, 50, 51, 99, 100, 101, 120, 1000}) {
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<std::string> values{recordValueText(1e-3 * trial), recordValueText(1500)};
            std::vector<std::string> names{"Time(s)", "T(K)"};
            for (int k = 0; k < species; ++k) {
                const double v = mantissa(random) * std::pow(10.0, exponent(random));
                values.push_back(recordValueText(trial % 3 == 0   ? std::fabs(v)
                                                 : trial % 3 == 1 ? -std::fabs(v)
                                                                  : v));
                // Mostly full-width names in some trials: the hardest case for a line break.
                const std::size_t length = trial % 4 == 0 ? 16 - random() % 2 : 1 + random() % 16;
                names.push_back(name(random, length));
            }
            expectRoundTrip(values, species, "values");
            expectRoundTrip(names, species, "names");
        }
    }
}

// The writer's one-pass value record is the general layout of the same value texts, character
// for character, and so reads back exactly: any signs and magnitudes, zeros and values beyond
// 1E99, record numbers of 1 to 7 digits, and species counts at and around the line breaks.
TEST(OutputRecords, ValueRecordsAreTheGeneralLayout) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> exponent(-130, 130), mantissa(-1, 1);
    for (int species : {1, 2, 49, 50, 51, 99, 100, 101, 120, 628, 1000}) {
        for (int trial = 0; trial < 7; ++trial) {
            std::vector<double> values;
            for (int k = 0; k <= species; ++k) {
                const double v = mantissa(random) * std::pow(10.0, exponent(random));
                values.push_back(trial == 0   ? std::fabs(v)
                                 : trial == 1 ? -std::fabs(v)
                                 : k % 7 == 3 ? 0.0
                                              : v);
            }
            const double time = trial * 1.5e-4;
            const std::string prefix = std::to_string(static_cast<long>(std::pow(10.0, trial)));
            std::vector<std::string> fields{recordValueText(time)};
            for (double v : values)
                fields.push_back(recordValueText(v));
            const int lines = recordLineCount(species);
            std::string expected;
            for (const std::string& line : recordLines(prefix, fields, lines))
                expected += line + "\n";
            std::string written = "before\n";
            appendValueRecord(written, prefix, time, values.data(), values.size(), lines);
            ASSERT_EQ(written, "before\n" + expected) << species << " species, trial " << trial;
        }
    }
}

TEST(OutputRecords, ValuesKeepTheirDigits) {
    for (double v : {1.0 / 3, -2.0 / 3 * 1e-50, 6.02214076e23, 2621.8812345678}) {
        const double back = std::stod(recordValueText(v));
        EXPECT_NEAR(back / v, 1, 1e-9) << v;
    }
}

} // namespace
} // namespace kinetra::engine
