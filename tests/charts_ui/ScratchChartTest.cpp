// Charts inside the workbench, over GRI-Mech 3.0 as the batch tool imports it: the thermo
// window's row-header double click (Ctrl adds), the reaction window's rate chart, the scratch
// chart's captions and closing, the one-line editor of chart texts, the chart toolbar, and
// chart files opened with File > Open.
#include "CliApp.h"
#include "charts/ui/ChartCanvas.h"
#include "charts/ui/ChartWindow.h"
#include "reactions/ReactionRecord.h"
#include "reactions/ui/ReactionWindow.h"
#include "shell/ui/ChildWindow.h"
#include "shell_ui/TempApp.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ui/ThermoWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <sstream>

using namespace kinetra;
using namespace kinetra::testing;
using kinetra::ui::ChartWindow;
namespace fs = std::filesystem;

namespace {

const fs::path kGri = fs::path(KINETRA_SHARED_DATA_DIR) / "gri30";

std::vector<std::string> labelsOf(const ChartWindow& chart) {
    std::vector<std::string> labels;
    for (int s = 0; s < chart.model().subsetCount(); ++s)
        labels.push_back(chart.model().subset(s).label);
    return labels;
}

} // namespace

class ScratchChartTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;
    fs::path thermoPath, griPath;

    bool importGri() {
        thermoPath = t->dir / "gri-thermo.mdb";
        griPath = t->dir / "gri.mdb";
        std::ostringstream out, err;
        const int code =
            cli::runCli({"mechanism", "import", (kGri / "gri30.inp").string(), "--thermo",
                         thermoPath.string(), "--reactions", griPath.string(), "--thermo-file",
                         (kGri / "gri30_thermo.dat").string()},
                        {out, err, false}, KINETRA_APP_DIR);
        if (code != 0)
            qWarning("%s", err.str().c_str());
        t->fake.files.paths = {thermoPath.string()};
        t->window->menuAction("THERMOOPEN")->trigger();
        return code == 0 && t->app.thermo.path() == thermoPath;
    }
    thermo::ui::ThermoWindow* thermoWindow() {
        ui::ChildWindow* child = t->window->thermoWindow();
        return child ? qobject_cast<thermo::ui::ThermoWindow*>(child->widget()) : nullptr;
    }
    static int rowOf(thermo::ui::ThermoWindow* w, const std::string& name) {
        const auto& rows = w->table().rows().rows;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (store::toText(rows[r][thermo::trm::kSpecies]) == name)
                return static_cast<int>(r);
        return -1;
    }
    static void doubleClickHeader(QTableView* grid, int row, Qt::KeyboardModifiers keys) {
        QHeaderView* header = grid->verticalHeader();
        grid->scrollTo(grid->model()->index(row, 0));
        const QPoint at(header->width() / 2, header->sectionViewportPosition(row) + 4);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, keys, at);
    }

