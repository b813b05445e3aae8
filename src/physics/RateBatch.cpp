#include "physics/RateBatch.h"

namespace kinetra::physics {

void arrheniusRates(const ArrheniusBatch& batch, const TemperatureTerms& t, double* k) noexcept {
    for (std::size_t i = 0; i < batch.count; ++i)
        k[i] = batch.n[i] * t.lnT - batch.activation[i] * t.invT;
    exponentials(k, batch.count);
    for (std::size_t i = 0; i < batch.count; ++i)
        k[i] *= batch.a[i];
}

} // namespace kinetra::physics
