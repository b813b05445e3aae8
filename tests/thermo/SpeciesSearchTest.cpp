#include "thermo/SpeciesSearch.h"

#include "ThermoFixture.h"
#include "store/StoreRows.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

struct Species {
    std::int64_t num;
    std::string name;
    std::map<std::string, store::Value> fields = {}; // N1..N10, Ch, Reference
};

// Rows written straight into the fixture's file; slots H 1, O 2, C 3, N 4, CL 8.
class SpeciesFilterTest : public ::testing::Test, public testing::ThermoFixture {
protected:
    void add(const std::vector<Species>& species) {
        std::vector<std::vector<store::Value>> rows;
        for (const Species& s : species) {
            rows.push_back(store::testing::trmRow(s.num, s.name));
            for (const auto& [field, value] : s.fields)
                rows.back()[store::trmSchema().position(field).value()] = value;
        }
        db.insertRows("Trm", rows);
    }
    std::vector<std::string> kept() { return names(speciesViewQuery(SpeciesView::Filtered)); }
    std::vector<std::string> marks() {
        std::vector<std::string> tmp;
        for (const auto& r : db.query("SELECT Tmp FROM [Trm] ORDER BY rowid;").rows)
            tmp.push_back(store::toText(r.field("Tmp")));
        return tmp;
    }
    std::size_t byElements(std::vector<int> slots) {
        std::array<bool, kSlotCount> checked{};
        for (int s : slots)
            checked[static_cast<std::size_t>(s)] = true;
        return filterByElements(db, checked);
    }

    store::Connection db = database.connection();
};

TEST(SpeciesFind, WalksFromCurrentRowInEachDirection) {
    const std::vector<std::string> names{"N2", "CH4", "co2", "CO", "H2O"};
    EXPECT_EQ(findNext(names, 1, "C*", FindDirection::Down).found, 3u); // co2: case respected
    EXPECT_EQ(findNext(names, 3, "C*", FindDirection::Up).found, 1u);
    EXPECT_EQ(findNext(names, 99, "H*", FindDirection::Up).found, 4u);

    // The current row itself is never a hit; only the forward search reaches an end.
    EXPECT_TRUE(findNext(names, 3, "C*", FindDirection::Down).endOfSearch);
    EXPECT_FALSE(findNext(names, 1, "C*", FindDirection::Up).endOfSearch);
    EXPECT_TRUE(findNext({}, 0, "*", FindDirection::Down).endOfSearch);

    kinetra::testing::FakeDialogs dialogs;
    EXPECT_FALSE(findNextAndReport(dialogs, names, 4, "*", FindDirection::Down));
    EXPECT_EQ(dialogs.last().text, "End of search.");
    EXPECT_EQ(dialogs.last().title, "KINETRA, THERMO");
    EXPECT_FALSE(findNextAndReport(dialogs, names, 0, "X*", FindDirection::Up));
    EXPECT_EQ(findNextAndReport(dialogs, names, 0, "C?", FindDirection::All), 3u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(SpeciesFilterTest, ElementFilterKeepsSpeciesMadeOfCheckedElements) {
    add({{1, "CH4", {{"N3", 1.0}, {"N1", 4.0}}},
         {2, "HCO+", {{"N1", 1.0}, {"N3", 1.0}, {"N2", 1.0}, {"Ch", -1.0}}},
         {3, "N2", {{"N4", 2.0}}},
         {4, "CH3Cl", {{"N3", 1.0}, {"N1", 3.0}, {"N8", 1.0}}},
         {5, "Dummy"},
         {6, "C2", {{"N3", 2.0}, {"N4", 0.0}}}}); // a zero count is no element

    EXPECT_EQ(byElements({1, 2, 3}), 3u);
    EXPECT_EQ(kept(), (std::vector<std::string>{"CH4", "HCO+", "C2"}));
    EXPECT_EQ(byElements({}), 1u);
    EXPECT_EQ(kept(), std::vector<std::string>{"Dummy"});

    // Nothing found: the marks of the last filter stay.
    const std::vector<std::string> before = marks();
    EXPECT_EQ(byElements({8}), 0u);
    EXPECT_EQ(filterByPattern(db, FilterField::Species, "Xe*"), 0u);
    EXPECT_EQ(marks(), before);
    EXPECT_EQ(notFoundMessage(database.path()),
              "In the thermodynamic database gas.mdb, the search item was not found.");
}

TEST_F(SpeciesFilterTest, PatternFiltersMarkRowsEvenWithDuplicateNums) {
    add({{1, "CH4", {{"Reference", std::string("GRI-Mech 3.0")}}},
         {1, "CO"},
         {2, "co2", {{"Reference", std::string("GRI-Mech 3.0")}}},
         {3, "N2"}});
    EXPECT_EQ(filterByPattern(db, FilterField::Species, "C*"), 2u);
    EXPECT_EQ(marks(), (std::vector<std::string>{"1", "1", "0", "0"}));
    EXPECT_EQ(filterByPattern(db, FilterField::Reference, "GRI*"), 2u);
    EXPECT_EQ(kept(), (std::vector<std::string>{"CH4", "co2"}));
}

} // namespace
} // namespace kinetra::thermo
