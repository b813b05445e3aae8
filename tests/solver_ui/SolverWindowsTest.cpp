// The solver's windows inside the workbench: the run settings over GRI-Mech 3.0's input file
// (refusals with the focus on the faulty box, Save and Enter), a real run of the solver program
// from the window to the post-processor, the profiles handed to the scratch chart, the subset
// limit, and Stop during a long run.
#include "solver/ui/SolverWindows.h"

#include "charts/ui/ChartWindow.h"
#include "common/TextFile.h"
#include "results/ResultProfiles.h"
#include "shell_ui/TempApp.h"
#include "solver/SolverRun.h"
#include "solver/ui/PostProcessorWindow.h"
#include "solver/ui/ResultTableModel.h"
#include "solver/ui/RunSettingsWindow.h"
#include "solver/ui/SolverConsoleWindow.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <cstdlib>

using namespace kinetra;
using namespace kinetra::testing;
using solver::RunField;
using solver::ui::PostProcessorWindow;
using solver::ui::RunSettingsWindow;
namespace fs = std::filesystem;

namespace {

const fs::path kGriInput = fs::path(KINETRA_TEST_DATA_DIR) / "gri30-ch4-air-1200K-constP.txt";
const std::string kAbnormal = " The solver has been terminated abnormally.\n";

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class SolverWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;
    std::vector<ChartHandOver> charts;
    std::vector<std::pair<fs::path, std::string>> texts; // numeric data shown as documents

    solver::ui::SolverWindows& windows() { return t->window->solverWindows(); }
    fs::path input() const { return t->app.folders.appDir / "SOLTMP.txt"; }

    // The run settings window over GRI-Mech 3.0, CH4/air (fractions 1, 2, 7.52) as "Run Solver"
    // opens it, with the run's conditions typed in.
    RunSettingsWindow* openGri(const char* finalTime = "0.1") {
        fs::copy_file(kGriInput, input(), fs::copy_options::overwrite_existing);
        windows().openRunSettings(input());
        RunSettingsWindow* w = windows().runSettings();
        if (!w)
            return nullptr;
        retype(w->box(RunField::InitialTemperature), QStringLiteral("1200"));
        retype(w->box(RunField::FinalTime), QString::fromLatin1(finalTime));
        retype(w->box(RunField::MaximumSteps), QStringLiteral("99999"));
        return w;
    }

    // Runs the window's run to its end; the report is answered from the script.
    bool runToEnd(RunSettingsWindow* w) {
        button(w, "runSolver")->click();
        auto* console = windows().console();
        if (!console)
            return false;
        QSignalSpy finished(console, &solver::ui::SolverConsoleWindow::runFinished);
        return finished.wait(20000);
    }

    PostProcessorWindow* postProcessorOn(const fs::path& output) {
        auto reading = results::readSolverOutput(output);
        if (!reading.output)
            return nullptr;
        solver::ui::PostProcessorContext context(t->fake.ui);
        context.constants = {8.314462618, 1.987204259, 6.02214076e23};
        context.supportDir = t->app.folders.supportDir;
        context.showChart = [this](ChartHandOver chart) { charts.push_back(std::move(chart)); };
        context.openTextFile = [this](const fs::path& file, const std::string& caption) {
            texts.emplace_back(file, caption);
        };
        auto* w = new PostProcessorWindow(std::move(context), std::move(*reading.output), output);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->resize(900, 600);
        w->show();
        return w;
    }

    static void doubleClickRowHeader(QTableView* table, int row, Qt::KeyboardModifiers keys = {}) {
        QHeaderView* header = table->verticalHeader();
        table->scrollTo(table->model()->index(row, 0));
        const QPoint at(5, header->sectionViewportPosition(row) + header->sectionSize(row) / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, keys, at);
    }

private slots:
    void init() {
        t = std::make_unique<TempApp>();
        QVERIFY(t->startUp());
        fs::create_symlink(fs::path(KINETRA_APP_DIR) / solver::kSolverProgram,
                           t->app.folders.appDir / solver::kSolverProgram);
        t->fake.dialogs.shown.clear();
        charts.clear();
        texts.clear();
    }
    void cleanup() { t.reset(); }

