// The solver link through kinetra-cli, in the process: the solver input file of LLNL n-heptane
// (627 species in its input file: N2 is named by no reaction, so argon dilutes; 2,827 reactions)
// written from its databases, and `results --csv` of a 2,000-record output of that mechanism
// (constant pressure, 20 atm, 800 K, relative tolerance 1E-9, a record every step) made once by the
// solver program. The databases and the output are made before timing. Also the reading and
// ignition analysis of one GRI-Mech 3.0 ignition output, a sweep case runner's work per case.
#include "CliApp.h"
#include "results/IgnitionDelay.h"
#include "results/SolverOutput.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using kinetra::cli::runCli;
using kinetra::cli::Streams;

std::string data(const std::string& relative) {
    return std::string(KINETRA_SHARED_DATA_DIR) + "/" + relative;
}

int cli(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::ostringstream o, e;
    const int code = runCli(args, Streams{o, e, false}, KINETRA_APP_DIR);
    if (code != 0)
        std::cerr << e.str();
    if (out)
        *out = o.str();
    return code;
}

struct Heptane {
    kinetra::testing::TempDir dir;
    fs::path thermo = dir / "nc7-t.mdb", reactions = dir / "nc7-r.mdb";
    fs::path input = dir / "nc7.sol", output = dir / "nc7.out";
    bool ok = false;
    Heptane() {
        ok = cli({"mechanism", "import", data("llnl-nheptane/nc7_ver3.1_mech.txt"), "--thermo-file",
                  data("llnl-nheptane/n_heptane_v3.1_therm.dat.txt"), "--thermo", thermo.string(),
                  "--reactions", reactions.string()}) == 0 &&
             cli({"solver-file", reactions.string(), "--thermo", thermo.string(), "-o",
                  input.string()}) == 0;
    }
    // 2,000 records: one a step until the record limit, the last at the final time.
    bool makeOutput() {
        if (fs::exists(output))
            return true;
        return cli({"run", input.string(), "--fractions", "NC7H16=1,O2=11,AR=41.36", "--T", "800",
                    "--P", "20", "--tf", "0.05", "--max-steps", "99999", "--every", "1",
                    "--max-lines", "2000", "--rtol", "1E-9"}) == 0;
    }
};

Heptane& heptane() {
    static Heptane h;
    return h;
}

void SolverFileLlnlHeptane(benchmark::State& state) {
    Heptane& h = heptane();
    if (!h.ok) {
        state.SkipWithError("the n-heptane databases could not be made");
        return;
    }
    const fs::path out = h.dir / "timed.sol";
    for (auto _ : state)
        if (cli({"solver-file", h.reactions.string(), "--thermo", h.thermo.string(), "-o",
                 out.string(), "--force"}) != 0)
            state.SkipWithError("solver-file failed");
}
BENCHMARK(SolverFileLlnlHeptane)->Unit(benchmark::kMillisecond);

void ResultsCsvHeptane2000Records(benchmark::State& state) {
    Heptane& h = heptane();
    if (!h.ok || !h.makeOutput()) {
        state.SkipWithError("the n-heptane output could not be made");
        return;
    }
    std::string csv;
    for (auto _ : state)
        if (cli({"results", h.output.string(), "--csv"}, &csv) != 0)
            state.SkipWithError("results failed");
    state.counters["records"] = static_cast<double>(std::count(csv.begin(), csv.end(), '\n') - 1);
    state.counters["csv_MB"] = static_cast<double>(csv.size()) / 1e6;
    state.counters["output_MB"] = static_cast<double>(fs::file_size(h.output)) / 1e6;
}
BENCHMARK(ResultsCsvHeptane2000Records)->Unit(benchmark::kMillisecond);

// The output of one ignition case as a sweep's case runner reads it: GRI-Mech 3.0, CH4/air at
// phi 1, 1200 K, 1 atm, constant pressure, to 0.1 s, a record every fourth step (238 records of
// 53 species, 300 kB). Timed: reading the text and the ignition analysis, which is the runner's
// own work on each case beside starting the solver.
struct GriIgnition {
    kinetra::testing::TempDir dir;
    fs::path output = dir / "gri.out";
    std::string text;
    GriIgnition() {
        const fs::path thermo = dir / "t.mdb", reactions = dir / "r.mdb", input = dir / "gri.sol";
        if (cli({"mechanism", "import", data("gri30/gri30.inp"), "--thermo-file",
                 data("gri30/gri30_thermo.dat"), "--thermo", thermo.string(), "--reactions",
                 reactions.string()}) != 0 ||
            cli({"solver-file", reactions.string(), "--thermo", thermo.string(), "-o",
                 input.string()}) != 0 ||
            cli({"run", input.string(), "--fractions", "CH4=1,O2=2,N2=7.52", "--T", "1200", "--P",
                 "1", "--tf", "0.1", "--max-steps", "99999", "--every", "4", "--max-lines",
                 "9998"}) != 0)
            return;
        std::ifstream in(output, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

void ReadIgnitionOutputGri(benchmark::State& state) {
    static GriIgnition g;
    if (g.text.empty()) {
        state.SkipWithError("the GRI-Mech 3.0 output could not be made");
        return;
    }
    for (auto _ : state) {
        const auto reading = kinetra::results::readSolverOutputText(g.text, g.output.string(), 2);
        if (!reading.output) {
            state.SkipWithError(reading.message.c_str());
            return;
        }
        // The whole analysis is kept: DoNotOptimize of the loop's last delay alone (a double
        // assigned in the loop) read back garbage with this compiler and benchmark library.
        auto analysis = kinetra::results::analyseIgnition(*reading.output);
        benchmark::DoNotOptimize(analysis);
    }
    const auto reading = kinetra::results::readSolverOutputText(g.text, g.output.string(), 2);
    state.counters["records"] = static_cast<double>(reading.output->records.size());
    state.counters["output_kB"] = static_cast<double>(g.text.size()) / 1e3;
    state.counters["delay_ms"] = 1e3 * kinetra::results::analyseIgnition(*reading.output).delay;
}
BENCHMARK(ReadIgnitionOutputGri)->Unit(benchmark::kMicrosecond);

} // namespace
