// The paste of the thermo window, from the clipboard to a drawn grid, on the offscreen platform:
// the GRI-Mech 3.0 thermo (53 species) and the whole C3Mech 3.3 thermo file (9,180 records) as a
// user copies it from a text window. Each paste starts from a copy of the empty template. The
// same file through the batch tool's import is `thermo_import_bench`; the two share the reading
// and insertion, so the difference between their figures is what the window adds.
#include "BenchUi.h"
#include "QtBenchMain.h"
#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "common/ui/StatusProgress.h"
#include "store/Database.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ui/ThermoWindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using namespace kinetra::thermo;

void windowPaste(benchmark::State& state, const char* relative) {
    bench::QuietUi quiet;
    // The progress of the workbench: the status bar of a main window, drawn while it reports.
    QMainWindow main;
    kinetra::ui::StatusProgress progress;
    progress.attach(main.statusBar());
    Ui ui{quiet.dialogs, quiet.clipboard, quiet.files, progress, quiet.clock};
    main.resize(1280, 800);
    main.show();
    const fs::path dir = fs::temp_directory_path() / "kinetra-window-bench";
    fs::create_directories(dir);
    store::createThermoTemplate(dir / "EmptyThermo.mdb");
    // The records of the file, as a user copies them from a text window.
    ReadOptions options;
    const std::string text = unframeThermoFile(
        readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / relative).value(), options);
    ThermoRunSettings reading;
    ThermoChartSettings chart;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        copyFileOverwrite(dir / "EmptyThermo.mdb", dir / "paste.mdb");
        ThermoDatabase database({dir / "EmptyThermo.mdb", {}});
        database.connect(dir / "paste.mdb");
        thermo::ui::ThermoWindowContext context(database, ui, reading, chart);
        context.supportDir = dir;
        context.programDir = dir;
        auto* window = new thermo::ui::ThermoWindow(std::move(context));
        main.setCentralWidget(window);
        QCoreApplication::processEvents();
        quiet.clipboard.setText(text);
        state.ResumeTiming();
        window->runToolbarOperation(ToolbarOperation::Paste);
        // Until the grid has been drawn with the pasted rows.
        window->grid()->viewport()->repaint();
        QCoreApplication::processEvents();
        shown = window->grid()->model()->rowCount();
    }
    state.counters["species"] = shown;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

BENCHMARK_CAPTURE(windowPaste, gri30, "gri30/gri30_thermo.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(windowPaste, c3mech, "c3mech-large/C3MechV3.3.THERM")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return kinetra::bench::runWindowBenchmarks(argc, argv);
}
