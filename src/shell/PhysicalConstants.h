// The physical constants of a run, taken from the options file, and the values derived from
// them. The program has no built-in values: they come from the installed OPTIONS.txt.
#pragma once

#include "shell/OptionsFile.h"

#include <array>

namespace kinetra {

struct PhysicalConstants {
    double gasConstantJ = 0;   // J/(K mol)
    double gasConstantCal = 0; // cal/(K mol)
    double avogadro = 0;       // 1/mol
    double boltzmannErg = 0;   // erg/K (file value in J/K times 1E7)
    double atmosphereDyn = 0;  // dyn/cm2 (file value in kPa times 1E4)
    // N_A^0 .. N_A^6: rate coefficients change between per-molecule and per-mole units with
    // the power of N_A that matches the reaction order.
    std::array<double, 7> avogadroPowers{1, 0, 0, 0, 0, 0, 0};

    // Atomic mass of the electron, slot 0 of every composition (ions).
    static constexpr double kElectronMass = 0.00054858;

    static PhysicalConstants fromFileValues(const std::array<double, 5>& items);

    // R in cm3 atm/(K mol), used by the solver input file.
    double gasConstantCm3Atm() const { return avogadro * boltzmannErg / atmosphereDyn; }
};

} // namespace kinetra
