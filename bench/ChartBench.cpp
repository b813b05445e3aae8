// A chart of 20 subsets of 1,000 points each on the offscreen platform: the chart window drawn
// (its canvas painted once), and the picture exports PNG and SVG through the same drawing.
#include "BenchUi.h"
#include "QtBenchMain.h"
#include "charts/ui/ChartCanvas.h"
#include "charts/ui/ChartPicture.h"
#include "charts/ui/ChartWindow.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace kinetra;
using namespace kinetra::ui;

constexpr int kSubsets = 20;
constexpr int kPoints = 1000;

ChartHandOver bigChart() {
    ChartHandOver h;
    h.title = "20 subsets of 1,000 points";
    for (int p = 0; p < kPoints; ++p)
        h.x.push_back(300 + 3.7 * p);
    for (int s = 0; s < kSubsets; ++s) {
        ChartHandOver::Subset subset{"Subset " + std::to_string(s + 1), {}};
        for (int p = 0; p < kPoints; ++p)
            // Every hundredth point missing: the lines have gaps to draw around.
            subset.y.push_back(p % 100 == 50 ? kEmptySlot : s + std::sin(p * 0.02 + s));
        subset.y.front() = s;
        h.subsets.push_back(subset);
    }
    return h;
}

void drawWindow(benchmark::State& state) {
    bench::QuietUi quiet;
    ChartWindowContext context(quiet.ui);
    context.draw = randomWholeNumbers(1);
    ChartWindow window(std::move(context), "Chart1");
    window.showHandOver(bigChart(), false);
    window.model().setPointSymbols(state.range(0) != 0);
    window.resize(1000, 700);
    window.show();
    for (auto _ : state) {
        QImage image = window.canvas()->grab().toImage();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(drawWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void exportPicture(benchmark::State& state, const char* extension) {
    ChartModel chart(randomWholeNumbers(1));
    applyHandOver(chart, bigChart(), false);
    const fs::path file =
        fs::temp_directory_path() / (std::string("kinetra-chart-bench") + extension);
    for (auto _ : state)
        if (!writeChartPicture(chart.content(), file, 1000, 700))
            state.SkipWithError("the picture was not written");
    state.counters["bytes"] = static_cast<double>(fs::file_size(file));
    fs::remove(file);
}
BENCHMARK_CAPTURE(exportPicture, png, ".png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportPicture, svg, ".svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportPicture, bmp, ".bmp")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return kinetra::bench::runWindowBenchmarks(argc, argv);
}
