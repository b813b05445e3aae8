#include "shell/PhysicalConstants.h"

namespace kinetra {

PhysicalConstants PhysicalConstants::fromFileValues(const std::array<double, 5>& items) {
    PhysicalConstants c;
    c.gasConstantJ = items[kGasConstantJ];
    c.gasConstantCal = items[kGasConstantCal];
    c.avogadro = items[kAvogadro];
    c.boltzmannErg = items[kBoltzmann] * 10000000.0; // 1 J = 1E7 erg
    c.atmosphereDyn = items[kAtmosphere] * 10000.0;  // 1 kPa = 1E4 dyn/cm2
    for (std::size_t i = 1; i < c.avogadroPowers.size(); ++i)
        c.avogadroPowers[i] = c.avogadroPowers[i - 1] * c.avogadro;
    return c;
}

} // namespace kinetra
