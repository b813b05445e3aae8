// Compiled with -ffast-math (CMakeLists.txt) so that the loops call the vector exponential and
// logarithm of libmvec; nothing else lives in this file, so the option reaches no other
// arithmetic.
#include "physics/RateBatch.h"

#include <cmath>

namespace kinetra::physics {

void exponentials(double* x, std::size_t count) noexcept {
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i)
        x[i] = std::exp(x[i]);
}

void decimalLogarithms(double* x, std::size_t count) noexcept {
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i)
        x[i] = std::log10(x[i]);
}

} // namespace kinetra::physics
