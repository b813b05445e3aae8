#include "thermo/Composition.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kinetra::thermo {
namespace {

// The template database's slots.
ElementTable templateElements() {
    ElementTable t;
    const std::vector<std::pair<std::string, double>> slots{
        {"H", 1.00794},  {"O", 15.9994}, {"C", 12.011},  {"N", 14.0067}, {"AR", 39.948},
        {"HE", 4.00260}, {"S", 32.065},  {"CL", 35.453}, {"F", 18.9984}, {"BR", 79.904}};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        t.symbols[i + 1] = slots[i].first;
        t.weights[i + 1] = slots[i].second;
    }
    return t;
}

SpeciesRecord species(std::vector<std::pair<int, double>> counts) {
    SpeciesRecord s;
    for (auto [slot, count] : counts)
        s.composition[slot] = count;
    return s;
}

TEST(Composition, WeightFormulaAndElementCount) {
    const ElementTable t = templateElements();
    struct Case {
        const char* what;
        SpeciesRecord s;
        double weight;
        std::string formula;
        int elements;
    };
    const std::vector<Case> cases{
        {"methane", species({{3, 1}, {1, 4}}), 12.011 + 4 * 1.00794, "H4C1", 2},
        {"water", species({{1, 2}, {2, 1}}), 2 * 1.00794 + 15.9994, "H2O1", 2},
        {"positive ion", species({{0, -1}, {3, 1}, {1, 3}}), 12.011 + 3 * 1.00794 - 0.00054858,
         "E-1H3C1", 2},
        {"negative ion", species({{0, 1}, {1, 1}, {2, 1}}), 1.00794 + 15.9994 + 0.00054858,
         "E1H1O1", 2},
        {"fractional count", species({{3, 0.5}, {1, 1.25}}), 0.5 * 12.011 + 1.25 * 1.00794,
         "H1.25C0.5", 2},
        {"zero count left out", species({{1, 2}, {3, 0}}), 2 * 1.00794, "H2", 1},
        {"last slot", species({{10, 2}}), 2 * 79.904, "BR2", 1},
        {"nothing", species({}), 0, "", 0},
        {"electron only", species({{0, 1}}), 0.00054858, "E1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(molecularWeight(c.s, t), c.weight, 1e-12);
        EXPECT_EQ(molecularFormula(c.s, t), c.formula);
        EXPECT_EQ(elementCount(c.s), c.elements);
    }
}

TEST(Composition, CountInUndefinedSlotIsNotNamed) {
    ElementTable t = templateElements();
    t.symbols[5].clear();
    t.weights[5] = 0;
    SpeciesRecord s = species({{1, 2}, {5, 1}});
    EXPECT_EQ(molecularFormula(s, t), "H2");
    EXPECT_NEAR(molecularWeight(s, t), 2 * 1.00794, 1e-12);
}

} // namespace
} // namespace kinetra::thermo
