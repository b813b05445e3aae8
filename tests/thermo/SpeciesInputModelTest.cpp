#include "thermo/SpeciesInputModel.h"

#include "ThermoFixture.h"
#include "thermo/SpeciesRow.h"

#include <gtest/gtest.h>
#include <string>

namespace kinetra::thermo {
namespace {

class SpeciesInputModelTest : public ::testing::Test, public testing::ThermoFixture {
protected:
    // H2, O2, H2O with an A15 and N2; the dialog shows H2O.
    void SetUp() override {
        std::string text = testing::kFourSpecies;
        text.replace(81 * 11 + 60, 15, " 1.23456789E-01");
        ASSERT_EQ(paste(text).inserted, 4);
        loadRow(3);
    }
    void loadRow(std::int64_t num) {
        const store::RowSet rows =
            database.connection().queryKeyed("SELECT * FROM [Trm] ORDER BY Num;");
        model.load(rows.rows.at(num - 1).values(), rows.keys.at(num - 1), database.elements());
    }
    // OK is refused with this message on this tab, and the file stays as it was.
    void expectRefused(const std::string& message, InputTab tab) {
        const auto before = fileRows();
        const InputOkResult result = model.ok(database, fake.dialogs);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.message, message);
        EXPECT_EQ(result.faultTab, tab);
        ASSERT_FALSE(fake.dialogs.shown.empty());
        EXPECT_EQ(fake.dialogs.last().text, message);
        EXPECT_EQ(fake.dialogs.last().icon, Icon::Exclamation);
        EXPECT_EQ(fileRows(), before);
        loadRow(3);
    }

    SpeciesInputModel model;
};

TEST_F(SpeciesInputModelTest, LiveValuesAndAnUnchangedOk) {
    EXPECT_EQ(model.coefficientBox(PolynomialInterval::Lower, 0), model.coefficients[7]);
    model.elementContent[2] = "x";
    EXPECT_EQ(model.formulaText(), "H2. Error in molecular weight calculation. Please check "
                                   "elemental content and electronic charge values.");
    EXPECT_EQ(model.weightText(), "");
    EXPECT_FALSE(SpeciesInputModel::acceptsTextLength(std::string(256, 'r')));

    // OK without changes writes the row back bit for bit, A15 included.
    loadRow(3);
    const auto before = fileRows();
    EXPECT_TRUE(model.ok(database, fake.dialogs).saved);
    EXPECT_EQ(fileRows(), before);
}

TEST_F(SpeciesInputModelTest, FaultsNameTheirTabAndLeaveTheFile) {
    model.charge = "1.0";
    expectRefused("Electronic charge, please enter an integer or clear the text box.",
                  InputTab::General);
    for (const char* content : {"0", "1.5"}) {
        model.elementContent[1] = content;
        expectRefused("Elemental content, please enter a positive integer or clear the text box.",
                      InputTab::Elements);
    }
    model.name = "";
    expectRefused("The species name is empty, enter a name.", InputTab::General);
    model.elementContent[1] = "";
    model.elementContent[2] = "";
    expectRefused("Chemical elements aren't specified, please enter positive integers.",
                  InputTab::Elements);
    model.tmin = "abc";
    expectRefused("The low temperature Tmin, please enter a positive number.", InputTab::General);
    model.coefficients.fill("0");
    expectRefused("The polynomial coefficients aren't specified.", InputTab::Polynomials);
    // Another row's name; the row's own name is no duplicate.
    model.name = "N2";
    expectRefused("The species name has a duplicate, change the name.", InputTab::General);
    model.coefficientBox(PolynomialInterval::Upper, 3) = "1.2.3";
    expectRefused("Polynomial coefficients, please enter numbers.", InputTab::Polynomials);
}

TEST_F(SpeciesInputModelTest, AcceptedEditLandsInTheFile) {
    model.name = "OH+";
    model.charge = "-1";
    model.tmax = "4000";
    model.coefficientBox(PolynomialInterval::Upper, 0) = "3.5";
    const InputOkResult result = model.ok(database, fake.dialogs);
    ASSERT_TRUE(result.saved) << result.message;
    const auto rows = fileRows();
    EXPECT_EQ(store::toText(rows[2][trm::kSpecies]), "OH+");
    EXPECT_EQ(store::toText(rows[2][trm::kMolFormula]), "E-1H2O1");
    EXPECT_EQ(store::toDouble(rows[2][trm::kTmax]), 4000.0);
    EXPECT_EQ(store::toDouble(rows[2][trm::kA1]), 3.5);
    EXPECT_EQ(store::toText(rows[3][trm::kSpecies]), "N2");
    EXPECT_TRUE(database.isModified());
}

} // namespace
} // namespace kinetra::thermo
