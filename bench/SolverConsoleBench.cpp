// The workbench while the solver runs: the console window runs KINETRA_SOLVER_5 on a long input
// (bench/solver/run-console-bench makes one that takes about 30 s) and measures what the user
// feels. A 10 ms timer stands for every other window's work: its lateness is how long the event
// loop was held. Every 50 ms a redraw of the console's text is asked for and the time until it is
// painted recorded. After --stop-after seconds a mouse click goes to Stop: the figures are the
// time until the button answers (disabled, and drawn so) and until the solver process has
// ended with its output closed; then how long the scan of the output and the report took.
//   solver_console_bench INPUT [--stop-after SECONDS]
#include "BenchUi.h"
#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "solver/SolverRun.h"
#include "solver/ui/SolverConsoleWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;

// Paints of a widget, timed from the start of the run.
class PaintClock final : public QObject {
public:
    explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
    std::vector<qint64> paints;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            paints.push_back(clock_.nsecsElapsed());
        return QObject::eventFilter(object, event);
    }

private:
    const QElapsedTimer& clock_;
};

double ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: solver_console_bench INPUT [--stop-after SECONDS]\n");
        return 2;
    }
    const fs::path input = fs::absolute(argv[1]);
    double stopAfter = -1;
    if (argc == 4 && std::string(argv[2]) == "--stop-after")
        stopAfter = std::stod(argv[3]);
    const fs::path folder = input.parent_path();
    writeTextFile(folder / "SolverFilePath.txt", writeQuotedItems({input.string()}));

    bench::QuietDialogs dialogs;
    solver::ui::SolverConsoleContext context(dialogs);
    context.appDir = folder;
    context.program = fs::path(KINETRA_APP_DIR) / solver::kSolverProgram;
    context.initialTime = 0;
    context.finalTime = 1;
    solver::ui::SolverConsoleWindow console(context);

    QElapsedTimer clock;
    PaintClock painted(clock);
    console.output()->viewport()->installEventFilter(&painted);
    PaintClock stopPainted(clock);
    console.stopButton()->installEventFilter(&stopPainted);

    // The other windows' work: a tick every 10 ms, and how late each one came.
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    qint64 lastTick = 0, worstLateness = 0;
    std::vector<qint64> lateness;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastTick > 0)
            lateness.push_back(std::max<qint64>(0, now - lastTick - 10'000'000));
        lastTick = now;
    });

    // Redraws asked for every 50 ms, each timed until the console's text is painted.
    std::vector<qint64> redrawAsked;
    QTimer redraw;
    QObject::connect(&redraw, &QTimer::timeout, [&] {
        redrawAsked.push_back(clock.nsecsElapsed());
        console.output()->viewport()->update();
    });

    qint64 clickAt = -1, disabledAt = -1, solverEndedAt = -1, endedAt = -1;
    QObject::connect(&console, &solver::ui::SolverConsoleWindow::solverEnded,
                     [&] { solverEndedAt = clock.nsecsElapsed(); });
    QObject::connect(console.stopButton(), &QPushButton::clicked, [&] {
        if (!console.stopButton()->isEnabled() && disabledAt < 0)
            disabledAt = clock.nsecsElapsed();
    });
    QObject::connect(&console, &solver::ui::SolverConsoleWindow::runFinished, [&] {
        endedAt = clock.nsecsElapsed();
        tick.stop();
        redraw.stop();
        QTimer::singleShot(200, &application, &QApplication::quit);
    });
    if (stopAfter >= 0)
        QTimer::singleShot(static_cast<int>(stopAfter * 1000), [&] {
            clickAt = clock.nsecsElapsed();
            QTest::mouseClick(console.stopButton(), Qt::LeftButton);
        });

    clock.start();
    tick.start(10);
    redraw.start(50);
    console.start();
    application.exec();

    std::sort(lateness.begin(), lateness.end());
    worstLateness = lateness.empty() ? 0 : lateness.back();
    auto percentile = [&](double p) {
        return lateness.empty() ? 0.0
                                : ms(lateness[static_cast<std::size_t>(p * (lateness.size() - 1))]);
    };
    // Each redraw asked for, until the first paint after it (while the solver ran).
    std::vector<qint64> redrawTimes;
    for (qint64 asked : redrawAsked) {
        if (asked > solverEndedAt)
            break;
        const auto paint = std::upper_bound(painted.paints.begin(), painted.paints.end(), asked);
        if (paint != painted.paints.end())
            redrawTimes.push_back(*paint - asked);
    }
    std::sort(redrawTimes.begin(), redrawTimes.end());
    std::printf("run: the solver ran %.2f s, %zu console lines\n", ms(solverEndedAt) / 1000,
                static_cast<std::size_t>(console.output()->blockCount()));
    std::printf("event loop: %zu ticks of 10 ms, lateness median %.2f ms, 99th percentile %.2f "
                "ms, worst %.2f ms\n",
                lateness.size(), percentile(0.5), percentile(0.99), ms(worstLateness));
    if (!redrawTimes.empty())
        std::printf("console redraws: %zu asked for, painted after median %.2f ms, worst %.2f ms\n",
                    redrawTimes.size(), ms(redrawTimes[redrawTimes.size() / 2]),
                    ms(redrawTimes.back()));
    std::printf("after the solver ended: output scanned and report shown in %.0f ms\n",
                ms(endedAt - solverEndedAt));
    if (clickAt >= 0) {
        // The press is painted at once; the first paint after the button was disabled shows it.
        qint64 repainted = -1;
        for (qint64 p : stopPainted.paints)
            if (p > disabledAt) {
                repainted = p;
                break;
            }
        std::printf("Stop: button disabled %.2f ms after the click, drawn so %.2f ms after it; "
                    "solver process ended %.0f ms after it\n",
                    ms(disabledAt - clickAt), ms(repainted - clickAt), ms(solverEndedAt - clickAt));
    }
    const auto& result = console.result();
    if (result)
        std::printf("report: %s\n", result->report.message.c_str());
    return 0;
}
