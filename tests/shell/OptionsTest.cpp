#include "AppFixture.h"
#include "common/QuotedItems.h"
#include "shell/OptionsFile.h"
#include "shell/OptionsWindowModel.h"

#include <cmath>

namespace kinetra::testing {
namespace {

constexpr const char* kInstalled = "0\r\n0\r\n255\r\n16711680\r\n1\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                                   "\"\"\r\n\"\"\r\n0\r\n8.314462618\r\n1.987204259\r\n"
                                   "6.02214076E+23\r\n1.380649E-23\r\n101.325\r\n9408399\r\n";

TEST(OptionsFile, InstalledFileRoundTripsAndCommaSeparatedItemsRead) {
    OptionsReadResult r = readOptionsText(kInstalled);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values.background, 0x8F8F8Fu);
    EXPECT_DOUBLE_EQ(r.values.constants[kAvogadro], 6.02214076E+23);
    EXPECT_EQ(writeOptionsText(r.values), kInstalled);

    r = readOptionsText(
        "7,8,255,0,1,\"a, b\",\"\",\"\",\"\",\"\",3,8.3,1.98,6E23,1.38E-23,101.3,0\r\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values.reserved6, "a, b");
    EXPECT_EQ(r.values.reserved11, 3);
}

TEST(OptionsFile, MissingOrMistypedItemFailsAndKeepsWhatWasRead) {
    std::string text = kInstalled;
    OptionsReadResult truncated = readOptionsText(text.substr(0, text.find("101.325")));
    EXPECT_FALSE(truncated.ok);
    EXPECT_EQ(truncated.itemsRead, 15);
    EXPECT_DOUBLE_EQ(truncated.values.constants[kBoltzmann], 1.380649E-23);
    EXPECT_FALSE(readOptionsText(std::string(text).replace(text.find("8.31"), 11, "\"abc\"")).ok);
    // A constant that is no positive number fails as the options window would refuse it.
    EXPECT_FALSE(readOptionsText(std::string(text).replace(text.find("8.31"), 11, "-8.3")).ok);
    EXPECT_FALSE(readOptionsText(std::string(text).replace(text.find("101.325"), 7, "0")).ok);
    EXPECT_FALSE(readOptionsText(std::string(text).replace(0, 9, "0\r\n0\r\n16777216")).ok);
}

// With the installed CODATA values R' is the textbook 82.057 cm3 atm/(K mol).
TEST(PhysicalConstants, DerivedValuesAgreeWithTheTextbook) {
    PhysicalConstants codata = PhysicalConstants::fromFileValues(
        {8.314462618, 1.987204259, 6.02214076E+23, 1.380649E-23, 101.325});
    EXPECT_NEAR(codata.gasConstantCm3Atm(), 82.05736608, 1e-7);
    EXPECT_NEAR(codata.gasConstantJ / codata.gasConstantCal, 4.184, 1e-9);
    EXPECT_DOUBLE_EQ(codata.avogadroPowers[3], std::pow(6.02214076E+23, 3));
}

class OptionsWindowTest : public AppFixture {
protected:
    OptionsWindowModel window{app, fake.ui, shell};
    OptionsReadResult fileNow() {
        return readOptionsText(readFile(app.folders.support("OPTIONS.txt")));
    }
};

TEST_F(OptionsWindowTest, RefusesZeroNegativeAndTextInTheFirstBadBox) {
    window.load();
    for (const char* bad : {"-1", "abc", "1,5"}) {
        window.boxes = {"8.314", "1.987", "6.022E23", "1.38E-23", "101.325"};
        window.boxes[2] = bad;
        window.boxes[4] = "0"; // a later bad box must not be the one reported
        window.tab = OptionsTab::Colours;
        EXPECT_FALSE(window.ok()) << bad;
        EXPECT_EQ(fake.dialogs.last().text, "Physical constant, please enter a positive number.");
        EXPECT_EQ(window.tab, OptionsTab::PhysicalConstants);
        EXPECT_EQ(window.focusBox, 2);
    }
    EXPECT_EQ(fake.dialogs.shown.size(), 3u);
    EXPECT_EQ(readFile(app.folders.support("OPTIONS.txt")), kInstalled);
}

TEST_F(OptionsWindowTest, OkRewritesTheFileKeepingReservedItemsAndReloads) {
    dir.write("AssistFiles/OPTIONS.txt", "5" + std::string(kInstalled).substr(1));
    ASSERT_TRUE(shell.OptionOpen());
    EXPECT_EQ(app.options.reserved1, 0); // zero in memory ...
    window.load();
    window.boxes[3] = "2";
    window.boxes[4] = "100";
    window.setColour(ColourRole::Background, makeColour(1, 2, 3));
    ASSERT_TRUE(window.ok());

    OptionsReadResult saved = fileNow();
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.values.reserved1, 5); // ... but the file keeps its value
    EXPECT_DOUBLE_EQ(app.constants.boltzmannErg, 2E7);
    EXPECT_TRUE(app.optionsSaved);
    EXPECT_EQ(host.log.back(), "background " + std::to_string(makeColour(1, 2, 3)));
}

TEST_F(OptionsWindowTest, CancelClosesUnlessTheStoredConstantsAreInvalid) {
    window.load();
    window.boxes[0] = "junk typed but not saved";
    EXPECT_TRUE(window.cancel());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ(window.boxes[0], "8.314462618");

    std::string bad = kInstalled;
    bad.replace(bad.find("101.325"), 7, "-5");
    dir.write("AssistFiles/OPTIONS.txt", bad);
    window.load();

    fake.dialogs.answers = {Answer::Cancel};
    EXPECT_FALSE(window.cancel());
    EXPECT_EQ(fake.dialogs.last().text,
              "Invalid physical constant value. The program has been terminated.");
    EXPECT_EQ(fake.dialogs.last().buttons, Buttons::OkCancel);
    EXPECT_EQ(window.focusBox, 4);
    EXPECT_TRUE(host.log.empty());

    fake.dialogs.answers = {Answer::Ok};
    EXPECT_TRUE(window.cancel());
    EXPECT_EQ(host.log.back(), "exit-timer");
}

TEST_F(OptionsWindowTest, BrokenFileAtStartUpOpensTheWindowAndOkWritesAWholeFile) {
    dir.write("AssistFiles/OPTIONS.txt", "0\r\n0\r\n255\r\n");
    EXPECT_FALSE(shell.MDILoad(false));
    EXPECT_EQ(fake.dialogs.last().text,
              "Error in the OPTIONS.txt file. Use the OPTIONS windows to set correct values.");
    EXPECT_EQ(host.log.back(), "options constants");

    window.load();
    window.boxes = {"8.314462618", "1.987204259", "6.02214076E+23", "1.380649E-23", "101.325"};
    ASSERT_TRUE(window.ok());
    EXPECT_TRUE(fileNow().ok);
}

TEST_F(OptionsWindowTest, UnwritableOptionsFileIsReportedAndKeepsTheWindowOpen) {
    window.load();
    makeReadOnly(app.folders.support("OPTIONS.txt"));
    EXPECT_FALSE(window.ok());
    EXPECT_EQ(fake.dialogs.last().text.rfind("OPT#001. ", 0), 0u);
    EXPECT_FALSE(app.optionsSaved);
    EXPECT_FALSE(fake.progress.busyNow);
}

} // namespace
} // namespace kinetra::testing
