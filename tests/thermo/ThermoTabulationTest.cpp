#include "thermo/ThermoTabulation.h"

#include "ThermoFixture.h"

#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using kinetra::testing::FakeDialogs;
using Units = ThermoChartSettings::Units;

const GasConstants kGas{8.314, 1.987};

// Constant Cp/R = 3.5 below Tcom 1000 K, nothing above: values below, gaps above.
SpeciesRecord lowerOnly() {
    return testing::speciesRecord("N2", {}, {}, 1000, {0, 0, 0, 0, 0, 0, 0, 3.5});
}

TEST(ThermoTabulation, SetupValidationInOrder) {
    struct Case {
        ChartSetupTexts texts;
        SetupField focus;
        std::string message;
    };
    const std::vector<Case> cases{
        // Nothing checked is reported before bad numbers.
        {{"x", "y", "z", false, false, false},
         SetupField::Functions,
         "Check functions you want to plot."},
        {{"abc", "4000", "100"}, SetupField::Min, "Please enter a positive 'Min' value."},
        {{"300", "0", "100"}, SetupField::Max, "Please enter a positive 'Max' value."},
        {{"300", "4000", "-5"}, SetupField::Step, "Please enter a positive 'Step' value."},
        {{"4000", "300", "100"},
         SetupField::Min,
         "The Min value is greater than the Max value. Enter correct values."},
        {{"300", "350", "100"},
         SetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakeDialogs dialogs;
        SetupValidation v = validateChartSetup(c.texts, dialogs);
        EXPECT_FALSE(v.ok());
        EXPECT_EQ(v.focus, c.focus);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.last().text, c.message);
        EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);
    }

    FakeDialogs dialogs;
    SetupValidation v = validateChartSetup({" 298.15 ", "1E3", "350.925"}, dialogs);
    ASSERT_TRUE(v.ok());
    EXPECT_EQ(v.settings->tmax, 1000);
    EXPECT_EQ(checkBoxCaptions(Units::Calorie)[1], "Cp, Heat Capacity (cal/K mol)");
}

TEST(ThermoTabulation, PointsOfTheRange) {
    FakeDialogs dialogs;
    // A stored range the window would refuse: widened to its two ends, and the step remembered.
    ThermoChartSettings narrow{300, 340, 100};
    auto table = tabulate(lowerOnly(), narrow, TabulationPurpose::Chart, kGas, dialogs);
    EXPECT_EQ(table->temperatures, (std::vector<double>{300, 340}));
    EXPECT_EQ(narrow.step, 40);

    // Half a step over rounds up: the last point lies beyond Max rather than being dropped.
    ThermoChartSettings half{300, 350, 100};
    table = tabulate(lowerOnly(), half, TabulationPurpose::Chart, kGas, dialogs);
    EXPECT_EQ(table->temperatures, (std::vector<double>{300, 400}));
    EXPECT_EQ(half.step, 100);

    // A step typed far too small is an error the caller reports, not an exhausted memory.
    ThermoChartSettings tiny{300, 4000, 1e-9};
    EXPECT_THROW(tabulate(lowerOnly(), tiny, TabulationPurpose::Chart, kGas, dialogs),
                 std::runtime_error);
}

TEST(ThermoTabulation, ChartOfTheCheckedFunctionsInCalories) {
    FakeDialogs dialogs;
    ThermoChartSettings settings{900, 1100, 100, true, false}; // no heat capacity
    auto chart = prepareChart(lowerOnly(), settings, kGas, true, dialogs);
    ASSERT_TRUE(chart);
    EXPECT_TRUE(chart->addToExisting);
    ASSERT_EQ(chart->subsets.size(), 2u);

    // H/RT = 1 at 1000 K is exactly R kcal/mol in calorie units.
    const SpeciesRecord one = testing::speciesRecord("X", {}, {}, 1000, {1, 0, 0, 0, 0, 0, 0, 1});
    ThermoChartSettings cal{1000, 2000, 1000, true, true, true, Units::Calorie};
    auto table = tabulate(one, cal, TabulationPurpose::Chart, kGas, dialogs);
    ASSERT_TRUE(table);
    EXPECT_DOUBLE_EQ(table->columns[0].values[0], 1.987);
    EXPECT_DOUBLE_EQ(table->columns[1].values[1], 1.987);
    EXPECT_EQ(table->columns[2].label, "S (cal/K mol)");
}

TEST(ThermoTabulation, NothingToShow) {
    FakeDialogs dialogs;
    ThermoChartSettings none{300, 4000, 100, false, false, false};
    EXPECT_FALSE(tabulate(lowerOnly(), none, TabulationPurpose::Chart, kGas, dialogs));
    EXPECT_EQ(dialogs.last().text, "No data to plot.");
    // Numeric data always takes all three functions.
    EXPECT_TRUE(tabulate(lowerOnly(), none, TabulationPurpose::NumericData, kGas, dialogs));

    ThermoChartSettings above{1500, 2000, 100};
    EXPECT_FALSE(prepareChart(lowerOnly(), above, kGas, false, dialogs));
    EXPECT_EQ(dialogs.last().text, "The thermodynamic functions of current species were not "
                                   "specified. Plot cannot be created.");
    kinetra::testing::TempDir dir;
    EXPECT_FALSE(writeNumericData(lowerOnly(), above, kGas, {}, dir.path(), dialogs));
    EXPECT_EQ(dialogs.last().text, "The thermodynamic functions of current species were not "
                                   "specified. Numeric data cannot be created.");
    EXPECT_FALSE(std::filesystem::exists(dir / "TmpPlot.txt"));
}

// Tcom belongs to the lower set; above it this species has no values.
TEST(ThermoTabulation, NumericDataDocument) {
    FakeDialogs dialogs;
    kinetra::testing::TempDir dir;
    // Entropy unchecked, but the document has every function.
    ThermoChartSettings settings{900, 1100, 100, true, true, false};
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
}

} // namespace
} // namespace kinetra::thermo
