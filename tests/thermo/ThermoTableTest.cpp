#include "thermo/ThermoTable.h"

#include "ThermoFixture.h"
#include "common/TextFile.h"
#include "thermo/SpeciesRow.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

// H2O of kFourSpecies under another name, so that any number of distinct species can be made.
std::string water(const std::string& name) {
    std::string block = testing::kFourSpecies.substr(81 * 8, 81 * 4);
    return block.replace(0, 18, name + std::string(18 - name.size(), ' '));
}

std::string waters(const std::string& prefix, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += water(prefix + std::to_string(i));
    return text;
}

// The table over the fixture's database; its paste takes the text from the clipboard.
class ThermoTableTest : public ::testing::Test, public testing::ThermoFixture {
protected:
    ThermoTableTest() {
        table.emplace(database, fake.ui, settings, nullptr, dir.path(), dir.path());
    }

    PasteResult paste(const std::string& text) {
        fake.clipboard.content = text;
        return table->paste();
    }
    // Name and number of every row of the table, in Num order.
    std::vector<std::string> numbered() {
        std::vector<std::string> out;
        for (const auto& row : fileRows())
            out.push_back(store::toText(row[trm::kNum]) + ":" + store::toText(row[trm::kSpecies]));
        return out;
    }
    std::vector<std::string> shownNames() {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < table->rowCount(); ++r)
            out.push_back(table->cellText(r, trm::kSpecies));
        return out;
    }

    ThermoRunSettings settings;
    std::optional<ThermoTable> table;
};

TEST_F(ThermoTableTest, NewRowCellEditsAndDuplicates) {
    // The user's copied text stays on the clipboard.
    fake.clipboard.content = "copied by the user";
    ASSERT_TRUE(table->insertNewRow());
    EXPECT_EQ(fake.clipboard.content, "copied by the user");
    EXPECT_EQ(table->cellText(0, trm::kSpecies), "NEW<");
    EXPECT_TRUE(database.isModified());
    ASSERT_EQ(paste(water("H2O") + water("H2O") + water("NEW<")).inserted, 3);
    table->showAll();
    table->setCurrentRow(1);
    EXPECT_EQ(table->statusMessage(), "The species has a duplicate.");
    table->setCurrentRow(3); // the placeholder name wins over the duplicate it also is
    EXPECT_EQ(table->statusMessage(), "A new row.");

    EXPECT_FALSE(table->setCell(1, trm::kTmin, "2OO"));
    EXPECT_EQ(fake.dialogs.last().text, "Please enter a number.");

    // Renaming one of the pair ends the duplicate of both.
    table->setCurrentRow(2);
    ASSERT_TRUE(table->setCell(1, trm::kSpecies, "HDO"));
    EXPECT_EQ(table->statusMessage(), "");
    EXPECT_EQ(store::toInteger(table->rows().rows[2][trm::kInfo]), 0);

    // A composition cell updates formula and weight.
    ASSERT_TRUE(table->setCell(1, trm::kN1 + 1, "2"));
    EXPECT_EQ(table->cellText(1, trm::kMolFormula), "H2O2");
    EXPECT_EQ(table->cellText(1, trm::kMW), "34.01468");
}

TEST_F(ThermoTableTest, PasteGoesAfterTheCurrentRowAndACancelLeavesEveryRow) {
    ASSERT_EQ(paste(waters("S", 3)).inserted, 3);
    EXPECT_EQ(table->view(), SpeciesView::Pasted);
    table->showAll();
    table->setCurrentRow(1); // Num 2
    ASSERT_EQ(paste(waters("P", 2)).inserted, 2);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S2", "3:P1", "4:P2", "5:S3"}));
    table->showAll();
    const auto before = fileRows();

    std::string broken = water("B1");
    broken.replace(broken.find("3.03399249E+00"), 14, "3.0339924xE+00");
    fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                   {RefusalChoice::Cancel, false}};
    EXPECT_TRUE(paste(broken + water("G1") + broken + water("G2")).cancelled);
    EXPECT_EQ(fileRows(), before); // the marks of the last paste included
    EXPECT_EQ(paste("").inserted, 0);
    EXPECT_EQ(fileRows(), before);

    // Undo still selects what the last paste added, and only that.
    table->undoPaste();
    EXPECT_EQ(table->selection(), (std::set<std::size_t>{2, 3}));
}

