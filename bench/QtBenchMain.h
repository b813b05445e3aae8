// The main of the benchmarks that draw windows: Qt on the offscreen platform unless a display is
// chosen, then Google Benchmark.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

namespace kinetra::bench {

inline int runWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kinetra::bench
