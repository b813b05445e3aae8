// The rate and equilibrium constant tables against values computed independently (python3, double
// precision, straight from the GRI-Mech 3.0 NASA coefficients and rate parameters below).
#include "reactions/RateTabulation.h"

#include "reactions/RateChartBuffer.h"
#include "support/FakeUi.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace kinetra::reactions {
namespace {

using kinetra::testing::FakeDialogs;

// The constants of the installed options file.
constexpr double kRJ = 8.314462618, kRcal = 1.987204259;
constexpr double kRcm3 = 6.02214076E+23 * 1.380649E-23 * 1e7 / (101.325 * 1e4);
const RateConstants kConstants{kRcal, kRJ, kRcm3};

thermo::SpeciesRecord nasa(const std::string& name, std::array<double, 7> upper,
                           std::array<double, 7> lower) {
    thermo::SpeciesRecord s;
    s.name = name;
    s.tmin = 200;
    s.tmax = 3500;
    s.tcom = 1000;
    std::copy(upper.begin(), upper.end(), s.coefficients.begin());
    std::copy(lower.begin(), lower.end(), s.coefficients.begin() + 7);
    return s;
}

// GRI-Mech 3.0 thermo of the species the tests need.
const std::map<std::string, thermo::SpeciesRecord>& griThermo() {
    static const std::map<std::string, thermo::SpeciesRecord> m = [] {
        std::map<std::string, thermo::SpeciesRecord> t;
        for (auto s : {
                 nasa("H",
                      {2.50000001E+00, -2.30842973E-11, 1.61561948E-14, -4.73515235E-18,
                       4.98197357E-22, 2.54736599E+04, -4.46682914E-01},
                      {2.50000000E+00, 7.05332819E-13, -1.99591964E-15, 2.30081632E-18,
                       -9.27732332E-22, 2.54736599E+04, -4.46682853E-01}),
                 nasa("O",
                      {2.56942078E+00, -8.59741137E-05, 4.19484589E-08, -1.00177799E-11,
                       1.22833691E-15, 2.92175791E+04, 4.78433864E+00},
                      {3.16826710E+00, -3.27931884E-03, 6.64306396E-06, -6.12806624E-09,
                       2.11265971E-12, 2.91222592E+04, 2.05193346E+00}),
                 nasa("OH",
                      {3.09288767E+00, 5.48429716E-04, 1.26505228E-07, -8.79461556E-11,
                       1.17412376E-14, 3.85865700E+03, 4.47669610E+00},
                      {3.99201543E+00, -2.40131752E-03, 4.61793841E-06, -3.88113333E-09,
                       1.36411470E-12, 3.61508056E+03, -1.03925458E-01}),
                 nasa("H2",
                      {3.33727920E+00, -4.94024731E-05, 4.99456778E-07, -1.79566394E-10,
                       2.00255376E-14, -9.50158922E+02, -3.20502331E+00},
                      {2.34433112E+00, 7.98052075E-03, -1.94781510E-05, 2.01572094E-08,
                       -7.37611761E-12, -9.17935173E+02, 6.83010238E-01}),
                 nasa("O2",
                      {3.28253784E+00, 1.48308754E-03, -7.57966669E-07, 2.09470555E-10,
                       -2.16717794E-14, -1.08845772E+03, 5.45323129E+00},
                      {3.78245636E+00, -2.99673416E-03, 9.84730201E-06, -9.68129509E-09,
                       3.24372837E-12, -1.06394356E+03, 3.65767573E+00}),
                 nasa("H2O2",
                      {4.16500285E+00, 4.90831694E-03, -1.90139225E-06, 3.71185986E-10,
                       -2.87908305E-14, -1.78617877E+04, 2.91615662E+00},
                      {4.27611269E+00, -5.42822417E-04, 1.67335701E-05, -2.15770813E-08,
                       8.62454363E-12, -1.77025821E+04, 3.43505074E+00}),
                 nasa("AR0", {}, {}), // present, but without polynomials
             })
            t[s.name] = s;
        return t;
    }();
    return m;
}

const ThermoLookup kLookup = [](const std::string& name) -> const thermo::SpeciesRecord* {
    const auto it = griThermo().find(name);
    return it == griThermo().end() ? nullptr : &it->second;
};

ReactionRecord reaction(int num, std::string text, std::vector<std::string> reactants,
                        std::vector<std::string> products, double a, double n, double e,
                        std::string type = "") {
    ReactionRecord r;
    r.num = num;
    r.reaction = std::move(text);
    for (std::size_t i = 0; i < reactants.size(); ++i)
        r.species[i] = reactants[i];
    for (std::size_t i = 0; i < products.size(); ++i)
        r.species[rx::kReactantSlots + i] = products[i];
    r.a = a;
    r.n = n;
    r.e = e;
    r.type = std::move(type);
    return r;
}

ReactionRecord hO2() {
    return reaction(38, "H + O2 <=> O + OH", {"H", "O2"}, {"O", "OH"}, 2.65e16, -0.6707, 17041);
}
ReactionRecord oH2() {
    return reaction(3, "O + H2 <=> H + OH", {"O", "H2"}, {"H", "OH"}, 3.87e4, 2.7, 6260);
}
ReactionRecord ohOhFalloff() {
    ReactionRecord r = reaction(85, "2OH(+M) <=> H2O2(+M)", {"OH", "OH", "M$"}, {"H2O2", "M$"},
                                7.4e13, -0.37, 0, "Low Troe");
    r.al = 2.3e18;
    r.nl = -0.9;
    r.el = -1700;
    r.falloff = {0.7346, 94, 1756, 5182, std::nullopt};
    return r;
}

RatePlotSettings grid(std::vector<double> temperatures) {
    RatePlotSettings s;
    s.tmin = temperatures.front();
    s.tmax = temperatures.back();
    s.step = temperatures.size() > 1 ? temperatures[1] - temperatures[0] : 1;
    return s;
}

const RateFunction& function(const RateTable& t, const std::string& title) {
    for (const RateFunction& f : t.functions)
        if (f.title == title)
            return f;
    throw std::runtime_error("no function " + title);
}

// Grid 300, 1000, ... : the reference points 300, 1000 and 2500 K sit on a 100 K grid.
std::size_t at(double T) {
    return static_cast<std::size_t>((T - 300) / 100);
}

TEST(RateTabulation, NumericModeMatchesIndependentValues) {
    struct Case {
        ReactionRecord record;
        double T, logKfor, logKc, logKrev;
    };
    const std::vector<Case> cases{
        {hO2(), 300, 2.347729663755112, -10.976640801292882, 13.324370465047995},
        {hO2(), 1000, 10.686912578544442, -2.400186454260241, 13.087099032804684},
        {hO2(), 2500, 12.654554191963527, -0.2978362433617103, 12.952390435325237},
        {oH2(), 300, 6.715622950857533, -1.0717683239023765, 7.787391274759909},
        {oH2(), 1000, 11.319616344447573, -0.08137714455575738, 11.40099348900333},
        {oH2(), 2500, 13.214911140204878, 0.18223072285637143, 13.032680417348507},
        {ohOhFalloff(), 300, 12.952696855484701, 34.80642191754991, -21.85372506206521},
        {ohOhFalloff(), 1000, 12.759231719730977, 8.90670606697017, 3.852525652760807},
        {ohOhFalloff(), 2500, 12.611993916522323, 2.5043256383402897, 10.107668278182032},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record.reaction + " at " + std::to_string(c.T));
        FakeDialogs dialogs;
        RatePlotSettings settings;
        const RateTableResult r =
            plotArrRow(c.record, settings, RateOutput::NumericData, kLookup, kConstants, dialogs);
        ASSERT_TRUE(r.table);
        EXPECT_TRUE(dialogs.shown.empty());
        const RateTable& t = *r.table;
        ASSERT_DOUBLE_EQ(t.temperatures[at(c.T)], c.T);
        EXPECT_NEAR(t.functions[0].values[at(c.T)], c.logKfor, 1e-12);
        EXPECT_NEAR(t.functions[1].values[at(c.T)], c.logKrev, 1e-9);
        EXPECT_NEAR(t.functions.back().values[at(c.T)], c.logKc, 1e-9);
    }
}

