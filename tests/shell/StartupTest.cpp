#include "AppFixture.h"
#include "common/QuotedItems.h"
#include "shell/StartupChecks.h"
#include "store/Database.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kinetra::testing {
namespace {

using StartupTest = AppFixture;

void makeReadOnly(const fs::path& p) {
    fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

TEST_F(StartupTest, EmptyThermoPathIsFilledWithTheQuickStartDatabase) {
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_TRUE(app.checksPassed);
    EXPECT_TRUE(fake.dialogs.shown.empty());
    const std::string expected = (dir.path() / "QuickStart" / "THERMO_h2.mdb").string();
    EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), "\"" + expected + "\"\r\n");
    EXPECT_EQ(readThermoPathFile(app.folders), expected);
}

TEST_F(StartupTest, ThermoPathThatNamesADatabaseIsKept) {
    dir.write("AssistFiles/THERMOPath.txt", "\"/data/gas.mdb\"\r\n");
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_EQ(readThermoPathFile(app.folders), "/data/gas.mdb");
}

TEST_F(StartupTest, ReadOnlySupportFilesAreMadeWritableSilently) {
    for (const char* name : {"OPTIONS.txt", "THERMOPath.txt", "EmptyReac.mdb", "EmptyThermo.mdb"})
        makeReadOnly(app.folders.support(name));
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    for (const char* name : {"OPTIONS.txt", "THERMOPath.txt", "EmptyReac.mdb", "EmptyThermo.mdb"})
        EXPECT_NE(fs::status(app.folders.support(name)).permissions() & fs::perms::owner_write,
                  fs::perms::none)
            << name;
}

struct BrokenSupportFile {
    const char* file;
    bool remove; // remove the file, or fill it with text that is not what it should be
    const char* messageStart;
    const char* messageEnd;
};

void PrintTo(const BrokenSupportFile& c, std::ostream* os) {
    *os << c.file << (c.remove ? " missing" : " damaged");
}

class StartupFailureTest : public AppFixture,
                           public ::testing::WithParamInterface<BrokenSupportFile> {};

TEST_P(StartupFailureTest, StopsWithTheFileNamedAndRequestsExit) {
    const auto& p = GetParam();
    const fs::path path = app.folders.support(p.file);
    if (p.remove)
        fs::remove(path);
    else
        dir.write(std::string("AssistFiles/") + p.file, "not what it should be");

    EXPECT_FALSE(shell.runTitleChecks());
    EXPECT_TRUE(app.terminate);
    EXPECT_FALSE(app.checksPassed);
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(fake.dialogs.last().text, p.messageStart + path.string() + p.messageEnd);
    EXPECT_EQ(fake.dialogs.last().title, "KINETRA");
    EXPECT_EQ(fake.dialogs.last().icon, Icon::Critical);
    EXPECT_EQ(host.log.back(), "exit-timer");
}

constexpr const char* kAux = "The auxiliary file ";
constexpr const char* kCannot =
    " not found or cannot be processed. The program has been terminated. ";

INSTANTIATE_TEST_SUITE_P(
    EachSupportFile, StartupFailureTest,
    ::testing::Values(BrokenSupportFile{"OPTIONS.txt", true, kAux, kCannot},
                      BrokenSupportFile{"THERMOPath.txt", true, kAux, kCannot},
                      BrokenSupportFile{"Dragcopy.cur", true, kAux,
                                        " not found. The program has been terminated."},
                      BrokenSupportFile{"Graph01.ico", false, kAux,
                                        " not found. The program has been terminated."},
                      BrokenSupportFile{"MISC05.ICO", true, kAux,
                                        " not found. The program has been terminated."},
                      BrokenSupportFile{"EmptyReac.mdb", false, kAux, kCannot},
                      BrokenSupportFile{"EmptyThermo.mdb", true, kAux, kCannot}));

TEST_F(StartupTest, FirstFailingCheckStopsTheOthers) {
    fs::remove(app.folders.support("OPTIONS.txt"));
    fs::remove(app.folders.support("Graph01.ico"));
    EXPECT_FALSE(shell.runTitleChecks());
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_NE(fake.dialogs.last().text.find("OPTIONS.txt"), std::string::npos);
    // The path file is only filled after every check passed.
    EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), "");
}