TEST_F(ThermoTableTest, CopyCutAndDelete) {
    ASSERT_EQ(paste(waters("S", 5)).inserted, 5);
    table->showAll();
    table->selectAll();
    ASSERT_TRUE(table->copy());
    EXPECT_EQ(*readTextFile(dir / "CHEM01.TMP"), fake.clipboard.content);

    table->setSelection({1, 3});
    ASSERT_TRUE(table->cut());
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S3", "3:S5"}));
    EXPECT_NE(fake.clipboard.content.find("\r\nS4 "), std::string::npos);

    // A species the clipboard text cannot carry is not cut: it would be lost.
    {
        SpeciesRecord wide = speciesFromValues(fileRows()[0]);
        wide.name = "WIDE";
        for (int slot = 1; slot <= 5; ++slot)
            wide.composition[slot] = 1;
        RowMarks marks;
        marks.num = 4;
        const std::vector<std::vector<store::Value>> rows{
            rowFromSpecies(wide, database.elements(), marks)};
        database.connection().insertRows("Trm", rows);
    }
    table->refresh();
    table->setSelection({3});
    EXPECT_FALSE(table->cut());
    EXPECT_EQ(fileRows().size(), 4u);

    // Delete asks first, naming the count; No keeps every row.
    // A filtered view of two rows, marked as the filters mark them.
    database.connection().execute(
        "UPDATE [Trm] SET Tmp = CASE WHEN Species IN ('S3', 'WIDE') THEN '1' ELSE '0' END;");
    table->setView(SpeciesView::Filtered);
    table->selectAll();
    fake.dialogs.answers = {Answer::No};
    EXPECT_FALSE(table->deleteSelected());
    EXPECT_EQ(fake.dialogs.last().text, "Do you want to delete 2 species?");
    EXPECT_EQ(fake.dialogs.last().buttons, Buttons::YesNo);
    EXPECT_EQ(fileRows().size(), 4u);

    // Deleting every row a filter shows brings the other rows back.
    fake.dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(table->deleteSelected());
    EXPECT_EQ(fake.dialogs.last().text,
              "All visible rows are deleted, the hidden rows will be shown.");
    EXPECT_EQ(table->view(), SpeciesView::All);
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S5"}));
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"S1", "S5"}));
}

TEST_F(ThermoTableTest, EmptyValidAndInvalidViewsAreRefused) {
    EXPECT_FALSE(table->showValid());
    EXPECT_EQ(fake.dialogs.last().text,
              "In the thermodynamic database gas.mdb, valid species were not found.");
    EXPECT_FALSE(table->showInvalid());
    EXPECT_EQ(fake.dialogs.last().text,
              "In the thermodynamic database gas.mdb, invalid species were not found.");
}

TEST_F(ThermoTableTest, ViewOnlyRefusesEveryEdit) {
    ASSERT_EQ(paste(waters("S", 2)).inserted, 2);
    table->showAll();
    table->setCurrentRow(0);
    const auto before = fileRows();
    table->setViewOnly(true);
    EXPECT_EQ(table->statusMessage(), kViewOnlyStatus);
    table->selectAll();
    EXPECT_FALSE(table->insertNewRow());
    EXPECT_EQ(paste(water("X")).inserted, 0);
    EXPECT_FALSE(table->setCell(0, trm::kSpecies, "Y"));
    EXPECT_FALSE(table->cut());
    EXPECT_FALSE(table->deleteSelected());
    EXPECT_FALSE(table->renumber());
    EXPECT_EQ(fileRows(), before);
    EXPECT_TRUE(table->copy()); // reading is allowed
}

} // namespace
} // namespace kinetra::thermo
