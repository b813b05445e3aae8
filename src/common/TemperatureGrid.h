// The temperature grid of the tables of functions of temperature (thermo functions, rate and
// equilibrium constants): Min to Max by Step.
#pragma once

#include <cstddef>

namespace kinetra {

// How (Max - Min) / Step + 1 becomes a point count: the thermo tables round halves away from
// zero, the rate tables to even.
enum class GridRounding { HalfAwayFromZero, HalfToEven };

// The number of grid points. A range of fewer than two points is widened to its two ends (step
// becomes Max - Min); more than a million points is refused with std::runtime_error, so that a
// mistyped step cannot exhaust memory.
std::size_t temperatureGridCount(double tmin, double tmax, double& step, GridRounding rounding);

} // namespace kinetra
