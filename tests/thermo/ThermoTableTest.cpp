#include "thermo/ThermoTable.h"

#include "common/TextFile.h"
#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::thermo {
namespace {

namespace fs = std::filesystem;
using testing::FakeUi;
using testing::TempDir;

// Water with the name columns replaced, so that any number of distinct species can be made.
std::string water(const std::string& name, bool withTcom = true) {
    std::string line1 =
        "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1";
    line1.replace(0, 18, name + std::string(18 - name.size(), ' '));
    if (!withTcom)
        line1.replace(65, 10, std::string(10, ' '));
    return line1 + "\r\n" +
           " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\r\n"
           "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\r\n"
           "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\r\n";
}

std::string waters(const std::string& prefix, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += water(prefix + std::to_string(i));
    return text;
}

// A block the reader refuses: a coefficient that is not a number.
std::string broken(const std::string& name) {
    std::string text = water(name);
    text.replace(text.find("3.03399249E+00"), 14, "3.0339924xE+00");
    return text;
}

class ThermoTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createThermoTemplate(dir / "EmptyThermo.db");
        store::createThermoTemplate(path);
        database.emplace(ThermoFiles{dir / "EmptyThermo.db", dir / "THERMOPath.txt"});
        ASSERT_EQ(database->connect(path), ConnectOutcome::Connected);
        table.emplace(
            *database, fake.ui, settings,
            [this](const fs::path& file, const std::string& caption) {
                opened.emplace_back(file, caption);
            },
            dir.path(), dir.path());
    }

    PasteResult paste(const std::string& text) {
        fake.clipboard.content = text;
        return table->paste();
    }
    std::vector<std::vector<store::Value>> fileRows() {
        store::Connection db = database->open();
        return readAllRows(db, "Trm");
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

    TempDir dir;
    fs::path path = dir / "thermo.db";
    FakeUi fake;
    ThermoRunSettings settings;
    std::vector<std::pair<fs::path, std::string>> opened;
    std::optional<ThermoDatabase> database;
    std::optional<ThermoTable> table;
};

TEST_F(ThermoTableTest, NewRowOnAnEmptyTable) {
    EXPECT_EQ(table->rowCountText(), "0 Species");
    ASSERT_TRUE(table->insertNewRow());
    EXPECT_EQ(fake.clipboard.content, newRowTemplate());
    ASSERT_EQ(table->rowCount(), 1u);
    const store::Row& row = table->rows().rows[0];
    EXPECT_EQ(store::toText(row[trm::kSpecies]), "NEW<");
    EXPECT_EQ(store::toInteger(row[trm::kNum]), 1);
    EXPECT_EQ(store::toInteger(row[trm::kInfo]), -1);
    EXPECT_TRUE(table->isInvalid(0));
    EXPECT_EQ(table->statusMessage(), "A new row.");
    EXPECT_TRUE(database->mustSave());
}

TEST_F(ThermoTableTest, PasteGoesAfterTheCurrentRowAndUndoFindsIt) {
    ASSERT_EQ(paste(waters("S", 6)).inserted, 6);
    EXPECT_EQ(table->view(), kPastedSpeciesView);
    table->showAll();
    table->setCurrentRow(4); // Num 5
    ASSERT_EQ(paste(waters("P", 2)).inserted, 2);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S2", "3:S3", "4:S4", "5:S5", "6:P1",
                                                    "7:P2", "8:S6"}));
    EXPECT_EQ(table->statusMessage(), "");

    // After the last row the text is appended.
    table->showAll();
    table->setCurrentRow(7);
    ASSERT_EQ(paste(water("Q1")).inserted, 1);
    EXPECT_EQ(numbered().back(), "9:Q1");

    // A filter showing old and new rows: undo selects only what the last paste added.
    table->setView(" * FROM [Trm] WHERE Species LIKE 'Q%' OR Species LIKE 'P%' ORDER BY Num;");
    ASSERT_EQ(shownNames(), (std::vector<std::string>{"P1", "P2", "Q1"}));
    table->undoPaste();
    EXPECT_EQ(table->selection(), (std::set<std::size_t>{2}));
    EXPECT_EQ(table->rowCountText(), "3 Species");
}

