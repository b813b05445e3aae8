#include "thermo/ThermoFunctions.h"

#include <cmath>

namespace kinetra::thermo {

ThermoValues evaluateCoefficientSet(const double* set, double T) noexcept {
    ThermoValues v = physics::nasa7(set, T, std::log(T));
    v.ok = std::isfinite(v.cpOverR) && std::isfinite(v.hOverRT) && std::isfinite(v.sOverR);
    return v;
}

std::string thermoFunctionErrorText(const std::string& name, const std::string& description) {
    return "Mod1#006. Calculation error for thermodynamic functions of the species  '" + name +
           "'. " + description;
}

} // namespace kinetra::thermo
