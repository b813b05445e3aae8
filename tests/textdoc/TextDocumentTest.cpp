#include "textdoc/TextDocument.h"

#include "common/TextFile.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::textdoc {
namespace {

using testing::FakeUi;
namespace fs = std::filesystem;

TEST(TextDocumentTest, SolverFileIsKnownByItsFirstLineInAnyCase) {
    const struct {
        const char* text;
        bool solver;
    } cases[] = {
        {"!$KINETRA SOLVER INPUT\nREAC\n", true}, {"  !$kinetra solver output   \r\nx", true},
        {"\xEF\xBB\xBF!$Kinetra Solver", true},   {"!$KINETRA SOLVE\n", false},
        {"\n!$KINETRA SOLVER\n", false},          {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isSolverFileText(c.text), c.solver) << c.text;
}

TEST(TextDocumentTest, OpenedDocumentNamesFlagsAndScratchPath) {
    const TextDocumentFolders folders{"/app", "/app/AssistFiles"};
    auto dollar = openedDocument("$Numeric Data", "", folders);
    EXPECT_EQ(dollar.caption, "Numeric Data");
    EXPECT_TRUE(dollar.path.empty());

    auto input = openedDocument("/app/soltmp.TXT", "!$KINETRA SOLVER\n", folders);
    EXPECT_TRUE(input.solverInput);
    EXPECT_TRUE(input.solverFile);
    EXPECT_EQ(statusLine(input), "So: /app/soltmp.TXT");

    auto plot = openedDocument("/app/AssistFiles/TmpPlot.txt", "T K\n300\n", folders);
    EXPECT_TRUE(plot.path.empty());
    EXPECT_EQ(plot.caption, "TmpPlot.txt");
    EXPECT_EQ(statusLine(plot), "Text Document");

    auto other = openedDocument("/data/notes.txt", "hello", folders);
    EXPECT_FALSE(other.solverFile || other.solverInput);
    EXPECT_EQ(statusLine(other), "Te: /data/notes.txt");
}

TEST(TextDocumentTest, RichTextLosesItsMarkup) {
    const char* rtf = R"({\rtf1\ansi{\fonttbl{\f0 Courier New;}}{\colortbl;\red0\green0\blue0;})"
                      R"({\*\generator Writer;}\f0\fs20 H2 + O2 \{x\}\par caf\'e9\tab 1\line end})";
    EXPECT_EQ(plainTextOfRichText(rtf), "H2 + O2 {x}\ncaf\xC3\xA9\t1\nend");
}

TEST(TextDocumentTest, DateTimeText) {
    EXPECT_EQ(dateTimeText({2026, 12, 6, 14, 5, 9}), "Dec 6 2026, 14:05:09");
}

TEST(TextDocumentTest, SaveAppendsTxtAndRefusesUnsuitableNames) {
    testing::TempDir dir;
    const fs::path app = dir.path();
    struct Case {
        std::vector<std::string> names;
        std::vector<Answer> answers;
        const char* written; // nullptr: nothing written
        std::vector<std::string> messages;
    } cases[] = {
        {{(app / "report").string()}, {}, "report.txt", {}},
        {{(app / "mech.MDB").string()},
         {Answer::Cancel},
         nullptr,
         {"The file extension '.mdb' is not valid for text file."}},
        {{(app / "mech.mdb").string(), (app / "mech.dat").string()},
         {Answer::Ok},
         "mech.dat",
         {"The file extension '.mdb' is not valid for text file."}},
        {{(app / "SOLTMP.txt").string()},
         {},
         nullptr,
         {"The file " + (app / "SOLTMP.txt").string() +
          " is an internal KINETRA file. Please enter another file path."}},
        {{""}, {}, nullptr, {}},
    };
    for (const auto& c : cases) {
        FakeUi fake;
        for (const auto& n : c.names)
            fake.files.paths.push_back(n);
        for (Answer a : c.answers)
            fake.dialogs.answers.push_back(a);
        TextDocumentState doc{"Text Doc1", {}, true};
        const bool saved = saveTextDocument(doc, "x", fake.files, fake.dialogs, app, false);
        EXPECT_EQ(saved, c.written != nullptr) << c.names.front();
        EXPECT_EQ(fake.dialogs.texts(), c.messages);
        if (c.written) {
            EXPECT_EQ(doc.path, app / c.written);
            EXPECT_EQ(doc.caption, c.written);
            EXPECT_FALSE(doc.modified);
            EXPECT_EQ(readTextFile(app / c.written).value_or(""), "x");
        } else {
            EXPECT_TRUE(doc.path.empty());
            EXPECT_TRUE(doc.modified);
        }
    }
}

TEST(TextDocumentTest, SolverInputIsSavedOnlyUnderAnotherName) {
    testing::TempDir dir;
    FakeUi fake;
    fake.files.paths = {(dir.path() / "copy.txt").string()};
    TextDocumentState doc{"SOLTMP.txt", dir.path() / "SOLTMP.txt", true, true, true};
    ASSERT_TRUE(
        saveTextDocument(doc, "!$KINETRA SOLVER\n", fake.files, fake.dialogs, dir.path(), false));
    EXPECT_EQ(doc.path, dir.path() / "copy.txt");
    EXPECT_FALSE(fs::exists(dir.path() / "SOLTMP.txt"));
}

TEST(TextDocumentTest, ClosePrompts) {
    const struct {
        TextDocumentState doc;
        std::vector<Answer> answers;
        bool saveSucceeds;
        bool mayCloseExpected;
        int questions;
    } cases[] = {
        {{"Text Doc1", {}, false}, {}, true, true, 0},
        {{"run.out", "/x/run.out", true, true}, {}, true, true, 0}, // solver files never ask
        {{"Text Doc1", {}, true}, {Answer::No}, true, true, 1},
        {{"Text Doc1", {}, true}, {Answer::Cancel}, true, false, 1},
        {{"Text Doc1", {}, true}, {Answer::Yes}, false, false, 1},
        {{"a.txt", "/x/a.txt", true}, {Answer::Yes}, true, true, 1},
    };
    for (const auto& c : cases) {
        FakeUi fake;
        fake.dialogs.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(mayClose(c.doc, fake.dialogs, [&] { return c.saveSucceeds; }),
                  c.mayCloseExpected);
        ASSERT_EQ(static_cast<int>(fake.dialogs.shown.size()), c.questions);
        if (c.questions) {
            EXPECT_EQ(fake.dialogs.last().text, saveQuestion(c.doc));
        }
    }
    EXPECT_EQ(saveQuestion({"Text Doc1", {}, true}),
              "Do you want to save the text document Text Doc1?");
    EXPECT_EQ(saveQuestion({"a.txt", "/x/a.txt", true}), "Do you want to save changes to a.txt?");
}

} // namespace
} // namespace kinetra::textdoc
