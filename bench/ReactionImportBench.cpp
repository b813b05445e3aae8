// Mechanism text into a fresh reaction database (read, classified against the thermo species,
// stored in one transaction), the check of a whole database, and the mechanism document written
// back: GRI-Mech 3.0 (325 reactions) and the largest mechanism of the shared data that this
// table can hold, the JP-10 model (15,518 reactions, 691 species; its PLOG reactions are
// refused by the reader). The thermo database is made once per mechanism from the file's own
// thermo data. `peak_rss_MB` is the peak resident size of the process so far.
#include "BenchUi.h"
#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "reactions/MechanismFile.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionPaste.h"
#include "reactions/ReactionTextWriter.h"
#include "store/Database.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using namespace kinetra::reactions;

constexpr UnitConstants kConstants{6.02214076e23, 1.987204259, 8.314462618};

struct Mechanism {
    std::string thermoText;
    std::vector<std::string> reactionLines;
    ReadingOptions options;
};

// The REACTIONS section of a mechanism file (lines between the REACTIONS line and END), its
// units, and the thermo text (the file's THERMO section or a thermo file beside it).
Mechanism loadMechanism(const std::string& file, const std::string& thermoFile) {
    Mechanism m;
    const std::string text = readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / file).value();
    const MechanismSections sections = splitMechanismFile(text);
    m.reactionLines = sections.reactionLines;
    const UnitReading units = readUnitWords(sections.unitWords);
    m.options.aUnits = units.aUnits;
    m.options.eUnits = units.eUnits;
    m.thermoText = thermoFile.empty()
                       ? text
                       : readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / thermoFile).value();
    // JP-10 names species "2O-OC6H4OH": there a leading digit is part of the name, while GRI-Mech
    // writes 2O+M<=>O2+M with a multiplicity.
    m.options.stoichiometric = file.find("gri30") != std::string::npos;
    return m;
}

struct Setup {
    bench::QuietUi quiet;
    Ui& ui = quiet.ui;
    SystemClock& clock = quiet.clock;
    fs::path dir = fs::temp_directory_path() / "kinetra-bench-reactions";
    thermo::ThermoDatabase thermoDb{{dir / "EmptyThermo.mdb", {}}};
    ThermoSpeciesList species;
    Mechanism mechanism;

    Setup(const std::string& file, const std::string& thermoFile) {
        fs::create_directories(dir);
        store::createThermoTemplate(dir / "EmptyThermo.mdb");
        store::createReactionTemplate(dir / "EmptyReac.mdb");
        copyFileOverwrite(dir / "EmptyThermo.mdb", dir / "thermo.mdb");
        {
            // The element symbols as the two mechanisms write them (GRI "AR", JP-10 "Ar").
            store::Connection db = store::Connection::open(dir / "thermo.mdb");
            const char* symbols[] = {"H", "O", "C", "N", "Ar", "He", "Ne", "AR", "S", "Cl"};
            for (int slot = 1; slot <= 10; ++slot)
                db.execute("UPDATE [Elements] SET Element = '" + std::string(symbols[slot - 1]) +
                           "' WHERE Num = " + std::to_string(slot) + ";");
        }
        mechanism = loadMechanism(file, thermoFile);
        thermoDb.connect(dir / "thermo.mdb");
        thermo::PasteRequest request;
        request.text = thermo::unframeThermoFile(mechanism.thermoText, request.options);
        store::Connection db = thermoDb.connection();
        thermo::pasteSpeciesText(db, thermoDb.elements(), request, ui);
        species = ThermoSpeciesList::load(db);
    }

    int import(const fs::path& target) {
        copyFileOverwrite(dir / "EmptyReac.mdb", target);
        store::Connection db = store::Connection::open(target);
        ReadRequest request;
        request.lines = mechanism.reactionLines;
        request.options = mechanism.options;
        request.constants = kConstants;
        request.quiet = true;
        RefusalMemory memory;
        return readReactionText(db, species, request, memory, ui).inserted;
    }
};

void importReactions(benchmark::State& state, const char* file, const char* thermoFile) {
    Setup s(file, thermoFile);
    int stored = 0;
    for (auto _ : state)
        stored = s.import(s.dir / "import.mdb");
    state.counters["reactions"] = stored;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void checkAll(benchmark::State& state, const char* file, const char* thermoFile) {
    Setup s(file, thermoFile);
    s.import(s.dir / "check.mdb");
    int invalid = 0;
    for (auto _ : state) {
        store::Connection db = store::Connection::open(s.dir / "check.mdb");
        invalid = checkAllReactions(db, s.species);
    }
    state.counters["invalid"] = invalid;
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

void exportMechanism(benchmark::State& state, const char* file, const char* thermoFile) {
    Setup s(file, thermoFile);
    s.import(s.dir / "export.mdb");
    std::size_t bytes = 0;
    for (auto _ : state) {
        store::Connection reactions = store::Connection::open(s.dir / "export.mdb");
        store::Connection thermo = s.thermoDb.connection();
        markOutputSelection(reactions, thermo, ReactionView::All);
        const MechanismDocument document = writeMechanismDocument(
            reactions, thermo, s.thermoDb.elements(), {s.clock.now(), "export.mdb", ""}, {});
        writeTextFile(s.dir / "export.txt", document.text);
        bytes = document.text.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_rss_MB"] = bench::peakResidentMegabytes();
}

BENCHMARK_CAPTURE(importReactions, gri30, "gri30/gri30.inp", "gri30/gri30_thermo.dat")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importReactions, jp10, "jp10-large/JP10_RMG_Gao2015.inp", "")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(checkAll, gri30, "gri30/gri30.inp", "gri30/gri30_thermo.dat")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(checkAll, jp10, "jp10-large/JP10_RMG_Gao2015.inp", "")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportMechanism, gri30, "gri30/gri30.inp", "gri30/gri30_thermo.dat")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportMechanism, jp10, "jp10-large/JP10_RMG_Gao2015.inp", "")
    ->Unit(benchmark::kMillisecond);

} // namespace
