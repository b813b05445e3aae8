#include "reactions/ReactionTable.h"

#include "ReactionFixture.h"
#include "reactions/ReactionCheck.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using testing::ReactionFixture;

const std::vector<std::string> kFour{"H+O2<=>O+OH 2.65E+16 -0.671 17041",
                                     "O+H2<=>H+OH 3.87E+04 2.7 6260", "2O+M<=>O2+M 1.2E+17 -1 0",
                                     "H2/2.4/ H2O/15.4/ AR/.83/", "OH+CH4<=>CH3+H2O 1e8 1.6 3120"};

TEST(ReactionTable, ViewsNewRowAndDeletes) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    EXPECT_FALSE(t.showInvalid());
    EXPECT_EQ(f.fake.dialogs.last().text,
              "In the reaction database gri.mdb, invalid reactions were not found.");
    EXPECT_EQ(t.cellText(0, rx::kA), "2.65E+16");
    EXPECT_EQ(t.cellText(0, rx::kN), "-0.67");

    t.setCurrentRow(3);
    ASSERT_TRUE(t.insertNewRow());
    EXPECT_EQ(t.currentRowReason(), "A new row.");
    EXPECT_EQ(t.rowCountText(), "1 reactions"); // the view of what was inserted
    ASSERT_TRUE(t.showInvalid());
    EXPECT_EQ(t.rowCount(), 1u);

    // Deleting every row of a filtered view shows the hidden ones; deletes leave gaps in Num
    // until Renumber.
    ASSERT_TRUE(t.filterBySpecies({"O", "O", "OH", "", SpeciesFilterJoin::Or})); // rows 1 to 3
    t.selectAll();
    f.fake.dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.deleteSelected());
    EXPECT_EQ(f.fake.dialogs.shown.end()[-2].text, "Do you want to delete 3 reactions?");
    EXPECT_EQ(f.fake.dialogs.last().text,
              "All visible rows are deleted, the hidden rows will be shown.");
    EXPECT_TRUE(t.isAllView());
    ASSERT_EQ(t.rowCount(), 2u);
    EXPECT_EQ(t.cellText(1, rx::kNum), "5");
    t.renumber();
    EXPECT_EQ(t.cellText(1, rx::kNum), "2");
    ASSERT_TRUE(t.showValid());
    EXPECT_TRUE(t.deleteGridRows({0}));
    EXPECT_EQ(f.fake.dialogs.last().text,
              "All visible rows are deleted, hidden rows will be shown.");
    EXPECT_EQ(t.rowCount(), 1u);
}

TEST(ReactionTable, PasteUndoCutAndDocument) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    // Paste after the second row, with rows picked in the order 3, 1: the pasted view lists
    // them by that order, then the new records.
    t.setCurrentRow(1);
    t.setSelection({2, 0});
    f.fake.clipboard.content =
        "H+HO2<=>O2+H2 4.48E+13 0 1068\r\nH+H2O2<=>HO2+H2 1.21E+07 2 5200\r\n";
    EXPECT_EQ(t.paste().inserted, 2);
    EXPECT_EQ(f.shown(),
              (std::vector<std::string>{"O + O + M <=> O2 + M", "H + O2 <=> O + OH",
                                        "H + HO2 <=> O2 + H2", "H + H2O2 <=> HO2 + H2"}));
    ASSERT_TRUE(t.undoPaste());
    EXPECT_EQ(f.records().size(), 4u);
    EXPECT_EQ(f.shown().size(), 2u); // the rows picked before the paste

    t.showAll();
    t.setSelection({1});
    ASSERT_TRUE(t.cut());
    EXPECT_EQ(f.fake.clipboard.content.rfind("O + H2 <=> H + OH ", 0), 0u);
    EXPECT_EQ(kinetra::testing::readFile(f.thermo.dir / "CHEM01.TMP"), f.fake.clipboard.content);
    EXPECT_EQ(f.records().size(), 3u);

    t.mechanismDocument();
    ASSERT_EQ(f.opened.size(), 1u);
    EXPECT_EQ(f.opened[0].second, "Reaction Mechanism");
    EXPECT_NE(kinetra::testing::readFile(f.opened[0].first).find("OH + CH4 <=> CH3 + H2O"),
              std::string::npos);

    // Paste Special reads with the dialog's options; only the stoichiometric tick is kept for
    // the next opening.
    f.settings.stoichiometric = false;
    ReadingOptionsDialogModel dialog;
    dialog.open(f.settings);
    EXPECT_FALSE(dialog.stoichiometric);
    dialog.letterCase = 1; // Uppercase
    dialog.eUnits = 1;     // kcal/mol
    dialog.stoichiometric = true;
    f.fake.clipboard.content = "2o+m<=>o2+m 1.2E+17 -1 1.5\r\n";
    EXPECT_EQ(t.pasteSpecial(dialog).inserted, 1);
    const auto read = f.records(" WHERE E = 1500");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].reaction, "O + O + M <=> O2 + M");
    dialog.open(f.settings);
    EXPECT_EQ(std::tuple(dialog.letterCase, dialog.eUnits, dialog.stoichiometric),
              std::tuple(0, 0, true));
}