    void refusalsPutTheFocusOnTheFaultyBox() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("reactionCount"))->text(),
                 QStringLiteral("Reaction mechanism consists of 325 valid reactions."));
        struct Case {
            RunField field;
            const char* text;
            std::string message;
        };
        const Case cases[] = {
            {RunField::RelativeTolerance, "1",
             "Relative tolerance, please enter a number on the interval (1.E-14, 1)."},
            {RunField::AbsoluteTolerance, "1E-15x",
             "Absolute tolerance, please enter a positive number."},
            {RunField::MaximumSteps, "100000",
             "Maximum number of computed steps, please enter a positive integer less than "
             "100000."},
            {RunField::InitialTemperature, "6500",
             "The initial temperature is outside of the temperature interval (200, 6000). Enter "
             "a correct value."},
        };
        for (const Case& c : cases) {
            w->pages()->setCurrentIndex(1);
            QLineEdit* box = w->box(c.field);
            const QString good = box->text();
            retype(box, QString::fromLatin1(c.text));
            t->fake.dialogs.shown.clear();
            button(w, "runSolver")->click();
            QCOMPARE(t->fake.dialogs.texts(), std::vector<std::string>{c.message});
            QCOMPARE(w->pages()->currentIndex(), 0);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
            QCOMPARE(box->selectedText(), QString::fromLatin1(c.text));
            QVERIFY(!windows().console());
            retype(box, good);
        }
        // Without a fraction the grid takes the focus on its page.
        button(w, "clearFractions")->click();
        button(w, "runSolver")->click();
        QCOMPARE(t->fake.dialogs.last().text, std::string("The solver cannot start because "
                                                          "initial mole fractions have not been "
                                                          "specified."));
        QCOMPARE(w->pages()->currentIndex(), 1);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->fractionGrid()));
    }

    // The start window is a form: the cursor in its first box, Enter runs, Esc cancels.
    void theStartWindowAnswersTheKeyboard() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w);
        QLineEdit* temperature = w->box(RunField::InitialTemperature);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(temperature));
        // Tab walks the boxes down the left column, then down the right one.
        std::vector<RunField> tabbed;
        for (int i = 0; i < 20 && tabbed.size() < 6; ++i) {
            for (const RunField f :
                 {RunField::InitialTemperature, RunField::Pressure, RunField::MinimumTemperature,
                  RunField::MaximumTemperature, RunField::InitialTime, RunField::FinalTime})
                if (QApplication::focusWidget() == w->box(f))
                    tabbed.push_back(f);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY((tabbed == std::vector<RunField>{RunField::InitialTemperature, RunField::Pressure,
                                                 RunField::MinimumTemperature,
                                                 RunField::MaximumTemperature,
                                                 RunField::InitialTime, RunField::FinalTime}));
        temperature->setFocus();
        retype(temperature, QStringLiteral("6500"));
        t->fake.dialogs.shown.clear();
        QTest::keyClick(temperature, Qt::Key_Return);
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QVERIFY(!windows().console());
        // Enter after a filter goes to the first species' fraction, not to a run.
        auto* filter = w->findChild<QLineEdit*>(QStringLiteral("fractionFilter"));
        filter->setFocus();
        QTest::keyClicks(filter, QStringLiteral("o2"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->fractionGrid()));
        // The names show whole after the filter.
        const QAbstractItemView* grid = w->fractionGrid();
        QVERIFY(w->fractionGrid()->columnWidth(1) >= grid->sizeHintForColumn(1));
        const QModelIndex current = w->fractionGrid()->currentIndex();
        QCOMPARE(current.column(), 3);
        QCOMPARE(current.siblingAtColumn(1).data().toString(), QStringLiteral("O2"));
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QTest::keyClick(w->fractionGrid(), Qt::Key_Escape);
        QTRY_VERIFY(!windows().runSettings());
    }

    void saveAndEnterRoundTrip() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w);
        retype(w->box(RunField::Pressure), QStringLiteral("20"));
        retype(w->box(RunField::RelativeTolerance), QStringLiteral("1.E-08"));
        w->findChild<QRadioButton*>(QStringLiteral("constantTemperature"))->setChecked(true);
        w->findChild<QRadioButton*>(QStringLiteral("constantVolume"))->setChecked(true);
        w->findChild<QCheckBox*>(QStringLiteral("keepConsole"))->setChecked(true);
        // CH4 (species 14 of the block) through the grid, as typed.
        QAbstractItemModel* grid = w->fractionGrid()->model();
        w->setFilter(QStringLiteral("ch4"));
        QCOMPARE(grid->rowCount(), 1);
        QVERIFY(grid->setData(grid->index(0, 3), QStringLiteral("0.5"), Qt::EditRole));
        w->setFilter({});
        QCOMPARE(w->sumLabel()->text(), QStringLiteral("Sum of fractions: 10.02"));
        button(w, "save")->click();
        const auto saved = readTextFile(t->app.folders.support("SolverData.txt"));
        QVERIFY(saved);

        button(w, "defaults")->click();
        button(w, "clearFractions")->click();
        w->findChild<QRadioButton*>(QStringLiteral("adiabatic"))->setChecked(true);
        retype(w->box(RunField::Pressure), QStringLiteral("1"));
        QCOMPARE(w->box(RunField::RelativeTolerance)->text(), QStringLiteral("1.E-06"));
        QCOMPARE(w->sumLabel()->text(), QStringLiteral("Sum of fractions: 0"));

        button(w, "enter")->click();
        QCOMPARE(w->box(RunField::Pressure)->text(), QStringLiteral("20"));
        QCOMPARE(w->box(RunField::RelativeTolerance)->text(), QStringLiteral("1.E-08"));
        QCOMPARE(w->box(RunField::InitialTemperature)->text(), QStringLiteral("1200"));
        QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("constantTemperature"))->isChecked());
        QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("constantVolume"))->isChecked());
        QVERIFY(w->findChild<QCheckBox*>(QStringLiteral("keepConsole"))->isChecked());
        QCOMPARE(w->sumLabel()->text(), QStringLiteral("Sum of fractions: 10.02"));
        QVERIFY(t->fake.dialogs.shown.empty());
        // What Enter read is what Save writes again.
        button(w, "save")->click();
        QCOMPARE(readTextFile(t->app.folders.support("SolverData.txt")), saved);
    }

    void griRunFromTheWindowOpensThePostProcessor() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w);
        QVERIFY(runToEnd(w));
        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{
                     "The chemical kinetics problem has been successfully solved.\n\nShow the "
                     "output data?"});
        QCOMPARE(windows().console()->progressBar()->value(), 100);
        QVERIFY(windows().console()->output()->toPlainText().contains(QStringLiteral("Done: ")));
        // Yes: the run settings go, the output opens as a text document and in the
        // post-processor.
        QTRY_VERIFY(!windows().runSettings());
        PostProcessorWindow* results = windows().postProcessor();
        QVERIFY(results);
        QCOMPARE(results->windowTitle(), QStringLiteral("Solver Output  SOLTMP.out"));
        QCOMPARE(results->speciesModel()->rowCount(), 53);
        // The engine places the largest dT/dt at 45.485 ms (docs/performance.md).
        QVERIFY2(results->highlights()->text().startsWith(
                     QStringLiteral("Ignition delay (largest dT/dt): 4.54")),
                 qPrintable(results->highlights()->text()));
        QStringList captions;
        for (QMdiSubWindow* sub : t->window->mdiArea()->subWindowList())
            captions << sub->windowTitle();
        QVERIFY2(captions.contains(QStringLiteral("SOLTMP.out")), qPrintable(captions.join('|')));
        // The output shown again (the next run's) replaces its text window.
        windows().showResults(t->app.folders.appDir / "SOLTMP.out", true);
        captions.clear();
        for (QMdiSubWindow* sub : t->window->mdiArea()->subWindowList())
            captions << sub->windowTitle();
        QCOMPARE(captions.count(QStringLiteral("SOLTMP.out")), 1);
        results = windows().postProcessor();
        // The status line of the text window does not stay under the post-processor.
        QCOMPARE(t->window->statusBar()->currentMessage(), QString());
        // The main species lead the glance: N2, then the products and the reactants.
        QCOMPARE(results->glanceTable()->item(0, 0)->text(), QStringLiteral("N2"));
        // In the workbench a profile lands in the scratch chart against time.
        doubleClickRowHeader(results->meanTable(), 0);
        const ui::ChartWindow* chart = t->window->scratchChart();
        QVERIFY(chart);
        QCOMPARE(chart->caption(), std::string("Temporary Chart "));
        QCOMPARE(chart->model().subsetCount(), 1);
        QCOMPARE(chart->model().content().mainTitle, std::string("Temperature"));
        // Window > Tile keeps the main window on the screen however wide the post-processor's
        // bar is.
        t->window->resize(1000, 700);
        t->window->mdiArea()->tileSubWindows();
        QCOMPARE(t->window->width(), 1000);
        // The exit routine finds the post-processor by its name and closes it.
        QVERIFY(t->app.windows.named("SOL_RUN").empty());
        const auto registered = t->app.windows.named("RES_Results");
        QCOMPARE(registered.size(), std::size_t(1));
        t->window->closeWindow(registered[0].id);
        QTRY_VERIFY(!windows().postProcessor());
    }

    void profilesReachTheScratchChart() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w && runToEnd(w));
        PostProcessorWindow* results = postProcessorOn(t->app.folders.appDir / "SOLTMP.out");
        QVERIFY(results);
        t->fake.dialogs.shown.clear();
        doubleClickRowHeader(results->meanTable(), 0);
        QCOMPARE(charts.size(), std::size_t(1));
        const ChartHandOver& temperature = charts[0];
        QCOMPARE(temperature.windowCaption, std::string("Temporary Chart "));
        QCOMPARE(temperature.title, std::string("Temperature"));
        QVERIFY(!temperature.addToExisting);
        QCOMPARE(temperature.subsets.size(), std::size_t(1));
        const std::vector<double>& T = temperature.subsets[0].y;
        QCOMPARE(T.size(), temperature.x.size());
        QCOMPARE(T.front(), 1200.0);
        QVERIFY(*std::max_element(T.begin(), T.end()) > 2600);

        int oh = -1;
        for (int r = 0; r < results->speciesModel()->rowCount(); ++r)
            if (results->speciesModel()->headerData(r, Qt::Vertical, Qt::DisplayRole) ==
                QStringLiteral("OH"))
                oh = r;
        results->pages()->setCurrentIndex(1);
        doubleClickRowHeader(results->speciesTable(), oh, Qt::ControlModifier);
        QCOMPARE(charts.size(), std::size_t(2));
        // Ctrl+Enter on the row does the same from the keyboard.
        results->speciesTable()->setCurrentIndex(results->speciesModel()->index(oh, 3));
        QTest::keyClick(results->speciesTable(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(charts.size(), std::size_t(3));
        QCOMPARE(charts[2].subsets[0].label, std::string("Mole Fraction [OH]"));
        QVERIFY(charts[2].addToExisting);
        QCOMPARE(charts[1].windowCaption, std::string("Temporary Chart "));
        QVERIFY(charts[1].addToExisting);
        QCOMPARE(charts[1].subsets[0].label, std::string("Mole Fraction [OH]"));
        const auto& x = charts[1].subsets[0].y;
        const double peak = *std::max_element(x.begin(), x.end());
        QVERIFY2(peak > 5e-3 && peak < 5e-2, qPrintable(QString::number(peak)));
        QVERIFY(t->fake.dialogs.shown.empty());
    }

    // Ctrl+C copies the selected block; no number is wrapped or cut by its column.
    void resultTablesCopyBlocksAndShowWholeNumbers() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w && runToEnd(w));
        PostProcessorWindow* results = postProcessorOn(t->app.folders.appDir / "SOLTMP.out");
        QVERIFY(results);
        QTableView* species = results->speciesTable();
        const QAbstractItemView* cells = species; // sizeHintForColumn is public here
        results->pages()->setCurrentIndex(1);
        QVERIFY(!species->wordWrap());
        for (int column : {0, 1, 2, 500})
            QVERIFY2(species->columnWidth(column) >= cells->sizeHintForColumn(column) &&
                         species->columnWidth(column) >=
                             species->horizontalHeader()->sectionSizeHint(column),
                     qPrintable(QString::number(column)));
        // CH4 started from 1 of 10.52 typed: its initial mole fraction is 0.0951.
        const QAbstractItemModel* m = species->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->headerData(r, Qt::Vertical).toString() == QLatin1String("CH4"))
                QCOMPARE(m->index(r, 1).data().toString(), QStringLiteral("9.506E-02"));

        QTableView* means = results->meanTable();
        means->selectionModel()->select(
            QItemSelection(means->model()->index(0, 2), means->model()->index(1, 3)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(means, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(t->fake.clipboard.content, std::string("1200.00\t1200.00\n1.02E-05\t1.02E-05\n"));
    }

    void theTwentyFirstSubsetIsRefused() {
        RunSettingsWindow* w = openGri();
        QVERIFY(w && runToEnd(w));
        PostProcessorWindow* results = postProcessorOn(t->app.folders.appDir / "SOLTMP.out");
        QVERIFY(results);
        for (int r = 0; r < results::kMeanQuantityCount; ++r)
            results->meanModel()->setChecked(r, true);
        // 14 species present in the run (a species that stays zero is refused on its own).
        const QStringList present = {"CH4", "O2", "N2", "H2O", "CO2",  "CO",  "OH",
                                     "H",   "O",  "H2", "HO2", "H2O2", "CH3", "CH2O"};
        int last = -1;
        for (int r = 0; r < results->speciesModel()->rowCount(); ++r)
            if (present.contains(results->speciesModel()
                                     ->headerData(r, Qt::Vertical, Qt::DisplayRole)
                                     .toString()))
                results->speciesModel()->setChecked(last = r, true);
        t->fake.dialogs.shown.clear();
        button(results, "viewChecked")->click();
        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{"The maximum number of subsets you can view is 20; "
                                          "you are attempting to view 21."});
        QVERIFY(charts.empty());
        // A text takes any number of columns: the 21 go to TmpPlot.txt.
        button(results, "numericData")->click();
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].first, t->app.folders.support("TmpPlot.txt"));
        QCOMPARE(texts[0].second, std::string("Numeric Data"));
        QVERIFY(
            readTextFile(texts[0].first).value_or("").find("Mean parameters and Mole fractions") !=
            std::string::npos);
        results->speciesModel()->setChecked(last, false);
        button(results, "viewChecked")->click();
        QCOMPARE(charts.size(), std::size_t(1));
        QCOMPARE(charts[0].subsets.size(), std::size_t(20));
    }

    void stopDuringALongRunLeavesAReadableOutput() {
        // The records of a real GRI run stand for the output of a run still going: a stand-in
        // solver writes them and reports progress until Stop (the program's own answer to
        // Stop is tested with the engine).
        const fs::path app = t->app.folders.appDir;
        const std::string solve = (fs::path(KINETRA_APP_DIR) / solver::kSolverProgram).string() +
                                  " '" + kGriInput.string() + "' -o '" +
                                  (app / "head.out").string() + "' > /dev/null";
        QCOMPARE(std::system(solve.c_str()), 0);
        std::string head = readTextFile(app / "head.out").value_or("");
        QVERIFY(head.ends_with("!$END\n"));
        head.erase(head.size() - 6);
        writeTextFile(app / "slow-output.txt", head);
        fs::remove(app / solver::kSolverProgram);
        fs::create_symlink(fs::path(KINETRA_TEST_DATA_DIR) / ".." / "solver_ui" / "slow-solver.sh",
                           app / solver::kSolverProgram);

        RunSettingsWindow* w = openGri();
        QVERIFY(w);
        button(w, "runSolver")->click();
        auto* console = windows().console();
        QVERIFY(console && console->running());
        QTRY_VERIFY(console->progressBar()->value() > 0);
        QSignalSpy finished(console, &solver::ui::SolverConsoleWindow::runFinished);
        console->stopButton()->click();
        QVERIFY(!console->stopButton()->isEnabled());
        QVERIFY(finished.wait(10000));
        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{kAbnormal +
                                          "ERROR The run was stopped by the user at time 2.0E-02 "
                                          "s, temperature 1250 K.\n\n\nShow the output data?"});
        // Yes: the records written so far open in the post-processor.
        QTRY_VERIFY(windows().postProcessor());
        QVERIFY(windows().postProcessor()->meanModel()->columnCount() > 900);
    }
};

QTEST_MAIN(SolverWindowsTest)
#include "SolverWindowsTest.moc"
