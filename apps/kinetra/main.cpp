// The workbench: the application state, the Qt seams, the main window and the event loop.
#include "common/ui/QtClipboard.h"
#include "common/ui/QtDialogs.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/StatusProgress.h"
#include "reactions/ui/ReactionInputWindow.h"
#include "reactions/ui/ReactionWindow.h"
#include "shell/App.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/FindWindow.h"
#include "shell/ui/GuardedApplication.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/TextDocumentWindow.h"
#include "solver/ui/PostProcessorWindow.h"
#include "solver/ui/RunSettingsWindow.h"
#include "solver/ui/SolverWindows.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ui/ThermoWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <clocale>
#include <iostream>

namespace {

// KINETRA_SCREENSHOT names a window to open once start-up has finished, so that
// scripts/screenshots can picture it: "menu" drops down the File menu over a new text document,
// "options" and "colors" open the options window on the physical constants or on the colours,
// "text" shows OPTIONS.txt in a text window, "thermo-input" and "thermo-elements" open the
// species input window and the element editor of the thermo window, "thermo-reduced" shows it
// without the coefficient columns, "thermo-tiled" writes the database as thermo text into a text
// document and tiles the two windows. "reactions", "reactions-input" and "reactions-duplicates"
// open the reaction database named by KINETRA_SCREENSHOT_REACTIONS, then its input window on the
// first Troe reaction or the True Duplicates view. "solver-settings", "solver-console" and
// "solver-results" ("solver-chart": with the temperature profile in the scratch chart) run Solver >
// Run Solver on that database for CH4/air at 1200 K and show the run settings, the console during
// the run or the post-processor of the output (the report answered Yes).
void openSolverForScreenshot(kinetra::ui::MainWindow& window, const QString& what) {
    using kinetra::solver::RunField;
    auto* child = window.mdiArea()->activeSubWindow();
    auto* reactions =
        child ? qobject_cast<kinetra::reactions::ui::ReactionWindow*>(child->widget()) : nullptr;
    if (!reactions)
        return;
    reactions->action("RDB_RUNSOLVER")->trigger();
    auto* settings = window.solverWindows().runSettings();
    if (!settings)
        return;
    // KINETRA_SCREENSHOT_RUN overrides the conditions, "T P FRACTIONS RTOL FINAL-TIME"
    // (fractions as NAME=VALUE separated by commas), for a run that lasts while it is
    // photographed.
    QStringList run = qEnvironmentVariable("KINETRA_SCREENSHOT_RUN").split(' ');
    if (run.size() != 5)
        run = {QStringLiteral("1200"), QStringLiteral("1"), QStringLiteral("CH4=1,O2=2,N2=7.52"),
               QString(), QString()};
    settings->box(RunField::InitialTemperature)->setText(run[0]);
    settings->box(RunField::Pressure)->setText(run[1]);
    settings->box(RunField::FinalTime)->setText(QStringLiteral("0.1"));
    settings->box(RunField::MaximumSteps)->setText(QStringLiteral("99999"));
    if (!run[3].isEmpty()) {
        settings->box(RunField::RelativeTolerance)->setText(run[3]);
        settings->box(RunField::AbsoluteTolerance)->setText(QStringLiteral("1.E-30"));
        settings->box(RunField::FinalTime)->setText(run[4]);
    }
    QAbstractItemModel* fractions = settings->fractionGrid()->model();
    for (const QString& item : run[2].split(',')) {
        const QStringList pair = item.split('=');
        for (int r = 0; r < fractions->rowCount() && pair.size() == 2; ++r)
            if (fractions->index(r, 1).data().toString() == pair[0])
                fractions->setData(fractions->index(r, 3), pair[1], Qt::EditRole);
    }
    if (auto* frame = qobject_cast<QMdiSubWindow*>(settings->parentWidget()))
        frame->resize(1000, 640);
    if (what == QLatin1String("solver-settings")) {
        settings->pages()->setCurrentIndex(0);
        return;
    }
    // The report's box is answered Yes once it is up.
    auto* answer = new QTimer(&window);
    QObject::connect(answer, &QTimer::timeout, [answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Yes)->click();
            answer->stop();
        }
    });
    answer->start(100);
    settings->runSolver();
    if (what == QLatin1String("solver-results"))
        QTimer::singleShot(1500, &window, [&window] {
            if (auto* results = window.solverWindows().postProcessor())
                if (auto* frame = qobject_cast<QMdiSubWindow*>(results->parentWidget()))
                    frame->showMaximized();
        });
    // The temperature profile, as a double click on the Temperature row header plots it.
    if (what == QLatin1String("solver-chart"))
        QTimer::singleShot(1500, &window, [&window] {
            if (auto* results = window.solverWindows().postProcessor())
                Q_EMIT results->meanTable()->verticalHeader()->sectionDoubleClicked(0);
            if (auto* chart = window.scratchChart())
                if (auto* frame = qobject_cast<QMdiSubWindow*>(chart->parentWidget()))
                    frame->showMaximized();
        });
}

