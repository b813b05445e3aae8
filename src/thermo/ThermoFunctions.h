// The thermo functions of a species as the thermo subsystem uses them: the evaluation itself
// lives in the pure physics library (one implementation for the grid, the rate tables and the
// solver program); this adds the subsystem's error text.
#pragma once

#include "physics/Nasa7.h"

#include <string>

namespace kinetra::thermo {

using physics::enthalpyKiloPerMol;
using physics::perKelvinPerMol;
using physics::thermoFunctions;
using physics::ThermoValues;

// One 7-coefficient set at T, without the interval choice and the lower temperature limit of
// thermoFunctions (the consistency report compares both sets at Tcom). Not ok when a result is
// not finite (T <= 0 for instance).
ThermoValues evaluateCoefficientSet(const double* set, double T) noexcept;

// Whether a 7-coefficient set was entered at all.
inline bool hasCoefficients(const double* set) noexcept {
    return physics::coefficientsPresent(set);
}

// The message for a species whose functions could not be evaluated.
std::string thermoFunctionErrorText(const std::string& name, const std::string& description);

} // namespace kinetra::thermo
