#include "thermo/ThermoFunctions.h"

namespace kinetra::thermo {

std::string thermoFunctionErrorText(const std::string& name, const std::string& description) {
    return "Mod1#006. Calculation error for thermodynamic functions of the species  '" + name +
           "'. " + description;
}

} // namespace kinetra::thermo
