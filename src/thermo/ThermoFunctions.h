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

// The message for a species whose functions could not be evaluated.
std::string thermoFunctionErrorText(const std::string& name, const std::string& description);

} // namespace kinetra::thermo
