// Thermo text into a fresh database and back out as a thermo document: the GRI-Mech 3.0 thermo
// (53 species) and the largest thermo file of the shared data (C3Mech 3.3, 9180 records). Each
// import starts from a copy of the empty template; the peak resident size of the process is
// reported with every case.
#include "BenchUi.h"
#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "store/Database.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using namespace kinetra::thermo;

struct Setup {
    bench::QuietUi quiet;
    Ui& ui = quiet.ui;
    SystemClock& clock = quiet.clock;
    fs::path dir = fs::temp_directory_path() / "kinetra-bench";
    Setup() {
        fs::create_directories(dir);
        store::createThermoTemplate(dir / "EmptyThermo.mdb");
    }
};

std::string fileText(const char* relative) {
    return readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / relative).value();
}

void importFile(benchmark::State& state, const char* relative) {
    Setup s;
    const std::string text = fileText(relative);
    int inserted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        copyFileOverwrite(s.dir / "EmptyThermo.mdb", s.dir / "import.mdb");
        ThermoDatabase database({s.dir / "EmptyThermo.mdb", {}});
        database.connect(s.dir / "import.mdb");
        state.ResumeTiming();
        PasteRequest request;
        request.text = unframeThermoFile(text, request.options);
        store::Connection db = database.connection();
        inserted = pasteSpeciesText(db, database.elements(), request, s.ui).inserted;
    }
    state.counters["species"] = inserted;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void exportFile(benchmark::State& state, const char* relative) {
    Setup s;
    copyFileOverwrite(s.dir / "EmptyThermo.mdb", s.dir / "export.mdb");
    ThermoDatabase database({s.dir / "EmptyThermo.mdb", {}});
    database.connect(s.dir / "export.mdb");
    {
        PasteRequest request;
        request.text = unframeThermoFile(fileText(relative), request.options);
        store::Connection db = database.connection();
        pasteSpeciesText(db, database.elements(), request, s.ui);
    }
    int written = 0;
    for (auto _ : state) {
        store::Connection db = database.connection();
        const std::vector<SpeciesRecord> species =
            speciesFromRows(db.query("SELECT * FROM [Trm] ORDER BY Num;"));
        ThermoDocumentHeader header;
        const ThermoDocument document =
            writeThermoDocument(species, database.elements(), header, true);
        writeTextFile(s.dir / "export.txt", document.text);
        written = document.written;
    }
    state.counters["species"] = written;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

BENCHMARK_CAPTURE(importFile, gri30, "gri30/gri30_thermo.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importFile, c3mech, "c3mech-large/C3MechV3.3.THERM")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFile, gri30, "gri30/gri30_thermo.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFile, c3mech, "c3mech-large/C3MechV3.3.THERM")
    ->Unit(benchmark::kMillisecond);

} // namespace
