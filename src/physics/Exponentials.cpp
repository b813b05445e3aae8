// Compiled with -ffast-math (CMakeLists.txt) so that the loops call the vector exponential and
// logarithm of libmvec; nothing else lives in this file, so the option reaches no other
// arithmetic. Each loop is built twice, for AVX2 (four lanes) and for the baseline (two), and
// the loader picks the one the processor runs: measured 8 % off the whole GRI-Mech and
// n-heptane runs (docs/performance.md).
#include "physics/RateBatch.h"

#include <cmath>

namespace kinetra::physics {

__attribute__((target_clones("avx2", "default"))) void exponentials(double* x,
                                                                    std::size_t count) noexcept {
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i)
        x[i] = std::exp(x[i]);
}

__attribute__((target_clones("avx2", "default"))) void
decimalLogarithms(double* x, std::size_t count) noexcept {
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i)
        x[i] = std::log10(x[i]);
}

} // namespace kinetra::physics
