#include "results/ResultProfiles.h"

#include "OutputText.h"
#include "results/ResultActions.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kinetra::results {
namespace {

using namespace testing;
using ::kinetra::testing::FakeDialogs;
using ::kinetra::testing::TempDir;

constexpr UnitConstants kConstants{8.314462618, 1.987204259, 6.02214076e23};

PlotSettings with(void (*change)(PlotSettings&)) {
    PlotSettings s;
    change(s);
    return s;
}

// Records at 0, 0.1, 0.2 and 0.3 s.
TEST(ResultProfiles, SettingsRefusedInOrder) {
    const SolverOutput out = twoSpecies(false);
    struct Case {
        PlotSettings settings;
        std::optional<std::string> refusal;
    };
    const std::string order =
        "The initial time is equal to or greater than the final time. Enter correct values.";
    const std::string outside = "The time interval holds no output record; the output times run "
                                "from 0.000E+00 to 3.000E-01 sec.";
    const std::vector<Case> cases{
        {PlotSettings{}, std::nullopt},
        {with([](auto& s) {
             s.timeFrom = " 0.1 ";
             s.timeTo = "2E-1";
         }),
         std::nullopt},
        {with([](auto& s) { s.timeFrom = "  "; }), std::nullopt},
        {with([](auto& s) { s.timeFrom = "0,1"; }), "Initial time, please enter a number."},
        {with([](auto& s) {
             s.timeFrom = "x";
             s.timeTo = "y";
         }),
         "Initial time, please enter a number."},
        {with([](auto& s) { s.timeTo = "1 s"; }), "Final time, please enter a number."},
        {with([](auto& s) {
             s.timeFrom = "0.2";
             s.timeTo = "0.2";
         }),
         order},
        {with([](auto& s) {
             s.timeFrom = "0.3";
             s.timeTo = "0.1";
             s.pointInterval = "0";
         }),
         order},
        {with([](auto& s) { s.timeFrom = "0.31"; }), outside},
        {with([](auto& s) { s.timeTo = "-1"; }), outside},
        {with([](auto& s) {
             s.timeFrom = "0.11";
             s.timeTo = "0.19";
         }),
         outside},
        {with([](auto& s) { s.timeFrom = "0.3"; }), std::nullopt}, // the last record itself
        {with([](auto& s) { s.pointInterval = "0"; }),
         "Interval of points, please enter a positive integer."},
        {with([](auto& s) { s.pointInterval = "1.5"; }),
         "Interval of points, please enter a positive integer."},
        {with([](auto& s) { s.xScale = "0"; }),
         "Scaling factor for X-axis, please enter a nonzero number."},
        {with([](auto& s) {
             s.xScale = "-2";
             s.logX = true;
         }),
         "Scaling factor for logarithmic X-axis, a positive number is required."},
        {with([](auto& s) { s.yScale = "a"; }), "Scaling factor, please enter a nonzero number."},
        {with([](auto& s) {
             s.yScale = "-1";
             s.logY = true;
         }),
         "Scaling factor for logarithmic Y-axis, a positive number is required."},
        {with([](auto& s) { s.yScale = "-1"; }), std::nullopt},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(plotSettingsRefusal(cases[i].settings, out), cases[i].refusal) << "case " << i;
    EXPECT_EQ(checkedRowsRefusal(0), "In the tables there are no checked parameters.");
    EXPECT_EQ(checkedRowsRefusal(20), std::nullopt);
    EXPECT_EQ(checkedRowsRefusal(21), "The maximum number of subsets you can view is 20; you are "
                                      "attempting to view 21.");
}

TEST(ResultProfiles, ChartHandOverOfOneRow) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    s.xScale = "1000";
    s.pointInterval = "2";
    const ProfileOutcome t = resultProfile(out, means, {MeanQuantity::Temperature, 0}, s, true);
    ASSERT_TRUE(t.chart);
    EXPECT_EQ(t.chart->windowCaption, "Temporary Chart ");
    EXPECT_EQ(t.chart->xLabel, "Time (sec) x 1.0E+03");
    EXPECT_EQ(t.chart->title, "Temperature");
    EXPECT_TRUE(t.chart->addToExisting);
    EXPECT_EQ(t.chart->x, (std::vector<double>{0, 200}));
    ASSERT_EQ(t.chart->subsets.size(), 1u);
    EXPECT_EQ(t.chart->subsets[0].label, "Temperature, K");
    EXPECT_EQ(t.chart->subsets[0].y, (std::vector<double>{1000, 2000}));

    s = PlotSettings{};
    s.logY = true;
    s.logX = true;
    s.timeTo = "0.25";
    const ProfileOutcome h2 = resultProfile(out, means, {std::nullopt, 0}, s);
    ASSERT_TRUE(h2.chart);
    EXPECT_FALSE(h2.chart->addToExisting);
    EXPECT_EQ(h2.chart->xLabel, "L0g10 Time (sec)");
    EXPECT_EQ(h2.chart->subsets[0].label, "Log10 Mole Fraction [H2]");
    // Time 0 has no logarithm, 0.3 lies past the interval.
    ASSERT_EQ(h2.chart->x.size(), 2u);
    EXPECT_DOUBLE_EQ(h2.chart->x[0], -1);
    EXPECT_DOUBLE_EQ(h2.chart->x[1], std::log10(0.2));
    // Mass fractions 0.2 and 0.8 of M 2 and 32: x(H2) = 0.1 / 0.125 = 0.8.
    EXPECT_NEAR(h2.chart->subsets[0].y[0], std::log10(0.8), 1e-12);

    SolverOutput zero = out;
    for (auto& r : zero.records)
        r[2] = 0;
    zero.records[1][2] = -1e-30; // a negative value has no logarithm either
    const auto zeroMeans =
        meanParameters(zero, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings plain;
    plain.timeFrom = "0.2";
    EXPECT_EQ(resultProfile(zero, zeroMeans, {std::nullopt, 0}, plain).refusal,
              "You are attempting to plot the function H2 where all values are zero. The "
              "function cannot be plotted.");
    EXPECT_EQ(resultProfile(zero, zeroMeans, {std::nullopt, 0}, s).refusal,
              "You are attempting to plot the function H2 where all values are zero or "
              "logarithms of negative numbers. The function cannot be plotted.");
}

TEST(ResultProfiles, CheckedRowsShareTheTimesAndMarkMissingLogarithms) {
    SolverOutput out = twoSpecies(false);
    out.records[2][3] = 0; // no O2 at 0.2 s
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    s.logY = true;
    const ProfileOutcome both =
        checkedRowsProfiles(out, means, {{MeanQuantity::Temperature, 0}, {std::nullopt, 1}}, s);
    ASSERT_TRUE(both.chart);
    EXPECT_EQ(both.chart->windowCaption, "Temporary Chart ");
    EXPECT_EQ(both.chart->title, "");
    EXPECT_EQ(both.chart->x, (std::vector<double>{0, 0.1, 0.2, 0.3}));
    ASSERT_EQ(both.chart->subsets.size(), 2u);
    EXPECT_EQ(both.chart->subsets[0].label, "Log10 Temperature, K");
    EXPECT_EQ(both.chart->subsets[1].label, "Log10 Mole Fraction [O2]");
    ASSERT_EQ(both.chart->subsets[1].y.size(), 4u);
    EXPECT_EQ(both.chart->subsets[1].y[2], kEmptySlot);
    EXPECT_DOUBLE_EQ(both.chart->subsets[0].y[3], std::log10(2000.0));

    // One row that cannot be plotted refuses the whole chart.
    SolverOutput noH2 = twoSpecies(false);
    for (auto& r : noH2.records)
        r[2] = 0;
    const auto noH2Means =
        meanParameters(noH2, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    const ProfileOutcome refused = checkedRowsProfiles(
        noH2, noH2Means, {{MeanQuantity::Temperature, 0}, {std::nullopt, 0}}, PlotSettings{});
    EXPECT_FALSE(refused.chart);
    EXPECT_NE(refused.refusal.find("function H2 where all values are zero"), std::string::npos);
}

TEST(ResultActions, RefusalsAreShownAndNothingIsHandedOver) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    const ResultView view{out, means, s};
    FakeDialogs dialogs;
    EXPECT_FALSE(viewCheckedRows(view, {}, false, dialogs));
    EXPECT_EQ(dialogs.last().text, "In the tables there are no checked parameters.");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    const std::vector<ResultRow> many(21, ResultRow{MeanQuantity::Temperature, 0});
    EXPECT_FALSE(viewCheckedRows(view, many, false, dialogs));
    EXPECT_EQ(dialogs.last().text, "The maximum number of subsets you can view is 20; you are "
                                   "attempting to view 21.");
    s.timeFrom = "0.3";
    s.timeTo = "0.1";
    EXPECT_FALSE(plotRow(view, {MeanQuantity::Pressure, 0}, false, dialogs));
    EXPECT_EQ(dialogs.last().text,
              "The initial time is equal to or greater than the final time. Enter correct values.");
    s = PlotSettings{};
    const std::size_t shown = dialogs.shown.size();
    const auto twenty = viewCheckedRows(
        view, std::vector<ResultRow>(20, ResultRow{MeanQuantity::Pressure, 0}), true, dialogs);
    ASSERT_TRUE(twenty);
    EXPECT_EQ(twenty->subsets.size(), 20u);
    EXPECT_TRUE(twenty->addToExisting);
    EXPECT_EQ(dialogs.shown.size(), shown);
}

// A row the output no longer holds (a stale table) is an unexpected error, reported with the
// command's place code; nothing is handed over or written.
TEST(ResultActions, UnexpectedErrorsCarryTheCommandsPlaceCode) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    const PlotSettings s;
    const ResultView view{out, means, s};
    const ResultRow stale{std::nullopt, 7};
    FakeDialogs dialogs;
    EXPECT_FALSE(plotRow(view, stale, false, dialogs));
    EXPECT_EQ(dialogs.last().text.rfind("Sol#107. ", 0), 0u) << dialogs.last().text;
    EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);
    EXPECT_FALSE(viewCheckedRows(view, {{MeanQuantity::Temperature, 0}, stale}, false, dialogs));
    EXPECT_EQ(dialogs.last().text.rfind("Sol#123. ", 0), 0u) << dialogs.last().text;

