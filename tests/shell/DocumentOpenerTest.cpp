#include "AppFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kinetra::testing {
namespace {

class DocumentOpenerTest : public AppFixture {
protected:
    fs::path file(const std::string& name) { return dir.write("docs/" + name, "text"); }
    fs::path reactionDb(const std::string& name) {
        fs::path p = dir.write("docs/" + name, "");
        store::createReactionTemplate(p);
        return p;
    }
};

TEST_F(DocumentOpenerTest, RefusesForeignExtensionsSavedCopiesAndTheTemplate) {
    for (const char* name : {"report.PDF", "l.ldb"}) {
        fs::path p = file(name);
        shell.OpenDocumentFile(p.string());
        EXPECT_EQ(fake.dialogs.last().text, "The specified Path/File name " + p.string() +
                                                " cannot be accessed or is invalid.");
    }
    // Any letter case of the template's name is refused.
    for (const char* name : {"~mech.mdb", "emptyreac.MDB"}) {
        shell.OpenDocumentFile(reactionDb(name).string());
        EXPECT_EQ(fake.dialogs.last().text,
                  "The specified Path/File name cannot be accessed or is invalid.")
            << name;
    }
    EXPECT_EQ(fake.dialogs.shown.size(), 4u);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(DocumentOpenerTest, DialogAsksAgainAfterARefusedExtensionAndCancelOpensNothing) {
    shell.OpenDocumentFile("");
    fs::path pdf = file("a.pdf"), txt = file("notes.txt");
    fake.files.paths = {pdf.string(), txt.string()};
    shell.OpenDocumentFile("");
    EXPECT_EQ(fake.files.asked.size(), 3u); // cancelled once, then the PDF and the text
    EXPECT_EQ(fake.files.asked.back(), FilterKind::AllTextDatabasesCharts);
    EXPECT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(host.log, (std::vector<std::string>{"open-text notes.txt"}));
}

TEST_F(DocumentOpenerTest, ReadOnlyTextIsOpenedWithAWarningReadOnlyDatabaseIsRefused) {
    fs::path text = file("run.txt");
    makeReadOnly(text);
    shell.OpenDocumentFile(text.string());
    EXPECT_EQ(fake.dialogs.last().text, "File " + text.string() + " is read-only.");
    EXPECT_EQ(host.log, (std::vector<std::string>{"open-text run.txt"}));

    fs::path db = reactionDb("mech.mdb");
    makeReadOnly(db);
    shell.OpenDocumentFile(db.string());
    EXPECT_EQ(fake.dialogs.last().text,
              "File " + db.string() + " is read-only, remove this attribute.");
    EXPECT_EQ(host.log.size(), 1u);
}

TEST_F(DocumentOpenerTest, ReactionDatabaseIsValidatedThenOpenedOnce) {
    fs::path p = reactionDb("mech.mdb");
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(host.log, (std::vector<std::string>{"validate mech.mdb", "open-reactions mech.mdb"}));
    EXPECT_TRUE(fake.dialogs.shown.empty());

    // The same file under another spelling of its path is activated, not opened again.
    shell.OpenDocumentFile((dir.path() / "docs" / "." / "mech.mdb").string());
    EXPECT_EQ(host.log.back(), "activate " + std::to_string(app.windows.named("RDB").front().id));
    EXPECT_EQ(fake.dialogs.last().text, "The reaction database is already opened.\n\n" +
                                            (dir.path() / "docs" / "." / "mech.mdb").string());
    EXPECT_EQ(app.windows.named("RDB").size(), 1u);
}

TEST_F(DocumentOpenerTest, StartUpCopyAndThermoDatabaseSkipValidationRefusedOneOpensNothing) {
    shell.OpenDocumentFile(reactionDb("tmp_kinetrardb.mdb").string());
    fs::path thermo = reactionDb("THERMO.mdb");
    app.thermoPath = thermo.string();
    shell.OpenDocumentFile(thermo.string());
    host.acceptReactions = false;
    shell.OpenDocumentFile(reactionDb("bad.mdb").string());
    EXPECT_EQ(host.log, (std::vector<std::string>{"open-reactions tmp_kinetrardb.mdb",
                                                  "show-thermo", "validate bad.mdb"}));
    EXPECT_EQ(app.windows.named("RDB").size(), 1u);
}

TEST_F(DocumentOpenerTest, ClosesTheToolWindowsOfTablesFirstAndReportsAnUnreadableChart) {
    int find = app.windows.add("RDB_Find", "Find");
    int input = app.windows.add("TDB_InputForm", "Input");
    int textFind = app.windows.add("RES_FIND", "Find/Replace");
    fs::path p = file("curve.pg");
    host.chartOpens = false;
    shell.OpenDocumentFile(p.string());
    EXPECT_EQ(app.windows.find(find), nullptr);
    EXPECT_EQ(app.windows.find(input), nullptr);
    EXPECT_NE(app.windows.find(textFind), nullptr);
    EXPECT_EQ(fake.dialogs.last().text,
              "File " + p.string() +
                  " cannot be opened. Make sure you open a chart file and the file name is "
                  "correct.");
}

} // namespace
} // namespace kinetra::testing