TEST(RateTabulation, ChartModeKpDeltaHAndDeltaS) {
    struct Case {
        ReactionRecord record;
        double T, logKp, deltaHkJ, deltaSJ;
    };
    const std::vector<Case> cases{
        {hO2(), 1000, -2.400186454260241, 69.0047603055171, 23.053772250774966},
        {oH2(), 2500, 0.18223072285637143, 8.839006933955856, 7.0243658046031925},
        {ohOhFalloff(), 300, 30.415183090180633, -214.60507067256046, -133.05892550677606},
        {ohOhFalloff(), 2500, -2.8077319429813663, -213.0121850184887, -138.95822168746943},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record.reaction + " at " + std::to_string(c.T));
        FakeDialogs dialogs;
        RatePlotSettings s;
        s.kfor = s.krev = false;
        s.equilibrium = s.deltaH = s.deltaS = true;
        const RateTableResult r =
            plotArrRow(c.record, s, RateOutput::Chart, kLookup, kConstants, dialogs);
        ASSERT_TRUE(r.table);
        ASSERT_EQ(r.table->functions.size(), 3u);
        EXPECT_NEAR(r.table->functions[0].values[at(c.T)], c.logKp, 1e-9);
        EXPECT_NEAR(r.table->functions[1].values[at(c.T)], c.deltaHkJ, 1e-9);
        EXPECT_NEAR(r.table->functions[2].values[at(c.T)], c.deltaSJ, 1e-9);
    }
}

