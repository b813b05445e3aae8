#include "thermo/ElementTableChange.h"

#include "ThermoFixture.h"
#include "thermo/SpeciesRow.h"

#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using testing::kFourSpecies;
using testing::ThermoFixture;

std::vector<std::string> names(ThermoFixture& f) {
    std::vector<std::string> out;
    for (const auto& row : f.rows().rows)
        out.push_back(store::toText(row.field("Species")));
    return out;
}

TEST(ElementTableChange, RenamingASlotDropsItsSpeciesAndKeepsTheRest) {
    ThermoFixture f;
    f.paste(kFourSpecies);
    store::Connection db = f.database.open();
    const ElementRows before = loadElementRows(db);
    ElementRows rows = before;
    rows[3] = {4, "Ar", "39.948"};
    f.fake.dialogs.shown.clear();
    f.fake.dialogs.answers = {Answer::Yes};
    const ElementChangeResult result =
        applyElementRows(f.database, f.fake.ui, before, rows, f.dir / "ErrorMsg.txt");
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(result.removed, 1);
    EXPECT_EQ(f.fake.dialogs.shown[0].text,
              "Are you sure you want to remove the element 'N' and all species from the THERMO "
              "table, which contain this element?");
    EXPECT_EQ(names(f), (std::vector<std::string>{"H2", "O2", "H2O"}));
    EXPECT_EQ(f.database.elements().symbols[4], "Ar");
    EXPECT_TRUE(f.database.mustSave());
    // The clipboard keeps the text of the whole table as it was, N2 included.
    EXPECT_NE(f.fake.clipboard.content.find("N2                121286N   2"), std::string::npos);
}

TEST(ElementTableChange, MovingAnElementKeepsItsSpeciesAndTheirDigits) {
    ThermoFixture f;
    f.paste(kFourSpecies);
    const auto original = f.rows();
    store::Connection db = f.database.open();
    const ElementRows before = loadElementRows(db);
    ElementRows rows = before;
    rows[1] = {2, "", "0"};                 // O leaves slot 2 ...
    rows[8] = {9, "O", "15.9994"};          // ... and takes the place of F in slot 9
    f.fake.dialogs.answers = {Answer::Yes}; // F is removed: no species has it
    ASSERT_TRUE(applyElementRows(f.database, f.fake.ui, before, rows, {}).applied);
    const auto moved = f.rows();
    ASSERT_EQ(moved.recordCount(), 4u);
    const auto water = speciesFromRow(moved.rows[2]);
    EXPECT_EQ(water.composition[9], 1.0);
    EXPECT_FALSE(water.composition[2].has_value());
    EXPECT_EQ(store::toText(moved.rows[2].field("MolFormula")), "H2O1");
    EXPECT_EQ(water.coefficients, speciesFromRow(original.rows[2]).coefficients);
}

TEST(ElementTableChange, ARefusedOrDeclinedChangeTouchesNothing) {
    ThermoFixture f;
    f.paste(kFourSpecies);
    store::Connection db = f.database.open();
    const ElementRows before = loadElementRows(db);
    ElementRows tooLong = before;
    tooLong[0].symbol = "Hyd";
    ElementRows removesN = before;
    removesN[3] = {4, "", ""};
    f.fake.dialogs.answers = {Answer::No};
    EXPECT_FALSE(applyElementRows(f.database, f.fake.ui, before, tooLong, {}).applied);
    EXPECT_FALSE(applyElementRows(f.database, f.fake.ui, before, removesN, {}).applied);
    EXPECT_EQ(names(f).size(), 4u);
    EXPECT_EQ(f.database.elements().symbols[4], "N");
    EXPECT_FALSE(f.database.mustSave());
}

} // namespace
} // namespace kinetra::thermo