    TempDir dir;
    const auto missing = dir / "no-such-folder";
    EXPECT_FALSE(writeCheckedRowsData(view, {{MeanQuantity::Temperature, 0}}, "/x/run.out",
                                      {2026, 12, 7, 9, 5, 3}, missing, dialogs));
    EXPECT_EQ(dialogs.last().text.rfind("MenForm#121. ", 0), 0u) << dialogs.last().text;
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::size_t shown = dialogs.shown.size();
    const auto text = writeCheckedRowsData(view, {{MeanQuantity::Temperature, 0}}, "/x/run.out",
                                           {2026, 12, 7, 9, 5, 3}, dir.path(), dialogs);
    ASSERT_TRUE(text);
    EXPECT_EQ(dialogs.shown.size(), shown);
    std::ifstream written(dir / "TmpPlot.txt", std::ios::binary);
    std::ostringstream content;
    content << written.rdbuf();
    EXPECT_EQ(content.str(), *text);
    EXPECT_NE(text->find("  Mean parameters\r\n"), std::string::npos);
}

TEST(ResultActions, OpenResultsShowsTheReadingsMessage) {
    TempDir dir;
    const auto path = dir.write("short.out", numberedOutput(2, 3));
    FakeDialogs dialogs;
    EXPECT_FALSE(openResults(path, dialogs));
    EXPECT_EQ(dialogs.last().text,
              "In the file " + path.string() + " the output data is incomplete.");
    const auto good = dir.write("good.out", numberedOutput(2, 4));
    EXPECT_TRUE(openResults(good, dialogs));
}

TEST(ResultProfiles, NumericDataText) {
    const SolverOutput out = twoSpecies(false);
    const auto means =
        meanParameters(out, ConcentrationUnit::MolPerCm3, EnergyUnit::Joule, kConstants);
    PlotSettings s;
    s.concentrations = true;
    const std::string text =
        numericDataText(out, means, {{MeanQuantity::Pressure, 0}, {std::nullopt, 1}}, s,
                        "/x/run.out", {2026, 12, 7, 9, 5, 3});
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n  ") + 4),
              "  Kinetra, Dec 7 2026, 09:05:03\r\n  Solver file:  /x/run.out\r\n\r\n");
    EXPECT_NE(text.find("  Mean parameters and Concentrations, mol/cm^3\r\n"), std::string::npos);
    EXPECT_NE(text.find("       P, atm               O2"), std::string::npos) << text;
    EXPECT_NE(text.find("     1       0.000E+00        2.000E+00        4.875E-06\r\n"),
              std::string::npos)
        << text;
}

} // namespace
} // namespace kinetra::results
