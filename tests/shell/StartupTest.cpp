#include "AppFixture.h"
#include "common/QuotedItems.h"
#include "shell/StartupChecks.h"
#include "store/Database.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace kinetra::testing {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, EmptyThermoPathIsFilledWithTheQuickStartDatabaseAnotherIsKept) {
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_TRUE(app.checksPassed);
    const std::string expected = (dir.path() / "QuickStart" / "THERMO_h2.mdb").string();
    EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), "\"" + expected + "\"\r\n");

    dir.write("AssistFiles/THERMOPath.txt", "\"/data/gas.mdb\"\r\n");
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_EQ(readThermoPathFile(app.folders), "/data/gas.mdb");
}

TEST_F(StartupTest, ReadOnlySupportFilesAreMadeWritableSilently) {
    const char* names[] = {"OPTIONS.txt", "THERMOPath.txt", "EmptyReac.mdb", "EmptyThermo.mdb"};
    for (const char* name : names)
        makeReadOnly(app.folders.support(name));
    ASSERT_TRUE(shell.runTitleChecks());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    for (const char* name : names)
        EXPECT_NE(fs::status(app.folders.support(name)).permissions() & fs::perms::owner_write,
                  fs::perms::none)
            << name;
}

TEST_F(StartupTest, BrokenSupportFileStopsWithTheFileNamedAndRequestsExit) {
    const std::string cannot =
        " not found or cannot be processed. The program has been terminated. ";
    const std::string notFound = " not found. The program has been terminated.";
    // Either the file is removed or it holds text that is not what it should be.
    for (const auto& [name, remove, end] :
         {std::tuple{"OPTIONS.txt", true, cannot}, std::tuple{"Graph01.ico", false, notFound},
          std::tuple{"EmptyReac.mdb", false, cannot},
          std::tuple{"EmptyThermo.mdb", true, cannot}}) {
        SCOPED_TRACE(name);
        installSupportFiles(app.folders);
        const fs::path path = app.folders.support(name);
        if (remove)
            fs::remove(path);
        else
            dir.write(std::string("AssistFiles/") + name, "not what it should be");
        Session s{app.folders};
        EXPECT_FALSE(s.shell.runTitleChecks());
        EXPECT_TRUE(s.app.terminate);
        ASSERT_EQ(s.fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(s.fake.dialogs.last().text, "The auxiliary file " + path.string() + end);
        EXPECT_EQ(s.fake.dialogs.last().title, "KINETRA");
        EXPECT_EQ(s.fake.dialogs.last().icon, Icon::Critical);
        EXPECT_EQ(s.host.log.back(), "exit-timer");
    }
}

TEST_F(StartupTest, FirstFailingCheckStopsTheOthers) {
    fs::remove(app.folders.support("OPTIONS.txt"));
    fs::remove(app.folders.support("Graph01.ico"));
    EXPECT_FALSE(shell.runTitleChecks());
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_NE(fake.dialogs.last().text.find("OPTIONS.txt"), std::string::npos);
    // The path file is only filled after every check passed.
    EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), "");
}

TEST(NumberFormatCheck, GivesTheMessageOfTheFirstFaultAndTheProgramsOwnConversionPasses) {
    const std::string decimal = "Decimal symbol of the number format isn't recognized; Kinetra "
                                "requires the point as the decimal symbol.";
    const std::pair<const char*, std::string> cases[] = {
        {" -1058201048.57143 ", ""},
        {"-1'058'201'048.57143", ""},
        {"-1058201048,57143", decimal},
        {"1058201048.57143-",
         "Negative sign of the number format isn't recognized; set the ' - ' symbol as negative "
         "sign."},
        {"-1.058.201.048.57143",
         "In the number format, the digit grouping is used; delete this format feature."},
    };
    for (const auto& [converted, message] : cases) {
        const std::string text = converted;
        EXPECT_EQ(CheckNumberFormat([&](double) { return text; }),
                  message.empty() ? message
                                  : message + " The next message contains an information about "
                                              "setting the number format.")
            << converted;
    }
    // The program's own conversion passes under every locale.
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            continue;
        EXPECT_EQ(CheckNumberFormat(programNumberConversion()), "") << locale;
    }
    std::setlocale(LC_ALL, "C");
}

// Closing the title does nothing after failed checks; otherwise it loads the options and
// connects the thermo database of THERMOPath.txt.
TEST_F(StartupTest, TitleClosedConnectsTheThermoDatabaseWithTheStartUpMessages) {
    app.terminate = true;
    shell.titleClosed();
    EXPECT_TRUE(host.log.empty());

    app.terminate = false;
    const fs::path gas = dir / "gas.mdb";
    store::createThermoTemplate(gas);
    dir.write("AssistFiles/THERMOPath.txt", "\"" + gas.string() + "\"\r\n");
    shell.titleClosed();
    EXPECT_EQ(app.thermoPath, gas.string());
    EXPECT_EQ(app.thermo.path(), gas);
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ(host.log.front(), "toolbar 0");
    EXPECT_EQ(host.log.back(), "show-thermo");

    // A failed connection names the file in the start-up wording and keeps THERMOPath.txt.
    const fs::path locked = dir / "locked.mdb";
    fs::copy_file(gas, locked);
    makeReadOnly(locked);
    const fs::path missing = dir / "missing.mdb";
    const std::pair<fs::path, std::string> cases[] = {
        {locked, "THERMO database " + locked.string() + " is read-only, remove this attribute."},
        {missing, "The THERMO database " + missing.string() +
                      " does not exist. On the File menu, use the THERMO Database item to "
                      "connect a valid database."},
    };
    for (const auto& [path, message] : cases) {
        Session s{app.folders};
        const std::string file = "\"" + path.string() + "\"\r\n";
        dir.write("AssistFiles/THERMOPath.txt", file);
        s.shell.titleClosed();
        EXPECT_FALSE(s.app.thermo.isConnected());
        ASSERT_EQ(s.fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(s.fake.dialogs.shown[0].text, message);
        EXPECT_EQ(readFile(app.folders.support("THERMOPath.txt")), file);
    }

    // A THERMOPath.txt of random bytes: the message shows a short, readable excerpt.
    std::string noise;
    for (int i = 0; i < 2000; ++i)
        noise += static_cast<char>((i * 37 + 11) % 256);
    Session s{app.folders};
    dir.write("AssistFiles/THERMOPath.txt", noise);
    s.shell.titleClosed();
    EXPECT_FALSE(s.app.thermo.isConnected());
    ASSERT_EQ(s.fake.dialogs.shown.size(), 1u);
    const std::string& shown = s.fake.dialogs.shown[0].text;
    EXPECT_LT(shown.size(), 600u) << shown;
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](char c) {
        return c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F) ||
               (static_cast<unsigned char>(c) >= 0x80);
    }));
    EXPECT_EQ(shown.find('\x01'), std::string::npos);
}

} // namespace
} // namespace kinetra::testing
