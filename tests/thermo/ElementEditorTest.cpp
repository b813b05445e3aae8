#include "thermo/ElementEditor.h"

#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

ElementRows rowsOf(std::vector<std::pair<std::string, std::string>> slots) {
    ElementRows rows = emptyElementRows();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        rows[i].symbol = slots[i].first;
        rows[i].weight = slots[i].second;
    }
    return rows;
}

TEST(ElementEditor, PeriodicTableAndWeightProposal) {
    const auto table = periodicTable();
    ASSERT_EQ(table.size(), 109u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].number, static_cast<int>(i + 1));
    EXPECT_STREQ(table[12].symbol, "AL");
    EXPECT_STREQ(table.back().symbol, "Mt");

    EXPECT_EQ(proposedWeight("al"), "26.9815");
    EXPECT_EQ(proposedWeight(" Al "), "26.9815");
    EXPECT_EQ(proposedWeight("H"), "1.00794");
    EXPECT_EQ(proposedWeight("BR"), "79.9042");
    EXPECT_EQ(proposedWeight("Xx"), "0");
    EXPECT_EQ(proposedWeight(""), "0");
}

TEST(ElementEditor, ValidationRefusesTheFirstFaultyCell) {
    const ElementRows good =
        rowsOf({{"H", "1.00794"}, {"al", "26.9815"}, {"", ""}, {"Cl", "35.45"}});
    EXPECT_TRUE(validateElementRows(good).ok);

    ElementValidation v = validateElementRows(rowsOf({{"H", "1"}, {"Abc", "1"}, {"4", "x"}}));
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.row, 1);
    EXPECT_EQ(v.column, kColumnSymbol);
    EXPECT_EQ(v.message, "The name 'Abc' is too long. An element name may consist of 2 letters.");

    v = validateElementRows(rowsOf({{"H", "1"}, {"C", "12"}, {" C2 ", "1"}}));
    EXPECT_EQ(v.row, 2);
    EXPECT_EQ(v.column, kColumnSymbol);
    EXPECT_EQ(v.message,
              "The name 'C2' contains a number. An element name may consist of 2 letters.");

    for (const char* weight : {"0", "-3", "", "1,5", "abc"}) {
        v = validateElementRows(rowsOf({{"O", "16"}, {"N", weight}}));
        EXPECT_EQ(v.row, 1) << weight;
        EXPECT_EQ(v.column, kColumnWeight) << weight;
        EXPECT_EQ(v.message, "Enter a positive number for atomic weight of the element 'N'.");
    }

    v = validateElementRows(rowsOf({{"O", "16"}, {"Cl", "35"}, {"CL", "35"}, {"Cl ", "35"}}));
    EXPECT_EQ(v.row, 1); // "CL" is another symbol; the trimmed "Cl " is not
    EXPECT_EQ(v.column, kColumnSymbol);
    EXPECT_EQ(v.message, "The element name 'Cl' has a duplicate. Change the name.");
}

TEST(ElementEditor, RemovalQuestionAndConfirmation) {
    const ElementRows before = rowsOf({{"H", "1"}, {"O", "16"}, {"C", "12"}, {"CL", "35"}});

    // Moving a symbol to another slot removes nothing; a changed letter case does.
    ElementRows after = rowsOf({{"H", "1"}, {"", ""}, {"C", "12"}, {"Cl", "35"}, {"O", "16"}});
    EXPECT_EQ(removedSymbols(before, after), std::vector<std::string>{"CL"});
    EXPECT_EQ(removalQuestion({"CL"}),
              "Are you sure you want to remove the element 'CL' and all species from the THERMO "
              "table, which contain this element?");
    EXPECT_EQ(removalQuestion({"O", "CL"}),
              "Are you sure you want to remove the elements 'O, CL' and all species from the "
              "THERMO table, which contain these elements?");
    EXPECT_EQ(removalQuestion({}), "");

    testing::FakeDialogs dialogs;
    dialogs.answers = {Answer::No, Answer::Yes};
    after = rowsOf({{"H", "1"}, {"", "16"}, {"C", "12"}});
    EXPECT_FALSE(confirmElementRows(dialogs, before, after).ok);
    EXPECT_TRUE(confirmElementRows(dialogs, before, after).ok);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.last().kind, "ask");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_EQ(dialogs.last().buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.last().icon, Icon::Question);
    EXPECT_NE(dialogs.last().text.find("'O, CL'"), std::string::npos);

    // A refusal is shown and ends OK before any question.
    dialogs.shown.clear();
    after[0].weight = "0";
    const ElementValidation v = confirmElementRows(dialogs, before, after);
    EXPECT_FALSE(v.ok);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().kind, "message");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);

    EXPECT_TRUE(confirmElementRows(dialogs, before, before).ok); // nothing removed, nothing asked
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(ElementEditor, WriteAndReadBack) {
    testing::TempDir dir;
    const auto path = dir / "thermo.tdb";
    store::createThermoTemplate(path);
    auto db = store::Connection::open(path);

    const ElementRows loaded = loadElementRows(db);
    EXPECT_EQ(loaded[0].num, 1);
    EXPECT_EQ(loaded[0].symbol, "H");
    EXPECT_EQ(loaded[0].weight, "1.00794");

    ElementRows rows = rowsOf({{"H", "1.00794"}, {" al", proposedWeight("al")}, {"", "5"}});
    writeElementRows(db, rows);
    EXPECT_EQ(db.recordCount("Elements"), 10);

    const ElementRows back = loadElementRows(db);
    for (int i = 0; i < kElementRowCount; ++i)
        EXPECT_EQ(back[static_cast<std::size_t>(i)].num, i + 1);
    EXPECT_EQ(back[1].symbol, "al"); // stored as typed, blanks trimmed
    EXPECT_EQ(back[1].weight, "26.9815");
    EXPECT_EQ(back[2].symbol, "");
    EXPECT_EQ(back[2].weight, "0.");
    EXPECT_EQ(back[9].symbol, "");

    const ElementTable table = toElementTable(back);
    EXPECT_EQ(table.symbols[0], "E");
    EXPECT_DOUBLE_EQ(table.weights[0], kElectronWeight);
    EXPECT_EQ(table.symbols[2], "al");
    EXPECT_DOUBLE_EQ(table.weights[2], 26.9815);
    EXPECT_TRUE(table.inUse(1));
    EXPECT_FALSE(table.inUse(3));
    EXPECT_EQ(table.slotOf("al"), 2);
}

} // namespace
} // namespace kinetra::thermo
