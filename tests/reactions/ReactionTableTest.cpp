#include "reactions/ReactionTable.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using testing::ReactionFixture;

const std::vector<std::string> kFour{"H+O2<=>O+OH 2.65E+16 -0.671 17041",
                                     "O+H2<=>H+OH 3.87E+04 2.7 6260", "2O+M<=>O2+M 1.2E+17 -1 0",
                                     "H2/2.4/ H2O/15.4/ AR/.83/", "OH+CH4<=>CH3+H2O 1e8 1.6 3120"};

std::string lastText(const ReactionFixture& f) {
    return f.fake.dialogs.shown.empty() ? std::string() : f.fake.dialogs.last().text;
}

TEST(ReactionTable, NewRowPasteUndoAndDelete) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    ASSERT_EQ(t.rowCount(), 0u);
    ASSERT_TRUE(t.insertNewRow());
    ASSERT_EQ(t.rowCount(), 1u);
    EXPECT_TRUE(t.isInvalid(0));
    EXPECT_EQ(t.currentRowReason(), "A new row.");
    EXPECT_EQ(t.rowCountText(), "1 reactions");
    EXPECT_TRUE(f.database.modified());

    // Paste after the second row, with rows picked in the order 3, 1: the pasted view lists
    // them by that order, then the new records.
    t.deleteSelected();
    f.read(kFour);
    t.setCurrentRow(1);
    t.setSelection({2, 0});
    f.fake.clipboard.content =
        "H+HO2<=>O2+H2 4.48E+13 0 1068\r\nH+H2O2<=>HO2+H2 1.21E+07 2 5200\r\n";
    const ReadResult pasted = t.paste();
    EXPECT_EQ(pasted.inserted, 2);
    EXPECT_EQ(f.shown(),
              (std::vector<std::string>{"O + O + M <=> O2 + M", "H + O2 <=> O + OH",
                                        "H + HO2 <=> O2 + H2", "H + H2O2 <=> HO2 + H2"}));
    EXPECT_EQ(f.records()[2].reaction, "H + HO2 <=> O2 + H2");
    ASSERT_TRUE(t.undoPaste());
    std::vector<std::string> left;
    for (const auto& r : f.records())
        left.push_back(r.reaction);
    EXPECT_EQ(left, (std::vector<std::string>{"H + O2 <=> O + OH", "O + H2 <=> H + OH",
                                              "O + O + M <=> O2 + M", "OH + CH4 <=> CH3 + H2O"}));
    EXPECT_EQ(f.shown().size(), 2u); // the rows picked before the paste

    // Deleting every row of a filtered view shows the hidden ones; deletes leave gaps in Num
    // until Renumber.
    t.selectAll();
    ASSERT_TRUE(t.deleteSelected());
    EXPECT_EQ(lastText(f), "All visible rows are deleted, the hidden rows will be shown.");
    EXPECT_TRUE(t.isAllView());
    ASSERT_EQ(t.rowCount(), 2u);
    EXPECT_EQ(t.cellText(1, rx::kNum), "6");
    t.renumber();
    EXPECT_EQ(t.cellText(1, rx::kNum), "2");

    ASSERT_TRUE(t.showValid());
    EXPECT_TRUE(t.deleteGridRows({0, 1}));
    EXPECT_EQ(lastText(f), "All visible rows are deleted, hidden rows will be shown.");
    EXPECT_EQ(t.rowCount(), 0u);
}

TEST(ReactionTable, PasteSpecialCopyCutAndDocument) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.settings.stoichiometric = false;
    ReadingOptionsDialogModel dialog;
    dialog.letterCase = 2;
    dialog.eUnits = 3;
    dialog.open(f.settings);
    EXPECT_EQ(dialog.letterCase, 0);
    EXPECT_EQ(dialog.eUnits, 0);
    EXPECT_FALSE(dialog.stoichiometric);
    dialog.letterCase = 1; // Uppercase
    dialog.eUnits = 1;     // kcal/mol
    dialog.stoichiometric = true;
    f.fake.clipboard.content = "2o+m<=>o2+m 1.2E+17 -1 1.5\r\n";
    EXPECT_EQ(t.pasteSpecial(dialog).inserted, 1);
    EXPECT_TRUE(f.settings.stoichiometric);
    const ReactionRecord read = f.records().front();
    EXPECT_EQ(read.reaction, "O + O + M <=> O2 + M");
    EXPECT_DOUBLE_EQ(*read.e, 1500);
    dialog.open(f.settings);
    EXPECT_EQ(dialog.letterCase, 0);
    EXPECT_EQ(dialog.eUnits, 0);
    EXPECT_TRUE(dialog.stoichiometric);

    f.read(kFour);
    t.setSelection({2});
    ASSERT_TRUE(t.cut());
    EXPECT_EQ(f.fake.clipboard.content.rfind("O + H2 <=> H + OH ", 0), 0u);
    EXPECT_EQ(kinetra::testing::readFile(f.thermo.dir / "CHEM01.TMP"), f.fake.clipboard.content);
    EXPECT_EQ(f.records().size(), 4u);
    EXPECT_EQ(f.fake.progress.texts.back(), "Please wait, deleting reactions...");

    t.mechanismDocument();
    ASSERT_EQ(f.opened.size(), 1u);
    EXPECT_EQ(f.opened[0].second, "Reaction Mechanism");
    const std::string document = kinetra::testing::readFile(f.opened[0].first);
    EXPECT_NE(document.find("REACTIONS"), std::string::npos);
    EXPECT_NE(document.find("OH + CH4 <=> CH3 + H2O"), std::string::npos);
}