TEST(RateTabulation, CalorieUnitsScaleDeltaHAndDeltaS) {
    FakeDialogs dialogs;
    RatePlotSettings s;
    s.kfor = s.krev = false;
    s.deltaH = s.deltaS = true;
    s.joule = false;
    const RateTableResult r = plotArrRow(hO2(), s, RateOutput::Chart, kLookup, kConstants, dialogs);
    ASSERT_TRUE(r.table);
    EXPECT_EQ(r.table->functions[0].title, "Delta H (kcal/mol)");
    EXPECT_NEAR(r.table->functions[0].values[at(1000)], 69.0047603055171 * kRcal / kRJ, 1e-9);
    EXPECT_EQ(r.table->functions[1].title, "Delta S (cal/K mol)");
    EXPECT_NEAR(r.table->functions[1].values[at(1000)], 23.053772250774966 * kRcal / kRJ, 1e-9);
}

TEST(RateTabulation, TitlesAndLabelsOfFalloffReaction) {
    FakeDialogs dialogs;
    RatePlotSettings s;
    const RateTableResult r =
        plotArrRow(ohOhFalloff(), s, RateOutput::NumericData, kLookup, kConstants, dialogs);
    ASSERT_TRUE(r.table);
    std::vector<std::string> labels;
    for (const auto& f : r.table->functions)
        labels.push_back(f.label);
    EXPECT_EQ(labels, (std::vector<std::string>{
                          " R85, Log10 Kfor (cm^3/mol sec)",
                          " R85, Log10 Krev (1/sec)",
                          "R85, Log10 Kfor,low (cm^6/mol^2 sec)",
                          "R85, Log10 Krev,low (cm^3/mol sec)",
                          "R85, Log10 Kc (cm^3/mol)",
                      }));
    // Krev,low = Kfor,low / Kc, with Kfor,low = 2.3E18 T^-0.9 exp(1700/(Rcal T)).
    const double T = 1000;
    const double logKforLow = std::log10(2.3e18 * std::pow(T, -0.9) * std::exp(1700 / (kRcal * T)));
    EXPECT_NEAR(r.table->functions[2].values[at(T)], logKforLow, 1e-12);
    EXPECT_NEAR(r.table->functions[3].values[at(T)], logKforLow - 8.90670606697017, 1e-9);
}

