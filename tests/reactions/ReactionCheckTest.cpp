#include "reactions/ReactionCheck.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kinetra::reactions {
namespace {

using testing::griSpecies;
using Box = CheckFocus::Box;

CheckInput input(std::initializer_list<std::string> reactants,
                 std::initializer_list<std::string> products, std::string type = {}) {
    CheckInput in;
    std::size_t s = 0;
    for (const auto& r : reactants)
        in.species[s++] = r;
    s = rx::kReactantSlots;
    for (const auto& p : products)
        in.species[s++] = p;
    in.type = std::move(type);
    return in;
}

// Made-up species over the element slots X and Y: name, charge, X, Y, without polynomials.
ThermoSpeciesList handMade() {
    ThermoSpeciesList list;
    list.setElementSymbol(1, "X");
    list.setElementSymbol(2, "Y");
    // clang-format off
    for (auto [name, charge, x, y, noPol] : {std::tuple{"NO2", 0., 1., 2., false},
             {"NO", 0., 1., 1., false}, {"O", 0., 0., 1., false}, {"RAD", 0., 0., 1., true},
             {"ION+", 1., 1., 0., false}, {"PT1", 0., .1, 0., false}, {"PT2", 0., .2, 0., false},
             {"PT3", 0., .3, 0., false}})
        // clang-format on
        list.add(name, {charge, {x, y}, name, noPol});
    return list;
}

TEST(ReactionCheck, GriReactionsAndTheirFaults) {
    const ThermoSpeciesList& list = griSpecies();
    auto check = [&](CheckInput in) { return checkReaction(in, list); };
    CheckResult r = check(input({"O2", " H "}, {"OH", "O"}));
    EXPECT_TRUE(r.valid) << r.message;
    EXPECT_EQ(r.equation, "O2 + H <=> OH + O");
    // The one-way prefix does not count as reverse parameters despite containing "REV".
    EXPECT_EQ(check(input({"O2", "H"}, {"OH", "O"}, "Irrev ")).equation, "O2 + H => OH + O");
    r = check(input({"O2", "HX"}, {"OH", "O"}));
    EXPECT_EQ(r.equation, "O2 + HX = OH + O");
    EXPECT_EQ(std::pair(r.focus.box, r.focus.index), std::pair(Box::Species, 1));

    CheckInput troe = input({"H", "O2", "M$"}, {"HO2", "M$"}, "Low Troe");
    troe.al = 6.37e20;
    troe.falloff = {0.5, 1e-30, 1e30, std::nullopt, std::nullopt};
    troe.thirdBodies = {"H2O", "AR"};
    EXPECT_TRUE(check(troe).valid);
    CheckInput badBody = troe, noAo = troe, noC = troe, zeroT = troe;
    badBody.thirdBodies[2] = "XE";
    noAo.al = 0;
    noC.falloff[2].reset();
    // TROE/ 0.168 1203.00 0.00 /: a zero temperature is the limit of a vanishing term.
    zeroT.falloff = {0.168, 1203.0, 0.0, std::nullopt, std::nullopt};
    EXPECT_TRUE(check(zeroT).valid);
    zeroT.falloff = {0.0, 570.0, 0.0, 1e30, std::nullopt};
    EXPECT_TRUE(check(zeroT).valid);
    // A named collider and the SRI form: 'b' may be zero, 'c' may not.
    CheckInput sri = input({"CH3", "H", "N2$"}, {"CH4", "N2$"}, "Irrev Low SRI");
    sri.al = 1e20;
    sri.falloff = {0.5, 0, 300, std::nullopt, std::nullopt};
    r = check(sri);
    EXPECT_TRUE(r.valid) << r.message;
    EXPECT_EQ(std::pair(r.equation, r.resultingType),
              std::pair(std::string("CH3 + H + N2$ => CH4 + N2$"), std::string("Irrev Low SRI")));
    CheckInput sriNoC = sri;
    sriNoC.falloff[2].reset();

    for (const auto& [in, message] : std::vector<std::pair<CheckInput, std::string>>{
             {input({"O2", "H"}, {"OH"}), "The element O does not balance."},
             {input({"O2", "HX"}, {"OH", "O"}),
              "The species HX isn't declared in the THERMO table."},
             {input({"H", "O2", "M"}, {"HO2"}),
              "The reaction type isn't recognized; check the 'M' symbols."},
             {input({"H2O$", "M$"}, {"H2O$", "M$"}),
              "The reaction type isn't recognized; check the species names with '$'."},
             {input({}, {"OH"}), "Enter reactants."},
             {badBody, "The third-body XE isn't declared in the THERMO table."},
             {noAo, "Pressure-dependent reactions, please enter a positive decimal number for the "
                    "Ao value."},
             {noC, "Enter the 'b' and 'c' values for the Troe form."},
             {sriNoC, "Enter a nonzero 'c' value for the SRI form."}})
        EXPECT_EQ(check(in).message, message);
}

TEST(ReactionCheck, PhotonsLumpedProductsSpeciesWithoutPolynomialsAndReasons) {
    const ThermoSpeciesList list = handMade();
    auto equation = [&](CheckInput in) { return checkReaction(in, list).equation; };
    auto reason = [&](CheckInput in) {
        ReactionRecord record;
        record.species = in.species;
        record.type = in.type;
        return reactionReason(record, list);
    };
    EXPECT_EQ(equation(input({"NO2", "HV"}, {"NO", "O"})), "NO2 + HV => NO + O");
    EXPECT_EQ(reason(input({"NO2", "HV"}, {"NO"})),
              "The element Y does not balance. Irreversible reaction with 'HV'.");
    // A photon after an "M" still makes the reaction one-way.
    EXPECT_EQ(equation(input({"M", "NO2", "hv"}, {"NO", "O", "M"})), "M + NO2 + hv => NO + O + M");
    // Lumped products are neither looked up nor balanced.
    EXPECT_EQ(equation(input({"NO2", "O"}, {"Products"})), "NO2 + O => Products");
    EXPECT_EQ(reason(input({"NO2"}, {"PROD"})), "Irreversible reaction with 'Products'.");

    EXPECT_EQ(equation(input({"NO", "RAD"}, {"NO2"})), "NO + RAD => NO2");
    EXPECT_EQ(reason(input({"RAD", "RAD", "NO"}, {"NO2", "O"})),
              "Irreversible reaction, the thermodynamic functions of species RAD RAD aren't "
              "specified.");
    EXPECT_EQ(equation(input({"NO", "RAD"}, {"NO2"}, "Rev")), "NO + RAD <=> NO2");
    EXPECT_EQ(reason(input({"NO", "RAD"}, {"NO2"}, "Rev")),
              "Thermodynamic functions of species RAD aren't specified.");

    // Charge is reported before elements; fractional counts leave no false imbalance.
    EXPECT_EQ(reason(input({"ION+"}, {"O"})), "The electronic charge does not balance.");
    EXPECT_EQ(reason(input({"PT1", "PT2"}, {"PT3"})), "");
    EXPECT_EQ(reason(input({"NEW"}, {})), "A new row.");
}

TEST(ReactionCheck, CheckAllRenumbersAndDisablesInvalidRecords) {
    kinetra::testing::TempDir dir;
    store::createReactionTemplate(dir / "r.mdb");
    std::vector<std::vector<store::Value>> rows;
    for (auto [num, in] : {std::pair{30, input({"NO2"}, {"NO", "O"})},
                           {10, input({"NO2"}, {"NO"})},
                           {20, input({"NO2", "HV"}, {"NO", "O"})}}) {
        ReactionRecord record;
        record.num = num;
        record.enabled = true;
        record.info = 5;
        record.species = in.species;
        rows.push_back(rowFromReaction(record));
    }
    store::Connection db = store::Connection::open(dir / "r.mdb");
    db.insertRows("Reactions", rows);
    EXPECT_EQ(checkAllReactions(db, handMade()), 1);
    std::vector<ReactionRecord> r;
    for (const auto& row : db.query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
        r.push_back(reactionFromRow(row));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(std::tuple(r[0].num, r[0].reaction, r[0].info, r[0].enabled),
              std::tuple(1, "NO2 = NO", -1, false));
    EXPECT_EQ(std::tuple(r[1].num, r[1].reaction, r[1].composition, r[1].info, r[1].enabled),
              std::tuple(2, "NO2 + HV => NO + O", "NO2 = NO + O", 0, true));
    EXPECT_EQ(std::tuple(r[2].num, r[2].reaction, r[2].info, r[2].enabled),
              std::tuple(3, "NO2 <=> NO + O", 0, true));
}

} // namespace
} // namespace kinetra::reactions
