#include "charts/ChartModel.h"

#include "ChartTestSupport.h"
#include "support/FakeUi.h"

#include <gtest/gtest.h>
#include <map>

namespace kinetra {
namespace {

using namespace testing;

using test::rampBuffer;
using test::scriptedDraws;

TEST(ChartModel, IntitCopiesNumericSlotsOnlyAndSetsTitles) {
    ChartModel chart(scriptedDraws({7, 3}));
    ChartBuffer b = rampBuffer(2, 4);
    b.data[0][1] = kEmptySlot;
    b.data[1][2] = std::numeric_limits<double>::quiet_NaN();
    b.data[3].resize(2); // a short row leaves the rest empty
    chart.intit(b, false);

    ASSERT_EQ(chart.subsetCount(), 2);
    EXPECT_EQ(chart.pointCount(), 4);
    EXPECT_EQ(chart.subset(0).x, (std::vector<double>{1, kEmptySlot, 3, 4}));
    EXPECT_EQ(chart.subset(0).y, (std::vector<double>{0, 1, kEmptySlot, 3}));
    EXPECT_EQ(chart.subset(1).y, (std::vector<double>{10, 11, kEmptySlot, kEmptySlot}));
    EXPECT_EQ(chart.subset(0).colour, 9); // a drawn 7 is light blue, 9
    EXPECT_EQ(chart.subset(1).colour, 3);
    EXPECT_EQ(chart.content().mainTitle, "Main");
    EXPECT_EQ(chart.content().subTitle, "          ");
    EXPECT_EQ(chart.content().xLabel, "Temperature (K)");
    EXPECT_EQ(chart.content().yLabel, "Y-Axis");
}

TEST(ChartModel, NoSubsetsDrawNothing) {
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(2, 3), false);
    chart.intit(rampBuffer(0, 3), false);
    EXPECT_EQ(chart.subsetCount(), 2);
}

TEST(ChartModel, RebuildWithoutKeepLayoutClearsEveryAnnotationSlot) {
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(1, 3), false);
    chart.setAnnotation(0, Annotation{1, 2, "peak", 1, 4});
    chart.setAnnotation(300, Annotation{0, 0, "Histogram", 0, 0});
    chart.intit(rampBuffer(1, 3), true);
    EXPECT_TRUE(chart.isHistogram());
    chart.intit(rampBuffer(1, 3), false);
    EXPECT_FALSE(chart.isHistogram());
    EXPECT_EQ(chart.annotation(0), Annotation{});
}

TEST(ChartModel, SubsetColoursAreTheEightStandardOnesWithEqualChances) {
    std::map<int, int> counts;
    const auto draw = randomWholeNumbers(42);
    for (int i = 0; i < 8000; ++i)
        ++counts[drawSubsetColour(draw)];
    ASSERT_EQ(counts.size(), 8u);
    for (int colour : {0, 1, 2, 3, 4, 5, 6, 9}) {
        EXPECT_GT(counts[colour], 850) << colour;
        EXPECT_LT(counts[colour], 1150) << colour;
    }
}

TEST(ChartModel, NewSubsetsDrawAgainForAColourAlreadyShown) {
    ChartModel chart(scriptedDraws({2, 2, 2, 5, 2, 5, 6}));
    chart.intit(rampBuffer(3, 4), false);
    EXPECT_EQ(chart.subset(0).colour, 2);
    EXPECT_EQ(chart.subset(1).colour, 5);
    EXPECT_EQ(chart.subset(2).colour, 6);
}

TEST(ChartModel, AddingFiftyPointsToThirtyWidensEverySubset) {
    ChartModel chart(scriptedDraws({1, 2, 4}));
    chart.intit(rampBuffer(2, 30), false);
    chart.setMainTitle("kept");
    chart.setSubsetStyle(0, 5, 2);
    chart.subSetAdd(rampBuffer(1, 50, "A"));

    ASSERT_EQ(chart.subsetCount(), 3);
    EXPECT_EQ(chart.pointCount(), 50);
    for (int s : {0, 1}) {
        for (int p = 30; p < 50; ++p) {
            EXPECT_EQ(chart.subset(s).x[p], kEmptySlot);
            EXPECT_EQ(chart.subset(s).y[p], kEmptySlot);
        }
        EXPECT_EQ(chart.subset(s).y[29], 10.0 * s + 29);
    }
    EXPECT_EQ(chart.subset(2).label, "A0");
    EXPECT_EQ(chart.subset(2).x[49], 50);
    EXPECT_EQ(chart.subset(0).colour, 5);
    EXPECT_EQ(chart.subset(0).lineStyle, 2);
    EXPECT_EQ(chart.subset(1).colour, 2);
    EXPECT_EQ(chart.subset(2).colour, 4);
    EXPECT_EQ(chart.content().mainTitle, "kept");
    EXPECT_TRUE(chart.isModified());
}

