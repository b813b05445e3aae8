#include "physics/Falloff.h"

#include <algorithm>
#include <cmath>

namespace kinetra::physics {

namespace {

// The smallest values the logarithms meet. A centring of zero (every term vanished) or a
// reduced pressure of zero would give log10(0); both stand for "no broadening to speak of"
// and are held at a tiny positive value, so the rate stays finite and continuous.
constexpr double kTiny = 1e-300;

// exp(-T / theta), with theta = 0 taken as its limit for T > 0.
double decay(double temperature, double theta) {
    return theta == 0 ? 0.0 : std::exp(-temperature / theta);
}

} // namespace

double troeCentering(const TroeParameters& troe, double temperature) {
    double fcent =
        (1 - troe.a) * decay(temperature, troe.t3) + troe.a * decay(temperature, troe.t1);
    if (troe.t2 && *troe.t2 != 0)
        fcent += std::exp(-*troe.t2 / temperature);
    return fcent;
}

double troeBroadening(const TroeParameters& troe, double temperature, double reducedPressure) {
    const double logFcent = std::log10(std::max(troeCentering(troe, temperature), kTiny));
    const double c = -0.4 - 0.67 * logFcent;
    const double n = 0.75 - 1.27 * logFcent;
    const double x = std::log10(std::max(reducedPressure, kTiny)) + c;
    const double f = x / (n - 0.14 * x);
    return std::pow(10.0, logFcent / (1 + f * f));
}

double sriBroadening(const SriParameters& sri, double temperature, double reducedPressure) {
    const double logPr = std::log10(std::max(reducedPressure, kTiny));
    const double exponent = 1 / (1 + logPr * logPr);
    const double base = sri.a * std::exp(-sri.b / temperature) + decay(temperature, sri.c);
    return sri.d * std::pow(base, exponent) * std::pow(temperature, sri.e);
}

} // namespace kinetra::physics
