#include "charts/SubsetText.h"

#include "ChartTestSupport.h"
#include "support/FakeUi.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

using namespace testing;

using test::rampBuffer;
using test::scriptedDraws;

const LocalDateTime kWhen{2026, 12, 6, 14, 5, 9};

TEST(SubsetText, WritesTheHeaderLabelsAndSeventeenCharacterFields) {
    ChartModel chart(scriptedDraws({}));
    ChartBuffer b = rampBuffer(1, 3);
    b.labels[0] = "H \"enthalpy\"";
    b.data[1][1] = kEmptySlot;
    chart.intit(b, false);
    chart.setDescription("H2O from the test database");
    EXPECT_EQ(subsetText(chart, 0, kWhen), "!KINETRA  Dec 6 2026  14:05:09\r\n"
                                           "!H2O from the test database\r\n"
                                           "\"Temperature (K)\",\"H \"\"enthalpy\"\"\"\r\n"
                                           "   1.00000000E+00   0.00000000E+00\r\n"
                                           "   2.00000000E+00 Empty \r\n"
                                           "   3.00000000E+00   2.00000000E+00\r\n");
}

TEST(SubsetText, RoundTripKeepsEmptySlotsLabelsAndDescription) {
    ChartModel chart(scriptedDraws({}));
    ChartBuffer b = rampBuffer(2, 5);
    b.data[2] = {kEmptySlot, -1.5e-7, 3, kEmptySlot, 5};
    b.data[3] = {1, 2, kEmptySlot, kEmptySlot, 123456.789};
    b.labels[1] = "OH \"radical\", K";
    chart.intit(b, false);
    chart.setDescription(std::string(50, 'x'));
    const auto read = readSubsetText(subsetText(chart, 1, kWhen));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->x, b.data[2]);
    EXPECT_EQ(read->y, b.data[3]);
    EXPECT_EQ(read->label, "OH \"radical\", K");
    EXPECT_EQ(read->xLabel, "Temperature (K)");
    EXPECT_EQ(read->description, std::string(50, 'x'));

    // Pasting it back adds a subset equal to the copied one.
    FakeClipboard clipboard;
    FakeDialogs dialogs;
    clipboard.content = subsetText(chart, 1, kWhen);
    ASSERT_TRUE(pasteSubset(chart, clipboard, dialogs));
    ASSERT_EQ(chart.subsetCount(), 3);
    EXPECT_EQ(chart.subset(2).x, chart.subset(1).x);
    EXPECT_EQ(chart.subset(2).y, chart.subset(1).y);
    EXPECT_EQ(chart.subset(2).label, chart.subset(1).label);
}

TEST(SubsetText, ClipboardWithoutAPointIsRefused) {
    const char* texts[] = {
        "",
        "just some words\r\n",
        "!KINETRA  Dec 6 2026  14:05:09\r\n!\r\n\"X\",\"Y\"\r\n Empty  Empty \r\n",
        "1.0 Empty\r\nEmpty 2.0\r\n",
    };
    for (const char* text : texts) {
        ChartModel chart(scriptedDraws({}));
        chart.intit(rampBuffer(1, 3), false);
        FakeClipboard clipboard;
        clipboard.content = text;
        FakeDialogs dialogs;
        EXPECT_FALSE(pasteSubset(chart, clipboard, dialogs)) << text;
        EXPECT_EQ(chart.subsetCount(), 1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.last().text, "There is no data on the clipboard to plot a profile.");
    }
}

TEST(SubsetText, ReaderToleratesOtherSeparatorsAndExtraColumns) {
    const auto read = readSubsetText("1\t2\n3   4  99\n\n5 Empty\n");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->x, (std::vector<double>{1, 3, 5}));
    EXPECT_EQ(read->y, (std::vector<double>{2, 4, kEmptySlot}));
}

} // namespace
} // namespace kinetra
