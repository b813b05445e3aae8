#include "thermo/ThermoTabulation.h"

#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using kinetra::testing::FakeDialogs;
using Units = ThermoChartSettings::Units;

const GasConstants kGas{8.314, 1.987};

// Constant Cp/R = 3.5 below Tcom 1000 K, nothing above: values below, gaps above.
SpeciesRecord lowerOnly() {
    SpeciesRecord s;
    s.name = "N2";
    s.tcom = 1000;
    s.coefficients[7] = 3.5;
    return s;
}

ThermoChartSettings range(double tmin, double tmax, double step) {
    ThermoChartSettings s;
    s.tmin = tmin;
    s.tmax = tmax;
    s.step = step;
    return s;
}

TEST(ThermoTabulation, SetupValidationInOrder) {
    struct Case {
        const char* what;
        ChartSetupTexts texts;
        SetupField focus;
        std::string message;
    };
    auto texts = [](std::string min, std::string max, std::string step, bool any = true) {
        ChartSetupTexts t;
        t.min = min;
        t.max = max;
        t.step = step;
        t.enthalpy = t.heatCapacity = t.entropy = any;
        return t;
    };
    const std::vector<Case> cases{
        {"nothing checked before bad numbers", texts("x", "y", "z", false), SetupField::Functions,
         "Check functions you want to plot."},
        {"min not numeric", texts("abc", "4000", "100"), SetupField::Min,
         "Please enter a positive 'Min' value."},
        {"max zero", texts("300", "0", "100"), SetupField::Max,
         "Please enter a positive 'Max' value."},
        {"step negative", texts("300", "4000", "-5"), SetupField::Step,
         "Please enter a positive 'Step' value."},
        {"min above max", texts("4000", "300", "100"), SetupField::Min,
         "The Min value is greater than the Max value. Enter correct values."},
        {"step wider than the range", texts("300", "350", "100"), SetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
        {"min equals max", texts("300", "300", "1"), SetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDialogs dialogs;
        SetupValidation v = validateChartSetup(c.texts, dialogs);
        EXPECT_FALSE(v.ok());
        EXPECT_EQ(v.focus, c.focus);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.last().text, c.message);
        EXPECT_EQ(dialogs.last().title, "KINETRA");
        EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);
    }

    FakeDialogs dialogs;
    ChartSetupTexts ok = texts(" 298.15 ", "1E3", "350.925");
    ok.entropy = false;
    ok.units = Units::Calorie;
    SetupValidation v = validateChartSetup(ok, dialogs);
    ASSERT_TRUE(v.ok());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(v.settings->tmin, 298.15);
    EXPECT_EQ(v.settings->tmax, 1000);
    EXPECT_FALSE(v.settings->entropy);
    EXPECT_EQ(v.settings->units, Units::Calorie);

    ChartSetupTexts shown = ChartSetupTexts::from(ThermoChartSettings{});
    EXPECT_EQ(shown.min + " " + shown.max + " " + shown.step, "300 4000 100");
    EXPECT_EQ(checkBoxCaptions(Units::Calorie)[1], "Cp, Heat Capacity (cal/K mol)");
}