TEST(ReactionTable, ViewsAndTheirEmptyMessages) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    EXPECT_FALSE(t.showInvalid());
    EXPECT_EQ(f.fake.dialogs.last().text,
              "In the reaction database gri.mdb, invalid reactions were not found.");
    EXPECT_EQ(f.fake.dialogs.last().icon, Icon::Information);
    EXPECT_TRUE(t.isAllView());
    EXPECT_EQ(t.rowCount(), 4u);

    t.setCurrentRow(3);
    t.insertNewRow();
    EXPECT_EQ(f.records()[4].species[0], "NEW");
    ASSERT_TRUE(t.showInvalid());
    EXPECT_EQ(t.rowCount(), 1u);
    ASSERT_TRUE(t.showValid());
    EXPECT_EQ(t.rowCount(), 4u);

    // Grid description: captions, formats, the units tips and the column toggles.
    const auto& c = t.columns();
    EXPECT_EQ(c[rx::kNum].caption, "No");
    EXPECT_EQ(c[rx::kAL].caption, "Ao");
    EXPECT_EQ(c[rx::kTa + 4].caption, "e");
    EXPECT_EQ(c[rx::kE].headerTip, " Units: cal/mol  ");
    EXPECT_EQ(t.cellText(0, rx::kA), "2.65E+16");
    EXPECT_EQ(t.cellText(0, rx::kN), "-0.67");
    EXPECT_FALSE(t.isColumnVisible(rx::kComposition));
    EXPECT_FALSE(t.isColumnVisible(rx::kR1));
    t.toggleComposition();
    t.toggleThirdBodies();
    EXPECT_TRUE(t.isColumnVisible(rx::kComposition));
    EXPECT_FALSE(t.isColumnVisible(rx::kS1 + 1));
}

TEST(ReactionTable, FindBySpeciesThirdBodyAndRowNumber) {
    ReactionFixture f;
    ReactionTable& t = *f.table;
    f.read(kFour);
    ReactionFindRequest find{ReactionFindField::Species, "O", true, false, FindDirection::Down};
    t.setCurrentRow(0);
    EXPECT_EQ(t.find(find), 1u);
    EXPECT_EQ(t.currentRow(), 1u);
    EXPECT_EQ(t.find(find), 1u);
    EXPECT_EQ(t.currentRow(), 2u);
    EXPECT_EQ(t.find(find), 0u);
    EXPECT_EQ(f.fake.dialogs.last().text, "End of search.");
    EXPECT_EQ(f.fake.dialogs.last().title, "KINETRA, Reactions");
    EXPECT_EQ(t.currentRow(), 2u);
    find.direction = FindDirection::Up;
    EXPECT_EQ(t.find(find), 1u);
    EXPECT_EQ(t.currentRow(), 1u);
    find.direction = FindDirection::All;
    find.products = true;
    EXPECT_EQ(t.find(find), 3u); // products "O" of the first row count too
    EXPECT_EQ(t.selectionOrder(), (std::vector<std::size_t>{0, 1, 2}));
    find.reactants = find.products = false;
    EXPECT_EQ(t.find(find), 0u);
    EXPECT_EQ(f.fake.dialogs.last().text, "Check the Reactants or/and Products check boxes.");

    EXPECT_EQ(t.find({ReactionFindField::ThirdBody, "A?", true, true, FindDirection::All}), 1u);
    EXPECT_EQ(t.currentRow(), 2u);
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
    ASSERT_TRUE(t.filterBySpecies({"O", "O", "OH", "", SpeciesFilterJoin::Or}));
    EXPECT_EQ(t.rowCount(), 3u);
    EXPECT_FALSE(t.filterBySpecies({"O", "O", "OH", "", SpeciesFilterJoin::And}));
    EXPECT_EQ(f.fake.dialogs.last().text,
              "In the reaction database gri.mdb, the search item was not found.");
    EXPECT_TRUE(t.isAllView());

    f.database.connect().execute("UPDATE [Reactions] SET Reference = 'Smith 2001' WHERE Num = 4;");
    t.refresh();
    ASSERT_TRUE(t.filterByReference("*SMITH*", false));
    EXPECT_EQ(t.rowCount(), 1u);
    EXPECT_FALSE(t.filterByReference("*SMITH*", true));
    t.setCurrentRow(0);
    EXPECT_TRUE(t.findReference("smith*", FindDirection::Down, false));
    EXPECT_EQ(t.currentRow(), 3u);

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
    EXPECT_TRUE(f.settings.elementTicks[2]);
    EXPECT_EQ(t.elementTickCaption(3), "C");
}

} // namespace
} // namespace kinetra::reactions
