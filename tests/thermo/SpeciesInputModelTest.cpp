#include "thermo/SpeciesInputModel.h"

#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kinetra::thermo {
namespace {

namespace fs = std::filesystem;
using testing::FakeUi;
using testing::TempDir;

const char* const kSpecies =
    "OH                RUS 78O   1H   1          G   200.000  3500.000  1000.000    1\n"
    " 3.09288767E+00 5.48429716E-04 1.26505228E-07-8.79461556E-11 1.17412376E-14    2\n"
    " 3.85865700E+03 4.47669610E+00 3.99201543E+00-2.40131752E-03 4.61793841E-06    3\n"
    "-3.88113333E-09 1.36411470E-12 3.61508056E+03-1.03925458E-01                   4\n"
    "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1\n"
    " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
    "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
    "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01 1.23456789E-01    4\n";

class SpeciesInputModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createThermoTemplate(dir / "EmptyThermo.db");
        store::createThermoTemplate(path);
        database.emplace(ThermoFiles{dir / "EmptyThermo.db", dir / "THERMOPath.txt"});
        ASSERT_EQ(database->connect(path), ConnectOutcome::Connected);
        store::Connection db = database->open();
        PasteRequest request;
        request.text = kSpecies;
        ASSERT_EQ(pasteSpeciesText(db, database->elements(), request, fake.ui).inserted, 2);
        loadRow(1);
    }
    // Loads the row with this Num (1 OH, 2 H2O).
    void loadRow(std::int64_t num) {
        store::Connection db = database->open();
        const store::RowSet rows = db.queryKeyed("SELECT * FROM [Trm] ORDER BY Num;");
        model.load(rows.rows.at(num - 1).values(), rows.keys.at(num - 1), database->elements());
    }
    std::vector<std::vector<store::Value>> fileRows() {
        store::Connection db = database->open();
        return readAllRows(db, "Trm");
    }
    // OK is refused with this message on this tab, and the file stays as it was.
    void expectRefused(const std::string& message, InputTab tab) {
        const auto before = fileRows();
        const InputOkResult result = model.ok(*database, fake.dialogs);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.message, message);
        EXPECT_EQ(result.faultTab, tab);
        ASSERT_FALSE(fake.dialogs.shown.empty());
        EXPECT_EQ(fake.dialogs.last().text, message);
        EXPECT_EQ(fake.dialogs.last().title, "KINETRA");
        EXPECT_EQ(fake.dialogs.last().icon, Icon::Exclamation);
        EXPECT_EQ(fileRows(), before);
        loadRow(1);
    }

    TempDir dir;
    fs::path path = dir / "thermo.db";
    FakeUi fake;
    std::optional<ThermoDatabase> database;
    SpeciesInputModel model;
};

TEST_F(SpeciesInputModelTest, BoxesAndLiveValues) {
    loadRow(2);
    EXPECT_EQ(model.name, "H2O");
    EXPECT_EQ(model.tmax, "3500");
    EXPECT_EQ(model.elementSlots(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(model.elementCaption(2), "O");
    EXPECT_EQ(model.intervalCaption(PolynomialInterval::Lower), "200. < T < 1000.");
    EXPECT_EQ(model.intervalCaption(PolynomialInterval::Upper), "1000. < T < 3500.");
    EXPECT_EQ(model.coefficientBox(PolynomialInterval::Lower, 0), model.coefficients[7]);
    EXPECT_EQ(model.formulaText(), "H2O1");
    EXPECT_EQ(model.weightText(), "18.01528");
    model.elementContent[2] = "x";
    EXPECT_EQ(model.formulaText(), "H2. Error in molecular weight calculation. Please check "
                                   "elemental content and electronic charge values.");
    EXPECT_EQ(model.weightText(), "");
    EXPECT_TRUE(SpeciesInputModel::acceptsTextLength(std::string(255, 'r')));
    EXPECT_FALSE(SpeciesInputModel::acceptsTextLength(std::string(256, 'r')));

    // OK without changes writes the row back bit for bit, A15 included.
    loadRow(2);
    const auto before = fileRows();
    EXPECT_TRUE(model.ok(*database, fake.dialogs).saved);
    EXPECT_EQ(fileRows(), before);
}

TEST_F(SpeciesInputModelTest, ChargeAndElementContent) {
    model.charge = "1.0";
    expectRefused("Electronic charge, please enter an integer or clear the text box.",
                  InputTab::General);
    for (const char* content : {"0", "1.5", "-2"}) {
        model.elementContent[1] = content;
        expectRefused("Elemental content, please enter a positive integer or clear the text box.",
                      InputTab::Elements);
    }

    model.name = "OH+";
    model.charge = "-1";
    const InputOkResult result = model.ok(*database, fake.dialogs);
    ASSERT_TRUE(result.saved) << result.message;
    const auto rows = fileRows();
    EXPECT_EQ(store::toText(rows[0][trm::kSpecies]), "OH+");
    EXPECT_EQ(store::toDouble(rows[0][trm::kCh]), -1.0);
    EXPECT_EQ(store::toText(rows[0][trm::kMolFormula]).substr(0, 3), "E-1");
    EXPECT_TRUE(database->mustSave());
}

TEST_F(SpeciesInputModelTest, CheckFaultsNameTheirTab) {
    model.name = "";
    expectRefused("The species name is empty, enter a name.", InputTab::General);
    model.elementContent[1] = "";
    model.elementContent[2] = "";
    expectRefused("Chemical elements aren't specified, please enter positive integers.",
                  InputTab::Elements);
    model.tmin = "abc";
    expectRefused("The low temperature Tmin, please enter a positive number.", InputTab::General);
    model.coefficients.fill("0");
    expectRefused("The polynimial coefficients aren't specified.", InputTab::Polynomials);

    // Another row's name; the row's own name is no duplicate.
    model.name = "H2O";
    expectRefused("The species name has a duplicate, change the name.", InputTab::General);
    model.coefficientBox(PolynomialInterval::Upper, 3) = "1.2.3";
    expectRefused("Polynomial coefficients, please enter numbers.", InputTab::Polynomials);
}

TEST_F(SpeciesInputModelTest, AcceptedEditLandsInTheFile) {
    model.name = "OH";
    model.tmax = "4000";
    model.elementContent[1] = "2";
    model.coefficientBox(PolynomialInterval::Upper, 0) = "3.5";
    model.reference = "edited";
    ASSERT_TRUE(model.ok(*database, fake.dialogs).saved);
    const auto rows = fileRows();
    EXPECT_EQ(store::toDouble(rows[0][trm::kTmax]), 4000.0);
    EXPECT_EQ(store::toDouble(rows[0][trm::kA1]), 3.5);
    EXPECT_EQ(store::toText(rows[0][trm::kMolFormula]), "H2O1");
    EXPECT_EQ(store::toText(rows[0][trm::kReference]), "edited");
    EXPECT_EQ(store::toInteger(rows[0][trm::kNum]), 1);
    EXPECT_EQ(store::toText(rows[1][trm::kSpecies]), "H2O");
}

} // namespace
} // namespace kinetra::thermo
