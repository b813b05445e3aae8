// The text window over a solver output of a large mechanism (50,000 lines of species and mole
// fractions), on the offscreen platform: opening and drawing it, Find Next of a word near its end
// (the search crosses the whole text), and Replace All of a word that occurs on every line.
#include "BenchUi.h"
#include "QtBenchMain.h"
#include "shell/ui/TextDocumentWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using kinetra::ui::TextDocumentWindow;

constexpr int kLines = 50000;

fs::path solverOutput() {
    const fs::path dir = fs::temp_directory_path() / "kinetra-text-bench";
    fs::create_directories(dir);
    const fs::path file = dir / "output.txt";
    std::ofstream out(file, std::ios::binary);
    out << "!$KINETRA SOLVER OUTPUT\n";
    for (int i = 1; i < kLines; ++i)
        out << "  " << i * 1.0e-6 << "  C" << (i % 997) << "H" << (i % 13)
            << "O2  1.234567E-05  2.000000E+03  1.013250E+05\n";
    out << "  END OF RUN  NEEDLE\n";
    return file;
}

void openDocument(benchmark::State& state) {
    bench::QuietUi quiet;
    const fs::path file = solverOutput();
    for (auto _ : state) {
        std::unique_ptr<TextDocumentWindow> window(
            TextDocumentWindow::open(file.string(), quiet.ui, {file.parent_path(), {}}));
        window->resize(1000, 700);
        window->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->blockCount());
    }
}

void findNext(benchmark::State& state) {
    bench::QuietUi quiet;
    const fs::path file = solverOutput();
    std::unique_ptr<TextDocumentWindow> window(
        TextDocumentWindow::open(file.string(), quiet.ui, {file.parent_path(), {}}));
    window->show();
    for (auto _ : state) {
        // A new search each time: from the start to the last line.
        benchmark::DoNotOptimize(window->findNext("NEEDLE", {true, true}));
        window->findNext("NEEDLE", {true, true}); // "End of search.": the next one starts over
    }
}

void replaceAll(benchmark::State& state) {
    bench::QuietUi quiet;
    const fs::path file = solverOutput();
    std::string text;
    {
        std::ifstream in(file, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    text.erase(0, text.find('\n') + 1); // an ordinary document: replacing is allowed
    for (auto _ : state) {
        state.PauseTiming();
        TextDocumentWindow window({"Text Doc1"}, QString::fromStdString(text), quiet.ui, {});
        window.show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.replaceAll("O2", "N2", {false, true}));
    }
}

// Resident memory now and at its peak, in MB (/proc/self/status).
std::pair<double, double> residentMegabytes() {
    std::ifstream in("/proc/self/status");
    double now = 0, peak = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            now = std::stod(line.substr(6)) / 1024;
        else if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stod(line.substr(6)) / 1024;
    }
    return {now, peak};
}

// The memory a large solver output takes when it is shown as text, as Show results opens it
// beside the post-processor: records of 53 species, 100 MB. Run on its own (the peak is the
// process's): --benchmark_filter=openLargeSolverOutput.
void openLargeSolverOutput(benchmark::State& state) {
    bench::QuietUi quiet;
    const fs::path file = fs::temp_directory_path() / "kinetra-text-bench" / "large.out";
    fs::create_directories(file.parent_path());
    {
        std::ofstream out(file, std::ios::binary);
        out << " !$Kinetra Solver, Dec 7 2026, 05:20:09\n";
        std::string record;
        for (int c = 0; c < 55; ++c)
            record += (c % 50 == 49 ? "\n " : "  ") + std::string("1.234567890E-05");
        record += '\n';
        for (std::size_t written = 0; written < 100'000'000; written += record.size())
            out << record;
    }
    const double fileMb = static_cast<double>(fs::file_size(file)) / 1e6;
    const auto before = residentMegabytes();
    std::unique_ptr<TextDocumentWindow> window;
    for (auto _ : state) {
        window.reset(TextDocumentWindow::open(file.string(), quiet.ui, {file.parent_path(), {}}));
        window->resize(1000, 700);
        window->show();
        QCoreApplication::processEvents();
    }
    const auto after = residentMegabytes();
    state.counters["file_MB"] = fileMb;
    state.counters["resident_MB"] = after.first - before.first;
    state.counters["peak_MB"] = after.second - before.first;
    fs::remove(file);
}

BENCHMARK(openDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(openLargeSolverOutput)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(findNext)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(replaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return kinetra::bench::runWindowBenchmarks(argc, argv);
}
