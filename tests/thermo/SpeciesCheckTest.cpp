#include "thermo/SpeciesCheck.h"

#include "ThermoFixture.h"
#include "thermo/Composition.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

// Methane with a sound temperature interval and one coefficient: passes every rule.
SpeciesRecord valid() {
    SpeciesRecord s = testing::speciesRecord("CH4", 300, 5000, 1000, {1.5});
    s.composition[1] = 4;
    s.composition[3] = 1;
    return s;
}

template <class Edit> SpeciesRecord with(Edit edit) {
    SpeciesRecord s = valid();
    edit(s);
    return s;
}

SpeciesRecord named(std::string name) {
    return with([&](SpeciesRecord& s) { s.name = std::move(name); });
}

SpeciesRecord withElements(std::vector<int> slots, bool ion) {
    return with([&](SpeciesRecord& s) {
        s.composition = {};
        for (int slot : slots)
            s.composition[slot] = 1;
        if (ion)
            s.composition[0] = -1;
    });
}

TEST(SpeciesCheck, RulesInOrder) {
    struct Case {
        const char* what;
        SpeciesRecord s;
        int code, severity;
        std::string detail;
    };
    const std::vector<Case> cases{
        {"valid", valid(), 0, 0, ""},
        {"empty name", named(""), 1, -1, ""},
        {"new row, any case", named("new<"), 2, -1, ""},
        {"blank and others in fixed order", named("A$B C<!"), 4, -1,
         "The species name contains forbidden symbol(s)  ' ' (blank space),   '<',   '!',   "
         "'$'; delete the symbol(s)."},
        {"trailing pluses", named("C2H2++"), 0, 0, ""},
        {"plus inside", named("C+H"), 5, -1, ""},
        {"no elements", withElements({}, false), 6, -2, ""},
        {"ion with 3 elements", withElements({1, 2, 3}, true), 0, 0, ""},
        {"ion with 4 elements", withElements({1, 2, 3, 4}, true), 7, -2,
         "The NASA format allows an ion to be composed of 3 elements. You are attempting to "
         "enter 4 elements."},
        {"neutral with 5 elements", withElements({1, 2, 3, 4, 10}, false), 8, -2,
         "The NASA format allows a neutral species to be composed of 4 elements. You are "
         "attempting to enter 5 elements."},
        {"no Tmin", with([](SpeciesRecord& s) { s.tmin.reset(); }), 11, -2,
         "The low temperature Tmin, please enter a positive number."},
        {"Tmin equal to Tmax", with([](SpeciesRecord& s) { s.tmin = s.tmax = 1000; }), 14, -2,
         "Temperature interval, Tmin is equal to or greater than Tmax."},
        {"Tcom below Tmin", with([](SpeciesRecord& s) { s.tcom = 299; }), 15, -2,
         "Temperature interval, Tcom is outside of the interval (Tmin, Tmax). Enter a correct "
         "value."},
        {"Tcom at Tmax", with([](SpeciesRecord& s) { s.tcom = 5000; }), 0, 0, ""},
        {"no coefficients", with([](SpeciesRecord& s) { s.coefficients = {}; }), 10, 0, ""},
        {"coefficients summing to zero", with([](SpeciesRecord& s) { s.coefficients[1] = -1.5; }),
         0, 0, ""},
        {"only A15 set", with([](SpeciesRecord& s) {
             s.coefficients = {};
             s.coefficients[14] = 7;
         }),
         10, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpeciesCheckResult r = checkSpecies(c.s, true);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.severity, c.severity);
        EXPECT_EQ(r.detail, c.detail);
    }
}

TEST(SpeciesCheck, CoefficientsOnRequestAndMessages) {
    EXPECT_EQ(checkSpecies(with([](SpeciesRecord& s) { s.coefficients = {}; }), false).code, 0);

    EXPECT_EQ(speciesMessage(8), "Error in  setting of chemical elements.");
    EXPECT_EQ(speciesMessage(15), "Incorrect setting of temperature interval.");
    EXPECT_EQ(speciesMessage(16), "");
}

TEST(SpeciesCheck, DuplicateNamesRespectCaseAndSkipEmptyNames) {
    EXPECT_EQ(findDuplicateNames({"OH", "H2", "OH", "OH", "N2"}),
              (std::vector<bool>{true, false, true, true, false}));
    EXPECT_EQ(findDuplicateNames({"CO", "co", "", ""}), (std::vector<bool>(4, false)));
}

// Formula and weight of a composition.

SpeciesRecord species(std::vector<std::pair<int, double>> counts) {
    SpeciesRecord s;
    for (auto [slot, count] : counts)
        s.composition[slot] = count;
    return s;
}

TEST(Composition, WeightFormulaAndElementCount) {
    const ElementTable t = testing::templateElements();
    const double H = t.weights[1], C = t.weights[3], E = kElectronWeight;
    ASSERT_NEAR(E, 0.00054858, 1e-8);
    struct Case {
        const char* what;
        SpeciesRecord s;
        double weight;
        std::string formula;
        int elements;
    };
    const std::vector<Case> cases{
        {"methane", species({{3, 1}, {1, 4}}), C + 4 * H, "H4C1", 2},
        {"positive ion", species({{0, -1}, {3, 1}, {1, 3}}), C + 3 * H - E, "E-1H3C1", 2},
        {"zero count left out", species({{1, 2}, {3, 0}}), 2 * H, "H2", 1},
        {"last slot", species({{10, 2}}), 2 * t.weights[10], "BR2", 1},
        {"electron only", species({{0, 1}}), E, "E1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(molecularWeight(c.s, t), c.weight, 1e-12);
        EXPECT_EQ(molecularFormula(c.s, t), c.formula);
        EXPECT_EQ(elementCount(c.s), c.elements);
    }
}

} // namespace
} // namespace kinetra::thermo