TEST(RateTabulation, TitlesByOrderAndChangeOfMoles) {
    struct Case {
        std::vector<std::string> reactants, products;
        std::string kfor, krev, equilibrium;
    };
    // Species that are in the table, so that every title is produced.
    const std::vector<Case> cases{
        {{"H", "H", "M"},
         {"H2", "M"},
         "Kfor (cm^6/mol^2 sec)",
         "Krev (cm^3/mol sec)",
         "Log10 Kc (cm^3/mol)"},
        {{"H", "H", "M$"},
         {"H2", "M$"},
         "Kfor (cm^3/mol sec)",
         "Krev (1/sec)",
         "Log10 Kc (cm^3/mol)"},
        {{"H2O2"}, {"OH", "OH"}, "Kfor (1/sec)", "Krev (cm^3/mol sec)", "Log10 Kc (mol/cm^3)"},
        {{"H", "O2"}, {"O", "OH"}, "Kfor (cm^3/mol sec)", "Krev (cm^3/mol sec)", "Log10 Kc"},
        {{"H2O2", "H"},
         {"O", "O", "H", "H", "H"},
         "Kfor (cm^3/mol sec)",
         "Krev (cm^12/mol^4 sec)",
         "Log10 Kc (cm^-9/mol^-3)"},
    };
    for (const Case& c : cases) {
        FakeDialogs dialogs;
        RatePlotSettings s;
        ReactionRecord r = reaction(7, "x", c.reactants, c.products, 1e13, 0, 0);
        r.al = 1e16; // the low-pressure limit of the fall-off case
        const RateTableResult result =
            plotArrRow(r, s, RateOutput::NumericData, kLookup, kConstants, dialogs);
        ASSERT_TRUE(result.table);
        EXPECT_EQ(result.table->functions[0].title, c.kfor);
        EXPECT_EQ(result.table->functions[1].title, c.krev);
        EXPECT_EQ(result.table->functions.back().title, c.equilibrium);
    }
}

