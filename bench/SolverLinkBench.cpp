// The solver link through kinetra-cli, in the process: the solver input file of LLNL n-heptane
// (627 species in its input file: N2 is named by no reaction, so argon dilutes; 2,827 reactions)
// written from its databases, and `results --csv` of a 2,000-record output of that mechanism
// (constant pressure, 20 atm, 800 K, relative tolerance 1E-9, a record every step) made once by the
// solver program. The databases and the output are made before timing.
#include "CliApp.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <filesystem>
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

} // namespace
