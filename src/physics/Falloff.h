// The fall-off forms of pressure-dependent reactions: the broadening factor F in
// k = k_inf * Pr / (1 + Pr) * F. The rate tables and the solver evaluate F here, so that both
// give the same number for the same parameters, limits included.
#pragma once

#include <cstddef>
#include <optional>

namespace kinetra::physics {

// TROE / a T*** T* [T**] /.
struct TroeParameters {
    double a = 0;
    double t3 = 0; // T***; zero is the limit in which (1 - a) exp(-T/T***) vanishes
    double t1 = 0; // T*; zero is the limit in which a exp(-T/T*) vanishes
    // T**; absent, or zero as some files write for "not given", drops exp(-T**/T).
    std::optional<double> t2;
};

// SRI / a b c [d e] /.
struct SriParameters {
    double a = 0, b = 0, c = 0;
    double d = 1, e = 0;
};

// Fcent = (1 - a) exp(-T/T***) + a exp(-T/T*) + exp(-T**/T), T in K (> 0).
double troeCentering(const TroeParameters& troe, double temperature);

// F of the Troe form at the reduced pressure Pr = k0 [M] / k_inf.
double troeBroadening(const TroeParameters& troe, double temperature, double reducedPressure);

// troeBroadening of many reactions at one temperature: f[i] for troe[i] at the reduced
// pressure pr[i]; `workspace` holds 3 count values. The same formula with the vector
// exponential and logarithm (libmvec): within a few units in the last place of
// troeBroadening, and a fraction of its cost, for the solver's right-hand side.
void troeBroadenings(const TroeParameters* troe, const double* pr, std::size_t count,
                     double temperature, double* f, double* workspace);

// F = d [a exp(-b/T) + exp(-T/c)]^X T^e with X = 1 / (1 + (log10 Pr)^2).
double sriBroadening(const SriParameters& sri, double temperature, double reducedPressure);

// ln F and its partial derivatives, for the analytic Jacobian of the solver: d ln F / d ln Pr
// at fixed T and d ln F / dT at fixed Pr (1/K). Where the routines above hold Fcent or Pr at
// their tiny floor, the matching derivative is zero, as it is for the held value.
struct BroadeningSlopes {
    double f = 1;
    double dLnFdLnPr = 0;
    double dLnFdT = 0;
};
BroadeningSlopes troeSlopes(const TroeParameters& troe, double temperature, double reducedPressure);
BroadeningSlopes sriSlopes(const SriParameters& sri, double temperature, double reducedPressure);

} // namespace kinetra::physics