TEST(RateTabulation, EquilibriumTitles) {
    struct Case {
        int deltaN;
        bool kp;
        std::string title;
    };
    const std::vector<Case> cases{
        {0, false, "Log10 Kc"},
        {0, true, "Log10 Kp"},
        {-1, false, "Log10 Kc (cm^3/mol)"},
        {-1, true, "Log10 Kp (1/atm)"},
        {1, false, "Log10 Kc (mol/cm^3)"},
        {1, true, "Log10 Kp (atm)"},
        {-2, false, "Log10 Kc (cm^6/mol^2)"},
        {-2, true, "Log10 Kp (atm^-2)"},
        {2, false, "Log10 Kc (cm^-6/mol^-2)"},
        {2, true, "Log10 Kp (atm^2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(equilibriumTitle(c.deltaN, c.kp), c.title) << c.deltaN << ' ' << c.kp;
}

TEST(RateTabulation, ThermodynamicRefusalsKeepTheForwardConstants) {
    ReactionRecord photon = reaction(5, "O2 + HV <=> O + O", {"O2", "HV"}, {"O", "O"}, 1e10, 0, 0);
    ReactionRecord missing = hO2();
    missing.species[0] = "h"; // names are compared case-sensitively
    ReactionRecord missingRev = missing;
    missingRev.type = "Rev";
    missingRev.al = 1e12;
    ReactionRecord zero = hO2();
    zero.species[4] = "AR0";
    ReactionRecord photonFalloff = ohOhFalloff();
    photonFalloff.species[1] = "hv";
    struct Case {
        ReactionRecord record;
        std::string message;
        std::vector<std::string> titles;
    };
    const std::vector<Case> cases{
        {photon,
         "Reaction with photon 'hv'; the functions Kp, Kc, Krev, Krev,low cannot be created.",
         {"Kfor (cm^3/mol sec)"}},
        {photonFalloff,
         "Reaction with photon 'hv'; the functions Kp, Kc, Krev, Krev,low cannot be created.",
         {"Kfor (cm^3/mol sec)", "Kfor,low (cm^6/mol^2 sec)"}},
        {missing,
         "In the current reaction, not all species are declared in the THERMO table, the "
         "functions Kp, Kc, Krev, Krevlow cannot be created.",
         {"Kfor (cm^3/mol sec)"}},
        {missingRev,
         "In the current reaction, not all species are declared in the THERMO table, the "
         "functions Kp, Kc cannot be created.",
         {"Kfor (cm^3/mol sec)"}},
        {zero,
         "In the current reaction, the polynomial coefficients for AR0 aren't specified. The "
         "functions Kp, Kc, Krev, Krevlow cannot be created.",
         {"Kfor (cm^3/mol sec)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record.reaction);
        FakeDialogs dialogs;
        RatePlotSettings s;
        const RateTableResult r =
            plotArrRow(c.record, s, RateOutput::NumericData, kLookup, kConstants, dialogs);
        ASSERT_TRUE(r.table);
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{c.message});
        std::vector<std::string> titles;
        for (const auto& f : r.table->functions)
            titles.push_back(f.title);
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(r.table->validPoints, 0);
    }
}

TEST(RateTabulation, ExplicitReverseIsBlankWhereKcIsMissing) {
    ReactionRecord r = hO2();
    r.type = "Rev";
    r.al = 1.5e13;
    r.nl = 0.1;
    r.el = 500;
    RatePlotSettings s;
    s.tmin = 50;
    s.tmax = 350;
    s.step = 50;
    FakeDialogs dialogs;
    const RateTableResult result =
        plotArrRow(r, s, RateOutput::NumericData, kLookup, kConstants, dialogs);
    ASSERT_TRUE(result.table);
    const RateTable& t = *result.table;
    ASSERT_EQ(t.temperatures.size(), 7u); // 50 .. 350
    EXPECT_EQ(t.validPoints, 6);          // 50 K is below the NASA functions' floor
    const RateFunction& krev = function(t, "Krev (cm^3/mol sec)");
    EXPECT_EQ(krev.label, " R38, Log10  Krev (cm^3/mol sec)");
    EXPECT_EQ(krev.values[0], kMissingValue);
    const double T = 300;
    EXPECT_NEAR(krev.values[5],
                std::log10(1.5e13 * std::pow(T, 0.1) * std::exp(-500 / (kRcal * T))), 1e-12);
    EXPECT_EQ(function(t, "Log10 Kc").values[0], kMissingValue);
    // The forward constant is there at every point.
    EXPECT_NE(t.functions[0].values[0], kMissingValue);

    const std::string text = rateNumericDataText(r, t, {{2026, 12, 7, 2, 3, 4}, "/t.mdb", "r.mdb"});
    const std::string firstRow = text.substr(text.find("     50.00"), 10 + 3 * 12);
    EXPECT_EQ(firstRow.substr(22), std::string(24, ' ')); // Krev and Kc blank at 50 K
}

TEST(RateTabulation, InclusionRulesOfChartMode) {
    struct Case {
        ReactionRecord record;
        RatePlotSettings settings;
        std::vector<std::string> titles;
    };
    RatePlotSettings onlyKrev;
    onlyKrev.kfor = false;
    RatePlotSettings lows;
    lows.kfor = lows.krev = false;
    lows.kforLow = lows.krevLow = true;
    RatePlotSettings kforOnly;
    kforOnly.krev = false;
    ReactionRecord rev = hO2();
    rev.type = "Rev";
    rev.al = 1e13;
    const std::vector<Case> cases{
        // Krev from Kc is Kfor / Kc: Kfor comes with it.
        {hO2(), onlyKrev, {"Kfor (cm^3/mol sec)", "Krev (cm^3/mol sec)"}},
        // A reaction that is not fall-off never gives the low-pressure constants.
        {hO2(), lows, {}},
        {ohOhFalloff(), lows, {"Kfor,low (cm^6/mol^2 sec)", "Krev,low (cm^3/mol sec)"}},
        // With Kfor alone the thermodynamic part does not run, so no explicit Krev either.
        {rev, kforOnly, {"Kfor (cm^3/mol sec)"}},
        {rev, onlyKrev, {"Kfor (cm^3/mol sec)", "Krev (cm^3/mol sec)"}},
    };
    for (const Case& c : cases) {
        FakeDialogs dialogs;
        RatePlotSettings s = c.settings;
        const RateTableResult r =
            plotArrRow(c.record, s, RateOutput::Chart, kLookup, kConstants, dialogs);
        std::vector<std::string> titles;
        if (r.table)
            for (const auto& f : r.table->functions)
                titles.push_back(f.title);
        EXPECT_EQ(titles, c.titles) << c.record.reaction;
        if (c.titles.empty())
            EXPECT_EQ(dialogs.texts(),
                      std::vector<std::string>{"Functions are not specified. Use the Plot and "
                                               "Numeric Data menu to specify the functions."});
    }
}

TEST(RateTabulation, RefusalsBeforeAnyTable) {
    ReactionRecord invalid = hO2();
    invalid.info = -1;
    FakeDialogs dialogs;
    RatePlotSettings s;
    EXPECT_FALSE(
        plotArrRow(invalid, s, RateOutput::NumericData, kLookup, kConstants, dialogs).table);
    RatePlotSettings none;
    none.kfor = none.krev = false;
    const RateTableResult r =
        plotArrRow(hO2(), none, RateOutput::Chart, kLookup, kConstants, dialogs);
    EXPECT_FALSE(r.table);
    EXPECT_TRUE(r.openSetup);
    EXPECT_EQ(dialogs.texts(),
              (std::vector<std::string>{
                  "The reaction is invalid, plot and numeric data cannot be created.",
                  "No data to plot."}));
    ReactionRecord zeroA = hO2();
    zeroA.a.reset(); // a non-numeric A counts as 0, which has no logarithm
    EXPECT_THROW(plotArrRow(zeroA, s, RateOutput::NumericData, kLookup, kConstants, dialogs),
                 std::domain_error);
}

TEST(RateTabulation, TemperatureGrid) {
    struct Case {
        double tmin, tmax, step;
        std::size_t count;
        double storedStep;
    };
    const std::vector<Case> cases{
        {300, 4000, 100, 38, 100}, {300, 350, 100, 2, 100}, // 1.5 rounds to 2 (even): 300 and 400
        {300, 325, 100, 2, 25},  // 1.25 rounds to 1: widened to the two end points
        {300, 550, 100, 4, 100}, // 3.5 rounds to 4 (even); the last point 600 passes Max
        {300, 450, 100, 2, 100}, // 2.5 rounds to 2 (even)
    };
    for (const Case& c : cases) {
        RatePlotSettings s;
        s.tmin = c.tmin;
        s.tmax = c.tmax;
        s.step = c.step;
        EXPECT_EQ(gridPointCount(s), c.count) << c.tmax;
        EXPECT_DOUBLE_EQ(s.step, c.storedStep) << c.tmax;
    }
    RatePlotSettings s;
    FakeDialogs dialogs;
    const RateTableResult r =
        plotArrRow(hO2(), s, RateOutput::NumericData, kLookup, kConstants, dialogs);
    ASSERT_TRUE(r.table);
    EXPECT_EQ(r.table->temperatures.size(), 38u);
    EXPECT_DOUBLE_EQ(r.table->temperatures.back(), 4000);
    EXPECT_EQ(r.table->validPoints, 38);
}

TEST(RateTabulation, SetupValidationInOrder) {
    struct Case {
        RateSetupTexts texts;
        RateSetupField focus;
        std::string message;
    };
    RateSetupTexts none = RateSetupTexts::from({});
    none.kfor = none.krev = false;
    none.min = "abc";
    auto texts = [](std::string min, std::string max, std::string step) {
        RateSetupTexts t = RateSetupTexts::from({});
        t.min = std::move(min);
        t.max = std::move(max);
        t.step = std::move(step);
        return t;
    };
    const std::vector<Case> cases{
        {none, RateSetupField::Functions, "Check functions you want to plot."},
        {texts("", "4000", "100"), RateSetupField::Min, "Please enter a positive number."},
        {texts("abc", "4000", "100"), RateSetupField::Min, "Please enter a positive number."},
        {texts("-1", "4000", "100"), RateSetupField::Min, "Please enter a positive 'Min' value."},
        {texts("300", "0", "100"), RateSetupField::Max, "Please enter a positive 'Max' value."},
        {texts("300", "4000", "-5"), RateSetupField::Step, "Please enter a positive 'Step' value."},
        {texts("4000", "300", "100"), RateSetupField::Min,
         "The Min value is greater than the Max value. Enter correct values."},
        {texts("300", "350", "100"), RateSetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
        // Min = Max leaves no room for a step.
        {texts("500", "500", "1"), RateSetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
        // Equal in single precision: not "greater".
        {texts("300.00000001", "300", "1"), RateSetupField::Step,
         "The number of points is zero. Check up the Min, Max and Step values."},
    };
    for (const Case& c : cases) {
        FakeDialogs dialogs;
        const RateSetupValidation v = validateRateSetup(c.texts, dialogs);
        EXPECT_FALSE(v.ok()) << c.message;
        EXPECT_EQ(v.focus, c.focus) << c.message;
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{c.message});
    }
    FakeDialogs dialogs;
    RateSetupTexts good = texts("500", "2500", "250");
    good.kp = false;
    good.deltaS = true;
    const RateSetupValidation v = validateRateSetup(good, dialogs);
    ASSERT_TRUE(v.ok());
    EXPECT_EQ(v.settings->tmin, 500);
    EXPECT_EQ(v.settings->step, 250);
    EXPECT_FALSE(v.settings->kp);
    EXPECT_TRUE(v.settings->deltaS);
}

TEST(RateTabulation, SetupCaptions) {
    EXPECT_EQ(equilibriumCaption(false, true).caption, "Plot");
    EXPECT_FALSE(equilibriumCaption(false, true).optionsEnabled);
    EXPECT_EQ(equilibriumCaption(true, true).caption, "Plot.        Units: atm.");
    EXPECT_EQ(equilibriumCaption(true, false).caption, "Plot.        Units: mol/cm^3");
    EXPECT_TRUE(equilibriumCaption(true, false).optionsEnabled);
    EXPECT_EQ(enthalpyEntropyCaptions(false)[1], "Delta S (cal/K mol)");
    RatePlotSettings zeroMin;
    zeroMin.tmin = 0;
    EXPECT_EQ(RateSetupTexts::from(zeroMin).min, "");
    EXPECT_EQ(RateSetupTexts::from(zeroMin).max, "4000");
}

TEST(RateTabulation, NumericDataDocument) {
    RatePlotSettings s;
    s.tmin = 300;
    s.tmax = 400;
    s.step = 100;
    FakeDialogs dialogs;
    ReactionRecord r = hO2();
    r.reaction = "  H + O2 <=> O + OH ";
    const RateTableResult result =
        plotArrRow(r, s, RateOutput::NumericData, kLookup, kConstants, dialogs);
    ASSERT_TRUE(result.table);
    const std::string text = rateNumericDataText(
        r, *result.table, {{2026, 1, 5, 14, 3, 9}, "/data/therm.mdb", "gri.mdb"});
    const std::string expected = "  Kinetra,  Jan 5 2026,  14:03:09\r\n"
                                 "  Thermodynamic Database:  /data/therm.mdb\r\n"
                                 "  Reaction Database:  gri.mdb\r\n"
                                 "\r\n"
                                 "  H + O2 <=> O + OH\r\n"
                                 "      Temperature (K)\r\n"
                                 "  1   Kfor (cm^3/mol sec)\r\n"
                                 "  2   Krev (cm^3/mol sec)\r\n"
                                 "  3   Log10 Kc\r\n"
                                 " \r\n"
                                 "      T          Y1          Y2          Y3\r\n"
                                 "    300.00    2.23E+02    2.11E+13    1.06E-11\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(printNumbPrep(kMissingValue), std::string(12, ' '));
    EXPECT_EQ(printNumbPrep(2), "    1.00E+02");
    EXPECT_EQ(rateNumericDataCaption("GRI.mdb"), "GRI.mdb  Numeric Data");
}

TEST(RateTabulation, ChartHandOver) {
    RatePlotSettings s;
    s.tmin = 300;
    s.tmax = 500;
    s.step = 100;
    s.equilibrium = true;
    FakeDialogs dialogs;
    ReactionRecord longer = ohOhFalloff();
    longer.reaction = std::string(50, 'x');
    const RateTableResult r =
        plotArrRow(longer, s, RateOutput::Chart, kLookup, kConstants, dialogs);
    ASSERT_TRUE(r.table);
    const RateChartHandOver chart = rateChartHandOver(longer, *r.table, true);
    EXPECT_EQ(chart.textSlots[1], "          ");
    EXPECT_EQ(chart.textSlots[2], "Temperature (K)");
    EXPECT_EQ(chart.titleLines[0], std::string(48, 'x'));
    EXPECT_EQ(chart.titleLines[1], "xx");
    EXPECT_EQ(chart.subsetCount, 3u); // Kfor, Krev, Kp
    EXPECT_EQ(chart.pointCount, 3u);
    ASSERT_EQ(chart.data.size(), 6u);
    EXPECT_EQ(chart.data[4], (std::vector<double>{300, 400, 500}));
    EXPECT_EQ(chart.data[5], r.table->functions[2].values);
    EXPECT_EQ(chart.labels[2], "R85, Log10 Kp (1/atm)");
    EXPECT_TRUE(chart.addToExisting);
    const RateChartHandOver shortTitle = rateChartHandOver(ohOhFalloff(), *r.table, false);
    EXPECT_EQ(shortTitle.titleLines[1], "Empty");

    // The chart rebuilt from it shows the three functions and the whole reaction as description.
    ChartModel plotted(randomWholeNumbers(1));
    const ChartBuffer buffer = chartBufferOf(chart);
    plotted.intit(buffer, false);
    plotted.setDescription(buffer.description);
    ASSERT_EQ(plotted.subsetCount(), 3);
    EXPECT_EQ(plotted.subset(2).y, r.table->functions[2].values);
    EXPECT_EQ(plotted.subset(2).label, "R85, Log10 Kp (1/atm)");
    EXPECT_EQ(plotted.content().xLabel, "Temperature (K)");
    EXPECT_EQ(plotted.description(), std::string(50, 'x'));
    EXPECT_EQ(chartBufferOf(shortTitle).description, shortTitle.titleLines[0]);
}

// The blended constant, against the same Troe and SRI formulas worked out by hand.
TEST(RateTabulation, FalloffRateAtPressure) {
    ReactionRecord sri3 = reaction(1, "R1A+R1B(+M) = P1+H(+M)", {"R1A", "R1B", "M$"},
                                   {"P1", "H", "M$"}, 1e18, -2, 1000, "Low SRI");
    sri3.al = 4e25;
    sri3.nl = -3;
    sri3.el = 0;
    sri3.falloff = {0.54, 201, 1024, std::nullopt, std::nullopt};
    ReactionRecord sri5 = reaction(2, "H+R2(+M) = P2A+P2B(+M)", {"H", "R2", "M$"},
                                   {"P2A", "P2B", "M$"}, 4e18, -0.5, 100, "Low SRI");
    sri5.al = 7e26;
    sri5.nl = -1;
    sri5.el = 0;
    sri5.falloff = {1.1, 700, 1234, 56, 0.7};
    struct Case {
        ReactionRecord record;
        double T, P, k;
    };
    const std::vector<Case> cases{
        {ohOhFalloff(), 1000, 1, 90585222368.8956},
        {ohOhFalloff(), 1000, 10, 563650754773.0748},
        {ohOhFalloff(), 1000, 1e4, 5037755171835.188},
        {sri3, 1200, 1e-4, 23186703.85392686},
        {sri3, 1200, 1, 121399781382.2344},
        {sri3, 1200, 10, 320460303997.2389},
        {sri5, 1200, 1, 8.688686727921693e+20},
        {sri5, 1200, 10, 8.84398058836993e+20},
        {sri5, 1200, 1e4, 8.866824409311507e+20},
    };
    for (const Case& c : cases) {
        const std::optional<double> k = falloffRateAtPressure(c.record, c.T, c.P, kConstants);
        ASSERT_TRUE(k) << c.record.reaction;
        EXPECT_NEAR(*k / c.k, 1, 1e-12) << c.record.reaction << " at " << c.P << " atm";
    }
    // The limits: k0 [M] at low pressure, k_inf at high pressure (Troe's F tends to 1 slowly).
    const double T = 1000;
    const double kInf = 7.4e13 * std::pow(T, -0.37);
    const double k0 = 2.3e18 * std::pow(T, -0.9) * std::exp(1700 / (kRcal * T));
    const double pLow = 1e-9, pHigh = 1e9;
    const double lowRatio =
        *falloffRateAtPressure(ohOhFalloff(), T, pLow, kConstants) / (k0 * pLow / (kRcm3 * T));
    EXPECT_NEAR(lowRatio, 1, 0.06);
    EXPECT_GT(lowRatio, 11960811.449633803 / 13156414.766105626); // closer than at 1E-4 atm
    EXPECT_NEAR(*falloffRateAtPressure(ohOhFalloff(), T, pHigh, kConstants) / kInf, 1, 0.05);
    // Lindemann: no broadening, so the limits are reached exactly.
    ReactionRecord lindemann = ohOhFalloff();
    lindemann.type = "Low";
    EXPECT_NEAR(*falloffRateAtPressure(lindemann, T, 1e-12, kConstants) /
                    (k0 * 1e-12 / (kRcm3 * T)),
                1, 1e-9);
    EXPECT_NEAR(*falloffRateAtPressure(lindemann, T, 1e12, kConstants) / kInf, 1, 1e-9);
    const double m = 1 / (kRcm3 * T);
    EXPECT_NEAR(*falloffRateAtPressure(lindemann, T, 1, kConstants),
                kInf * (k0 * m / kInf) / (1 + k0 * m / kInf), 1e-3);
    EXPECT_FALSE(falloffRateAtPressure(hO2(), T, 1, kConstants));
}

} // namespace
} // namespace kinetra::reactions