TEST_F(ThermoTableTest, CancelledOrEmptyPasteLeavesEveryRowAsItWas) {
    ASSERT_EQ(paste(waters("S", 3)).inserted, 3);
    table->showAll();
    table->setCurrentRow(1);
    const auto before = fileRows();

    fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                   {RefusalChoice::Cancel, false}};
    const PasteResult cancelled = paste(broken("B1") + water("G1") + broken("B2") + water("G2"));
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(fileRows(), before); // the marks of the previous paste included
    EXPECT_EQ(table->view(), kAllSpeciesView);

    EXPECT_EQ(paste("").inserted, 0);
    EXPECT_EQ(fileRows(), before);
    table->undoPaste();
    EXPECT_EQ(table->selection().size(), 3u);
}

TEST_F(ThermoTableTest, CopiedTextPastesBackAsTheSameSpecies) {
    const auto gri = readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "gri30/gri30_thermo.dat");
    ASSERT_TRUE(gri);
    ReadOptions options;
    fake.clipboard.content = unframeThermoFile(*gri, options);
    const PasteResult pasted = table->paste(options);
    ASSERT_GT(pasted.inserted, 50);
    table->showAll();
    table->selectAll();
    ASSERT_TRUE(table->copy());
    EXPECT_EQ(*readTextFile(dir / "CHEM01.TMP"), fake.clipboard.content);

    const fs::path other = dir / "other.db";
    store::createThermoTemplate(other);
    ThermoDatabase second(ThermoFiles{dir / "EmptyThermo.db", dir / "THERMOPath2.txt"});
    ASSERT_EQ(second.connect(other), ConnectOutcome::Connected);
    ThermoTable copyTable(second, fake.ui, settings, {}, dir.path(), dir.path());
    ASSERT_EQ(copyTable.paste().inserted, pasted.inserted);

    store::Connection a = database->open(), b = second.open();
    const auto rowsA = readAllRows(a, "Trm"), rowsB = readAllRows(b, "Trm");
    ASSERT_EQ(rowsA.size(), rowsB.size());
    for (std::size_t i = 0; i < rowsA.size(); ++i) {
        SpeciesRecord x = speciesFromValues(rowsA[i]), y = speciesFromValues(rowsB[i]);
        x.reference = y.reference = x.comment = y.comment = "";
        EXPECT_EQ(rowFromSpecies(x, database->elements(), {}),
                  rowFromSpecies(y, second.elements(), {}))
            << x.name;
    }
}

TEST_F(ThermoTableTest, CutAndDelete) {
    ASSERT_EQ(paste(waters("S", 5)).inserted, 5);
    table->showAll();
    table->setSelection({1, 3});
    ASSERT_TRUE(table->cut());
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S3", "3:S5"}));
    EXPECT_EQ(fake.clipboard.content.substr(0, 2), "S2");
    EXPECT_NE(fake.clipboard.content.find("\r\nS4 "), std::string::npos);

    // A species the clipboard text cannot carry is not cut: it would be lost.
    {
        store::Connection db = database->open();
        SpeciesRecord wide = speciesFromValues(fileRows()[0]);
        wide.name = "WIDE";
        for (int slot = 1; slot <= 5; ++slot)
            wide.composition[slot] = 1;
        RowMarks marks;
        marks.num = 4;
        const std::vector<std::vector<store::Value>> rows{
            rowFromSpecies(wide, database->elements(), marks)};
        db.insertRows("Trm", rows);
    }
    table->refresh();
    table->setSelection({3});
    EXPECT_FALSE(table->cut());
    EXPECT_EQ(fake.dialogs.last().title, "KINETRA");
    EXPECT_EQ(fileRows().size(), 4u);

    // Deleting every row a filter shows brings the other rows back.
    table->setView(" * FROM [Trm] WHERE Species = 'S3' OR Species = 'WIDE' ORDER BY Num;");
    table->selectAll();
    ASSERT_TRUE(table->deleteSelected());
    EXPECT_EQ(fake.dialogs.last().text,
              "All visible rows are deleted, the hidden rows will be shown.");
    EXPECT_EQ(table->view(), kAllSpeciesView);
    EXPECT_EQ(numbered(), (std::vector<std::string>{"1:S1", "2:S5"}));
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"S1", "S5"}));
}

