#include "charts/ChartFile.h"

#include "ChartTestSupport.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace kinetra {
namespace {

using namespace testing;

using test::rampBuffer;
using test::scriptedDraws;

// A chart where every field differs from its default.
ChartContent everyFieldSet() {
    ChartModel chart(scriptedDraws({1, 4, 9}));
    ChartBuffer b = rampBuffer(3, 6);
    b.data[1][2] = kEmptySlot;
    b.data[4][0] = -1.234567890123e-300;
    b.data[5][5] = 6.02214076e23;
    b.labels[2] = "C\"p\" \\ é\ttab\nline";
    chart.intit(b, false);
    chart.setSubTitle("sub");
    chart.setYLabel("H (kJ/mol)");
    chart.setSubsetStyle(1, 13, 3);
    ChartContent c = chart.content();
    c.subsets[0].shown = false;
    c.subsets[2].symbol = -1;
    c.annotations[0] = Annotation{350.5, -2, "peak", 2, 12};
    c.annotations[99] = Annotation{1, 2, "last user slot", 0, 0};
    c.annotations[101].text = std::string(48, 'd');
    c.annotations[102].text = "rest";
    c.annotations[300].text = "Histogram";
    c.grid = true;
    c.pointSymbols = true;
    c.look.xAxis = AxisSetup{AxisScale::Log, 1e-3, 1e4, 7, 3, 5};
    c.look.yAxis = AxisSetup{AxisScale::Linear, -5, 5, 20, 10, 1};
    c.look.mainTitleFont = ChartFont{"Serif", true, false};
    c.look.subTitleFont = ChartFont{"Mono", false, true};
    c.look.textFont = ChartFont{"Sans", true, true};
    c.look.textSize = SizeChoice::Small;
    c.look.pointSize = SizeChoice::Large;
    c.look.colours = {1, 2, 3, 0xFFFFFF, 5, 0xABCDEF};
    return c;
}

TEST(ChartFile, EveryFieldRoundTrips) {
    TempDir dir;
    const auto path = dir.path() / "flame.pg";
    const ChartContent chart = everyFieldSet();
    writeChartFile(path, chart);
    const auto read = readChartFile(path);
    ASSERT_TRUE(std::holds_alternative<ChartContent>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<ChartContent>(read), chart);
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ChartFile, MonochromeChartKeepsItsColoursAndIsSavedInColourStyle) {
    TempDir dir;
    const auto path = dir.path() / "mono.pg";
    ChartModel chart(scriptedDraws({4, 5}));
    chart.intit(rampBuffer(2, 3), false);
    chart.setMonochrome(true);
    chart.mustSave();
    writeChartFile(path, chart.content());
    chart.markSaved();
    EXPECT_TRUE(chart.content().monochrome); // still drawn in monochrome
    EXPECT_FALSE(chart.isModified());
    const auto read = readChartFile(path);
    ASSERT_TRUE(std::holds_alternative<ChartContent>(read));
    const ChartContent& file = std::get<ChartContent>(read);
    EXPECT_FALSE(file.monochrome);
    EXPECT_EQ(file.subsets[0].colour, 4);
    EXPECT_EQ(file.subsets[1].colour, 5);
}

TEST(ChartFile, FailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    const auto path = dir.path() / "keep.pg";
    writeChartFile(path, everyFieldSet());
    const auto before = readChartFile(path);
    EXPECT_THROW(writeChartFile(dir.path() / "no such folder" / "x.pg", everyFieldSet()),
                 std::runtime_error);
    EXPECT_EQ(readChartFile(path), before);
}

TEST(ChartFile, MalformedFilesAreRefusedWithAReason) {
    const std::string good = chartFileText(everyFieldSet());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? t : t.replace(at, from.size(), to);
    };
    struct Case {
        std::string text, reason;
    } cases[] = {
        {"", "unexpected end of the file at character 1"},
        {"Sub, 1, 2\r\n", "a value expected at character 1"},
        {"[1, 2]", "\"chart\" is not a group of named values"},
        {replaced("\"kinetra-chart\"", "\"other\""), "the file is not a chart"},
        {replaced("\"version\": 1", "\"version\": 2"),
         "the chart was written by a newer version (format 2)"},
        {replaced("\"pointCount\": 6", "\"pointCount\": 7"), "\"x\" holds 6 values instead of 7"},
        {replaced("\"pointCount\": 6", "\"pointCount\": 40000"),
         "\"pointCount\" is not a whole number from 0 to 32767"},
        {replaced("\"slot\": 300", "\"slot\": 301"),
         "\"slot\" is not a whole number from 0 to 300"},
        {replaced("\"grid\": true", "\"grid\": 1"), "\"grid\" is not true or false"},
        {replaced("\"scale\": \"log\"", "\"scale\": \"cubic\""), "unknown axis scale \"cubic\""},
        {replaced("\"grid\": true,", ""), "\"grid\" is missing"},
        {std::string(100000, '['), "data nested too deeply at character 66"},
        {good + "x",
         "text after the end of the data at character " + std::to_string(good.size() + 1)},
    };
    for (const Case& c : cases) {
        const auto read = readChartText(c.text);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.reason;
        EXPECT_EQ(std::get<std::string>(read), c.reason);
    }
}

TEST(ChartFile, RandomDamageIsRefusedOrReadNeverACrash) {
    const std::string good = chartFileText(everyFieldSet());
    std::mt19937 random(2026);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = good;
        const int damages = 1 + static_cast<int>(random() % 4);
        for (int d = 0; d < damages; ++d) {
            const std::size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text[at] = static_cast<char>(random() % 256);
                break;
            case 1:
                text.erase(at, 1 + random() % 20);
                break;
            default:
                text.resize(at);
                break;
            }
            if (text.empty())
                break;
        }
        const auto read = readChartText(text);
        if (std::holds_alternative<std::string>(read)) {
            ++refused;
            EXPECT_FALSE(std::get<std::string>(read).empty());
        } else {
            // What reads is a consistent chart: every subset holds the point count.
            const ChartContent& c = std::get<ChartContent>(read);
            for (const auto& s : c.subsets) {
                EXPECT_EQ(static_cast<int>(s.x.size()), c.pointCount);
                EXPECT_EQ(static_cast<int>(s.y.size()), c.pointCount);
            }
            EXPECT_EQ(c.annotations.size(), static_cast<std::size_t>(kAnnotationSlotCount));
        }
    }
    EXPECT_GT(refused, 300);
}

} // namespace
} // namespace kinetra
