#include "thermo/SpeciesCheck.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

// Methane with a sound temperature interval and one coefficient: passes every rule.
SpeciesRecord valid() {
    SpeciesRecord s;
    s.name = "CH4";
    s.composition[1] = 4;
    s.composition[3] = 1;
    s.tmin = 300;
    s.tmax = 5000;
    s.tcom = 1000;
    s.coefficients[0] = 1.5;
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
        {"blank name", named("   "), 1, -1, ""},
        {"new row, any case", named("new<"), 2, -1, ""},
        {"equals", named("A=B"), 4, -1,
         "The species name contains forbidden symbol(s)   '='; delete the symbol(s)."},
        {"blank and others in fixed order", named("A$B C<!"), 4, -1,
         "The species name contains forbidden symbol(s)  ' ' (blank space),   '<',   '!',   "
         "'$'; delete the symbol(s)."},
        {"greater", named("A>"), 4, -1,
         "The species name contains forbidden symbol(s)   '>'; delete the symbol(s)."},
        {"trailing pluses", named("C2H2++"), 0, 0, ""},
        {"plus inside", named("C+H"), 5, -1, ""},
        {"leading plus", named("+CH"), 5, -1, ""},
        {"plus only", named("+"), 5, -1, ""},
        {"plus then letters", named("CH+2"), 5, -1, ""},
        {"forbidden symbol before plus rule", named("C+ H"), 4, -1,
         "The species name contains forbidden symbol(s)  ' ' (blank space); delete the "
         "symbol(s)."},
        {"no elements", withElements({}, false), 6, -2, ""},
        {"electron only", withElements({}, true), 6, -2, ""},
        {"negative count is no element", with([](SpeciesRecord& s) {
             s.composition = {};
             s.composition[1] = -2;
         }),
         6, -2, ""},
        {"ion with 3 elements", withElements({1, 2, 3}, true), 0, 0, ""},
        {"ion with 4 elements", withElements({1, 2, 3, 4}, true), 7, -2,
         "The NASA format allows an ion to be composed of 3 elements. You are attempting to "
         "enter 4 elements."},
        {"neutral with 4 elements", withElements({1, 2, 3, 4}, false), 0, 0, ""},
        {"neutral with 5 elements", withElements({1, 2, 3, 4, 10}, false), 8, -2,
         "The NASA format allows a neutral species to be composed of 4 elements. You are "
         "attempting to enter 5 elements."},
        {"no Tmin", with([](SpeciesRecord& s) { s.tmin.reset(); }), 11, -2,
         "The low temperature Tmin, please enter a positive number."},
        {"zero Tmin", with([](SpeciesRecord& s) { s.tmin = 0; }), 11, -2,
         "The low temperature Tmin, please enter a positive number."},
        {"negative Tmax", with([](SpeciesRecord& s) { s.tmax = -1; }), 12, -2,
         "The high temperature Tmax, please enter a positive number."},
        {"no Tcom", with([](SpeciesRecord& s) { s.tcom.reset(); }), 13, -2,
         "The common temperature Tcom, please enter a positive number."},
        {"Tmin equal to Tmax", with([](SpeciesRecord& s) { s.tmin = s.tmax = 1000; }), 14, -2,
         "Temperature interval, Tmin is equal to or greater than Tmax."},
        {"Tcom below Tmin", with([](SpeciesRecord& s) { s.tcom = 299; }), 15, -2,
         "Temperature interval, Tcom is outside of the interval (Tmain, Tmax). Enter a correct "
         "value."},
        {"Tcom above Tmax", with([](SpeciesRecord& s) { s.tcom = 5001; }), 15, -2,
         "Temperature interval, Tcom is outside of the interval (Tmain, Tmax). Enter a correct "
         "value."},
        {"Tcom at Tmin", with([](SpeciesRecord& s) { s.tcom = 300; }), 0, 0, ""},
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

TEST(SpeciesCheck, CoefficientsOnlyCheckedOnRequest) {
    SpeciesRecord s = valid();
    s.coefficients = {};
    EXPECT_EQ(checkSpecies(s, false).code, 0);
}

TEST(SpeciesCheck, Messages) {
    EXPECT_EQ(speciesMessage(3), "The species has a duplicate.");
    EXPECT_EQ(speciesMessage(7), "Error in  setting of chemical elements.");
    EXPECT_EQ(speciesMessage(8), speciesMessage(7));
    EXPECT_EQ(speciesMessage(10), "The polynimial coefficients aren't specified.");
    for (int code = 11; code <= 15; ++code)
        EXPECT_EQ(speciesMessage(code), "Incorrect setting of temperature interval.");
    for (int code : {-1, 0, 4, 9, 16, 1000})
        EXPECT_EQ(speciesMessage(code), "") << code;
}

TEST(SpeciesCheck, DuplicateNames) {
    struct Case {
        std::vector<std::string> names;
        std::vector<bool> duplicate;
    };
    const std::vector<Case> cases{
        {{}, {}},
        {{"H2"}, {false}},
        {{"H2", "O2", "H2"}, {true, false, true}},
        {{"CO", "co", "Co"}, {false, false, false}},
        {{"OH", "H2", "OH", "H2", "OH", "N2"}, {true, true, true, true, true, false}},
        {{"", "", "H"}, {false, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findDuplicateNames(c.names), c.duplicate);
}

} // namespace
} // namespace kinetra::thermo
