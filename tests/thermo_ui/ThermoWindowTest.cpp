// The thermo window inside the main window, over a throw-away application folder: start-up on
// the quick-start database, the document menu bar and the thermo toolbar, pastes through the
// clipboard seam, the status texts and the save prompt at closing.
#include "thermo/ui/ThermoWindow.h"

#include "common/TextFile.h"
#include "common/ui/Mnemonics.h"
#include "shell/ui/ChildWindow.h"
#include "shell_ui/TempApp.h"
#include "thermo/NasaTextReader.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ui/SpeciesInputWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <algorithm>

using namespace kinetra;
using namespace kinetra::testing;
namespace fs = std::filesystem;

namespace {

// Water in the thermo text format, under another name.
std::string water(const std::string& name) {
    std::string line1 =
        "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1";
    line1.replace(0, name.size(), name);
    return line1 + "\n" +
           " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
           "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
           "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\n";
}

} // namespace

class ThermoWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;

    thermo::ui::ThermoWindow* thermoWindow() {
        auto* child = t->window->thermoWindow();
        return child ? qobject_cast<thermo::ui::ThermoWindow*>(child->widget()) : nullptr;
    }
    void clickToolbar(const char* key) {
        QAction* button = t->window->toolbar(1)->findChild<QAction*>(QString::fromLatin1(key));
        QVERIFY2(button && button->isEnabled(), key);
        button->trigger();
    }
    std::size_t fileRowCount() {
        store::Connection db = t->app.thermo.connection();
        return thermo::readAllRows(db, "Trm").size();
    }
    std::vector<std::vector<store::Value>> fileRows() {
        store::Connection db = t->app.thermo.connection();
        return thermo::readAllRows(db, "Trm");
    }
    // A fresh database, File > THERMO Database > New, with GRI-Mech 3.0's 53 species pasted in
    // and all rows shown.
    thermo::ui::ThermoWindow* griWindow() {
        t->fake.files.paths = {(t->dir / "gri.mdb").string()};
        t->window->menuAction("THERMONEW")->trigger();
        [&] { QTRY_VERIFY(thermoWindow() && t->app.thermo.path() == t->dir / "gri.mdb"); }();
        thermo::ReadOptions options;
        t->fake.clipboard.content = thermo::unframeThermoFile(
            *readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "gri30/gri30_thermo.dat"), options);
        clickToolbar("PASTE_TDB");
        clickToolbar("SHOWALL");
        t->fake.dialogs.shown.clear();
        return thermoWindow();
    }
    static int rowOf(thermo::ui::ThermoWindow* w, const QString& name) {
        QAbstractItemModel* model = w->grid()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, int(thermo::trm::kSpecies)).data().toString() == name)
                return r;
        return -1;
    }
    static void clickRow(thermo::ui::ThermoWindow* w, int row) {
        QTableView* grid = w->grid();
        grid->scrollTo(grid->model()->index(row, int(thermo::trm::kSpecies)));
        const QRect cell = grid->visualRect(grid->model()->index(row, int(thermo::trm::kSpecies)));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QList<int> highlightedRows(thermo::ui::ThermoWindow* w) {
        QList<int> rows;
        for (const QModelIndex& index : w->grid()->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    // The key goes to the grid as the user types it, through the shortcuts of the menus.
    void key(thermo::ui::ThermoWindow* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        t->window->QMainWindow::activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t->window.get()));
        w->grid()->setFocus();
        QTest::keyClick(w->grid(), k, m);
    }

private slots:
    void init() {
        t = std::make_unique<TempApp>();
        QVERIFY(t->startUp());
    }
    void cleanup() { t.reset(); }

    void startUpShowsTheQuickStartSpecies() {
        thermo::ui::ThermoWindow* w = thermoWindow();
        QVERIFY(w);
        QCOMPARE(w->grid()->model()->rowCount(), 11);
        QCOMPARE(w->countText(), QStringLiteral("11 Species"));
        QVERIFY(t->fake.dialogs.shown.empty());
        // The window's own menu bar replaces the main window's, and its toolbar is shown.
        QStringList menus, letters;
        for (QAction* a : t->window->menuBar()->actions()) {
            menus << ui::withoutMnemonic(a->text());
            const auto at = a->text().indexOf(u'&');
            letters << (at >= 0 ? a->text().mid(at + 1, 1).toLower() : QString());
        }
        // The window's menus join the main window's: its own File stands in for the main one,
        // which lends it New; Settings, Window and Help stay reachable.
        QCOMPARE(menus, (QStringList{"File", "Edit", "View", "References", "Settings ", "Window",
                                     "Help"}));
        // Alt and a letter open each of them: one letter each, none shared.
        QCOMPARE(letters, (QStringList{"f", "e", "v", "r", "s", "w", "h"}));
        QVERIFY(t->window->menuBar()->actions().first()->menu()->actions().contains(
            t->window->menuAction("MDI_NEW")));
        QVERIFY(t->window->toolbar(1)->isVisibleTo(t->window.get()));
    }

    // GRI-Mech 3.0 through the clipboard and the toolbar; then blocks refused with "continue"
    // and "cancel" leave the file exactly as it was.
    void pasteOfRealTextAndACancelledPaste() {
        thermo::ReadOptions options;
        t->fake.clipboard.content = thermo::unframeThermoFile(
            *readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "gri30/gri30_thermo.dat"), options);
        clickToolbar("PASTE_TDB");
        QCOMPARE(thermoWindow()->grid()->model()->rowCount(), 53);
        store::Connection db = t->app.thermo.connection();
        const auto before = thermo::readAllRows(db, "Trm");
        std::string broken = water("BAD1");
        broken.replace(broken.find("3.03399249E+00"), 14, "3.0339924xE+00");
        t->fake.clipboard.content = broken + water("W2") + broken;
        t->fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                          {RefusalChoice::Cancel, false}};
        clickToolbar("PASTE_TDB");
        QCOMPARE(thermo::readAllRows(db, "Trm"), before);
    }

    void toolbarEditsAndStatusTextsOfANewDatabase() {
        // File > THERMO Database > New, answered with a fresh file.
        t->fake.files.paths = {(t->dir / "fresh.mdb").string()};
        t->window->menuAction("THERMONEW")->trigger();
        QTRY_VERIFY(thermoWindow() && t->app.thermo.path() == t->dir / "fresh.mdb");
        thermo::ui::ThermoWindow* w = thermoWindow();
        QCOMPARE(w->countText(), QStringLiteral("0 Species"));

        clickToolbar("ADDNEW");
        QCOMPARE(w->grid()->model()->index(0, int(thermo::trm::kSpecies)).data().toString(),
                 QStringLiteral("NEW<"));
        QCOMPARE(w->messageText(), QStringLiteral("A new row."));

        t->fake.clipboard.content = water("H2O") + water("OH") + water("H2O");
        clickToolbar("PASTE_TDB");
        QCOMPARE(fileRowCount(), std::size_t(4));
        clickToolbar("SHOWALL");
        QCOMPARE(w->countText(), QStringLiteral("4 Species"));
        const auto select = [w](int row) {
            w->grid()->setCurrentIndex(w->grid()->model()->index(row, int(thermo::trm::kSpecies)));
        };
        select(2);
        QCOMPARE(w->messageText(), QString());
        select(3);
        QCOMPARE(w->messageText(), QStringLiteral("The species has a duplicate."));

        // Only the invalid rows (the new one and the two duplicates), then all again.
        clickToolbar("INCORRECT");
        QCOMPARE(w->grid()->model()->rowCount(), 3);
        clickToolbar("SHOWALL");
        QCOMPARE(w->grid()->model()->rowCount(), 4);
        clickToolbar("POLINOMIALS");
        QVERIFY(w->grid()->isColumnHidden(int(thermo::trm::kA1)));

        // The numeric data of the current species opens in a text window of its own.
        select(1);
        w->action("TDB_NumericData")->trigger();
        QMdiSubWindow* data = t->window->mdiArea()->activeSubWindow();
        QVERIFY(data && data != t->window->thermoWindow());
        QCOMPARE(data->windowTitle(), QStringLiteral("H2O  Numeric Data"));
    }

    // Click row 1, Find "CH3O*", Find Next: the cursor, the highlight and the scroll position
    // all go to CH3O, and so does the input window.
    void findNextMovesTheHighlightWithTheCursor() {
        thermo::ui::ThermoWindow* w = griWindow();
        w->resize(900, 300);
        clickRow(w, 0);
        QCOMPARE(highlightedRows(w), QList<int>{0});
        w->action("TDB_Find")->trigger();
        auto* find = w->findChild<QDialog*>("findDialog");
        QVERIFY(find);
        retype(find->findChild<QLineEdit*>("pattern"), "CH3O*");
        find->findChild<QPushButton*>("findNext")->click();

        const int ch3o = rowOf(w, "CH3O");
        QVERIFY(ch3o > 10);
        QCOMPARE(w->grid()->currentIndex().row(), ch3o);
        QCOMPARE(highlightedRows(w), QList<int>{ch3o});
        QCOMPARE(w->table().currentRow(), std::optional<std::size_t>(ch3o));
        QVERIFY(w->grid()->viewport()->rect().intersects(
            w->grid()->visualRect(w->grid()->currentIndex())));
        w->action("TDB_InputWindow")->trigger();
        QVERIFY(w->inputWindow());
        QCOMPARE(w->inputWindow()->findChild<QLineEdit*>("name")->text(), QStringLiteral("CH3O"));

        // F3 repeats the search from there: the next match, highlighted alone.
        key(w, Qt::Key_F3);
        QCOMPARE(highlightedRows(w), QList<int>{w->grid()->currentIndex().row()});
        QVERIFY(w->grid()->currentIndex().row() > ch3o);
    }

    // Edit > Delete names the count and deletes nothing on No.
    void deleteAsksFirstNamingTheCount() {
        thermo::ui::ThermoWindow* w = griWindow();
        w->table().setSelection({1, 2, 3});
        w->redraw();
        t->fake.dialogs.answers = {Answer::No};
        w->action("TDB_Delete")->trigger();
        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{"Do you want to delete 3 species?"});
        QCOMPARE(fileRowCount(), std::size_t(53));
        // The Delete key asks the same question; Yes deletes.
        t->fake.dialogs.answers = {Answer::Yes};
        key(w, Qt::Key_Delete);
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(2));
        QCOMPARE(fileRowCount(), std::size_t(50));
    }

    // A cell edit that meets a store error (the file gone from under the window) reports it
    // with its place code instead of ending the program from inside the view's editor.
    void aFailedCellEditIsReported() {
        thermo::ui::ThermoWindow* w = thermoWindow();
        QVERIFY(w);
        fs::remove(t->app.thermo.path());
        QAbstractItemModel* model = w->grid()->model();
        const int name = static_cast<int>(thermo::trm::kSpecies);
        QVERIFY(!model->setData(model->index(0, name), QStringLiteral("RENAMED"), Qt::EditRole));
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QVERIFY2(t->fake.dialogs.shown[0].text.starts_with("TDB#031. "),
                 t->fake.dialogs.shown[0].text.c_str());
    }

    // Insert New Row leaves the NASA text the user copied on the clipboard.
    void insertNewRowKeepsTheClipboard() {
        t->fake.clipboard.content = water("KEPT");
        clickToolbar("ADDNEW");
        QCOMPARE(fileRowCount(), std::size_t(12));
        QCOMPARE(t->fake.clipboard.content, water("KEPT"));
        clickToolbar("PASTE_TDB");
        QCOMPARE(fileRowCount(), std::size_t(13));
    }

    // View > Text Size > Large, the coefficient columns shown again, new data: no shown column
    // is narrower than its contents.
    void columnsFollowTextSizeColumnSetAndData() {
        thermo::ui::ThermoWindow* w = thermoWindow();
        const auto noCutNumber = [w] {
            QTableView* grid = w->grid();
            const QAbstractItemView* view = grid;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                if (!grid->isColumnHidden(c) && grid->columnWidth(c) < view->sizeHintForColumn(c))
                    return false;
            return true;
        };
        QVERIFY(noCutNumber());
        const int a1 = w->grid()->columnWidth(int(thermo::trm::kA1));
        w->action("TDB_TextLarge")->trigger();
        QVERIFY(w->grid()->columnWidth(int(thermo::trm::kA1)) > a1);
        QVERIFY(noCutNumber());
        clickToolbar("POLINOMIALS");
        clickToolbar("POLINOMIALS");
        QVERIFY(noCutNumber());
        t->fake.clipboard.content = water("A_SPECIES_WITH_A_LONG_NAME");
        clickToolbar("PASTE_TDB");
        QVERIFY(noCutNumber());
        w->action("TDB_TextSmall")->trigger();
        QVERIFY(w->grid()->columnWidth(int(thermo::trm::kA1)) < a1);
        QVERIFY(noCutNumber());
    }

    // The keys of the menus, typed into the grid.
    void shortcutsOfTheEditMenu() {
        thermo::ui::ThermoWindow* w = griWindow();
        QCOMPARE(w->action("TDB_Copy")->shortcut().toString(), QStringLiteral("Ctrl+C"));
        QCOMPARE(w->action("TDB_FindNext")->shortcut().toString(), QStringLiteral("F3"));
        clickRow(w, rowOf(w, "OH"));
        t->fake.clipboard.content.clear();
        key(w, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(t->fake.clipboard.content.starts_with("OH "));
        key(w, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(highlightedRows(w).size(), 53);
        key(w, Qt::Key_X, Qt::ControlModifier); // cut asks nothing: the rows are on the clipboard
        QCOMPARE(fileRowCount(), std::size_t(0));
        key(w, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(fileRowCount(), std::size_t(53));
        key(w, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(w->findChild<QDialog*>("findDialog") &&
                    w->findChild<QDialog*>("findDialog")->isVisible());
        // Ctrl+S saves: the saved copy, made empty when the window opened, takes the species.
        const auto savedCopy = [this] { return readFile(t->dir / "~gri.mdb"); };
        QVERIFY(savedCopy() != readFile(t->dir / "gri.mdb"));
        key(w, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(savedCopy() == readFile(t->dir / "gri.mdb"));
        // Ctrl+N is the main window's New Text Document, reachable from the thermo window.
        key(w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(t->window->mdiArea()->activeSubWindow()->windowTitle(),
                 QStringLiteral("Text Doc1"));
    }

    // The 9,180 records of C3Mech through the clipboard: a progress window with Cancel comes up
    // and the windows keep being drawn; Cancel leaves the file as it was; the paste then runs to
    // the end.
    void largePasteShowsProgressAndCancelKeepsTheFile() {
        t = std::make_unique<TempApp>();
        t->realProgress = true;
        QVERIFY(t->startUp());
        const auto before = fileRows();
        thermo::ReadOptions options;
        t->fake.clipboard.content = thermo::unframeThermoFile(
            *readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "c3mech-large/C3MechV3.3.THERM"),
            options);
        int ticks = 0;
        QTimer alive;
        connect(&alive, &QTimer::timeout, [&] { ++ticks; });
        alive.start(0);
        bool sawProgress = false;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, [&] {
            if (QProgressDialog* progress = t->statusProgress.cancelWindow()) {
                sawProgress = progress->isVisible();
                progress->findChild<QPushButton*>()->click();
                cancel.stop();
            }
        });
        cancel.start(0);
        clickToolbar("PASTE_TDB");
        QVERIFY(sawProgress);
        QVERIFY(ticks > 0);
        QCOMPARE(fileRows(), before);
        QVERIFY(!t->statusProgress.cancelWindow());

        cancel.stop();
        clickToolbar("PASTE_TDB");
        alive.stop();
        QCOMPARE(thermoWindow()->grid()->model()->rowCount(), 9180);
        QCOMPARE(fileRowCount(), std::size_t(11 + 9180));
    }

    void closingAsksAndNoDiscardsTheEdits() {
        clickToolbar("ADDNEW");
        QCOMPARE(fileRowCount(), std::size_t(12));
        t->fake.dialogs.answers = {Answer::Cancel};
        QVERIFY(!t->window->thermoWindow()->close());
        QVERIFY(thermoWindow());
        t->fake.dialogs.answers = {Answer::No};
        QVERIFY(t->window->thermoWindow()->close());
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(2));
        QCOMPARE(fileRowCount(), std::size_t(11));
        // Without a document window the main window's menus are back.
        QCOMPARE(ui::withoutMnemonic(t->window->menuBar()->actions().first()->text()),
                 QStringLiteral("File"));
        QVERIFY(t->window->menuAction("THERMOSHOW")->isEnabled());
    }
};

QTEST_MAIN(ThermoWindowTest)
#include "ThermoWindowTest.moc"