struct FormatCase {
    const char* converted;
    const char* message; // empty when usable
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << '"' << c.converted << '"';
}

class NumberFormatCheckTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatCheckTest, GivesTheMessageOfTheFirstFault) {
    const std::string converted = GetParam().converted;
    const std::string message = CheckNumberFormat([&](double) { return converted; });
    const std::string expected = GetParam().message;
    EXPECT_EQ(message, expected.empty() ? expected
                                        : expected + " The next message contains an information "
                                                     "about setting the number format.");
}

INSTANTIATE_TEST_SUITE_P(
    Converters, NumberFormatCheckTest,
    ::testing::Values(
        FormatCase{"-1058201048.57143", ""}, FormatCase{" -1058201048.57143 ", ""},
        FormatCase{"-1058201048,57143", "Decimal symbol of the number format isn't recognized; "
                                        "Kinetra requires the point as the decimal symbol."},
        FormatCase{"-1.058.201.048,57143", "Decimal symbol of the number format isn't "
                                           "recognized; Kinetra requires the point as the "
                                           "decimal symbol."},
        FormatCase{"(1058201048.57143)", "Negative sign of the number format isn't recognized; "
                                         "set the ' - ' symbol as negative sign."},
        FormatCase{"1058201048.57143-", "Negative sign of the number format isn't recognized; "
                                        "set the ' - ' symbol as negative sign."},
        FormatCase{"-1.058.201.048.57143", "In the number format, the digit grouping is used; "
                                           "delete this format feature."},
        FormatCase{"-1'058'201'048.57143", ""}));

TEST(NumberFormatCheck, ProgramConversionPassesUnderEveryLocale) {
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            continue;
        EXPECT_EQ(CheckNumberFormat(programNumberConversion()), "") << locale;
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(StartupTest, TitleClosedLoadsOptionsAndThermoPathButNothingAfterFailedChecks) {
    app.terminate = true;
    shell.titleClosed();
    EXPECT_TRUE(host.log.empty());

    app.terminate = false;
    dir.write("AssistFiles/THERMOPath.txt", "\"/x/THERMO.mdb\"\r\n");
    shell.titleClosed();
    EXPECT_EQ(app.thermoPath, "/x/THERMO.mdb");
    EXPECT_EQ(app.forbiddenSymbols[0], " ");
    EXPECT_EQ(app.forbiddenSymbols[5], "$");
    EXPECT_EQ(host.log.front(), "toolbar 0");
}

TEST_F(StartupTest, ThermoDatabaseIsConnectedWithTheStartUpMessages) {
    const fs::path gas = dir / "gas.mdb";
    store::createThermoTemplate(gas);
    dir.write("AssistFiles/THERMOPath.txt", "\"" + gas.string() + "\"\r\n");
    shell.titleClosed();
    EXPECT_EQ(app.thermo.path(), gas);
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ(host.log.back(), "show-thermo");

    // A failed connection names the file in the start-up wording and keeps THERMOPath.txt.
    struct Case {
        std::string file;
        std::string message;
    };
    const fs::path locked = dir / "locked.mdb";
    fs::copy_file(gas, locked);
    makeReadOnly(locked);
    const fs::path missing = dir / "missing.mdb";
    const Case cases[] = {
        {locked.string(),
         "THERMO database " + locked.string() + " is read-only, remove this attribute."},
        {missing.string(), missing.string() +
                               " The program cannot find the THERMO table. Make sure "
                               "you are opening the thermodynamic database."},
    };
    for (const Case& c : cases) {
        App fresh{app.folders};
        FakeHost freshHost{fresh};
        FakeUi freshUi;
        Shell freshShell{fresh, freshUi.ui, freshHost};
        const std::string file = "\"" + c.file + "\"\r\n";
        dir.write("AssistFiles/THERMOPath.txt", file);
        freshShell.titleClosed();
        EXPECT_FALSE(fresh.thermo.isConnected());
        ASSERT_EQ(freshUi.dialogs.shown.size(), 1u);
        EXPECT_EQ(freshUi.dialogs.shown[0].text, c.message);
        EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), file);
    }
}

} // namespace
} // namespace kinetra::testing