TEST_F(ThermoTableTest, ValidAndInvalidViews) {
    EXPECT_FALSE(table->showValid());
    EXPECT_EQ(fake.dialogs.last().text,
              "In the thermodynamic database thermo.db, valid species were not found.");
    EXPECT_FALSE(table->showInvalid());
    EXPECT_EQ(fake.dialogs.last().text,
              "In the thermodynamic database thermo.db, invalid species were not found.");

    ASSERT_EQ(paste(waters("S", 2)).inserted, 2);
    table->showAll();
    table->setCurrentRow(1);
    ASSERT_TRUE(table->insertNewRow());
    const std::size_t shown = fake.dialogs.shown.size();
    EXPECT_TRUE(table->showInvalid());
    EXPECT_EQ(shownNames(), std::vector<std::string>{"NEW<"});
    EXPECT_TRUE(table->showValid());
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_EQ(fake.dialogs.shown.size(), shown);

    table->databaseDocument();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, dir / "TmpPlot.txt");
    EXPECT_EQ(opened[0].second, "Thermodynamic Database");
    const std::string document = *readTextFile(dir / "TmpPlot.txt");
    EXPECT_NE(document.find("S2"), std::string::npos);
    EXPECT_EQ(document.find("NEW<"), std::string::npos);
}

TEST_F(ThermoTableTest, CellEditsStatusAndDuplicates) {
    ASSERT_EQ(paste(water("H2O") + water("H2O") + water("NEW<")).inserted, 3);
    table->showAll();
    table->setCurrentRow(0);
    EXPECT_EQ(table->statusMessage(), "The species has a duplicate.");
    EXPECT_EQ(table->cellText(0, trm::kA1), "3.03399249E+00");
    EXPECT_EQ(table->cellText(0, trm::kMW), "18.01528");
    EXPECT_EQ(table->columns()[trm::kN1].caption, "H");
    EXPECT_EQ(table->columns()[trm::kTbound].caption, "Tcom");
    EXPECT_FALSE(table->isColumnVisible(trm::kInfo));
    table->togglePolynomials();
    EXPECT_FALSE(table->isColumnVisible(trm::kA1));

    // The placeholder name wins over the duplicate it would also be.
    ASSERT_EQ(paste(water("NEW<")).inserted, 1);
    table->showAll();
    ASSERT_EQ(shownNames(), (std::vector<std::string>{"H2O", "NEW<", "H2O", "NEW<"}));
    table->setCurrentRow(3);
    EXPECT_EQ(table->statusMessage(), "A new row.");

    EXPECT_FALSE(table->setCell(0, trm::kTmin, "2OO"));
    EXPECT_EQ(fake.dialogs.last().text, "Please enter a number.");
    EXPECT_FALSE(table->setCell(0, trm::kMW, "5"));

    // Renaming one of the pair ends the duplicate of both.
    table->setCurrentRow(2);
    ASSERT_TRUE(table->setCell(0, trm::kSpecies, "HDO"));
    EXPECT_EQ(table->statusMessage(), "");
    EXPECT_EQ(store::toInteger(table->rows().rows[0][trm::kInfo]), 0);
    EXPECT_EQ(store::toInteger(table->rows().rows[2][trm::kInfo]), 0);

    // A composition cell updates formula and weight.
    ASSERT_TRUE(table->setCell(0, trm::kN1 + 1, "2"));
    EXPECT_EQ(table->cellText(0, trm::kMolFormula), "H2O2");
    EXPECT_EQ(table->cellText(0, trm::kMW), "34.01468");
    ASSERT_TRUE(table->setCell(0, trm::kN1 + 1, ""));
    EXPECT_EQ(table->cellText(0, trm::kMolFormula), "H2");
    EXPECT_TRUE(table->isInvalid(0) == false);
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
    EXPECT_EQ(table->statusMessage(), kViewOnlyStatus);
    EXPECT_TRUE(table->copy()); // reading is allowed
}

