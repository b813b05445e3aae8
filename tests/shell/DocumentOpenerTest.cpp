#include "AppFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kinetra::testing {
namespace {

class DocumentOpenerTest : public AppFixture {
protected:
    fs::path file(const std::string& name, bool readOnly = false) {
        fs::path p = dir.write("docs/" + name, "text");
        if (readOnly)
            fs::permissions(
                p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        return p;
    }
    fs::path reactionDb(const std::string& name) {
        fs::path p = dir.path() / "docs" / name;
        fs::create_directories(p.parent_path());
        store::createReactionTemplate(p);
        return p;
    }
};

TEST_F(DocumentOpenerTest, RefusesForeignExtensionsInAnyLetterCase) {
    for (const char* name : {"report.PDF", "x.pdf", "a.Exe", "b.dll", "pic.bmp", "m.wmf", "d.doc",
                             "l.ldb", "g.gif", "i.msi", "p.pdb"}) {
        fake.dialogs.shown.clear();
        host.log.clear();
        fs::path p = file(name);
        shell.OpenDocumentFile(p.string());
        ASSERT_EQ(fake.dialogs.shown.size(), 1u) << name;
        EXPECT_EQ(fake.dialogs.last().text, "The specified Path/File name " + p.string() +
                                                " cannot be accessed or is invalid.");
        EXPECT_TRUE(host.log.empty()) << name;
    }
}

TEST_F(DocumentOpenerTest, RefusedExtensionFromTheDialogAsksAgain) {
    fs::path pdf = file("a.pdf"), txt = file("notes.txt");
    fake.files.paths = {pdf.string(), txt.string()};
    shell.OpenDocumentFile("");
    EXPECT_EQ(fake.files.asked.size(), 2u);
    EXPECT_EQ(fake.files.asked[0], FilterKind::AllTextDatabasesCharts);
    EXPECT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(host.log.back(), "open-text notes.txt");
}

TEST_F(DocumentOpenerTest, CancelledDialogOpensNothingAndSaysNothing) {
    shell.OpenDocumentFile("");
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(DocumentOpenerTest, ReadOnlyTextIsWarnedAboutAndOpened) {
    fs::path p = file("run.txt", true);
    shell.OpenDocumentFile(p.string());
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(fake.dialogs.last().text, "File " + p.string() + " is read-only.");
    EXPECT_EQ(host.log.back(), "open-text run.txt");
}

TEST_F(DocumentOpenerTest, ReadOnlyDatabaseIsRefused) {
    fs::path p = reactionDb("mech.mdb");
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::remove);
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(fake.dialogs.last().text,
              "File " + p.string() + " is read-only, remove this attribute.");
    EXPECT_TRUE(host.log.empty());
}

TEST_F(DocumentOpenerTest, SavedCopiesAndTheTemplateAreRefused) {
    for (const char* name : {"~mech.mdb", "EmptyReac.mdb", "emptyreac.MDB"}) {
        fake.dialogs.shown.clear();
        shell.OpenDocumentFile(reactionDb(name).string());
        EXPECT_EQ(fake.dialogs.last().text,
                  "The specified Path/File name cannot be accessed or is invalid.")
            << name;
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(DocumentOpenerTest, ReactionDatabaseIsValidatedThenOpenedOnce) {
    fs::path p = reactionDb("mech.mdb");
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(host.log, (std::vector<std::string>{"validate mech.mdb", "open-reactions mech.mdb"}));
    EXPECT_TRUE(fake.dialogs.shown.empty());

    host.log.clear();
    shell.OpenDocumentFile((dir.path() / "docs" / "." / "mech.mdb").string());
    const int firstId = app.windows.named("RDB").front().id;
    EXPECT_EQ(host.log, (std::vector<std::string>{"validate mech.mdb",
                                                  "activate " + std::to_string(firstId)}));
    EXPECT_EQ(fake.dialogs.last().text, "The reaction database is already opened.\n\n" +
                                            (dir.path() / "docs" / "." / "mech.mdb").string());
    EXPECT_EQ(fake.dialogs.last().icon, Icon::Information);
    EXPECT_EQ(app.windows.named("RDB").size(), 1u);
}

TEST_F(DocumentOpenerTest, StartUpCopyOfTheTemplateSkipsTheValidityTest) {
    fs::path p = reactionDb("tmp_kinetrardb.mdb");
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(host.log, (std::vector<std::string>{"open-reactions tmp_kinetrardb.mdb"}));
}

TEST_F(DocumentOpenerTest, RefusedReactionDatabaseOpensNoWindow) {
    host.acceptReactions = false;
    shell.OpenDocumentFile(reactionDb("bad.mdb").string());
    EXPECT_TRUE(app.windows.named("RDB").empty());
}

TEST_F(DocumentOpenerTest, TheConnectedThermoDatabaseShowsTheThermoWindow) {
    fs::path p = reactionDb("THERMO.mdb");
    app.thermoPath = p.string();
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(host.log, (std::vector<std::string>{"show-thermo"}));
}

TEST_F(DocumentOpenerTest, ChartThatCannotBeReadIsReported) {
    fs::path p = file("curve.pg");
    host.chartOpens = false;
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(fake.dialogs.last().text,
              "File " + p.string() +
                  " cannot be opened. Make sure you open a chart file and the file name is "
                  "correct.");
}

TEST_F(DocumentOpenerTest, ClosesTheToolWindowsOfTablesFirst) {
    int find = app.windows.add("RDB_Find", "Find");
    int input = app.windows.add("TDB_InputForm", "Input");
    int textFind = app.windows.add("RES_FIND", "Find/Replace");
    shell.OpenDocumentFile(file("x.txt").string());
    EXPECT_EQ(app.windows.find(find), nullptr);
    EXPECT_EQ(app.windows.find(input), nullptr);
    EXPECT_NE(app.windows.find(textFind), nullptr);
}

} // namespace
} // namespace kinetra::testing
