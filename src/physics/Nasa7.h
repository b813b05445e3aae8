// Dimensionless enthalpy, heat capacity and entropy from the 7-coefficient polynomials of a
// species: the single evaluation every part of the program uses (thermo grid, rate constants,
// solver program), so that all of them agree to the last bit. Allocation-free.
#pragma once

#include <array>

namespace kinetra::physics {

struct ThermoValues {
    double hOverRT = 0, cpOverR = 0, sOverR = 0;
    bool ok = false;
};

// One 7-coefficient set at T, with ln T given by the caller (the solver computes it once per
// state for every species). No checks: the caller has chosen the set and a T > 0.
inline ThermoValues nasa7(const double* c, double T, double lnT) noexcept {
    ThermoValues v;
    v.cpOverR = c[0] + T * (c[1] + T * (c[2] + T * (c[3] + T * c[4])));
    v.hOverRT = c[0] + T * (c[1] / 2 + T * (c[2] / 3 + T * (c[3] / 4 + T * c[4] / 5))) + c[5] / T;
    v.sOverR = c[0] * lnT + T * (c[1] + T * (c[2] / 2 + T * (c[3] / 3 + T * c[4] / 4))) + c[6];
    v.ok = true;
    return v;
}

// d(Cp/R)/dT of one 7-coefficient set, 1/K.
inline double nasa7HeatCapacitySlope(const double* c, double T) noexcept {
    return c[1] + T * (2 * c[2] + T * (3 * c[3] + T * 4 * c[4]));
}

// a: A1..A7 above tcom, A8..A14 below (A15 unused). At T == tcom the lower set wins when it
// is present. Tmin/Tmax are deliberately not enforced: extrapolation is the caller's decision.
// Not ok (all zeros) below 100 K, when the interval holding T has no coefficients, and when
// the result is not finite.
ThermoValues thermoFunctions(const std::array<double, 15>& a, double T, double tcom) noexcept;

// The 7-coefficient set that holds T: the lower one (A8..A14) up to and including tcom when
// it is present, else the upper one (A1..A7) from tcom on; nullptr when that set is absent.
const double* nasa7Set(const std::array<double, 15>& a, double T, double tcom) noexcept;

// Whether a 7-coefficient set was entered at all. Every coefficient is tested rather than
// their sum: a genuine set can sum to zero.
bool coefficientsPresent(const double* c) noexcept;

// H in kJ/mol with R in J/(K mol), in kcal/mol with R in cal/(K mol).
inline double enthalpyKiloPerMol(double hOverRT, double T, double gasConstant) {
    return hOverRT * T * gasConstant * 0.001;
}

// Cp or S in the unit of R: J/(K mol) or cal/(K mol).
inline double perKelvinPerMol(double overR, double gasConstant) {
    return overR * gasConstant;
}

} // namespace kinetra::physics