void openReactionsForScreenshot(kinetra::ui::MainWindow& window, const QString& what) {
    window.shell().OpenDocumentFile(
        qEnvironmentVariable("KINETRA_SCREENSHOT_REACTIONS").toStdString());
    auto* child = window.mdiArea()->activeSubWindow();
    auto* reactions =
        child ? qobject_cast<kinetra::reactions::ui::ReactionWindow*>(child->widget()) : nullptr;
    if (!reactions)
        return;
    if (what.startsWith(QLatin1String("solver-"))) {
        openSolverForScreenshot(window, what);
        return;
    }
    child->showMaximized();
    QTableView* grid = reactions->grid();
    if (what == QLatin1String("reactions-duplicates")) {
        reactions->runToolbarOperation(kinetra::ToolbarOperation::TrueDuplicates);
        return;
    }
    int row = 5;
    if (what == QLatin1String("reactions-input"))
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, int(kinetra::reactions::rx::kType)).data().toString() ==
                QLatin1String("Low Troe")) {
                row = r;
                break;
            }
    grid->setCurrentIndex(grid->model()->index(row, int(kinetra::reactions::rx::kReaction)));
    if (what == QLatin1String("reactions-input")) {
        reactions->action("RDB_InputWindow")->trigger();
        if (auto* input = reactions->inputWindow()) {
            input->tabs()->setCurrentIndex(
                int(kinetra::reactions::ReactionInputTab::PressureEffects));
            input->move(child->mapToGlobal(QPoint(80, 220)));
        }
    }
}

// "chart-h2o" plots H2O from the thermo window's row header, "chart-setup" opens the setup window
// over that chart, "chart-rate" draws the rate chart of the reaction in row 6.
void openChartForScreenshot(kinetra::ui::MainWindow& window, const QString& what) {
    if (what == QLatin1String("chart-rate")) {
        openReactionsForScreenshot(window, QStringLiteral("reactions"));
        auto* child = window.mdiArea()->activeSubWindow();
        if (auto* reactions =
                child ? qobject_cast<kinetra::reactions::ui::ReactionWindow*>(child->widget())
                      : nullptr)
            reactions->action("RDB_Chart")->trigger();
    } else if (auto* child = window.thermoWindow()) {
        auto* thermo = qobject_cast<kinetra::thermo::ui::ThermoWindow*>(child->widget());
        const auto& rows = thermo->table().rows().rows;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (kinetra::store::toText(rows[r][kinetra::thermo::trm::kSpecies]) == "H2O")
                thermo->plotRow(r, false);
    }
    kinetra::ui::ChartWindow* chart = window.scratchChart();
    if (!chart)
        return;
    chart->parentWidget()->showMaximized();
    if (what == QLatin1String("chart-setup"))
        QTimer::singleShot(200, chart, [chart] { chart->openChartSetup(); });
}

