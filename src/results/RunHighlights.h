// What a chemist looks for first in a run, above the post-processor's tables: the ignition
// delay (the time of the largest dT/dt), the peak temperature, and the species ranked by the
// largest mole fraction they reach, so that the few that matter in a run of hundreds of
// species are found at once.
#pragma once

#include "results/MeanParameters.h"
#include "results/SolverOutput.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::results {

struct TemperaturePeak {
    double time = 0, temperature = 0;
};

// The time of the largest dT/dt, as the ignition studies place it (analyseIgnition: between
// the records, by a parabola through the slopes around the steepest interval), so that the
// post-processor and the batch tool give one delay for one output. Nothing when the
// temperature never rises (a run at constant temperature, or one that only cools).
std::optional<double> ignitionDelay(const SolverOutput& output);
// The two records around that largest dT/dt: the ignition lies between them.
struct IgnitionInterval {
    double from = 0, to = 0;
};
std::optional<IgnitionInterval> ignitionInterval(const SolverOutput& output);
TemperaturePeak peakTemperature(const SolverOutput& output);

// The time of the last record when the run ended before its final time (stopped, or ended by
// an error or the step limit).
std::optional<double> endedBeforeFinalTime(const SolverOutput& output);

// "Ignition delay (largest dT/dt): 4.549E-02 s    Peak temperature: 2585.3 K at 1.000E-01 s",
// followed by "    (the run ended at 1.941E-02 s, before its final time 3.00E-02 s)" when so.
std::string highlightsText(const SolverOutput& output);

struct SpeciesPeak {
    std::size_t species = 0; // 0-based, THERMO-block order
    double moleFraction = 0; // the largest over the records
    double time = 0;         // when it was reached (the first record with it)
};

// Every species by its largest mole fraction, largest first; ties keep the block order.
std::vector<SpeciesPeak> speciesAtAGlance(const std::vector<MeanParameters>& means);

} // namespace kinetra::results
