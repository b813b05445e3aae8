// The reaction window over the JP-10 model (15,511 stored reactions, 691 species) on the
// offscreen platform: opening (the thermo species loaded, every record checked, the grid built
// and drawn), the jump to the last row with Ctrl+End, and a filter by species names redrawn.
// GRI-Mech 3.0 (325 reactions) for scale. The databases are made once with
// `kinetra-cli mechanism import`, as a user would make them. `peak_rss_MB` is the peak resident
// size of the process so far, so each figure includes the cases before it.
#include "BenchUi.h"
#include "QtBenchMain.h"
#include "common/FileAttributes.h"
#include "common/ui/StatusProgress.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ui/ReactionWindow.h"
#include "thermo/ThermoDatabase.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using namespace kinetra::reactions;

using reactions::ui::ReactionWindow;

using reactions::ui::ReactionWindow;

constexpr UnitConstants kConstants{6.02214076e23, 1.987204259, 8.314462618};

struct Mechanism {
    fs::path thermo, reactions;
};

// Imports the mechanism once per run with the batch tool.
Mechanism imported(const std::string& name, const std::string& file, const std::string& extra) {
    const fs::path dir = fs::temp_directory_path() / "kinetra-reaction-window-bench";
    fs::create_directories(dir);
    Mechanism m{dir / (name + "-thermo.mdb"), dir / (name + ".mdb")};
    if (fs::exists(m.reactions))
        return m;
    const std::string command = std::string(KINETRA_APP_DIR) + "/kinetra-cli mechanism import " +
                                KINETRA_SHARED_DATA_DIR + "/" + file + " --thermo " +
                                m.thermo.string() + " --reactions " + m.reactions.string() + " " +
                                extra + " > /dev/null";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("import failed: " + command);
    return m;
}

struct Bench {
    bench::QuietUi quiet;
    QMainWindow main;
    kinetra::ui::StatusProgress progress;
    Ui ui{quiet.dialogs, quiet.clipboard, quiet.files, progress, quiet.clock};
    thermo::ThermoDatabase thermo{{fs::path(KINETRA_APP_DIR) / "AssistFiles/EmptyThermo.mdb", {}}};
    ReactionRunSettings settings;
    Mechanism mechanism;

    explicit Bench(Mechanism m) : mechanism(std::move(m)) {
        progress.attach(main.statusBar());
        main.resize(1280, 800);
        main.show();
        thermo.connect(mechanism.thermo);
    }

    // What the main window does on Open: species, the opening check, the window, drawn.
    ReactionWindow* open() {
        std::optional<ThermoSpeciesList> species = openThermoSpecies(thermo, ui.dialogs, {});
        const fs::path support = fs::path(KINETRA_APP_DIR) / "AssistFiles";
        auto database = std::make_unique<ReactionDatabase>(
            mechanism.reactions,
            ReactionFiles{support / "EmptyReac.mdb", support / "TMP_KINETRARDB.mdb"});
        database->open(*species);
        reactions::ui::ReactionWindowContext context(ui, thermo, settings);
        context.constants = kConstants;
        context.supportDir = mechanism.reactions.parent_path();
        context.programDir = mechanism.reactions.parent_path();
        auto* window =
            new reactions::ui::ReactionWindow(std::move(context), std::move(database), *species);
        main.setCentralWidget(window);
        drawn(window);
        return window;
    }

    static void drawn(ReactionWindow* window) {
        window->grid()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
};

void openWindow(benchmark::State& state, Mechanism (*make)()) {
    Bench b(make());
    int rows = 0;
    for (auto _ : state) {
        ReactionWindow* window = b.open();
        rows = window->grid()->model()->rowCount();
        state.PauseTiming();
        // The database closes without its rebuild: the bench measures the opening only.
        b.main.setCentralWidget(nullptr);
        delete window;
        state.ResumeTiming();
    }
    state.counters["reactions"] = rows;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void jumpToLastRow(benchmark::State& state, Mechanism (*make)()) {
    Bench b(make());
    ReactionWindow* window = b.open();
    QTableView* grid = window->grid();
    for (auto _ : state) {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        Bench::drawn(window);
        state.PauseTiming();
        if (grid->currentIndex().row() != grid->model()->rowCount() - 1)
            state.SkipWithError("Ctrl+End did not reach the last row");
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        Bench::drawn(window);
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void filterBySpecies(benchmark::State& state, Mechanism (*make)()) {
    Bench b(make());
    ReactionWindow* window = b.open();
    SpeciesFilterRequest request;
    request.reactant1 = "OH(*";
    int shown = 0;
    for (auto _ : state) {
        window->table().filterBySpecies(request);
        window->redraw();
        Bench::drawn(window);
        shown = window->grid()->model()->rowCount();
    }
    state.counters["shown"] = shown;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void trueDuplicates(benchmark::State& state, Mechanism (*make)()) {
    Bench b(make());
    ReactionWindow* window = b.open();
    int shown = 0;
    for (auto _ : state) {
        window->runToolbarOperation(ToolbarOperation::TrueDuplicates);
        Bench::drawn(window);
        shown = window->grid()->model()->rowCount();
    }
    state.counters["shown"] = shown;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

Mechanism gri() {
    return imported("gri30", "gri30/gri30.inp",
                    "--thermo-file " KINETRA_SHARED_DATA_DIR "/gri30/gri30_thermo.dat");
}
Mechanism jp10() {
    // Its species names start with digits that are part of the name.
    return imported("jp10", "jp10-large/JP10_RMG_Gao2015.inp", "--stoich off");
}

BENCHMARK_CAPTURE(openWindow, gri30, gri)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openWindow, jp10, jp10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(jumpToLastRow, jp10, jp10)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(filterBySpecies, jp10, jp10)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(trueDuplicates, jp10, jp10)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return kinetra::bench::runWindowBenchmarks(argc, argv);
}