void openForScreenshot(kinetra::ui::MainWindow& window, const kinetra::App& app) {
    const QString what = qEnvironmentVariable("KINETRA_SCREENSHOT");
    if (what.isEmpty())
        return;
    QObject::connect(&window, &kinetra::ui::MainWindow::startUpFinished, &window, [&, what] {
        QTimer::singleShot(300, &window, [&, what] {
            if (what == QLatin1String("options")) {
                window.openOptionsWindow(kinetra::OptionsTab::PhysicalConstants);
            } else if (what == QLatin1String("colors")) {
                window.openOptionsWindow(kinetra::OptionsTab::Colours);
            } else if (what == QLatin1String("menu")) {
                window.newTextDocument();
                window.mdiArea()->tileSubWindows();
                window.menuBar()->setActiveAction(window.menuAction("FILE"));
            } else if (what == QLatin1String("text") || what == QLatin1String("text-find")) {
                // text-find opens the file named by KINETRA_SCREENSHOT_TEXT with its find window.
                const QString file = qEnvironmentVariable("KINETRA_SCREENSHOT_TEXT");
                window.openTextWindow(what == QLatin1String("text-find") && !file.isEmpty()
                                          ? std::filesystem::path(file.toStdString())
                                          : app.folders.support(kinetra::files::kOptions),
                                      false);
                auto* sub = window.mdiArea()->activeSubWindow();
                auto* text =
                    sub ? qobject_cast<kinetra::ui::TextDocumentWindow*>(sub->widget()) : nullptr;
                if (text && what == QLatin1String("text-find")) {
                    kinetra::ui::FindWindow* find = text->showFindWindow();
                    find->findWhat()->setText(QStringLiteral("OH"));
                    find->wholeWord()->setChecked(true);
                    find->findNextButton()->click();
                    find->move(sub->mapToGlobal(QPoint(360, 260)));
                }
            } else if (what.startsWith(QLatin1String("chart-"))) {
                openChartForScreenshot(window, what);
            } else if (what.startsWith(QLatin1String("reactions")) ||
                       what.startsWith(QLatin1String("solver-"))) {
                openReactionsForScreenshot(window, what);
            } else if (what.startsWith(QLatin1String("thermo-"))) {
                auto* child = window.thermoWindow();
                auto* thermo =
                    child ? qobject_cast<kinetra::thermo::ui::ThermoWindow*>(child->widget())
                          : nullptr;
                if (!thermo)
                    return;
                thermo->grid()->setCurrentIndex(thermo->grid()->model()->index(5, 2));
                if (what == QLatin1String("thermo-tiled")) {
                    thermo->action("TDB_Chemkin")->trigger();
                    window.mdiArea()->tileSubWindows();
                    return;
                }
                child->showMaximized();
                if (what == QLatin1String("thermo-reduced"))
                    thermo->runToolbarOperation(kinetra::ToolbarOperation::TogglePolynomials);
                else
                    thermo
                        ->action(what == QLatin1String("thermo-input") ? "TDB_InputWindow"
                                                                       : "TDB_Elements")
                        ->trigger();
            }
        });
    });
}

} // namespace

int main(int argc, char** argv) try {
    kinetra::ui::GuardedApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KINETRA"));
    // QApplication has switched the C library to the user's locale; numbers that pass through
    // it must keep the point whatever the user's decimal symbol.
    std::setlocale(LC_NUMERIC, "C");

    kinetra::App app(kinetra::AppFolders::fromExecutable(argv[0]));
    const QString icon =
        QString::fromStdString(app.folders.support(kinetra::files::kGraphIcon).string());
    if (QFileInfo::exists(icon))
        QApplication::setWindowIcon(QIcon(icon));

    kinetra::ui::QtDialogs dialogs;
    kinetra::ui::QtClipboard clipboard;
    kinetra::ui::QtFileDialogs files;
    kinetra::ui::StatusProgress progress;
    kinetra::SystemClock clock;
    kinetra::Ui ui{dialogs, clipboard, files, progress, clock};
    qtApp.setDialogs(&dialogs);

    kinetra::ui::MainWindow window(app, ui);
    progress.attach(window.statusBar());
    window.fitToScreen();
    window.show();
    openForScreenshot(window, app);
    // The title window comes up over a main window that has been drawn.
    QTimer::singleShot(0, &window, [&window] { window.startUp(); });
    return qtApp.exec();
} catch (const std::exception& e) {
    // Before the event loop runs (building the state and the windows) nothing else catches.
    std::cerr << "KINETRA: " << e.what() << '\n';
    return 1;
}