private slots:
    void init() {
        t = std::make_unique<TempApp>();
        QVERIFY(t->startUp());
        QVERIFY(importGri());
        t->fake.dialogs.shown.clear();
    }
    void cleanup() { t.reset(); }

    void rowHeaderDoubleClickPlotsAndCtrlAddsToTheScratchChart() {
        thermo::ui::ThermoWindow* thermo = thermoWindow();
        QVERIFY(thermo);
        const int h2o = rowOf(thermo, "H2O"), oh = rowOf(thermo, "OH");
        QVERIFY(h2o >= 0 && oh >= 0);

        doubleClickHeader(thermo->grid(), h2o, Qt::NoModifier);
        ChartWindow* chart = t->window->scratchChart();
        QVERIFY(chart);
        QCOMPARE(chart->caption(), std::string("Temporary Chart"));
        QCOMPARE(labelsOf(*chart),
                 (std::vector<std::string>{"H (kJ/mol)", "Cp (J/K mol)", "S (J/K mol)"}));
        QCOMPARE(chart->model().content().mainTitle, std::string("H2O"));
        QCOMPARE(chart->model().pointCount(), 38);
        QVERIFY(t->window->toolbar(4)->isVisible());
        // The chart's own File menu still opens files (Ctrl+O) and ends the program.
        const QList<QAction*> file = chart->documentMenus().at(0)->actions();
        QVERIFY(file.contains(t->window->menuAction("OPEN")));
        QVERIFY(file.contains(t->window->menuAction("EXIT")));

        // Ctrl adds OH's functions to the same window.
        QMdiSubWindow* thermoFrame = t->window->thermoWindow();
        t->window->mdiArea()->setActiveSubWindow(thermoFrame);
        doubleClickHeader(thermo->grid(), oh, Qt::ControlModifier);
        QCOMPARE(t->window->scratchChart(), chart);
        QCOMPARE(chart->model().subsetCount(), 6);
        QCOMPARE(chart->model().content().mainTitle, std::string("H2O"));
        QCOMPARE(chart->model().subset(4).label, std::string("Cp (J/K mol)"));
        QVERIFY(chart->model().subset(0).y != chart->model().subset(3).y);

        // Without Ctrl the scratch chart is rebuilt for the species.
        thermo->plotRow(static_cast<std::size_t>(oh), false);
        QCOMPARE(chart->model().subsetCount(), 3);
        QCOMPARE(chart->model().content().mainTitle, std::string("OH"));
        QCOMPARE(t->app.windows.named("PLOT").size(), 1u);

        // A click on the title opens the main window's one-line editor; OK writes it back.
        chart->canvas()->layOut();
        for (const ui::ChartTextArea& text : chart->frame().texts)
            if (text.kind == ui::ChartTextKind::MainTitle)
                chart->clickAt(text.area.center());
        QLineEdit* box = t->window->chartTextBox();
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("OH"));
        // Esc leaves the title as it was.
        QTRY_VERIFY(box->hasFocus());
        retype(box, QStringLiteral("Hydrogen"));
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
        QCOMPARE(chart->model().content().mainTitle, std::string("OH"));
        for (const ui::ChartTextArea& text : chart->frame().texts)
            if (text.kind == ui::ChartTextKind::MainTitle)
                chart->clickAt(text.area.center());
        retype(box, QStringLiteral("Hydroxyl"));
        t->window->chartTextOk();
        QVERIFY(!box->isVisible());
        QCOMPARE(chart->model().content().mainTitle, std::string("Hydroxyl"));

        // Time profiles make the scratch chart one against time; Ctrl then adds no thermo
        // functions to it but rebuilds it against temperature.
        ChartHandOver profiles;
        profiles.windowCaption = "Temporary Chart ";
        profiles.xLabel = "Time (s)";
        profiles.x = {0, 1e-3};
        profiles.subsets = {{"T (K)", {1000, 1500}}};
        t->window->showScratchChart(profiles);
        QCOMPARE(t->window->scratchChart(), chart);
        QCOMPARE(chart->caption(), std::string("Temporary Chart "));
        QCOMPARE(t->app.windows.captions().back(), std::string("Temporary Chart "));
        thermo->plotRow(static_cast<std::size_t>(h2o), true);
        QCOMPARE(chart->caption(), std::string("Temporary Chart"));
        QCOMPARE(chart->model().subsetCount(), 3);

        // The chart toolbar acts on the active chart; the scratch chart closes without asking.
        QAction* grid = t->window->toolbar(4)->findChild<QAction*>("GRIDLINE");
        QVERIFY(grid->isEnabled());
        grid->trigger();
        QVERIFY(chart->model().content().grid);
        QVERIFY(grid->isChecked());
        chart->toggleGrid(); // from the chart's own View menu: the button follows
        QVERIFY(!grid->isChecked());
        QVERIFY(!t->window->toolbar(4)->findChild<QAction*>("SAVE")->isEnabled());
        t->fake.dialogs.shown.clear();
        chart->clickAt(chart->frame().texts.front().area.center()); // edits, then closes
        QVERIFY(box->isVisible());
        QVERIFY(t->window->mdiArea()->activeSubWindow()->close());
        QVERIFY(t->fake.dialogs.shown.empty());
        QVERIFY(!box->isVisible());
        QVERIFY(!t->window->scratchChart());
    }

    void theRateChartGoesToTheScratchChart() {
        t->window->shell().OpenDocumentFile(griPath.string());
        auto* rates = qobject_cast<reactions::ui::ReactionWindow*>(
            t->window->mdiArea()->activeSubWindow()->widget());
        QVERIFY(rates);
        rates->table().setCurrentRow(0);
        QAction* chartItem = rates->action("RDB_Chart");
        QVERIFY(chartItem->isEnabled());
        chartItem->trigger();
        ChartWindow* chart = t->window->scratchChart();
        QVERIFY2(chart, t->fake.dialogs.texts().empty() ? "" : t->fake.dialogs.last().text.c_str());
        QVERIFY(chart->model().subsetCount() >= 1);
        QCOMPARE(chart->model().content().xLabel, std::string("Temperature (K)"));
        // The reaction is the chart's description (annotation slots 101 and 102).
        QCOMPARE(chart->model().description(),
                 store::toText(rates->table().rows().rows[0][reactions::rx::kReaction]));
    }

    void aSavedScratchChartOpensFromFileOpen() {
        thermoWindow()->plotRow(static_cast<std::size_t>(rowOf(thermoWindow(), "H2O")), false);
        ChartWindow* scratch = t->window->scratchChart();
        const std::string saved = (t->dir / "h2o.pg").string();
        t->fake.files.paths = {saved};
        QVERIFY(scratch->saveGraphTT());

        t->window->shell().OpenDocumentFile(saved);
        auto* opened =
            qobject_cast<ChartWindow*>(t->window->mdiArea()->activeSubWindow()->widget());
        QVERIFY(opened && opened != scratch);
        QCOMPARE(opened->caption(), saved);
        QVERIFY(opened->saveEnabled());
        QVERIFY(opened->model().content() == scratch->model().content());
    }
};

QTEST_MAIN(ScratchChartTest)
#include "ScratchChartTest.moc"
