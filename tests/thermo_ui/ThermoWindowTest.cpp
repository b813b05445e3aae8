// The thermo window inside the main window, over a throw-away application folder: start-up on
// the quick-start database, the document menu bar and the thermo toolbar, pastes through the
// clipboard seam, the status texts and the save prompt at closing.
#include "thermo/ui/ThermoWindow.h"

#include "common/TextFile.h"
#include "shell/ui/ChildWindow.h"
#include "shell_ui/TempApp.h"
#include "thermo/NasaTextReader.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>

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
        store::Connection db = t->app.thermo.open();
        return thermo::readAllRows(db, "Trm").size();
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
        QStringList menus;
        for (QAction* a : t->window->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"File", "Edit", "View", "References"}));
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
        store::Connection db = t->app.thermo.open();
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
        QCOMPARE(t->window->menuBar()->actions().first()->text(), QStringLiteral("File"));
        QVERIFY(t->window->menuAction("THERMOSHOW")->isEnabled());
    }
};

QTEST_MAIN(ThermoWindowTest)
#include "ThermoWindowTest.moc"