TEST(ChartModel, AddingShorterSubsetsKeepsThePointCount) {
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(1, 30), false);
    chart.subSetAdd(rampBuffer(2, 5));
    EXPECT_EQ(chart.pointCount(), 30);
    EXPECT_EQ(chart.subsetCount(), 3);
    EXPECT_EQ(chart.subset(2).x[4], 5);
    EXPECT_EQ(chart.subset(2).x[5], kEmptySlot);
}

TEST(ChartModel, ChartOfOneSubsetWithAtMostOnePointIsReplacedByAnAddition) {
    for (int points : {0, 1}) {
        ChartModel chart(scriptedDraws({}));
        chart.intit(rampBuffer(1, points), false);
        chart.setMainTitle("stays");
        chart.subSetAdd(rampBuffer(2, 4, "new"));
        ASSERT_EQ(chart.subsetCount(), 2) << points;
        EXPECT_EQ(chart.subset(0).label, "new0");
        EXPECT_EQ(chart.pointCount(), 4);
        EXPECT_EQ(chart.content().mainTitle, "stays");
    }
    // Two points are a chart: the addition goes after them.
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(1, 2), false);
    chart.subSetAdd(rampBuffer(1, 4, "new"));
    EXPECT_EQ(chart.subsetCount(), 2);
}

TEST(ChartModel, DeletingTheSelectedSubset) {
    FakeDialogs dialogs;
    ChartModel chart(scriptedDraws({1, 2, 3}));
    chart.intit(rampBuffer(3, 4), false);
    chart.select(1);
    EXPECT_TRUE(chart.subsetDel(dialogs));
    ASSERT_EQ(chart.subsetCount(), 2);
    EXPECT_EQ(chart.subset(1).label, "S2");
    EXPECT_EQ(chart.subset(1).colour, 3); // the remaining subsets keep their colours
    EXPECT_FALSE(chart.selected());
    EXPECT_TRUE(chart.isModified());
    EXPECT_TRUE(dialogs.shown.empty());
    // Without a selection nothing goes.
    EXPECT_FALSE(chart.subsetDel(dialogs));
    EXPECT_EQ(chart.subsetCount(), 2);
}

TEST(ChartModel, DeletingTheLastSubsetIsRefused) {
    FakeDialogs dialogs;
    ChartModel chart(scriptedDraws({}));
    chart.intit(rampBuffer(1, 4), false);
    const ChartContent before = chart.content();
    chart.select(0);
    EXPECT_FALSE(chart.subsetDel(dialogs));
    EXPECT_EQ(chart.content(), before);
    EXPECT_FALSE(chart.isModified());
    EXPECT_FALSE(chart.selected());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "The chart contains only one profile; it cannot be deleted.");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
}

TEST(ChartModel, DescriptionSplitsAtFortyEightCharacters) {
    const std::string exactly48(48, 'd');
    struct Case {
        std::string text, slot101, slot102;
    } cases[] = {
        {"short", "short", "Empty"},
        {exactly48, exactly48, "Empty"},
        {exactly48 + "tail", exactly48, "tail"},
        // A two-byte letter counts as one character and is never cut in half.
        {std::string(47, 'a') + "\xC3\xA9" + "b", std::string(47, 'a') + "\xC3\xA9", "b"},
    };
    for (const Case& c : cases) {
        ChartModel chart(scriptedDraws({}));
        chart.setDescription(c.text);
        EXPECT_EQ(chart.annotation(101).text, c.slot101);
        EXPECT_EQ(chart.annotation(102).text, c.slot102);
        EXPECT_EQ(chart.description(), c.text);
    }
}

TEST(ChartModel, ShowAllTextFillsOnlyEmptyTexts) {
    ChartModel chart(scriptedDraws({}));
    ChartBuffer b = rampBuffer(3, 2);
    b.titles = {};
    b.labels[0] = "";
    b.labels[1] = "kept";
    b.labels[2] = "  ";
    chart.intit(b, false);
    chart.setYLabel("");
    chart.showAllText();
    EXPECT_EQ(chart.content().mainTitle, "Main Title");
    EXPECT_EQ(chart.content().subTitle, "SubTitle"); // ten blanks count as empty
    EXPECT_EQ(chart.content().xLabel, "X-Axis");
    EXPECT_EQ(chart.content().yLabel, "Y-Axis");
    EXPECT_EQ(chart.subset(0).label, "Subset 1");
    EXPECT_EQ(chart.subset(1).label, "kept");
    EXPECT_EQ(chart.subset(2).label, "Subset 3");
}

