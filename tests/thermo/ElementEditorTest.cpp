#include "thermo/ElementEditor.h"

#include "ThermoFixture.h"
#include "thermo/ElementTableChange.h"
#include "thermo/SpeciesRow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

using testing::kFourSpecies;
using testing::ThermoFixture;

ElementRows rowsOf(std::vector<std::pair<std::string, std::string>> slots) {
    ElementRows rows = emptyElementRows();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        rows[i].symbol = slots[i].first;
        rows[i].weight = slots[i].second;
    }
    return rows;
}

TEST(ElementEditor, ValidationRefusesTheFirstFaultyCell) {
    EXPECT_TRUE(validateElementRows(rowsOf({{"H", "1.00794"}, {"al", proposedWeight(" al ")}})).ok);
    EXPECT_EQ(proposedWeight("Xx"), "0");

    ElementValidation v = validateElementRows(rowsOf({{"H", "1"}, {"Abc", "1"}, {"4", "x"}}));
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.row, 1);
    EXPECT_EQ(v.message, "The name 'Abc' is too long. An element name may consist of 2 letters.");

    v = validateElementRows(rowsOf({{"H", "1"}, {" C2 ", "1"}}));
    EXPECT_EQ(v.message,
              "The name 'C2' contains a number. An element name may consist of 2 letters.");

    v = validateElementRows(rowsOf({{"O", "16"}, {"N", "1,5"}}));
    EXPECT_EQ(v.column, kColumnWeight);
    EXPECT_EQ(v.message, "Enter a positive number for atomic weight of the element 'N'.");

    v = validateElementRows(rowsOf({{"O", "16"}, {"Cl", "35"}, {"CL", "35"}, {"Cl ", "35"}}));
    EXPECT_EQ(v.row, 1); // "CL" is another symbol; the trimmed "Cl " is not
    EXPECT_EQ(v.message, "The element name 'Cl' has a duplicate. Change the name.");
}

TEST(ElementEditor, RemovalQuestion) {
    const ElementRows before = rowsOf({{"H", "1"}, {"O", "16"}, {"C", "12"}, {"CL", "35"}});
    // Moving a symbol to another slot removes nothing; a changed letter case does.
    const ElementRows after =
        rowsOf({{"H", "1"}, {"", ""}, {"C", "12"}, {"Cl", "35"}, {"O", "16"}});
    EXPECT_EQ(removedSymbols(before, after), std::vector<std::string>{"CL"});
    EXPECT_EQ(removalQuestion({"CL"}),
              "Are you sure you want to remove the element 'CL' and all species from the THERMO "
              "table, which contain this element?");
    EXPECT_EQ(removalQuestion({"O", "CL"}),
              "Are you sure you want to remove the elements 'O, CL' and all species from the "
              "THERMO table, which contain these elements?");

    kinetra::testing::FakeDialogs dialogs;
    EXPECT_TRUE(confirmElementRows(dialogs, before, before).ok); // nothing removed, nothing asked
    EXPECT_TRUE(dialogs.shown.empty());
}

// Applying the rows to a database holding kFourSpecies.
class ElementTableChange : public ::testing::Test, public ThermoFixture {
protected:
    void SetUp() override {
        paste(kFourSpecies);
        store::Connection db = database.connection();
        before = rows = loadElementRows(db);
    }
    ElementRows before, rows;
};

TEST_F(ElementTableChange, RenamingASlotDropsItsSpeciesAndKeepsTheRest) {
    rows[3] = {4, " Ar", "39.948"}; // stored trimmed
    fake.dialogs.answers = {Answer::Yes};
    const ElementChangeResult result =
        applyElementRows(database, fake.ui, before, rows, dir / "ErrorMsg.txt");
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(result.removed, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"H2", "O2", "H2O"}));
    EXPECT_EQ(database.elements().symbols[4], "Ar");
    // The clipboard keeps the text of the whole table as it was, N2 included.
    EXPECT_NE(fake.clipboard.content.find("N2                121286N   2"), std::string::npos);
}

TEST_F(ElementTableChange, MovingAnElementKeepsItsSpeciesAndTheirDigits) {
    const auto original = ThermoFixture::rows();
    rows[1] = {2, "", "0"};               // O leaves slot 2 ...
    rows[8] = {9, "O", "15.9994"};        // ... and takes the place of F in slot 9
    fake.dialogs.answers = {Answer::Yes}; // F is removed: no species has it
    ASSERT_TRUE(applyElementRows(database, fake.ui, before, rows, {}).applied);
    const auto moved = ThermoFixture::rows();
    const auto water = speciesFromRow(moved.rows.at(2));
    EXPECT_EQ(water.composition[9], 1.0);
    EXPECT_FALSE(water.composition[2].has_value());
    EXPECT_EQ(store::toText(moved.rows[2].field("MolFormula")), "H2O1");
    EXPECT_EQ(water.coefficients, speciesFromRow(original.rows[2]).coefficients);
}

TEST_F(ElementTableChange, ARefusedOrDeclinedChangeTouchesNothing) {
    ElementRows tooLong = before;
    tooLong[0].symbol = "Hyd";
    rows[3] = {4, "", ""}; // removes N
    fake.dialogs.answers = {Answer::No};
    const auto rowsBefore = fileRows();
    EXPECT_FALSE(applyElementRows(database, fake.ui, before, tooLong, {}).applied);
    EXPECT_FALSE(applyElementRows(database, fake.ui, before, rows, {}).applied);
    EXPECT_EQ(fileRows(), rowsBefore);
    EXPECT_EQ(database.elements().symbols[4], "N");
    EXPECT_FALSE(database.isModified());
}

} // namespace
} // namespace kinetra::thermo
