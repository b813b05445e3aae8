// The reaction window inside the main window, over a throw-away application folder and GRI-Mech
// 3.0 as the batch tool imports it: opening, the grid's columns and colours, Insert New Row, a
// paste with refusals, the input window, find and filters, the duplicates view, the column
// toggles, the reaction toolbar and the close prompt.
#include "reactions/ui/ReactionWindow.h"

#include "CliApp.h"
#include "common/TextFile.h"
#include "common/ui/Mnemonics.h"
#include "reactions/MechanismFile.h"
#include "reactions/ReactionRecord.h"
#include "reactions/ui/RateSetupDialog.h"
#include "reactions/ui/ReactionFilterDialogs.h"
#include "reactions/ui/ReactionFindDialog.h"
#include "reactions/ui/ReactionInputWindow.h"
#include "shell/ui/ChildWindow.h"
#include "shell_ui/TempApp.h"
#include "solver/ui/RunSettingsWindow.h"
#include "solver/ui/SolverWindows.h"
#include "store/Database.h"
#include "thermo/ui/ThermoWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <sstream>

using namespace kinetra;
using namespace kinetra::testing;
using reactions::ReactionInputBox;
using reactions::ui::ReactionWindow;
namespace fs = std::filesystem;

namespace {

const fs::path kGri = fs::path(KINETRA_SHARED_DATA_DIR) / "gri30";

std::string fileBytes(const fs::path& path) {
    return readTextFile(path).value_or("");
}

} // namespace

class ReactionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;
    fs::path thermoPath, griPath;

    // GRI-Mech 3.0 through `kinetra-cli mechanism import`, its thermo database connected with
    // File > THERMO Database > Connect and the reaction database opened with Open.
    ReactionWindow* openGri() {
        thermoPath = t->dir / "gri-thermo.mdb";
        griPath = t->dir / "gri.mdb";
        std::ostringstream out, err;
        const int code =
            cli::runCli({"mechanism", "import", (kGri / "gri30.inp").string(), "--thermo",
                         thermoPath.string(), "--reactions", griPath.string(), "--thermo-file",
                         (kGri / "gri30_thermo.dat").string()},
                        {out, err, false}, KINETRA_APP_DIR);
        if (code != 0) {
            qWarning("%s", err.str().c_str());
            return nullptr;
        }
        t->fake.files.paths = {thermoPath.string()};
        t->window->menuAction("THERMOOPEN")->trigger();
        if (t->app.thermo.path() != thermoPath)
            return nullptr;
        t->window->shell().OpenDocumentFile(griPath.string());
        t->fake.dialogs.shown.clear();
        return activeReactionWindow();
    }
    ReactionWindow* activeReactionWindow() {
        QMdiSubWindow* active = t->window->mdiArea()->activeSubWindow();
        return active ? qobject_cast<ReactionWindow*>(active->widget()) : nullptr;
    }
    void clickToolbar(const char* key) {
        QAction* button = t->window->toolbar(2)->findChild<QAction*>(QString::fromLatin1(key));
        QVERIFY2(button && button->isEnabled() && button->isVisible(), key);
        button->trigger();
    }
    std::vector<reactions::ReactionRecord> fileRecords(const fs::path& path) {
        store::Connection db = store::Connection::open(path);
        std::vector<reactions::ReactionRecord> records;
        for (const store::Row& row : db.query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
            records.push_back(reactions::reactionFromRow(row));
        return records;
    }
    static int column(ReactionWindow* w, const char* caption) {
        QAbstractItemModel* model = w->grid()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == QLatin1String(caption))
                return c;
        return -1;
    }
    static QString cell(ReactionWindow* w, int row, const char* caption) {
        return w->grid()->model()->index(row, column(w, caption)).data().toString();
    }
    static QList<int> highlightedRows(ReactionWindow* w) {
        QList<int> rows;
        for (const QModelIndex& index : w->grid()->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }

private slots:
    void init() {
        t = std::make_unique<TempApp>();
        QVERIFY(t->startUp());
    }
    void cleanup() { t.reset(); }

    void opensTheImportedGriMech() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        QCOMPARE(t->window->mdiArea()->activeSubWindow()->windowTitle(), QString("gri.mdb"));
        QCOMPARE(w->countText(), QString("325 reactions"));
        QCOMPARE(w->grid()->model()->rowCount(), 325);
        // The reaction toolbar is the one shown, and the window's menus join the main window's.
        QVERIFY(t->window->toolbar(2)->isVisible());
        QVERIFY(!t->window->toolbar(1)->isVisible());
        QStringList titles;
        for (QAction* menu : t->window->menuBar()->actions())
            titles << ui::withoutMnemonic(menu->text());
        QVERIFY2(titles.join('|').startsWith("File|Edit|View|References|Solver|Settings"),
                 qPrintable(titles.join('|')));
        // Captions, formats and hidden columns as the grid shows them.
        QCOMPARE(cell(w, 0, "Reaction"), QString("O + O + M <=> O2 + M"));
        QCOMPARE(cell(w, 0, "No"), QString("1"));
        QCOMPARE(cell(w, 0, "A"), QString("1.20E+17"));
        QCOMPARE(cell(w, 0, "n"), QString("-1.00"));
        QVERIFY(!w->grid()->isColumnHidden(column(w, "Ao")));
        for (const char* hidden : {"Info", "Tmp", "R1", "P6", "Composition", "Accm", "UPaste"})
            QVERIFY2(w->grid()->isColumnHidden(column(w, hidden)), hidden);
        QAbstractItemModel* model = w->grid()->model();
        QCOMPARE(model->headerData(column(w, "A"), Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString(" Units: mol-cm-sec  "));
        QCOMPARE(model->headerData(column(w, "Eo"), Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString(" Units: cal/mol  "));
        QVERIFY(model->headerData(column(w, "n"), Qt::Horizontal, Qt::ToolTipRole).isNull());
        QCOMPARE(model->index(0, column(w, "Enabled")).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
        // The first row is current and highlighted; the status line speaks of it.
        QCOMPARE(w->grid()->currentIndex().row(), 0);
        QCOMPARE(highlightedRows(w), QList<int>{0});
        QVERIFY(w->messageText().isEmpty());
        QStringList popup;
        for (QAction* item : w->popupMenu()->actions())
            popup << item->text();
        QCOMPARE(popup,
                 (QStringList{"Cut", "Copy", "Paste", "Show All Reactions", "Input Window",
                              "Insert New Row", "Renumber", "Numeric Data of Current Reaction"}));
        QCOMPARE(w->action("RDB_Copy")->shortcut(), QKeySequence(QKeySequence::Copy));
        QCOMPARE(w->action("RDB_FindNext")->shortcut(), QKeySequence(Qt::Key_F3));
        // Opening it again only brings the window forward.
        t->window->shell().OpenDocumentFile(griPath.string());
        QCOMPARE(t->window->reactionWindows().size(), 1);
        QCOMPARE(t->fake.dialogs.last().text,
                 "The reaction database is already opened.\n\n" + griPath.string());
    }

    void insertNewRowAddsAnInvalidRowAfterTheCurrentOne() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        w->grid()->setCurrentIndex(w->grid()->model()->index(2, column(w, "Reaction")));
        clickToolbar("ADDNEW");
        // The view of the paste: the new row alone, current and highlighted.
        QCOMPARE(w->countText(), QString("1 reactions"));
        QCOMPARE(cell(w, 0, "Reaction"), QString("NEW = NEW"));
        QCOMPARE(cell(w, 0, "No"), QString("4"));
        QCOMPARE(w->grid()->currentIndex().row(), 0);
        QCOMPARE(highlightedRows(w), QList<int>{0});
        QCOMPARE(w->messageText(), QString("A new row."));
        QCOMPARE(w->grid()->model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::red));
        // Its input window says that it is incomplete.
        clickToolbar("SHOWRDB_InputForm");
        QVERIFY(w->inputWindow());
        QCOMPARE(w->inputWindow()->findChild<QLabel*>("state")->text(), QString("Incomplete"));
        QCOMPARE(w->inputWindow()->findChild<QLabel*>("number")->text(), QString("No 4"));
        w->inputWindow()->close();
        clickToolbar("SHOWALL");
        QCOMPARE(cell(w, 3, "Reaction"), QString("NEW = NEW"));
        QVERIFY(!w->grid()->model()->index(2, 0).data(Qt::ForegroundRole).isValid());
        QCOMPARE(fileRecords(griPath).size(), std::size_t(326));
        QVERIFY(w->database().isModified());
        // Undo Paste takes it away again.
        clickToolbar("RDB_UNDOPSR");
        QCOMPARE(fileRecords(griPath).size(), std::size_t(325));

        // Save, a change, then Replace with Saved Copy: the saved records come back.
        clickToolbar("SAVE_RDB");
        clickToolbar("ADDNEW");
        QCOMPARE(fileRecords(griPath).size(), std::size_t(326));
        t->fake.dialogs.answers = {Answer::Yes};
        w->action("RDB_Replace")->trigger();
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("Do you want to replace the reaction database with the saved copy?"));
        QCOMPARE(fileRecords(griPath).size(), std::size_t(325));
        QCOMPARE(w->countText(), QString("325 reactions"));
    }

    void pasteWithRefusedBlocksContinuesOrLeavesTheFileAlone() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        const std::string before = fileBytes(griPath);
        t->fake.clipboard.content = "O+H2=H+OH 3.87E+04 2.7 6260\n"
                                    "H+R2=P2A+P2B    1.0    0.0 0.0\n"
                                    "PLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\n"
                                    "A=B 1E13 0.5\n"
                                    "OH+H2=H+H2O 2.16E+08 1.51 3430\n";
        // Continue at the first refused reaction, Cancel at the second: nothing is stored.
        t->fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                          {RefusalChoice::Cancel, false}};
        clickToolbar("PASRE_RDB");
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(2));
        QCOMPARE(fileBytes(griPath), before);
        QCOMPARE(w->countText(), QString("325 reactions"));
        QVERIFY(!fs::exists(t->app.folders.appDir / "ErrorMsg.txt"));

        // Continue at both: the two readable reactions go in and are shown.
        t->fake.dialogs.shown.clear();
        t->fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                          {RefusalChoice::Continue, false}};
        t->fake.dialogs.answers = {Answer::No}; // do not open ErrorMsg.txt
        w->action("RDB_Paste")->trigger();
        QCOMPARE(fileRecords(griPath).size(), std::size_t(327));
        QCOMPARE(w->countText(), QString("2 reactions")); // the view of the pasted rows
        QCOMPARE(cell(w, 0, "Reaction"), QString("O + H2 <=> H + OH"));
        QVERIFY(fs::exists(t->app.folders.appDir / "ErrorMsg.txt"));
    }

    void pasteSpecialConvertsUnitsAndALongPasteShowsItsProgress() {
        ReactionWindow* gri = openGri();
        QVERIFY(gri);
        const fs::path path = t->dir / "copy.mdb";
        t->fake.files.paths = {path.string()};
        t->window->menuAction("MDI_NEWREAC")->trigger();
        ReactionWindow* w = activeReactionWindow();
        QVERIFY(w && w != gri);

        // E in kcal/mol: the reading options turn it into cal/mol.
        t->fake.clipboard.content = "H+O2=OH+O 3.5E15 -0.4 16.6\n";
        whenModal([](QWidget* modal) {
            auto* e = modal->findChild<QComboBox*>("eUnits");
            QCOMPARE(e->currentText(), QString("cal/mol"));
            e->setCurrentText("kcal/mol");
            modal->findChild<QPushButton*>("ok")->click();
        });
        w->action("RDB_PasteSpecial")->trigger();
        QCOMPARE(fileRecords(path).size(), std::size_t(1));
        QCOMPARE(*fileRecords(path).front().e, 16600.0);

        // The whole reaction section of GRI-Mech 3.0 (about 50 KB) says how large it is while
        // it is read.
        const reactions::MechanismSections sections =
            reactions::splitMechanismFile(*readTextFile(kGri / "gri30.inp"));
        std::string text;
        for (const std::string& line : sections.reactionLines)
            text += line + "\n";
        QVERIFY(text.size() > 10000);
        t->fake.clipboard.content = text;
        // Cancel in the progress window leaves the database as it was.
        const std::string before = fileBytes(path);
        t->fake.progress.cancelAt = "Pasting reactions (";
        clickToolbar("PASRE_RDB");
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(w->countText(), QString("1 reactions"));
        QVERIFY(!t->fake.progress.cancellable);
        t->fake.progress.cancelAt.clear();

        t->fake.progress.texts.clear();
        clickToolbar("PASRE_RDB");
        QCOMPARE(fileRecords(path).size(), std::size_t(326));
        QCOMPARE(w->countText(), QString("325 reactions"));
        QVERIFY(!t->fake.progress.texts.empty());
        QVERIFY2(QString::fromStdString(t->fake.progress.texts.front())
                     .startsWith("Pasting reactions ("),
                 t->fake.progress.texts.front().c_str());
        QVERIFY(!t->fake.progress.busyNow); // the pointer is back
    }

    void theProgressWindowOfALongPasteKeepsDrawingAndCancels() {
        // The workbench's own progress display, as a user sees it.
        t = std::make_unique<TempApp>();
        t->realProgress = true;
        QVERIFY(t->startUp());
        ReactionWindow* w = openGri();
        QVERIFY(w);
        const std::string before = fileBytes(griPath);
        // The reactions of JP-10 (1.5 MB): long enough to be watched.
        const reactions::MechanismSections sections = reactions::splitMechanismFile(
            *readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "jp10-large/JP10_RMG_Gao2015.inp"));
        std::string text;
        for (const std::string& line : sections.reactionLines)
            text += line + "\n";
        t->fake.clipboard.content = text;
        t->fake.dialogs.refusalReplies.assign(100, {RefusalChoice::Continue, false});
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
        clickToolbar("PASRE_RDB");
        QVERIFY(sawProgress);
        QVERIFY(ticks > 0); // the event loop ran while the paste did
        QCOMPARE(fileBytes(griPath), before);
        QVERIFY(!t->statusProgress.cancelWindow());
        QCOMPARE(w->countText(), QString("325 reactions"));
    }

    void inputWindowRefusesABadAAndTakesAFalloffReaction() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        // A double click on A of row 3 opens the window on the General page at the A box.
        QTableView* grid = w->grid();
        const QModelIndex a = grid->model()->index(2, column(w, "A"));
        grid->scrollTo(a);
        // A double click as the mouse sends it: the first click, then the second.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(a).center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(a).center());
        reactions::ui::ReactionInputWindow* input = w->inputWindow();
        QVERIFY(input && input->isVisible());
        QCOMPARE(input->tabs()->currentIndex(), 0);
        QLineEdit* aBox = input->box(ReactionInputBox::ForwardA);
        QCOMPARE(aBox->text(), QString("38700"));
        QCOMPARE(input->findChild<QLabel*>("number")->text(), QString("No 3"));
        QCOMPARE(input->findChild<QLabel*>("forwardUnits")->text(), QString("cm^3/mol s"));

        // The thermo species beside the boxes: a name dragged from the list is plain text.
        input->findChild<QPushButton*>("speciesButton")->click();
        auto* list = input->findChild<QTableWidget*>("speciesList");
        QVERIFY(list->isVisible());
        QCOMPARE(list->rowCount(), 53);
        QCOMPARE(input->findChild<QPushButton*>("speciesButton")->text(), QString("Hide Species"));
        std::unique_ptr<QMimeData> dragged(list->model()->mimeData({list->model()->index(3, 1)}));
        QCOMPARE(dragged->text(), list->item(3, 1)->text());

        const auto before = fileRecords(griPath);
        retype(aBox, "abc");
        input->findChild<QPushButton*>("ok")->click();
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("A-value of forward reaction, please enter a positive number."));
        QCOMPARE(aBox->selectedText(), QString("abc"));
        QVERIFY(fileRecords(griPath)[2].a == before[2].a);

        // Toggling columns keeps what was typed; another row refills the boxes.
        clickToolbar("COLVIS2");
        QCOMPARE(aBox->text(), QString("abc"));
        grid->setCurrentIndex(grid->model()->index(3, column(w, "A")));
        QCOMPARE(input->findChild<QLabel*>("number")->text(), QString("No 4"));
        grid->setCurrentIndex(grid->model()->index(2, column(w, "A")));
        QCOMPARE(aBox->text(), QString("38700"));

        // H + CH3 (+M) <=> CH4 (+M) with its Troe fall-off, typed into the boxes.
        const std::pair<int, const char*> species[] = {{0, "H"},   {1, "CH3"}, {2, "M$"},
                                                       {3, "CH4"}, {4, "M$"},  {5, ""}};
        for (const auto& [slot, name] : species)
            input->box(ReactionInputBox::Species, slot)->setText(name);
        input->box(ReactionInputBox::ForwardA)->setText("1.39E+16");
        input->box(ReactionInputBox::ForwardN)->setText("-0.534");
        input->box(ReactionInputBox::ForwardE)->setText("536");
        input->box(ReactionInputBox::LowA)->setText("2.62E+33");
        input->box(ReactionInputBox::LowN)->setText("-4.76");
        input->box(ReactionInputBox::LowE)->setText("2440");
        input->findChild<QComboBox*>("fFunction")->setCurrentIndex(1); // Troe
        const char* troe[] = {"0.783", "74", "2941", "6964"};
        for (int i = 0; i < 4; ++i)
            input->box(ReactionInputBox::Falloff, i)->setText(troe[i]);
        QCOMPARE(input->findChild<QLabel*>("lowUnits")->text(), QString("cm^6/mol^2 s"));
        input->findChild<QPushButton*>("ok")->click();
        const reactions::ReactionRecord written = fileRecords(griPath)[2];
        QCOMPARE(written.type, std::string("Low Troe"));
        QCOMPARE(written.reaction, std::string("H + CH3 + M$ <=> CH4 + M$"));
        QCOMPARE(*written.falloff[3], 6964.0);
        QCOMPARE(cell(w, 2, "Type"), QString("Low Troe"));
        QVERIFY(w->database().isModified());

        // A 256th character in the comment is refused and the box keeps its 255.
        QLineEdit* comment = input->box(ReactionInputBox::Comment);
        comment->setText(QString(255, 'c'));
        comment->setFocus();
        comment->end(false);
        QTest::keyClick(comment, Qt::Key_X);
        QCOMPARE(t->fake.dialogs.last().text, std::string("The maximum length is achieved."));
        QCOMPARE(comment->text(), QString(255, 'c'));
        QCOMPARE(input->model().comment, std::string(255, 'c'));
    }

    void findAndTheSpeciesFilter() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        t->window->QMainWindow::activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t->window.get()));
        w->grid()->setFocus();
        QTest::keyClick(w->grid(), Qt::Key_F, Qt::ControlModifier);
        auto* find = w->findChild<reactions::ui::ReactionFindDialog*>();
        QVERIFY(find && find->isVisible());
        retype(find->findChild<QLineEdit*>("pattern"), "CH4");
        find->findChild<QCheckBox*>("products")->setChecked(false);
        find->findNext();
        // The first reaction with CH4 among its reactants: current and alone highlighted.
        const int first = w->grid()->currentIndex().row();
        QCOMPARE(cell(w, first, "Reaction"), QString("O + CH4 <=> OH + CH3"));
        QCOMPARE(highlightedRows(w), QList<int>{first});
        find->findNext();
        QVERIFY(w->grid()->currentIndex().row() > first);
        QCOMPARE(highlightedRows(w), QList<int>{w->grid()->currentIndex().row()});

        // Filter › By Names: reactions with CH4 and OH among the reactants.
        whenModal([](QWidget* modal) {
            auto* filter = qobject_cast<reactions::ui::SpeciesFilterDialog*>(modal);
            QVERIFY(filter);
            filter->findChild<QLineEdit*>("reactant1")->setText("CH4");
            filter->findChild<QLineEdit*>("reactant2")->setText("OH");
            filter->findChild<QPushButton*>("ok")->click();
        });
        w->action("RDB_FilterNames")->trigger();
        QCOMPARE(w->countText(), QString("1 reactions"));
        QCOMPARE(cell(w, 0, "Reaction"), QString("OH + CH4 <=> CH3 + H2O"));

        // Nothing found: the message names the database and every record is shown again.
        whenModal([](QWidget* modal) {
            modal->findChild<QLineEdit*>("reactant1")->setText("XYZ");
            modal->findChild<QPushButton*>("ok")->click();
        });
        clickToolbar("SELECTREACR");
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("In the reaction database gri.mdb, the search item was not found."));
        QCOMPARE(w->countText(), QString("325 reactions"));
    }

    void runSolverWritesTheViewForTheRunSettings() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        // The view of one reaction: it and its four species go to the solver, with the bath
        // gases of the thermo database (N2 and AR; GRI-Mech 3.0 has no HE) for the mixture.
        whenModal([](QWidget* modal) {
            modal->findChild<QLineEdit*>("reactant1")->setText("CH4");
            modal->findChild<QLineEdit*>("reactant2")->setText("OH");
            modal->findChild<QPushButton*>("ok")->click();
        });
        w->action("RDB_FilterNames")->trigger();
        w->action("RDB_RUNSOLVER")->trigger();
        auto* settings = t->window->solverWindows().runSettings();
        QVERIFY(settings);
        QCOMPARE(settings->findChild<QLabel*>("reactionCount")->text(),
                 QString("Reaction mechanism consists of 1 valid reactions."));
        const QAbstractItemModel* grid = settings->fractionGrid()->model();
        QStringList names;
        for (int r = 0; r < grid->rowCount(); ++r)
            names << grid->index(r, 1).data().toString();
        names.sort();
        QCOMPARE(names.join(' '), QString("AR CH3 CH4 H2O N2 OH"));
        const auto input = readTextFile(t->app.folders.appDir / "SOLTMP.txt");
        QVERIFY(input && input->find(" 1    OH + CH4 <=> CH3 + H2O") != std::string::npos);
        QVERIFY(t->fake.dialogs.shown.empty());
    }

    void theMechanismDocumentHoldsTheViewWithTheChosenOptions() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        whenModal([](QWidget* modal) {
            modal->findChild<QLineEdit*>("reactant1")->setText("CH4");
            modal->findChild<QLineEdit*>("reactant2")->setText("OH");
            modal->findChild<QPushButton*>("ok")->click();
        });
        w->action("RDB_FilterNames")->trigger();
        whenModal([](QWidget* modal) {
            QVERIFY(modal->findChild<QCheckBox*>("thermoSection")->isChecked());
            modal->findChild<QCheckBox*>("withoutBlanks")->setChecked(true);
            modal->findChild<QPushButton*>("ok")->click(); // "Create"
        });
        w->action("RDB_TXTFORM")->trigger();
        QMdiSubWindow* document = t->window->mdiArea()->activeSubWindow();
        QCOMPARE(document->windowTitle(), QString("Reaction Mechanism"));
        auto* text = qobject_cast<QPlainTextEdit*>(document->widget());
        QVERIFY(text);
        const QString written = text->toPlainText();
        QVERIFY2(written.contains("OH+CH4<=>CH3+H2O"), qPrintable(written));
        QVERIFY(!written.contains("O+CH4<=>OH+CH3")); // not in the view
        QVERIFY(written.contains("THERMO"));
        QVERIFY(t->app.reactionReading.mechanism.withoutBlanks); // kept for the run

        // Cancel writes nothing.
        const int windows = int(t->window->mdiArea()->subWindowList().size());
        t->window->mdiArea()->setActiveSubWindow(t->window->reactionWindows().front());
        whenModal([](QWidget* modal) { modal->findChild<QPushButton*>("cancel")->click(); });
        w->action("RDB_TXTFORM")->trigger();
        QCOMPARE(int(t->window->mdiArea()->subWindowList().size()), windows);
    }

    void referencesAndElementsFilters() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        t->fake.clipboard.content = "H+O2=OH+O 3.5E15 -0.4 16600 ! Baulch 2005\n";
        clickToolbar("PASRE_RDB");
        clickToolbar("SHOWALL");

        // References › Find/Filter: the filter in upper case unless case is to be matched.
        w->action("RDB_References")->trigger();
        auto* references = w->findChild<reactions::ui::ReactionReferencesDialog*>();
        QVERIFY(references && references->isVisible());
        references->findChild<QLineEdit*>("filterPattern")->setText("*baulch*");
        references->findChild<QPushButton*>("filter")->click();
        QCOMPARE(w->countText(), QString("1 reactions"));
        QCOMPARE(cell(w, 0, "Reference"), QString("Baulch 2005"));
        references->findChild<QCheckBox*>("matchCase")->setChecked(true);
        references->findChild<QPushButton*>("filter")->click();
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("In the reaction database gri.mdb, the search item was not found."));
        QCOMPARE(w->countText(), QString("326 reactions"));
        references->findChild<QLineEdit*>("findPattern")->setText("Baulch*");
        references->findChild<QPushButton*>("findNext")->click();
        QCOMPARE(cell(w, w->grid()->currentIndex().row(), "Reference"), QString("Baulch 2005"));
        QCOMPARE(highlightedRows(w), QList<int>{w->grid()->currentIndex().row()});
        references->close();

        // Filter › By Elements with H and O ticked: hydrogen-oxygen reactions only.
        whenModal([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("KINETRA Filter by Elements"));
            for (int slot = 1; slot <= 10; ++slot) {
                auto* tick = modal->findChild<QCheckBox*>(QString("element%1").arg(slot));
                tick->setChecked(tick->text() == "H" || tick->text() == "O");
            }
            modal->findChild<QPushButton*>("ok")->click();
        });
        w->action("RDB_FilterElements")->trigger();
        const int shown = w->grid()->model()->rowCount();
        QVERIFY(shown > 20 && shown < 60);
        clickToolbar("COLVIS3");
        for (int r = 0; r < shown; ++r) {
            const QString composition = cell(w, r, "Composition");
            QVERIFY2(!composition.contains('C') && !composition.contains('N') &&
                         !composition.contains("AR"),
                     qPrintable(composition));
        }
        // The ticks are kept for the run.
        QVERIFY(t->app.reactionReading.elementTicks[1] || t->app.reactionReading.elementTicks[2]);
    }

    void duplicatesViewShowsAnUndeclaredPair() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        // GRI-Mech declares its duplicates; one more copy of reaction 3 is not declared.
        w->grid()->setCurrentIndex(w->grid()->model()->index(2, column(w, "Reaction")));
        t->fake.clipboard.content = "H+OH=O+H2 3.87E+04 2.7 6260\n";
        clickToolbar("PASRE_RDB");
        clickToolbar("SHOWALL");
        clickToolbar("DUPLICATE");
        QVERIFY(w->grid()->model()->rowCount() > 2);
        int undeclared = -1;
        for (int r = 0; r < w->grid()->model()->rowCount(); ++r)
            if (cell(w, r, "Reaction") == "H + OH <=> O + H2")
                undeclared = r;
        QVERIFY(undeclared >= 0);
        w->grid()->setCurrentIndex(w->grid()->model()->index(undeclared, 2));
        QCOMPARE(w->messageText(),
                 QString("Undeclared duplicate of reaction(s) 3; mark each with DUPLICATE."));
        // Its partner sits beside it in the view.
        const int partner = undeclared % 2 == 0 ? undeclared + 1 : undeclared - 1;
        QCOMPARE(cell(w, partner, "Reaction"), QString("O + H2 <=> H + OH"));
    }

    void columnTogglesShowAndHideTheirGroups() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        QTableView* grid = w->grid();
        const struct {
            const char* key;
            const char* column;
            const char* item;
            bool shownAtFirst;
        } toggles[] = {{"COLVIS1", "Ao", "RDB_ColParameters", true},
                       {"COLVIS1", "e", "RDB_ColParameters", true},
                       {"COLVIS2", "S1", "RDB_ColThirdBodies", true},
                       {"COLVIS2", "E10", "RDB_ColThirdBodies", true},
                       {"COLVIS3", "Composition", "RDB_ColComposition", false}};
        for (const auto& toggle : toggles) {
            QCOMPARE(grid->isColumnHidden(column(w, toggle.column)), !toggle.shownAtFirst);
            QCOMPARE(w->action(toggle.item)->isChecked(), toggle.shownAtFirst);
            clickToolbar(toggle.key);
            QCOMPARE(grid->isColumnHidden(column(w, toggle.column)), toggle.shownAtFirst);
            QCOMPARE(w->action(toggle.item)->isChecked(), !toggle.shownAtFirst);
            w->action(toggle.item)->trigger(); // the View menu's item toggles the same group
            QCOMPARE(grid->isColumnHidden(column(w, toggle.column)), !toggle.shownAtFirst);
        }
        QVERIFY(!grid->isColumnHidden(column(w, "Reaction")));
        clickToolbar("COLVIS3");
        QCOMPARE(cell(w, 0, "Composition"), QString("O1 + O1 = O2"));
    }

    void everyReactionToolbarButtonReachesTheWindow() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        for (QAction* button : t->window->toolbar(2)->actions()) {
            const std::string key = button->objectName().toStdString();
            QVERIFY2(button->isEnabled(), key.c_str());
        }
        // SETUP opens the rate setup window (modal: closed from a timer).
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* setup = qobject_cast<QDialog*>(top);
                    setup && setup->objectName() == "rateSetupDialog") {
                    shown = true;
                    setup->reject();
                }
        });
        QVERIFY(w->runToolbarOperation(ToolbarOperation::ChartSetup));
        QVERIFY(shown);
    }

    // Numeric Data of Current Reaction on 2OH(+M) <=> H2O2(+M): every rate and equilibrium
    // constant in a text window captioned after the reaction window.
    void numericDataOfCurrentReactionOpensAsText() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        w->grid()->setCurrentIndex(w->grid()->model()->index(84, column(w, "Reaction")));
        QCOMPARE(cell(w, 84, "Reaction"), QString("OH + OH + M$ <=> H2O2 + M$"));
        w->action("RDB_NumericData")->trigger();
        QMdiSubWindow* data = t->window->mdiArea()->activeSubWindow();
        QVERIFY(data && data->widget() != w);
        QCOMPARE(data->windowTitle(), QStringLiteral("gri.mdb  Numeric Data"));
        auto* text = data->findChild<QPlainTextEdit*>();
        QVERIFY(text);
        const QString content = text->toPlainText();
        QVERIFY(content.contains("  OH + OH + M$ <=> H2O2 + M$"));
        QVERIFY(content.contains("  3   Kfor,low (cm^6/mol^2 sec)"));
        QVERIFY(content.contains("   1000.00    5.74E+12    7.12E+03    1.08E+16    1.34E+07"
                                 "    8.07E+08"));
        QVERIFY(t->fake.dialogs.shown.empty());
    }

    // The setup window: the units choice is kept even when the window is cancelled, the
    // captions follow the choices, and OK refuses a range with no points.
    void rateSetupWindowStoresUnitsAtOnceAndChecksOk() {
        reactions::RatePlotSettings settings;
        {
            reactions::ui::RateSetupDialog dialog(settings, t->fake.dialogs);
            auto* equilibrium = dialog.findChild<QCheckBox*>("equilibrium");
            QCOMPARE(equilibrium->text(), QString("Plot"));
            QVERIFY(!dialog.findChild<QRadioButton*>("kc")->isEnabled());
            equilibrium->click();
            dialog.findChild<QRadioButton*>("kc")->click();
            QCOMPARE(equilibrium->text(), QString("Plot.        Units: mol/cm^3"));
            dialog.findChild<QRadioButton*>("calorie")->click();
            QCOMPARE(dialog.findChild<QCheckBox*>("deltaH")->text(), QString("Delta H (kcal/mol)"));
            dialog.reject();
        }
        QVERIFY(!settings.joule);
        QVERIFY(!settings.equilibrium); // the rest only with OK
        reactions::ui::RateSetupDialog dialog(settings, t->fake.dialogs);
        dialog.findChild<QLineEdit*>("max")->setText("300");
        dialog.accept();
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("The number of points is zero. Check up the Min, Max and Step "
                             "values."));
        QCOMPARE(settings.tmax, 4000.0);
        dialog.findChild<QLineEdit*>("max")->setText("2000");
        dialog.accept();
        QCOMPARE(settings.tmax, 2000.0);
    }

    void closePromptCancelKeepsTheWindowAndNoDropsTheChanges() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        const auto before = fileRecords(griPath);
        clickToolbar("ADDNEW");
        QMdiSubWindow* child = t->window->mdiArea()->activeSubWindow();
        t->fake.dialogs.answers = {Answer::Cancel};
        QVERIFY(!child->close());
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("Do you want to save changes to gri.mdb?"));
        QVERIFY(t->fake.dialogs.last().buttons == Buttons::YesNoCancel);
        QCOMPARE(t->window->reactionWindows().size(), 1);
        QCOMPARE(fileRecords(griPath).size(), before.size() + 1);

        // File > Exit asks the same question; Cancel keeps the program and the window.
        t->fake.dialogs.shown.clear();
        t->fake.dialogs.answers = {Answer::Cancel};
        t->window->menuAction("EXIT")->trigger();
        QTRY_VERIFY(!t->fake.dialogs.shown.empty());
        QCOMPARE(t->fake.dialogs.last().text,
                 std::string("Do you want to save changes to gri.mdb?"));
        QTest::qWait(50);
        QCOMPARE(t->window->reactionWindows().size(), 1);
        QVERIFY(t->window->isVisible());

        t->fake.dialogs.answers = {Answer::No};
        QVERIFY(child->close());
        QTRY_COMPARE(t->window->reactionWindows().size(), 0);
        QCOMPARE(fileRecords(griPath).size(), before.size());
        QVERIFY(!fs::exists(t->dir / "~gri.mdb"));
    }

    void newReactionDatabaseFromTheMainMenu() {
        ReactionWindow* gri = openGri();
        QVERIFY(gri);
        // Cancel in the save dialog ends quietly.
        t->fake.files.paths = {""};
        t->window->menuAction("MDI_NEWREAC")->trigger();
        QCOMPARE(t->window->reactionWindows().size(), 1);
        QVERIFY(t->fake.dialogs.shown.empty());

        const fs::path path = t->dir / "new.mdb";
        t->fake.files.paths = {path.string()};
        QVERIFY(t->window->menuAction("MDI_NEWREAC")->isEnabled());
        t->window->menuAction("MDI_NEWREAC")->trigger();
        ReactionWindow* w = activeReactionWindow();
        QVERIFY(w && w != gri);
        QVERIFY(t->fake.files.asked.back() == FilterKind::Databases);
        QCOMPARE(w->countText(), QString("0 reactions"));
        QVERIFY(fs::exists(t->dir / "~new.mdb"));
        t->fake.clipboard.content = "H+O2=OH+O 3.5E15 -0.4 16600\nH+O2=HO2 1 2 3\n";
        w->action("RDB_Paste")->trigger();
        QCOMPARE(fileRecords(path).size(), std::size_t(2));
        clickToolbar("INCORRECTReac");
        QCOMPARE(
            t->fake.dialogs.last().text,
            std::string("In the reaction database new.mdb, invalid reactions were not found."));
        QCOMPARE(w->countText(), QString("2 reactions"));

        // The tool windows of one database close when another window becomes active.
        w->action("RDB_Find")->trigger();
        auto* find = w->findChild<reactions::ui::ReactionFindDialog*>();
        QVERIFY(find && find->isVisible());
        t->window->mdiArea()->setActiveSubWindow(t->window->reactionWindows().front());
        QVERIFY(!find->isVisible());

        // The same path again only brings its window forward.
        t->fake.files.paths = {path.string()};
        t->window->menuAction("MDI_NEWREAC")->trigger();
        QCOMPARE(t->fake.dialogs.last().text,
                 "The reaction database is already opened.\n\n" + path.string());
        QCOMPARE(t->window->reactionWindows().size(), 2);
    }

    void theKeyboardMovesSelectsDeletesAndSearches() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        t->window->QMainWindow::activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t->window.get()));
        QTableView* grid = w->grid();
        // Opening gives the grid the keys.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(highlightedRows(w), QList<int>{2});
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(highlightedRows(w), (QList<int>{2, 3}));
        t->fake.dialogs.answers = {Answer::Yes};
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(t->fake.dialogs.last().kind, std::string("ask"));
        QCOMPARE(w->countText(), QString("323 reactions"));
        QCOMPARE(fileRecords(griPath).size(), std::size_t(323));
        // What stays highlighted is the current row, and the status speaks of it.
        QCOMPARE(highlightedRows(w), QList<int>{grid->currentIndex().row()});

        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->currentIndex().row(), 322);
        QCOMPARE(highlightedRows(w), QList<int>{322});

        // Ctrl+F, a pattern, Return finds; Escape closes and the grid has the keys again.
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        auto* find = w->findChild<reactions::ui::ReactionFindDialog*>();
        QVERIFY(find && find->isVisible());
        QTRY_VERIFY(find->isActiveWindow());
        auto* direction = find->findChild<QRadioButton*>("up");
        direction->setChecked(true);
        QLineEdit* pattern = find->findChild<QLineEdit*>("pattern");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pattern));
        QCOMPARE(pattern->selectedText(), QString("*"));
        QTest::keyClicks(pattern, "C2H6");
        QTest::keyClick(pattern, Qt::Key_Return);
        const int found = grid->currentIndex().row();
        QVERIFY(cell(w, found, "Reaction").contains("C2H6"));
        QCOMPARE(highlightedRows(w), QList<int>{found});
        QTest::keyClick(find, Qt::Key_Escape);
        QVERIFY(!find->isVisible());
        // The window manager gives the main window back its activation; the grid is where its
        // keys go.
        t->window->QMainWindow::activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        // F3 goes on from there with the same search.
        QTest::keyClick(grid, Qt::Key_F3);
        QVERIFY(grid->currentIndex().row() < found);

        // Escape in the input window drops what was typed.
        auto energies = [this] {
            std::vector<std::optional<double>> e;
            for (const auto& record : fileRecords(griPath))
                e.push_back(record.e);
            return e;
        };
        const auto before = energies();
        w->action("RDB_InputWindow")->trigger();
        reactions::ui::ReactionInputWindow* input = w->inputWindow();
        QVERIFY(input);
        retype(input->box(ReactionInputBox::ForwardE), "1234");
        QTest::keyClick(input, Qt::Key_Escape);
        QVERIFY(!input->isVisible());
        QVERIFY(energies() == before);
    }

    void anUnexpectedStoreErrorNamesItsPlaceAndOnlyStopsThatCommand() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        // The file goes away under the window (another program moved it).
        const fs::path moved = t->dir / "moved.mdb";
        fs::rename(griPath, moved);
        t->fake.clipboard.content = "H+O2=OH+O 3.5E15 -0.4 16600\n";
        const struct {
            const char* item; // a menu item, or a toolbar key when it has no "RDB_" prefix
            const char* place;
        } commands[] = {{"RDB_NewRow", "RDB#049. "},
                        {"ADDNEW", "RDB#049. "},
                        {"RDB_Paste", "RDB#109. "},
                        {"PASRE_RDB", "RDB#109. "},
                        {"RDB_Valid", "RDB#049. "}};
        for (const auto& command : commands) {
            t->fake.dialogs.shown.clear();
            if (std::string(command.item).starts_with("RDB_"))
                w->action(command.item)->trigger();
            else
                clickToolbar(command.item);
            QVERIFY2(!t->fake.dialogs.shown.empty(), command.item);
            QVERIFY2(t->fake.dialogs.last().text.starts_with(command.place),
                     t->fake.dialogs.last().text.c_str());
        }
        // Back in place, the window works on.
        fs::rename(moved, griPath);
        clickToolbar("SHOWALL");
        QCOMPARE(w->countText(), QString("325 reactions"));
    }

    void theThermoWindowIsViewOnlyWhileAReactionWindowIsOpen() {
        ReactionWindow* w = openGri();
        QVERIFY(w);
        t->window->menuAction("THERMOSHOW")->trigger();
        auto* thermo = qobject_cast<thermo::ui::ThermoWindow*>(t->window->thermoWindow()->widget());
        QVERIFY(thermo);
        QVERIFY(thermo->table().viewOnly());
        QCOMPARE(thermo->messageText(),
                 QString("You should close all reaction windows to edit the THERMO table."));
        // Connecting another thermo database closes the reaction windows first; Cancel at the
        // save question keeps everything.
        t->window->mdiArea()->setActiveSubWindow(t->window->reactionWindows().front());
        clickToolbar("ADDNEW");
        t->fake.dialogs.answers = {Answer::Cancel};
        t->window->menuAction("THERMOOPEN")->trigger();
        QCOMPARE(t->window->reactionWindows().size(), 1);
        QCOMPARE(t->app.thermo.path(), thermoPath);
        // Closing the reaction window gives the thermo window its editing commands back.
        t->fake.dialogs.answers = {Answer::No};
        QVERIFY(t->window->reactionWindows().front()->close());
        QTRY_VERIFY(!thermo->table().viewOnly());
    }
};

QTEST_MAIN(ReactionWindowTest)
#include "ReactionWindowTest.moc"
