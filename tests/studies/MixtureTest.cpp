#include "studies/Mixture.h"

#include <gtest/gtest.h>

namespace kinetra::studies {
namespace {

std::optional<ElementCounts> counts(const std::string& name) {
    static const std::map<std::string, ElementCounts> known{
        {"CH4", {{"C", 1}, {"H", 4}}},
        {"H2", {{"H", 2}}},
        {"O2", {{"O", 2}}},
        {"N2", {{"N", 2}}},
        {"AR", {{"AR", 1}}},
        {"CH3OH", {{"C", 1}, {"H", 4}, {"O", 1}}},
        {"H2O", {{"H", 2}, {"O", 1}}},
        {"C3H8", {{"C", 3}, {"H", 8}}}};
    const auto it = known.find(name);
    return it == known.end() ? std::nullopt : std::optional(it->second);
}

double fractionOf(const Mixture& m, const std::string& name) {
    for (const auto& s : m)
        if (s.name == name)
            return s.amount;
    return 0;
}

TEST(Mixture, FuelFractionFollowsTheOxygenBalance) {
    struct Case {
        const char *fuel, *oxidizer;
        double phi;
        const char* species;
        double fraction;
    };
    const Case cases[] = {
        {"CH4=1", "O2=1,N2=3.76", 1, "CH4", 1 / 10.52},
        {"H2=1", "O2=1,N2=3.76", 1, "H2", 1 / 3.38}, // 0.2958
        {"CH4=1", "O2=1,N2=3.76", 0.5, "CH4", 1 / (1 + 2 * 9.52)},
        {"CH4=1", "O2=1,N2=3.76", 2, "O2", 1 / 5.76},
        // The oxygen a fuel carries lowers what it needs: CH3OH needs 3 O, 1.5 O2.
        {"CH3OH=1", "O2=1", 1, "CH3OH", 1 / 2.5},
        // Amounts are relative; a blend needs the sum of its parts.
        {"CH4=2,C3H8=2", "O2=1", 1, "O2", 7.0 / 9},
        {"H2=1", "O2=1,AR=4", 1, "AR", 2 / 3.5},
    };
    for (const Case& c : cases) {
        const auto mixture = mixtureFromPhi({c.fuel, c.oxidizer, c.phi}, counts);
        ASSERT_TRUE(std::holds_alternative<Mixture>(mixture)) << std::get<std::string>(mixture);
        const Mixture& m = std::get<Mixture>(mixture);
        double sum = 0;
        for (const auto& s : m)
            sum += s.amount;
        EXPECT_NEAR(sum, 1, 1e-14) << c.fuel;
        EXPECT_NEAR(fractionOf(m, c.species), c.fraction, 1e-12) << c.fuel << " phi " << c.phi;
    }
    EXPECT_NEAR(
        fractionOf(std::get<Mixture>(mixtureFromPhi({"H2=1", "O2=1,N2=3.76", 1}, counts)), "H2"),
        0.2958, 1e-4); // as quoted, to four digits
}

TEST(Mixture, RefusesWhatCannotBurnWithItsReason) {
    struct Case {
        const char *fuel, *oxidizer;
        double phi;
        const char* message;
    };
    const Case cases[] = {
        {"N2=1", "AR=1", 1,
         "The fuel \"N2=1\" cannot burn in the oxidizer \"AR=1\": the fuel holds no carbon or "
         "hydrogen to oxidize."},
        {"CH4=1", "N2=1", 1,
         "The fuel \"CH4=1\" cannot burn in the oxidizer \"N2=1\": the oxidizer holds no oxygen "
         "to give."},
        {"H2=1", "H2O=1", 1,
         "The fuel \"H2=1\" cannot burn in the oxidizer \"H2O=1\": the oxidizer holds no oxygen "
         "to give."},
        {"XE=1", "O2=1", 1, "The species XE of the fuel is not in the thermo database."},
        {"CH4", "O2=1", 1,
         "The fuel \"CH4\" is not a list of NAME=AMOUNT with positive amounts (at \"CH4\")."},
        {"CH4=1", "O2=-1", 1,
         "The oxidizer \"O2=-1\" is not a list of NAME=AMOUNT with positive amounts (at "
         "\"O2=-1\")."},
        {"CH4=1", "O2=1", 0, "The equivalence ratio must be positive."},
    };
    for (const Case& c : cases) {
        const auto mixture = mixtureFromPhi({c.fuel, c.oxidizer, c.phi}, counts);
        ASSERT_TRUE(std::holds_alternative<std::string>(mixture)) << c.fuel;
        EXPECT_EQ(std::get<std::string>(mixture), c.message);
    }
}

TEST(Mixture, ElementCountsComeFromTheSlotsOfTheThermoRecord) {
    thermo::ElementTable table;
    table.symbols = {"E", "C", "H", "O", "N", "Ar"};
    thermo::SpeciesRecord ion;
    ion.composition[0] = -1; // a positive ion: the charge is no element
    ion.composition[1] = 1;
    ion.composition[2] = 3;
    ion.composition[5] = 0;
    EXPECT_EQ(elementCounts(ion, table), (ElementCounts{{"C", 1}, {"H", 3}}));
}

} // namespace
} // namespace kinetra::studies
