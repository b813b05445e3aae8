// Dimensionless enthalpy, heat capacity and entropy from the 7-coefficient polynomials of a
// species: the single evaluation every part of the program uses (thermo grid, rate constants,
// solver input), so that all of them agree to the last bit. Allocation-free.
#pragma once

#include <array>
#include <string>

namespace kinetra::thermo {

struct ThermoValues {
    double hOverRT = 0, cpOverR = 0, sOverR = 0;
    bool ok = false;
};

// a: A1..A7 above tcom, A8..A14 below (A15 unused). At T == tcom the lower set wins when it
// is present. Tmin/Tmax are deliberately not enforced: extrapolation is the caller's decision.
// Not ok (all zeros) below 100 K, when the interval holding T has no coefficients, and when
// the result is not finite.
ThermoValues thermoFunctions(const std::array<double, 15>& a, double T, double tcom) noexcept;

// One 7-coefficient set at T, without the interval choice and the lower temperature limit of
// thermoFunctions (the consistency report compares both sets at Tcom). Not ok when a result is
// not finite (T <= 0 for instance).
ThermoValues evaluateCoefficientSet(const double* set, double T) noexcept;

// Whether a 7-coefficient set was entered at all.
bool hasCoefficients(const double* set) noexcept;

// The message for a species whose functions could not be evaluated.
std::string thermoFunctionErrorText(const std::string& name, const std::string& description);

// H in kJ/mol with R in J/(K mol), in kcal/mol with R in cal/(K mol).
inline double enthalpyKiloPerMol(double hOverRT, double T, double gasConstant) {
    return hOverRT * T * gasConstant * 0.001;
}

// Cp or S in the unit of R: J/(K mol) or cal/(K mol).
inline double perKelvinPerMol(double overR, double gasConstant) {
    return overR * gasConstant;
}

} // namespace kinetra::thermo