TEST(ChartModel, NewAnnotationTakesTheFirstFreeSlotUpToNinetyNine) {
    FakeDialogs dialogs;
    ChartModel chart(scriptedDraws({}));
    chart.setAnnotation(0, Annotation{1, 1, "first", 0, 0});
    chart.setAnnotation(1, Annotation{1, kEmptySlot, "placed nowhere", 0, 0});
    EXPECT_EQ(chart.textAnnotationsNew(5, 6, dialogs), 1);
    EXPECT_EQ(chart.annotation(1), (Annotation{5, 6, "New Annotation", 0, 0}));
    for (int slot = 2; slot < 100; ++slot)
        chart.setAnnotation(slot, Annotation{0, 0, "x", 0, 0});
    chart.markSaved();
    EXPECT_EQ(chart.textAnnotationsNew(5, 6, dialogs), std::nullopt);
    EXPECT_FALSE(chart.isModified());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "The number of annotations is greater than 1000. A new "
                                   "annotation cannot be created.");
}

TEST(ChartModel, HandOverBecomesTheNewChartBuffer) {
    ChartHandOver h;
    h.title = "H2O";
    h.x = {300, 400};
    h.subsets = {{"H", {1, 2}}, {"Cp", {3, kEmptySlot}}};
    const ChartBuffer b = bufferOf(h);
    EXPECT_EQ(b.subsetCount, 2);
    EXPECT_EQ(b.pointCount, 2);
    EXPECT_EQ(b.data,
              (std::vector<std::vector<double>>{{300, 400}, {1, 2}, {300, 400}, {3, kEmptySlot}}));
    EXPECT_EQ(b.labels, (std::vector<std::string>{"H", "Cp"}));
    EXPECT_EQ(b.titles[0], "H2O");
    EXPECT_EQ(b.titles[2], "Temperature (K)");
    ChartModel chart(scriptedDraws({}));
    chart.intit(b, false);
    EXPECT_TRUE(chart.hasDrawablePoint());
}

TEST(ScratchChart, CaptionsAndWhenCtrlAdds) {
    EXPECT_EQ(scratchCaption(ScratchKind::AgainstTemperature), "Temporary Chart");
    EXPECT_EQ(scratchCaption(ScratchKind::AgainstTime), "Temporary Chart ");
    EXPECT_TRUE(isScratchCaption("Temporary Chart"));
    EXPECT_TRUE(isScratchCaption("Temporary Chart "));
    EXPECT_FALSE(isScratchCaption("run.pg"));

    const std::optional<std::string> none, temperature = "Temporary Chart",
                                           time = "Temporary Chart ";
    struct Case {
        bool ctrl;
        std::optional<std::string> open;
        ScratchKind kind;
        bool adds;
    } cases[] = {
        {true, temperature, ScratchKind::AgainstTemperature, true},
        {false, temperature, ScratchKind::AgainstTemperature, false},
        {true, none, ScratchKind::AgainstTemperature, false},
        {true, time, ScratchKind::AgainstTemperature, false},
        {true, time, ScratchKind::AgainstTime, true},
        {true, temperature, ScratchKind::AgainstTime, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(addsToScratch(c.ctrl, c.open, c.kind), c.adds);
}

TEST(ScratchChart, NeverAsksToBeSaved) {
    EXPECT_FALSE(closeAsksToSave("Temporary Chart", true));
    EXPECT_FALSE(closeAsksToSave("Temporary Chart ", true));
    EXPECT_FALSE(closeAsksToSave("temporary chart", true));
    EXPECT_TRUE(closeAsksToSave("flame.pg", true));
    EXPECT_FALSE(closeAsksToSave("flame.pg", false));
}

TEST(PointReadout, Texts) {
    EXPECT_EQ(xReadout(2.5),
              std::make_pair(std::string("X = 2.50E+00"), std::string("10^X = 3.16228E+02")));
    EXPECT_EQ(yReadout(-1),
              std::make_pair(std::string("Y = -1.000E+00"), std::string("10^Y = 1.000E-01")));
    EXPECT_EQ(xReadout(400).second, "10^X = Overflow");
    EXPECT_EQ(yReadout(1000).second, "10^Y = Overflow");
}

} // namespace
} // namespace kinetra