TEST_F(ThermoTableTest, PasteSpecialRefusesABadCommonTemperature) {
    PasteSpecialModel dialog(settings);
    EXPECT_EQ(dialog.tcomText, "1000.0");
    dialog.nameRule = ReadOptions::NameRule::First16;
    dialog.insetDefaultTcom = true;
    dialog.tcomText = "-5";
    fake.clipboard.content = water("NOTCOM", false);
    EXPECT_EQ(table->pasteSpecial(dialog).inserted, 0);
    EXPECT_EQ(fake.dialogs.last().text, "Common temperature, please enter a positive number.");
    EXPECT_EQ(fake.dialogs.last().icon, Icon::Exclamation);
    EXPECT_TRUE(dialog.tcomSelected);
    EXPECT_EQ(settings.nameRule, ReadOptions::NameRule::FirstBlank);
    EXPECT_EQ(table->rowCount(), 0u);

    dialog.tcomText = "1200";
    ASSERT_EQ(table->pasteSpecial(dialog).inserted, 1);
    EXPECT_FALSE(dialog.tcomSelected);
    EXPECT_EQ(settings.nameRule, ReadOptions::NameRule::First16);
    EXPECT_EQ(store::toDouble(table->rows().rows[0][trm::kTbound]), 1200.0);
}

} // namespace
} // namespace kinetra::thermo

namespace kinetra::thermo {
namespace {

TEST_F(ThermoTableTest, FindFilterAndNumericDataOfTheShownRows) {
    std::string text = *readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "gri30/gri30_thermo.dat");
    ReadOptions options;
    fake.clipboard.content = unframeThermoFile(text, options);
    ASSERT_EQ(table->paste(options).inserted, 53);
    table->showAll();

    // C, H and O only: the nitrogen species and argon go, O2 and CH4 stay.
    std::array<bool, kSlotCount> checked{};
    checked[1] = checked[2] = checked[3] = true; // H, O, C in the template's slots
    ASSERT_TRUE(table->filterByElements(checked));
    EXPECT_EQ(table->rowCount(), 34u);
    const auto shown = shownNames();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "CH4"), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "N2"), shown.end());

    // A filter that finds nothing keeps the filtered view.
    fake.dialogs.shown.clear();
    EXPECT_FALSE(table->filter(FilterField::Species, "XYZ*"));
    EXPECT_EQ(fake.dialogs.last().text,
              "In the thermodynamic database thermo.db, the search item was not found.");
    EXPECT_EQ(table->rowCount(), 34u);

    // Find down from the last row ends the search at once.
    table->setCurrentRow(table->rowCount() - 1);
    EXPECT_FALSE(table->find("C*", FindDirection::Down, FilterField::Species));
    EXPECT_EQ(fake.dialogs.last().text, "End of search.");
    EXPECT_TRUE(table->find("CH4", FindDirection::Up, FilterField::Species));
    EXPECT_EQ(table->cellText(*table->currentRow(), trm::kSpecies), "CH4");

    ThermoChartSettings chart;
    ASSERT_TRUE(table->numericDataOfCurrentSpecies(chart, {8.314462618, 1.98720425864}));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].second, "CH4  Numeric Data");
    const std::string data = *readTextFile(opened[0].first);
    EXPECT_NE(data.find("  Species: CH4,  Molecular Formula: H4C1,  Molecular Weight: 16.04246"),
              std::string::npos);
    const auto plot =
        table->chartOfRow(*table->currentRow(), chart, {8.314462618, 1.98720425864}, false);
    ASSERT_TRUE(plot.has_value());
    EXPECT_EQ(plot->x.size(), 38u);
}

} // namespace
} // namespace kinetra::thermo
