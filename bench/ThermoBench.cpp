// The thermo-function routine that tabulation, equilibrium constants and the solver input all
// call: evaluations per second over a temperature sweep.
#include "thermo/ThermoFunctions.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

// H2O from the GRI-Mech 3.0 thermo data: upper interval A1..A7, lower interval A8..A14.
constexpr std::array<double, 15> kWater{
    3.03399249E+00,  2.17691804E-03, -1.64072518E-07, -9.70419870E-11, 1.68200992E-14,
    -3.00042971E+04, 4.96677010E+00, 4.19864056E+00,  -2.03643410E-03, 6.52040211E-06,
    -5.48797062E-09, 1.77197817E-12, -3.02937267E+04, -8.49032208E-01, 0};

void BM_ThermoFunctions(benchmark::State& state) {
    double t = 300;
    for (auto _ : state) {
        auto v = kinetra::thermo::thermoFunctions(kWater, t, 1000);
        benchmark::DoNotOptimize(v);
        t = t < 3500 ? t + 7.3 : 300;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThermoFunctions);

} // namespace
