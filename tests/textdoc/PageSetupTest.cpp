#include "textdoc/PageSetup.h"

#include <gtest/gtest.h>

namespace kinetra::textdoc {
namespace {

TEST(PageSetupTest, MarginsAreClampedToAQuarterAndTenInches) {
    EXPECT_DOUBLE_EQ(clampedMargin(0.1), 0.25);
    EXPECT_DOUBLE_EQ(clampedMargin(12), 10);
    EXPECT_DOUBLE_EQ(clampedMargin(1.5), 1.5);
}

TEST(PageSetupTest, EntriesAreCheckedInOrderAndMustFitThePaper) {
    const struct {
        PageSetupEntries entries;
        std::string message; // empty: accepted
        double left = 0;
        int first = 0;
    } cases[] = {
        {{"0.1", "0.5", "1", "1", "3"}, "", 0.25, 3},
        {{"3.5", "3.5", "1", "1", "-2", Paper::Letter}, "", 3.5, -2},
        {{"4", "4", "1", "1", "1", Paper::Letter}, "Print setup, reduce the page margins."},
        {{"0.5", "12", "1", "1", "1", Paper::A4}, "Print setup, reduce the page margins."},
        {{"0.5", "0.5", "5", "5", "1", Paper::Letter}, "Print setup, reduce the page margins."},
        {{"x", "y", "1", "1", "1"}, "Left margin, please enter a positive number."},
        {{"0.5", "x", "1", "1", "1"}, "Right margin, please enter a positive number."},
        {{"0.5", "0.5", "0", "1", "1"}, "Top margin, please enter a positive number."},
        {{"0.5", "0.5", "1", "-1", "1"}, "Bottom margin, please enter a positive number."},
        {{"0.5", "0.5", "1", "1", "one"}, "The first page number, please enter an integer."},
        {{"0.5", "0.5", "1", "1", "2.5"}, "The first page number, please enter an integer."},
    };
    for (const auto& c : cases) {
        auto result = checkPageSetup(c.entries);
        EXPECT_EQ(result.message, c.message) << c.entries.left << " " << c.entries.right;
        ASSERT_EQ(result.settings.has_value(), c.message.empty());
        if (result.settings) {
            EXPECT_DOUBLE_EQ(result.settings->left, c.left);
            EXPECT_EQ(result.settings->firstPageNumber, c.first);
        }
    }
}

TEST(PageSetupTest, PageNumbersAndNote) {
    EXPECT_EQ(printedPageNumber(1, 5), 5);
    EXPECT_EQ(printedPageNumber(3, 1), 3);
    EXPECT_EQ(printedPortionNote(false).rfind("The entire document will be printed. ", 0), 0u);
    EXPECT_EQ(printedPortionNote(true).rfind("Selected portion of the text will be printed. ", 0),
              0u);
}

} // namespace
} // namespace kinetra::textdoc
