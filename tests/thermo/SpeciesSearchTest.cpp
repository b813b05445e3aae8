#include "thermo/SpeciesSearch.h"

#include "store/Database.h"
#include "store/StoreRows.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

using store::Value;
using store::testing::trmRow;

struct Species {
    std::int64_t num;
    std::string name;
    std::map<int, double> counts = {}; // slot -> count
    std::optional<double> charge = {};
    std::string reference = {};
    std::string tmp = "0";
};

std::vector<Value> row(const Species& s) {
    std::vector<Value> r = trmRow(s.num, s.name);
    const auto& schema = store::trmSchema();
    for (const auto& [slot, count] : s.counts)
        r[schema.position("N" + std::to_string(slot)).value()] = count;
    if (s.charge)
        r[schema.position("Ch").value()] = *s.charge;
    r[schema.position("Reference").value()] = s.reference;
    r[schema.position("Tmp").value()] = s.tmp;
    return r;
}

// Slots 1 O, 2 H, 3 C, 4 N, 5 Cl.
class SpeciesFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createThermoTemplate(path);
        db.emplace(store::Connection::open(path));
        const char* symbols[] = {"O", "H", "C", "N", "Cl"};
        for (int slot = 1; slot <= 5; ++slot)
            db->execute("UPDATE [Elements] SET Element = '" + std::string(symbols[slot - 1]) +
                        "' WHERE Num = " + std::to_string(slot) + ";");
    }
    void add(const std::vector<Species>& species) {
        std::vector<std::vector<Value>> rows;
        for (const Species& s : species)
            rows.push_back(row(s));
        db->insertRows("Trm", rows);
    }
    std::vector<std::string> kept() {
        std::vector<std::string> names;
        for (const auto& r : db->query("SELECT" + std::string(kFilteredViewTail)).rows)
            names.push_back(store::toText(r.field("Species")));
        return names;
    }
    std::vector<std::string> marks() {
        std::vector<std::string> tmp;
        for (const auto& r : db->query("SELECT Tmp FROM [Trm] ORDER BY rowid;").rows)
            tmp.push_back(store::toText(r.field("Tmp")));
        return tmp;
    }
    std::size_t byElements(std::vector<int> slots) {
        std::array<bool, kSlotCount> checked{};
        for (int s : slots)
            checked[static_cast<std::size_t>(s)] = true;
        return filterByElements(*db, checked);
    }

    testing::TempDir dir;
    std::filesystem::path path = dir / "thermo.tdb";
    std::optional<store::Connection> db;
};

TEST(SpeciesFind, WalksFromCurrentRowInEachDirection) {
    const std::vector<std::string> names{"N2", "CH4", "co2", "CO", "H2O"};
    EXPECT_EQ(findNext(names, 0, "C*", FindDirection::Down).found, 1u);
    EXPECT_EQ(findNext(names, 1, "C*", FindDirection::Down).found, 3u); // co2: case respected
    EXPECT_EQ(findNext(names, 1, "C*", FindDirection::All).found, 3u);
    EXPECT_EQ(findNext(names, 4, "C*", FindDirection::Up).found, 3u);
    EXPECT_EQ(findNext(names, 3, "C*", FindDirection::Up).found, 1u);

    // The current row itself is never a hit.
    FindResult end = findNext(names, 3, "C*", FindDirection::Down);
    EXPECT_FALSE(end.found);
    EXPECT_TRUE(end.endOfSearch);

    FindResult top = findNext(names, 1, "C*", FindDirection::Up);
    EXPECT_FALSE(top.found);
    EXPECT_FALSE(top.endOfSearch);

    EXPECT_TRUE(findNext({}, 0, "*", FindDirection::Down).endOfSearch);
    EXPECT_EQ(findNext(names, 99, "H*", FindDirection::Up).found, 4u);
}

TEST(SpeciesFind, EndOfSearchIsShownOnlyForForwardSearches) {
    testing::FakeDialogs dialogs;
    const std::vector<std::string> names{"CH4", "CO"};
    EXPECT_FALSE(findNextAndReport(dialogs, names, 1, "*", FindDirection::Down));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "End of search.");
    EXPECT_EQ(dialogs.last().title, "KINETRA, THERMO");
    EXPECT_EQ(dialogs.last().icon, Icon::Information);

    EXPECT_FALSE(findNextAndReport(dialogs, names, 0, "X*", FindDirection::Up));
    EXPECT_EQ(findNextAndReport(dialogs, names, 0, "C?", FindDirection::All), 1u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(SpeciesFilterTest, ElementFilterKeepsSpeciesMadeOfCheckedElements) {
    add({{1, "CH4", {{3, 1}, {2, 4}}},
         {2, "CO2", {{3, 1}, {1, 2}}},
         {3, "HCO+", {{2, 1}, {3, 1}, {1, 1}}, -1.0},
         {4, "N2", {{4, 2}}},
         {5, "CH3Cl", {{3, 1}, {2, 3}, {5, 1}}},
         {6, "Dummy", {}},
         {7, "C2", {{3, 2}, {4, 0}}}}); // a zero count is no element

    EXPECT_EQ(byElements({1, 2, 3}), 4u);
    EXPECT_EQ(kept(), (std::vector<std::string>{"CH4", "CO2", "HCO+", "C2"}));

    EXPECT_EQ(byElements({}), 1u);
    EXPECT_EQ(kept(), std::vector<std::string>{"Dummy"});

    EXPECT_EQ(byElements({4}), 1u);
    EXPECT_EQ(kept(), std::vector<std::string>{"N2"});
}

TEST_F(SpeciesFilterTest, FilterWithoutMatchLeavesPreviousMarks) {
    add({{1, "CH4", {{3, 1}, {2, 4}}, {}, "", "1"},
         {2, "N2", {{4, 2}}, {}, "", "0"},
         {3, "H2O", {{2, 2}, {1, 1}}, {}, "", "1"}});
    const std::vector<std::string> before = marks();

    EXPECT_EQ(filterByPattern(*db, FilterField::Species, "Xe*"), 0u);
    EXPECT_EQ(marks(), before);
    EXPECT_EQ(byElements({5}), 0u); // nothing made of Cl alone
    EXPECT_EQ(marks(), before);

    EXPECT_EQ(notFoundMessage(path),
              "In the thermodynamic database thermo.tdb, the search item was not found.");
}

TEST_F(SpeciesFilterTest, PatternFiltersMarkRowsEvenWithDuplicateNums) {
    add({{1, "CH4", {}, {}, "GRI-Mech 3.0"},
         {1, "CO", {}, {}, "Burcat 2005"},
         {2, "co2", {}, {}, "GRI-Mech 3.0"},
         {3, "N2", {}, {}, ""}});

    EXPECT_EQ(filterByPattern(*db, FilterField::Species, "C*"), 2u);
    EXPECT_EQ(marks(), (std::vector<std::string>{"1", "1", "0", "0"}));

    EXPECT_EQ(filterByPattern(*db, FilterField::Species, "CO"), 1u);
    EXPECT_EQ(marks(), (std::vector<std::string>{"0", "1", "0", "0"}));

    EXPECT_EQ(filterByPattern(*db, FilterField::Reference, "GRI*"), 2u);
    EXPECT_EQ(kept(), (std::vector<std::string>{"CH4", "co2"}));
}

} // namespace
} // namespace kinetra::thermo
