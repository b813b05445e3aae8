// The rate table of one reaction (2OH(+M) <=> H2O2(+M) of GRI-Mech 3.0, numeric data, 38 points
// from 300 to 4000 K, its thermo records looked up in the loaded GRI thermo) and the comparison
// of LLNL n-heptane (2,827 reactions) against itself and against a copy with three A values
// changed, through kinetra-cli in the process, reading both databases and the thermo database.
// The databases are made before timing.
#include "CliApp.h"
#include "reactions/RateTabulation.h"
#include "reactions/ReactionViews.h"
#include "reactions/ThermoRecordIndex.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using kinetra::cli::runCli;
using kinetra::cli::Streams;

std::string data(const std::string& relative) {
    return std::string(KINETRA_SHARED_DATA_DIR) + "/" + relative;
}

int cli(const std::vector<std::string>& args) {
    std::ostringstream o, e;
    const int code = runCli(args, Streams{o, e, false}, KINETRA_APP_DIR);
    if (code != 0)
        std::cerr << e.str();
    return code;
}

struct Mechanism {
    kinetra::testing::TempDir dir;
    fs::path thermo = dir / "t.mdb", reactions = dir / "r.mdb", copy = dir / "c.mdb";
    bool ok = false;
    Mechanism(const std::string& mechanism, const std::string& thermoFile) {
        ok = cli({"mechanism", "import", data(mechanism), "--thermo-file", data(thermoFile),
                  "--thermo", thermo.string(), "--reactions", reactions.string()}) == 0;
        if (!ok)
            return;
        fs::copy_file(reactions, copy);
        store::Connection db = store::Connection::open(copy);
        db.execute("UPDATE [Reactions] SET A = A * 3 WHERE Num IN (10, 500, 2000);");
    }
};

void BM_RateTableOfOneReaction(benchmark::State& state) {
    static Mechanism gri("gri30/gri30.inp", "gri30/gri30_thermo.dat");
    if (!gri.ok) {
        state.SkipWithError("import failed");
        return;
    }
    store::Connection thermoDb = store::Connection::open(gri.thermo);
    const reactions::ThermoRecordIndex thermo = reactions::ThermoRecordIndex::load(thermoDb);
    store::Connection db = store::Connection::open(gri.reactions);
    const auto records = reactions::reactionsOf(db, reactions::ReactionView::All);
    const reactions::ReactionRecord& falloff = records.at(84); // Num 85
    const reactions::RateConstants constants{1.987204259, 8.314462618, 82.05736608095968};
    struct Silent final : Dialogs {
        void message(const std::string&, const std::string&, Icon) override {}
        Answer ask(const std::string&, const std::string&, Buttons, Answer, Icon) override {
            return Answer::Ok;
        }
        RefusalReply refusal(const std::string&, const std::string&, const std::string&) override {
            return {};
        }
    } silent;
    for (auto _ : state) {
        reactions::RatePlotSettings settings;
        const auto table =
            reactions::plotArrRow(falloff, settings, reactions::RateOutput::NumericData,
                                  thermo.lookup(), constants, silent);
        std::string text = reactions::rateNumericDataText(falloff, *table.table, {});
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RateTableOfOneReaction)->Unit(benchmark::kMicrosecond);

Mechanism& heptane() {
    static Mechanism h("llnl-nheptane/nc7_ver3.1_mech.txt",
                       "llnl-nheptane/n_heptane_v3.1_therm.dat.txt");
    return h;
}

void BM_CompareHeptane(benchmark::State& state) {
    Mechanism& h = heptane();
    if (!h.ok) {
        state.SkipWithError("import failed");
        return;
    }
    const fs::path other = state.range(0) == 0 ? h.reactions : h.copy;
    for (auto _ : state)
        if (cli({"reactions", "compare", h.reactions.string(), other.string(), "--thermo",
                 h.thermo.string()}) != 0)
            state.SkipWithError("compare failed");
}
BENCHMARK(BM_CompareHeptane)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
