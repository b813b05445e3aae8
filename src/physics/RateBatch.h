// Rate constants of many reactions at one temperature at once: the form the solver's
// right-hand side and a rate table over many reactions need. The exponentials run as one
// vectorised loop (libmvec, within 4 units in the last place of the scalar exp).
#pragma once

#include "physics/Rates.h"

#include <cstddef>

namespace kinetra::physics {

// x[i] = exp(x[i]) for i < count.
void exponentials(double* x, std::size_t count) noexcept;
// x[i] = log10(x[i]) for i < count, every x[i] positive and finite (libmvec, within 4 units in
// the last place of the scalar log10).
void decimalLogarithms(double* x, std::size_t count) noexcept;

// The modified Arrhenius parameters of a set of reactions as parallel arrays (E already times
// 1/R), and their rate constants at a state.
struct ArrheniusBatch {
    const double* a;
    const double* n;
    const double* activation; // E / R, K
    std::size_t count;
};

// k[i] = a[i] T^n[i] exp(-activation[i] / T).
void arrheniusRates(const ArrheniusBatch& batch, const TemperatureTerms& t, double* k) noexcept;

} // namespace kinetra::physics
