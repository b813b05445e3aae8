#include "physics/Falloff.h"

#include "physics/RateBatch.h"

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

// d/dT of exp(-T / theta), zero for theta = 0.
double decaySlope(double temperature, double theta) {
    return theta == 0 ? 0.0 : -std::exp(-temperature / theta) / theta;
}

const double kLn10 = std::log(10.0);

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

void troeBroadenings(const TroeParameters* troe, const double* pr, std::size_t count,
                     double temperature, double* f, double* workspace) {
    // The three terms of Fcent as exponents (a vanishing term as one whose exponential is 0),
    // then Fcent and Pr at their floors as decimal logarithms, then 10^(log10 Fcent / (1 +
    // f^2)) as an exponential.
    constexpr double kVanishing = -1000; // exp(-1000) is 0 in double
    double* terms = workspace;
    for (std::size_t i = 0; i < count; ++i) {
        const TroeParameters& p = troe[i];
        terms[3 * i] = p.t3 == 0 ? kVanishing : -temperature / p.t3;
        terms[3 * i + 1] = p.t1 == 0 ? kVanishing : -temperature / p.t1;
        terms[3 * i + 2] = p.t2 && *p.t2 != 0 ? -*p.t2 / temperature : kVanishing;
    }
    exponentials(terms, 3 * count);
    double* logs = workspace; // log10 Fcent at i, log10 Pr at count + i
    for (std::size_t i = 0; i < count; ++i) {
        const TroeParameters& p = troe[i];
        const double fcent = (1 - p.a) * terms[3 * i] + p.a * terms[3 * i + 1] + terms[3 * i + 2];
        logs[i] = std::max(fcent, kTiny);
    }
    for (std::size_t i = 0; i < count; ++i)
        logs[count + i] = std::max(pr[i], kTiny);
    decimalLogarithms(logs, 2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        const double logFcent = logs[i];
        const double c = -0.4 - 0.67 * logFcent;
        const double n = 0.75 - 1.27 * logFcent;
        const double x = logs[count + i] + c;
        const double g = x / (n - 0.14 * x);
        f[i] = kLn10 * logFcent / (1 + g * g);
    }
    exponentials(f, count);
}

double sriBroadening(const SriParameters& sri, double temperature, double reducedPressure) {
    const double logPr = std::log10(std::max(reducedPressure, kTiny));
    const double exponent = 1 / (1 + logPr * logPr);
    const double base = sri.a * std::exp(-sri.b / temperature) + decay(temperature, sri.c);
    return sri.d * std::pow(base, exponent) * std::pow(temperature, sri.e);
}

BroadeningSlopes troeSlopes(const TroeParameters& troe, double temperature,
                            double reducedPressure) {
    const double fcent = troeCentering(troe, temperature);
    const bool centred = fcent > kTiny;
    const double logFcent = std::log10(centred ? fcent : kTiny);
    double dFcent =
        (1 - troe.a) * decaySlope(temperature, troe.t3) + troe.a * decaySlope(temperature, troe.t1);
    if (troe.t2 && *troe.t2 != 0)
        dFcent += *troe.t2 / (temperature * temperature) * std::exp(-*troe.t2 / temperature);
    const double dLogFcent = centred ? dFcent / (fcent * kLn10) : 0.0;
    const double c = -0.4 - 0.67 * logFcent;
    const double n = 0.75 - 1.27 * logFcent;
    const bool pressured = reducedPressure > kTiny;
    const double u = std::log10(pressured ? reducedPressure : kTiny) + c;
    const double denominator = n - 0.14 * u;
    const double f = u / denominator;
    const double dfdu = n / (denominator * denominator);
    const double dfdn = -u / (denominator * denominator);
    const double onePlus = 1 + f * f;
    const double logF = logFcent / onePlus;
    const double dLogFdf = -logFcent * 2 * f / (onePlus * onePlus);
    BroadeningSlopes s;
    s.f = std::pow(10.0, logF);
    s.dLnFdLnPr = pressured ? dLogFdf * dfdu : 0.0; // log10 F against log10 Pr: the same ratio
    const double dLogFdT =
        dLogFcent / onePlus + dLogFdf * (dfdu * -0.67 * dLogFcent + dfdn * -1.27 * dLogFcent);
    s.dLnFdT = kLn10 * dLogFdT;
    return s;
}

BroadeningSlopes sriSlopes(const SriParameters& sri, double temperature, double reducedPressure) {
    const bool pressured = reducedPressure > kTiny;
    const double logPr = std::log10(pressured ? reducedPressure : kTiny);
    const double exponent = 1 / (1 + logPr * logPr);
    const double growth = sri.a * std::exp(-sri.b / temperature);
    const double base = growth + decay(temperature, sri.c);
    const double dBase =
        growth * sri.b / (temperature * temperature) + decaySlope(temperature, sri.c);
    BroadeningSlopes s;
    s.f = sri.d * std::pow(base, exponent) * std::pow(temperature, sri.e);
    s.dLnFdLnPr =
        pressured ? std::log(base) * -2 * logPr * exponent * exponent : 0.0; // per log10 Pr
    s.dLnFdLnPr /= kLn10;
    s.dLnFdT = exponent * dBase / base + sri.e / temperature;
    return s;
}

} // namespace kinetra::physics