TEST(ReactionTable, FindBySpeciesAndRowNumber) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    ReactionFindRequest find{ReactionFindField::Species, "O", true, false, FindDirection::Down};
    t.setCurrentRow(1);
    t.setSelection({1});
    EXPECT_EQ(t.find(find), 1u);
    EXPECT_EQ(t.currentRow(), 2u);
    // The highlight moves with the cursor: edits and deletions go where the user looks.
    EXPECT_EQ(t.selection(), (std::set<std::size_t>{2}));
    EXPECT_EQ(t.find(find), 0u);
    EXPECT_EQ(f.fake.dialogs.last().text, "End of search.");
    find.direction = FindDirection::All;
    find.products = true;
    EXPECT_EQ(t.find(find), 3u); // products "O" of the first row count too
    find.reactants = find.products = false;
    EXPECT_EQ(t.find(find), 0u);
    EXPECT_EQ(f.fake.dialogs.last().text, "Check the Reactants or/and Products check boxes.");

    EXPECT_EQ(t.find({ReactionFindField::RowNumber, "0", true, true, FindDirection::Down}), 0u);
    EXPECT_EQ(f.fake.dialogs.last().text, "Please enter a positive integer.");
    EXPECT_EQ(t.find({ReactionFindField::RowNumber, "4", true, true, FindDirection::Down}), 1u);
    EXPECT_EQ(t.currentRow(), 3u);
}

TEST(ReactionTable, SpeciesReferenceAndElementFilters) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    // The second pattern needs a name of its own: "OH" of the last row fits both patterns.
    ASSERT_TRUE(t.filterBySpecies({"O*", "*H", "*", "", SpeciesFilterJoin::And}));
    EXPECT_EQ(f.shown(), std::vector<std::string>{"H + O2 <=> O + OH"});
    EXPECT_FALSE(t.filterBySpecies({"O", "O", "OH", "", SpeciesFilterJoin::And}));
    EXPECT_EQ(f.fake.dialogs.last().text,
              "In the reaction database gri.mdb, the search item was not found.");

    f.database.connection().execute(
        "UPDATE [Reactions] SET Reference = 'Smith 2001' WHERE Num = 4;");
    t.refresh();
    ASSERT_TRUE(t.filterByReference("*SMITH*", false));
    EXPECT_EQ(t.rowCount(), 1u);
    EXPECT_FALSE(t.filterByReference("*SMITH*", true)); // case-sensitive

    // C and CL are told apart; an invalid reaction has no composition and never qualifies.
    std::array<std::string, 11> symbols{"", "H", "O", "C", "N", "AR", "HE", "S", "CL", "F", "BR"};
    std::array<bool, 11> ticks{};
    ticks[1] = ticks[8] = true;
    EXPECT_TRUE(compositionOfTickedElements("H1CL1 + H1 = H2 + CL1", symbols, ticks));
    EXPECT_FALSE(compositionOfTickedElements("C1H4 + H1 = C1H3 + H2", symbols, ticks));
    EXPECT_FALSE(compositionOfTickedElements("", symbols, ticks));
    ticks = {};
    ticks[1] = ticks[2] = true;
    ASSERT_TRUE(t.filterByElements(ticks));
    EXPECT_EQ(t.rowCount(), 3u);
}

// A reaction written "=>" stays one-way through the check of the whole database and through
// copy and paste.
TEST(ReactionTable, OneWayFalloffKeepsItsPrefixThroughCheckAllCopyAndPaste) {
    ReactionFixture f;
    f.read({"H+O2(+M)=>HO2(+M)   4.65E12  0.44  0.0", "LOW / 6.366E20 -1.72 524.8 /",
            "TROE / 0.5 1E-30 1E30 /", "H2/2.0/ H2O/14.0/", "O+OH<=>O2+H   2.0E14  0.  16800."});
    {
        store::Connection db = f.database.connection();
        checkAllReactions(db, f.species);
    }
    const ReactionRecord oneWay = f.records().at(0);
    EXPECT_EQ(oneWay.type, "Irrev Low Troe");
    EXPECT_EQ(oneWay.reaction, "H + O2 + M$ => HO2 + M$");
    EXPECT_EQ(oneWay.info, 0);

    f.table->setSelection({0});
    ASSERT_TRUE(f.table->copy());
    EXPECT_NE(f.fake.clipboard.content.find("H + O2 (+M) => HO2 (+M)"), std::string::npos);
    f.table->setCurrentRow(1);
    ASSERT_EQ(f.table->paste().inserted, 1);
    const ReactionRecord pasted = f.records().at(2);
    EXPECT_EQ(std::tuple(pasted.type, pasted.reaction, pasted.al),
              std::tuple(oneWay.type, oneWay.reaction, oneWay.al));
}

} // namespace
} // namespace kinetra::reactions
