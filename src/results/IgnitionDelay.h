// The ignition delay of a solver output: the time of the largest temperature rise rate dT/dt,
// placed between the output records by a parabola through the slopes around the steepest
// interval; the time of the OH peak where the mechanism has OH; and the peak temperature.
#pragma once

#include "results/MeanParameters.h"
#include "results/SolverOutput.h"

#include <optional>
#include <string>

namespace kinetra::results {

// A run counts as ignited when its temperature rose at least this much above the initial
// temperature and the steepest rise lies before the last interval (a rise still steepening at
// the final time has not ignited yet).
inline constexpr double kIgnitionRise = 50; // K

struct IgnitionAnalysis {
    bool ignited = false;
    double delay = 0;              // s, the largest dT/dt
    std::optional<double> ohDelay; // s, the largest OH mole fraction
    double peakTemperature = 0;    // K
    double initialTemperature = 0; // K
    double finalTime = 0;          // s, of the last record
};

IgnitionAnalysis analyseIgnition(const SolverOutput& output);

// The abscissa of the vertex of the parabola through three points (x increasing), kept within
// [x0, x2]; x1 when the three points lie on a line.
double parabolaPeak(double x0, double y0, double x1, double y1, double x2, double y2);

} // namespace kinetra::results
