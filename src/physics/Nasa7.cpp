#include "physics/Nasa7.h"

#include <cmath>

namespace kinetra::physics {

namespace {

constexpr double kLowestTemperature = 100; // K

ThermoValues checked(const double* c, double T) noexcept {
    const ThermoValues v = nasa7(c, T, std::log(T));
    const bool finite =
        std::isfinite(v.cpOverR) && std::isfinite(v.hOverRT) && std::isfinite(v.sOverR);
    return finite ? v : ThermoValues{};
}

} // namespace

bool coefficientsPresent(const double* c) noexcept {
    for (int i = 0; i < 7; ++i)
        if (c[i] != 0)
            return true;
    return false;
}

const double* nasa7Set(const std::array<double, 15>& a, double T, double tcom) noexcept {
    const double* upper = a.data();
    const double* lower = a.data() + 7;
    if (T <= tcom && coefficientsPresent(lower))
        return lower;
    if (T >= tcom && coefficientsPresent(upper))
        return upper;
    return nullptr;
}

ThermoValues thermoFunctions(const std::array<double, 15>& a, double T, double tcom) noexcept {
    // Written so that a NaN temperature fails as well.
    if (!(T >= kLowestTemperature))
        return {};
    const double* set = nasa7Set(a, T, tcom);
    return set ? checked(set, T) : ThermoValues{};
}

} // namespace kinetra::physics
