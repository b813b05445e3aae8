#include "charts/ChartExport.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

constexpr long inches(double n) {
    return static_cast<long>(n * 1440);
}

TEST(ChartExport, SubsetAndSizeLimits) {
    const std::string tooMany11 = "The maximum number of subsets that can be processed is 10; you "
                                  "are attempting to process 11.";
    const std::string oversized =
        "Chart is oversized, the maximum chart size is 7 x 7 inches (178 x 178 mmm).";
    struct Case {
        int subsets;
        long width, height;
        std::string problem;
    } cases[] = {
        {10, inches(5), inches(5), ""},
        {11, inches(5), inches(5), tooMany11},
        {11, inches(8), inches(8), tooMany11}, // the subset count is checked first
        {1, inches(7), inches(7), ""},
        {1, inches(7.1), inches(5), oversized},
        {1, inches(5), inches(7.1), oversized},
        // 10081 twips make 17779 hundredths of a millimetre (truncated), 10082 make 17781.
        {1, 10081, 10081, ""},
        {1, 10082, 100, oversized},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exportProblem(c.subsets, c.width, c.height).value_or(""), c.problem)
            << c.subsets << " " << c.width << " " << c.height;
    EXPECT_EQ(hundredthsOfMm(10081), 17779);
    EXPECT_EQ(hundredthsOfMm(10082), 17781);
}

TEST(ChartExport, ExtensionAndSizeTexts) {
    EXPECT_TRUE(hasChartExtension("/tmp/a.pg"));
    EXPECT_TRUE(hasChartExtension("A.PG"));
    EXPECT_FALSE(hasChartExtension("a.txt"));
    EXPECT_FALSE(hasChartExtension("pg"));
    EXPECT_EQ(wrongChartExtensionMessage("/d/a.txt"),
              "You are attempting to save the chart to file with a wrong file extension. \n\n"
              "/d/a.txt\n\nThe correct extension is 'pg'.");
    EXPECT_EQ(chartSizeText(7200, 5040), "Chart: Width = 5.0'', Height = 3.5''");
}

} // namespace
} // namespace kinetra