TEST(ThermoTabulation, PointsOfTheRange) {
    FakeDialogs dialogs;
    ThermoChartSettings settings;
    auto table = tabulate(lowerOnly(), settings, TabulationPurpose::Chart, kGas, dialogs);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->temperatures.size(), 38u);
    EXPECT_EQ(table->temperatures.front(), 300);
    EXPECT_EQ(table->temperatures.back(), 4000);

    // A stored range the window would refuse: widened to its two ends, and the step remembered.
    ThermoChartSettings narrow = range(300, 340, 100);
    table = tabulate(lowerOnly(), narrow, TabulationPurpose::Chart, kGas, dialogs);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->temperatures, (std::vector<double>{300, 340}));
    EXPECT_EQ(narrow.step, 40);

    // Half a step over rounds up: the last point lies beyond Max rather than being dropped.
    ThermoChartSettings half = range(300, 350, 100);
    table = tabulate(lowerOnly(), half, TabulationPurpose::Chart, kGas, dialogs);
    EXPECT_EQ(table->temperatures, (std::vector<double>{300, 400}));
    EXPECT_EQ(half.step, 100);

    // A step typed far too small is an error the caller reports, not an exhausted memory.
    ThermoChartSettings tiny = range(300, 4000, 1e-9);
    EXPECT_THROW(tabulate(lowerOnly(), tiny, TabulationPurpose::Chart, kGas, dialogs),
                 std::runtime_error);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ThermoTabulation, FunctionsUnitsAndGaps) {
    FakeDialogs dialogs;
    ThermoChartSettings settings = range(900, 1100, 100);
    settings.heatCapacity = false;
    auto chart = prepareChart(lowerOnly(), settings, kGas, true, dialogs);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->title, "N2");
    EXPECT_TRUE(chart->addToExisting);
    ASSERT_EQ(chart->subsets.size(), 2u);
    EXPECT_EQ(chart->subsets[0].label, "H (kJ/mol)");
    EXPECT_EQ(chart->subsets[1].label, "S (J/K mol)");
    const std::vector<double>& h = chart->subsets[0].y;
    EXPECT_DOUBLE_EQ(h[0], 3.5 * 900 * 8.314 * 0.001);
    EXPECT_DOUBLE_EQ(h[1], 3.5 * 1000 * 8.314 * 0.001); // Tcom belongs to the lower set
    EXPECT_EQ(h[2], kMissingPoint);

    // H/RT = 1 at 1000 K is exactly R kcal/mol in calorie units.
    SpeciesRecord one;
    one.name = "X";
    one.tcom = 1000;
    one.coefficients[0] = one.coefficients[7] = 1;
    ThermoChartSettings cal = range(1000, 2000, 1000);
    cal.units = Units::Calorie;
    auto table = tabulate(one, cal, TabulationPurpose::Chart, kGas, dialogs);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columns[0].label, "H (kcal/mol)");
    EXPECT_DOUBLE_EQ(table->columns[0].values[0], 1.987);
    EXPECT_DOUBLE_EQ(table->columns[1].values[1], 1.987);
    EXPECT_EQ(table->columns[2].label, "S (cal/K mol)");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ThermoTabulation, NothingToShow) {
    FakeDialogs dialogs;
    ThermoChartSettings none = range(300, 4000, 100);
    none.enthalpy = none.heatCapacity = none.entropy = false;
    EXPECT_FALSE(tabulate(lowerOnly(), none, TabulationPurpose::Chart, kGas, dialogs));
    EXPECT_EQ(dialogs.last().text, "No data to plot.");
    // Numeric data always takes all three functions.
    EXPECT_TRUE(tabulate(lowerOnly(), none, TabulationPurpose::NumericData, kGas, dialogs));

    ThermoChartSettings above = range(1500, 2000, 100);
    EXPECT_FALSE(prepareChart(lowerOnly(), above, kGas, false, dialogs));
    EXPECT_EQ(dialogs.last().text, "The thermodynamic functions of current species were not "
                                   "specified. Plot cannot be created.");
    kinetra::testing::TempDir dir;
    EXPECT_FALSE(writeNumericData(lowerOnly(), above, kGas, {}, dir.path(), dialogs));
    EXPECT_EQ(dialogs.last().text, "The thermodynamic functions of current species were not "
                                   "specified. Numeric data cannot be created.");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_FALSE(std::filesystem::exists(dir / "TmpPlot.txt"));
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST(ThermoTabulation, NumericDataDocument) {
    FakeDialogs dialogs;
    kinetra::testing::TempDir dir;
    ThermoChartSettings settings = range(900, 1100, 100);
    settings.entropy = false; // ignored: the document has every function
    NumericDataHeader header{kinetra::testing::FixedClock{}.now(), "C:\\Data\\therm.mdb", "N2",
                             28.0134};
    auto text = writeNumericData(lowerOnly(), settings, kGas, header, dir.path(), dialogs);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "  Kinetra,  Dec 6 2026,  14:05:09\r\n"
                     "  Thermodynamic Database:  C:\\Data\\therm.mdb\r\n"
                     "  Species: N2,  Molecular Formula: N2,  Molecular Weight: 28.0134\r\n"
                     "      T(K)       H (kJ/mol)     Cp (J/K mol)      S (J/K mol)\r\n"
                     "    900.00           26.189           29.099          197.943\r\n"
                     "   1000.00           29.099           29.099          201.009\r\n"
                     "   1100.00                -                -                -\r\n");
    EXPECT_EQ(kinetra::testing::readFile(dir / "TmpPlot.txt"), *text);
    EXPECT_EQ(numericDataCaption("N2"), "N2  Numeric Data");
}

TEST(ThermoTabulation, WaterHeatCapacityAgreesWithJanaf) {
    // H2O of GRI-Mech 3.0.
    SpeciesRecord water;
    water.name = "H2O";
    water.tcom = 1000;
    water.coefficients = {
        3.03399249E+00,  2.17691804E-03, -1.64072518E-07, -9.70419870E-11, 1.68200992E-14,
        -3.00042971E+04, 4.96677010E+00, 4.19864056E+00,  -2.03643410E-03, 6.52040211E-06,
        -5.48797062E-09, 1.77197817E-12, -3.02937267E+04, -8.49032208E-01, 0};
    FakeDialogs dialogs;
    ThermoChartSettings settings = range(298.15, 1000, 1000 - 298.15);
    auto table = tabulate(water, settings, TabulationPurpose::NumericData,
                          GasConstants{8.314462618, 1.987204259}, dialogs);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->temperatures.size(), 2u);
    EXPECT_NEAR(table->columns[1].values[0], 33.590, 0.05);
    EXPECT_NEAR(table->columns[1].values[1], 41.268, 0.05);
}

} // namespace
} // namespace kinetra::thermo
