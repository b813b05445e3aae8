// The comparison of two mechanisms on hand-built records: pairing in either direction, the
// largest rate ratio on the range (with its temperature), and the data changes it names.
#include "reactions/MechanismComparison.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace kinetra::reactions {
namespace {

constexpr double kRcal = 1.987204259;
const RateConstants kConstants{kRcal, 8.314462618, 82.05736608095968};

ReactionRecord record(int num, std::vector<std::string> reactants,
                      std::vector<std::string> products, double a, double n = 0, double e = 0) {
    ReactionRecord r;
    r.num = num;
    std::string text;
    for (std::size_t i = 0; i < reactants.size(); ++i) {
        r.species[i] = reactants[i];
        text += (i ? " + " : "") + reactants[i];
    }
    text += " <=> ";
    for (std::size_t i = 0; i < products.size(); ++i) {
        r.species[rx::kReactantSlots + i] = products[i];
        text += (i ? " + " : "") + products[i];
    }
    r.reaction = text;
    r.a = a;
    r.n = n;
    r.e = e;
    return r;
}

std::vector<ReactionRecord> base() {
    ReactionRecord falloff = record(3, {"OH", "OH", "M$"}, {"H2O2", "M$"}, 7.4e13, -0.37);
    falloff.type = "Low Troe";
    falloff.al = 2.3e18;
    falloff.falloff = {0.7346, 94, 1756, 5182, std::nullopt};
    falloff.thirdBodies[0] = "H2O";
    falloff.efficiencies[0] = 6;
    return {record(1, {"H", "O2"}, {"O", "OH"}, 2.65e16, -0.6707, 17041),
            record(2, {"O", "H2"}, {"H", "OH"}, 3.87e4, 2.7, 6260), falloff,
            record(4, {"OH", "H2"}, {"H", "H2O"}, 2.16e8, 1.51, 3430)};
}

std::vector<int> nums(const std::vector<const ReactionRecord*>& records) {
    std::vector<int> out;
    for (const ReactionRecord* r : records)
        out.push_back(static_cast<int>(r->num));
    return out;
}

TEST(MechanismComparison, ItselfListsNothing) {
    const auto a = base();
    const MechanismComparison c = compareMechanisms(a, a, {}, nullptr, kConstants);
    EXPECT_EQ(c.pairs, 4u);
    EXPECT_TRUE(c.onlyInA.empty() && c.onlyInB.empty() && c.differing.empty());
}

TEST(MechanismComparison, DoubledDeletedAndAddedAreExactlyWhatIsListed) {
    const auto a = base();
    auto b = base();
    b[1].a = *b[1].a * 2;
    b.erase(b.begin() + 3);
    b.push_back(record(9, {"HO2", "H"}, {"OH", "OH"}, 7.08e13, 0, 300));
    ComparisonSettings s;
    s.factor = 1.5;
    const MechanismComparison c = compareMechanisms(a, b, s, nullptr, kConstants);
    EXPECT_EQ(nums(c.onlyInA), std::vector<int>{4});
    EXPECT_EQ(nums(c.onlyInB), std::vector<int>{9});
    ASSERT_EQ(c.differing.size(), 1u);
    EXPECT_EQ(c.differing[0].a->num, 2);
    ASSERT_TRUE(c.differing[0].rate);
    EXPECT_NEAR(c.differing[0].rate->ratio, 2, 1e-12);
    // A doubling is not "more than a factor of 2".
    EXPECT_TRUE(compareMechanisms(a, b, {}, nullptr, kConstants).differing.empty());
}

TEST(MechanismComparison, LargestRatioAndWhereItOccurs) {
    struct Case {
        double aB, nB, eB;
        double ratio, temperature;
    };
    // A: 1E13. ln(kB/kA) = ln(aB/aA) + n ln T - E/(R T) has its one extremum at T = -E/(R n).
    const double aInterior = 1e13 / (500 * std::exp(4.0)); // zero at 500 K
    const std::vector<Case> cases{
        {1e13, 1, 0, 2500, 2500},        // grows with T: the upper end
        {1e13, -1, 0, 1.0 / 2500, 2500}, // falls with T: further below 1 at the upper end
        {1e13, 0, 2000, std::exp(-2000 / (kRcal * 500)), 500}, // activation energy: lower end
        // n = 1, E = -2000 R: the minimum at 2000 K, ln 4 - 3, is the largest departure.
        {aInterior, 1, -2000 * kRcal, 4 * std::exp(-3.0), 2000},
    };
    for (const Case& c : cases) {
        const std::vector<ReactionRecord> a{record(1, {"A", "B"}, {"C", "D"}, 1e13)};
        const std::vector<ReactionRecord> b{record(1, {"A", "B"}, {"C", "D"}, c.aB, c.nB, c.eB)};
        const MechanismComparison r = compareMechanisms(a, b, {}, nullptr, kConstants);
        ASSERT_EQ(r.differing.size(), 1u) << c.nB << ' ' << c.eB;
        ASSERT_TRUE(r.differing[0].rate);
        EXPECT_NEAR(r.differing[0].rate->ratio / c.ratio, 1, 1e-9) << c.nB << ' ' << c.eB;
        EXPECT_NEAR(r.differing[0].rate->temperature, c.temperature, 1e-9);
    }
}

TEST(MechanismComparison, ReversedEquationPairsThroughKc) {
    // A: H2 = 2H with Kc from made-up constant thermo; B: 2H = H2 written with kA / Kc exactly
    // where Kc is an Arrhenius form: H with H/RT = 1000/T... Use species whose Kc is 1: the
    // same species record on both sides (X = Y), so that the reverse rate is the forward one.
    thermo::SpeciesRecord x;
    x.name = "X";
    x.tcom = 1000;
    x.coefficients = {3.5, 0, 0, 0, 0, 100, 4, 3.5, 0, 0, 0, 0, 100, 4};
    thermo::SpeciesRecord y = x;
    y.name = "Y";
    const std::map<std::string, thermo::SpeciesRecord> table{{"X", x}, {"Y", y}};
    const ThermoLookup lookup = [&](const std::string& n) -> const thermo::SpeciesRecord* {
        const auto it = table.find(n);
        return it == table.end() ? nullptr : &it->second;
    };
    const std::vector<ReactionRecord> a{record(1, {"X"}, {"Y"}, 1e10, 0.5, 1000)};
    std::vector<ReactionRecord> b{record(7, {"Y"}, {"X"}, 1e10, 0.5, 1000)};
    MechanismComparison c = compareMechanisms(a, b, {}, lookup, kConstants);
    EXPECT_EQ(c.pairs, 1u);
    EXPECT_TRUE(c.differing.empty()); // Kc = 1: the reverse rate is the same
    b[0].a = 1e11;
    c = compareMechanisms(a, b, {}, lookup, kConstants);
    ASSERT_EQ(c.differing.size(), 1u);
    EXPECT_TRUE(c.differing[0].reversed);
    EXPECT_NEAR(c.differing[0].rate->ratio, 10, 1e-9);
    // Without thermo data the pair is still a pair, with the reason it was not compared.
    c = compareMechanisms(a, b, {}, nullptr, kConstants);
    ASSERT_EQ(c.differing.size(), 1u);
    EXPECT_FALSE(c.differing[0].rate);
    EXPECT_EQ(c.differing[0].notCompared,
              "written the other way round, and not every species has thermo data");
}

TEST(MechanismComparison, ChangedData) {
    struct Case {
        std::function<void(ReactionRecord&)> change;
        std::vector<std::string> changes;
    };
    const std::vector<Case> cases{
        {[](ReactionRecord& r) { r.falloff[0] = 0.5; }, {"fall-off parameters"}},
        {[](ReactionRecord& r) { r.al = 4.6e18; }, {"low-pressure limit"}},
        {[](ReactionRecord& r) { r.efficiencies[0] = 12; }, {"third-body efficiencies"}},
        {[](ReactionRecord& r) { r.thirdBodies[1] = "AR"; }, {"third-body efficiencies"}},
        {[](ReactionRecord& r) { r.type = "Irrev Low Troe"; }, {"reversibility"}},
        {[](ReactionRecord& r) { r.type = "Low SRI"; }, {"type (LOW TROE / LOW SRI)"}},
    };
    for (const Case& c : cases) {
        const auto a = base();
        auto b = base();
        c.change(b[2]);
        const MechanismComparison r = compareMechanisms(a, b, {}, nullptr, kConstants);
        ASSERT_EQ(r.differing.size(), 1u) << c.changes[0];
        EXPECT_EQ(r.differing[0].changes, c.changes);
        EXPECT_FALSE(r.differing[0].rate);
    }
}

TEST(MechanismComparison, DuplicatesPairInOrderAndCsvQuotes) {
    std::vector<ReactionRecord> a{record(1, {"A", "B"}, {"C", "D"}, 1e13),
                                  record(2, {"A", "B"}, {"C", "D"}, 1e10)};
    std::vector<ReactionRecord> b = a;
    b[1].a = 1e12;
    const MechanismComparison c = compareMechanisms(a, b, {}, nullptr, kConstants);
    ASSERT_EQ(c.differing.size(), 1u);
    EXPECT_EQ(c.differing[0].a->num, 2);
    EXPECT_EQ(comparisonCsv(c), "kind,numA,numB,reaction,ratio,temperature,detail\n"
                                "rate,2,2,A + B <=> C + D,1.000E+02,500,\n");
    EXPECT_THROW(compareMechanisms(a, b, {1, 500, 2500}, nullptr, kConstants),
                 std::invalid_argument);
}

} // namespace
} // namespace kinetra::reactions
