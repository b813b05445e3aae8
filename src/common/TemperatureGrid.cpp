#include "common/TemperatureGrid.h"

#include "common/NumberFormat.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace kinetra {

namespace {
constexpr double kMaxPoints = 1'000'000;
} // namespace

std::size_t temperatureGridCount(double tmin, double tmax, double& step, GridRounding rounding) {
    const double raw = (tmax - tmin) / step + 1;
    // nearbyint rounds halves to even in the default rounding mode.
    const double count =
        rounding == GridRounding::HalfToEven ? std::nearbyint(raw) : std::round(raw);
    if (std::isnan(count) || count < 2) {
        step = tmax - tmin;
        return 2;
    }
    if (count > kMaxPoints)
        throw std::runtime_error("The temperature range holds too many points (" +
                                 formatNumber(count, "0") +
                                 "). Check up the Min, Max and Step values.");
    return static_cast<std::size_t>(count);
}

} // namespace kinetra
