// The text document window offscreen: opening files of each kind, the find window, snapshot undo
// and redo, saving and the close prompt, and printing into a PDF file read back with poppler.
#include "shell/ui/TextDocumentWindow.h"

#include "common/FileNames.h"
#include "shell/ui/FindWindow.h"
#include "shell/ui/PageSetupWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <fstream>

using namespace kinetra;
using namespace kinetra::testing;
using ui::TextDocumentWindow;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

QAction* menuItem(TextDocumentWindow& w, const char* name) {
    for (QMenu* menu : w.documentMenus())
        if (auto* a = menu->findChild<QAction*>(QString::fromLatin1(name)))
            return a;
    return nullptr;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TextDocumentWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<FakeUi> fake;
    textdoc::TextDocumentFolders folders;

    std::unique_ptr<TextDocumentWindow> open(const std::string& name, const std::string& text) {
        const fs::path file = dir->path() / name;
        std::ofstream(file, std::ios::binary) << text;
        std::unique_ptr<TextDocumentWindow> w(
            TextDocumentWindow::open(file.string(), fake->ui, folders));
        if (w)
            w->show();
        return w;
    }

private slots:
    void init() {
        dir = std::make_unique<TempDir>();
        fake = std::make_unique<FakeUi>();
        fs::create_directories(dir->path() / "AssistFiles");
        folders = {dir->path(), dir->path() / "AssistFiles"};
    }

    void filesOfEachKindOpen() {
        auto rtf = open("mech.rtf", R"({\rtf1{\fonttbl{\f0 Courier New;}}H2+O2\par OH})");
        QCOMPARE(rtf->toPlainText(), QStringLiteral("H2+O2\nOH"));
        QVERIFY(!rtf->isReadOnly());
        QVERIFY(rtf->statusText().startsWith("Te: "));

        auto plot = open("AssistFiles/TmpPlot.txt", "T, K\n300\n");
        QVERIFY(plot->state().path.empty());
        QCOMPARE(plot->statusText(), QStringLiteral("Text Document"));

        std::unique_ptr<TextDocumentWindow> named(
            TextDocumentWindow::open("$Text Doc3", fake->ui, folders));
        QCOMPARE(QString::fromStdString(named->state().caption), QStringLiteral("Text Doc3"));
        QVERIFY(named->toPlainText().isEmpty());

        QVERIFY(!TextDocumentWindow::open((dir->path() / "none.txt").string(), fake->ui, folders));
    }

    // A solver file is for reading: its editing commands and the find window's replacing are
    // disabled, and it closes without a question.
    void solverFilesCannotBeEdited() {
        auto w = open("run.out", "!$kinetra solver output\nH2 1.0\n");
        QVERIFY(w->isReadOnly());
        QVERIFY(w->statusText().startsWith("So: "));
        for (const char* name : {"TXT_Cut", "TXT_Paste", "TXT_Delete", "DATATIME"})
            QVERIFY2(!menuItem(*w, name)->isEnabled(), name);
        QVERIFY(menuItem(*w, "TXT_Copy")->isEnabled());
        ui::FindWindow* find = w->showFindWindow();
        QVERIFY(!find->replaceButton()->isEnabled() && !find->replaceAllButton()->isEnabled());
        QVERIFY(!find->replaceWith()->isEnabled() && find->findNextButton()->isEnabled());
        QCOMPARE(w->replaceAll("H2", "D2", {}), std::size_t(0));
        QVERIFY(!w->saveDocument(false));
        QVERIFY(w->queryClose());
        QVERIFY(fake->dialogs.shown.empty());
    }

    void findWindowFindsAndReplaces() {
        auto w = open("notes.txt", "H2 + O2 = h2o\nOH + H2\n");
        ui::FindWindow* find = w->showFindWindow();
        QCOMPARE(w->showFindWindow(), find); // one per document
        find->findWhat()->setText("H2");
        find->matchCase()->setChecked(true);
        find->findNextButton()->click();
        QCOMPARE(w->textCursor().selectionStart(), 0);
        find->findNextButton()->click();
        QCOMPARE(w->textCursor().selectionStart(), 19);
        QCOMPARE(w->textCursor().selectedText(), QStringLiteral("H2"));
        find->findNextButton()->click();
        QCOMPARE(fake->dialogs.last().text, std::string("End of search."));
        QCOMPARE(fake->dialogs.last().icon, Icon::None);

        find->replaceWith()->setText("D2");
        find->findNextButton()->click(); // the search starts over
        QCOMPARE(w->textCursor().selectionStart(), 0);
        find->replaceButton()->click(); // the match on show is replaced, not the next one
        QCOMPARE(w->toPlainText(), QStringLiteral("D2 + O2 = h2o\nOH + H2\n"));
        find->replaceButton()->click(); // nothing on show: finds the next and replaces it
        QCOMPARE(w->toPlainText(), QStringLiteral("D2 + O2 = h2o\nOH + D2\n"));
        find->replaceWith()->setText("H2");
        find->replaceButton()->click(); // the end: nothing replaced
        QCOMPARE(fake->dialogs.last().text, std::string("End of search."));
        QCOMPARE(w->toPlainText(), QStringLiteral("D2 + O2 = h2o\nOH + D2\n"));
        find->findWhat()->setText("H2");
        find->replaceWith()->setText("D2");
        find->matchCase()->setChecked(false);
        find->replaceAllButton()->click();
        QCOMPARE(w->toPlainText(), QStringLiteral("D2 + O2 = D2o\nOH + D2\n"));
        QCOMPARE(fake->dialogs.last().text,
                 std::string("In the document, 1 replacement(s) have been made."));
        find->findWhat()->setText("N2");
        find->replaceAllButton()->click();
        QCOMPARE(fake->dialogs.last().text,
                 std::string("In the document, 0 replacement(s) have been made."));
        QVERIFY(w->state().modified);

        QPointer<ui::FindWindow> gone = find;
        w.reset();
        QVERIFY(!gone); // closed with its document
    }

    void undoAndRedoBySnapshots() {
        std::unique_ptr<TextDocumentWindow> w(
            TextDocumentWindow::open("$Text Doc1", fake->ui, folders));
        w->setUndoDelay(20);
        w->show();
        QVERIFY(!menuItem(*w, "TXT_Undo")->isEnabled());
        // No pause before typing: the opened text is already the first state.
        QTest::keyClicks(w.get(), "H2O");
        QTest::qWait(60);
        QTest::keyClicks(w.get(), " 300");
        QTest::qWait(60);
        QVERIFY(menuItem(*w, "TXT_Undo")->isEnabled());
        QVERIFY(!menuItem(*w, "TXT_Redo")->isEnabled());
        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->toPlainText(), QStringLiteral("H2O"));
        QVERIFY(menuItem(*w, "TXT_Redo")->isEnabled());
        w->runToolbarOperation(ToolbarOperation::Undo);
        QCOMPARE(w->toPlainText(), QString());
        QVERIFY(!w->canUndo());
        QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w->toPlainText(), QStringLiteral("H2O"));
        QTest::qWait(60); // restoring is not recorded as an edit
        QVERIFY(w->canRedo());
    }

    void undoKeepsTheFirstVisibleLine() {
        QString text;
        for (int i = 0; i < 300; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        auto w = open("long.txt", text.toStdString());
        w->resize(300, 200);
        w->takeSnapshotNow();
        w->verticalScrollBar()->setValue(150);
        w->insertPlainText("x");
        w->takeSnapshotNow();
        w->verticalScrollBar()->setValue(150);
        w->undoSnapshot();
        QCOMPARE(w->verticalScrollBar()->value(), 150);
    }

    void saveAsAndTheClosePrompt() {
        std::unique_ptr<TextDocumentWindow> w(
            TextDocumentWindow::open("$Text Doc1", fake->ui, folders));
        QVERIFY(w->queryClose()); // unchanged: nothing asked
        QVERIFY(fake->dialogs.shown.empty());
        w->insertPlainText("abc");
        fake->dialogs.answers = {Answer::Cancel};
        QVERIFY(!w->queryClose());
        QCOMPARE(fake->dialogs.last().text,
                 std::string("Do you want to save the text document Text Doc1?"));
        fake->dialogs.answers = {Answer::Yes};
        fake->files.paths = {""}; // the save dialog cancelled: the window stays
        QVERIFY(!w->queryClose());
        fake->files.paths = {(dir->path() / "kept").string()};
        QVERIFY(w->saveDocument(true));
        QCOMPARE(readAll(dir->path() / "kept.txt"), std::string("abc"));
        QVERIFY(w->queryClose());
        fake->files.paths = {(dir->path() / "SOLTMP.txt").string()};
        QVERIFY(!w->saveDocument(true));
        QVERIFY(fake->dialogs.last().text.find("is an internal KINETRA file") != std::string::npos);
    }

    void dateTimeFontSizesAndWordWrap() {
        std::unique_ptr<TextDocumentWindow> w(
            TextDocumentWindow::open("$Text Doc1", fake->ui, folders));
        menuItem(*w, "DATATIME")->trigger();
        QCOMPARE(w->toPlainText(), QStringLiteral("Dec 6 2026, 14:05:09"));
        menuItem(*w, "FntSizeLarge")->trigger();
        QCOMPARE(w->font().pointSize(), 12);
        menuItem(*w, "FntSizeSmall")->trigger();
        QCOMPARE(w->font().pointSize(), 8);
        menuItem(*w, "WordWrap")->trigger();
        QCOMPARE(w->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    // The print preview opens on the document's pages and closes again.
    void printPreviewOpens() {
        auto w = open("short.txt", "H2 + O2 = 2 OH\n");
        bool shown = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            shown = modal && modal->inherits("QPrintPreviewDialog");
            if (modal)
                modal->close();
        });
        w->runToolbarOperation(ToolbarOperation::Print);
        QVERIFY(shown);
    }

    // The page setup window keeps its entries until they are accepted: refused ones leave it
    // open with the reason, accepted ones are clamped.
    void pageSetupWindowChecksItsEntries() {
        ui::PageSetupWindow setup({}, true, fake->dialogs, nullptr);
        QVERIFY(setup.note()->text().startsWith("Selected portion of the text will be printed."));
        // The "0.##" pattern keeps the point of a whole number.
        QCOMPARE(setup.margin(2)->text(), QStringLiteral("1."));
        setup.show();
        setup.margin(0)->setText("4");
        setup.margin(1)->setText("4");
        setup.accept();
        QVERIFY(setup.isVisible());
        QCOMPARE(fake->dialogs.last().text, std::string("Print setup, reduce the page margins."));
        setup.margin(0)->setText("0.1");
        setup.margin(1)->setText("0.5");
        setup.firstPageNumber()->setText("x");
        setup.accept();
        QCOMPARE(fake->dialogs.last().text,
                 std::string("The first page number, please enter an integer."));
        setup.firstPageNumber()->setText("3");
        setup.paper()->setCurrentIndex(1);
        setup.justification()->setCurrentIndex(0);
        setup.accept();
        QVERIFY(!setup.isVisible());
        QCOMPARE(setup.result(), int(QDialog::Accepted));
        QCOMPARE(setup.settings().left, 0.25);
        QCOMPARE(setup.settings().firstPageNumber, 3);
        QVERIFY(setup.settings().paper == textdoc::Paper::A4);
        QVERIFY(setup.settings().numberSide == textdoc::PageNumberSide::Left);
    }

    // Printed into a PDF file: the page count follows the lines, each page carries its number
    // from the first page number on, and a selection prints alone.
    void printsIntoAPdfFile() {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QFAIL("pdfinfo (poppler-utils) is missing: scripts/install-deps installs it");
        QString text;
        for (int i = 1; i <= 150; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        auto w = open("report.txt", text.toStdString());
        textdoc::TextPageSettings page;
        page.firstPageNumber = 7;
        page.paper = textdoc::Paper::A4;
        w->setPageSettings(page);
        const QString pdf = QString::fromStdString((dir->path() / "out.pdf").string());
        QVERIFY(w->printToPdf(pdf));
        const QString info = run("pdfinfo", {pdf});
        const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
        QVERIFY2(pages >= 2 && pages <= 4, qPrintable(info));
        QVERIFY(info.contains("595 x 842")); // A4 in points
        const QString all = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(all.contains("line 1\n") || all.contains("line 1 "));
        QVERIFY(all.contains("line 150"));
        const QString second = run("pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
        QVERIFY2(second.trimmed().startsWith("8"), qPrintable(second.left(40)));

        QTextCursor cursor(w->document());
        cursor.setPosition(0);
        cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
        w->setTextCursor(cursor);
        QVERIFY(w->printToPdf(pdf));
        QVERIFY(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
        const QString selected = run("pdftotext", {pdf, "-"});
        QVERIFY(selected.contains("line 2") && !selected.contains("line 3"));
    }
};

QTEST_MAIN(TextDocumentWindowTest)
#include "TextDocumentWindowTest.moc"
