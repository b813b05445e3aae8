#include "thermo/ThermoFunctions.h"

#include <cmath>

namespace kinetra::thermo {

namespace {

constexpr double kLowestTemperature = 100; // K

ThermoValues evaluate(const double* c, double T) noexcept {
    const ThermoValues v = evaluateCoefficientSet(c, T);
    return v.ok ? v : ThermoValues{};
}

} // namespace

bool hasCoefficients(const double* c) noexcept {
    // Every coefficient is tested rather than their sum: a genuine set can sum to zero.
    for (int i = 0; i < 7; ++i)
        if (c[i] != 0)
            return true;
    return false;
}

ThermoValues evaluateCoefficientSet(const double* c, double T) noexcept {
    ThermoValues v;
    v.cpOverR = c[0] + T * (c[1] + T * (c[2] + T * (c[3] + T * c[4])));
    v.hOverRT = c[0] + T * (c[1] / 2 + T * (c[2] / 3 + T * (c[3] / 4 + T * c[4] / 5))) + c[5] / T;
    v.sOverR =
        c[0] * std::log(T) + T * (c[1] + T * (c[2] / 2 + T * (c[3] / 3 + T * c[4] / 4))) + c[6];
    v.ok = std::isfinite(v.cpOverR) && std::isfinite(v.hOverRT) && std::isfinite(v.sOverR);
    return v;
}

ThermoValues thermoFunctions(const std::array<double, 15>& a, double T, double tcom) noexcept {
    // Written so that a NaN temperature fails as well.
    if (!(T >= kLowestTemperature))
        return {};
    const double* upper = a.data();
    const double* lower = a.data() + 7;
    if (T <= tcom && hasCoefficients(lower))
        return evaluate(lower, T);
    if (T >= tcom && hasCoefficients(upper))
        return evaluate(upper, T);
    return {};
}

std::string thermoFunctionErrorText(const std::string& name, const std::string& description) {
    return "Mod1#006. Calculation error for thermodynamic functions of the species  '" + name +
           "'. " + description;
}

} // namespace kinetra::thermo
