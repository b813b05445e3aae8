#include "engine/KluPreconditioner.h"

#include <algorithm>
#include <klu.h>

namespace kinetra::engine {

struct KluPreconditioner::Klu {
    klu_l_common common{};
    klu_l_symbolic* symbolic = nullptr;
    klu_l_numeric* numeric = nullptr;
    ~Klu() {
        if (numeric)
            klu_l_free_numeric(&numeric, &common);
        if (symbolic)
            klu_l_free_symbolic(&symbolic, &common);
    }
};

KluPreconditioner::KluPreconditioner(const std::vector<int>& columnStarts,
                                     const std::vector<int>& rows)
    : klu_(std::make_unique<Klu>()), starts_(columnStarts.begin(), columnStarts.end()),
      rows_(rows.begin(), rows.end()), jacobian_(rows.size()), matrix_(rows.size()) {
    klu_l_defaults(&klu_->common);
    klu_->common.ordering = 0; // AMD, as for the direct solver
    const std::size_t n = columnStarts.size() - 1;
    for (std::size_t j = 0; j < n; ++j)
        for (int p = columnStarts[j]; p < columnStarts[j + 1]; ++p)
            if (rows[static_cast<std::size_t>(p)] == static_cast<int>(j))
                diagonal_.push_back(p);
    klu_->symbolic =
        klu_l_analyze(static_cast<long>(n), starts_.data(), rows_.data(), &klu_->common);
}

KluPreconditioner::~KluPreconditioner() = default;

bool KluPreconditioner::factor(double gamma) {
    for (std::size_t p = 0; p < matrix_.size(); ++p)
        matrix_[p] = -gamma * jacobian_[p];
    for (int p : diagonal_)
        matrix_[static_cast<std::size_t>(p)] += 1;
    if (!klu_->symbolic)
        return false;
    if (klu_->numeric && klu_l_refactor(starts_.data(), rows_.data(), matrix_.data(),
                                        klu_->symbolic, klu_->numeric, &klu_->common))
        return true;
    if (klu_->numeric)
        klu_l_free_numeric(&klu_->numeric, &klu_->common);
    klu_->numeric =
        klu_l_factor(starts_.data(), rows_.data(), matrix_.data(), klu_->symbolic, &klu_->common);
    return klu_->numeric != nullptr;
}

void KluPreconditioner::multiply(const double* v, double* out) const {
    const std::size_t n = starts_.size() - 1;
    std::fill(out, out + n, 0.0);
    for (std::size_t j = 0; j < n; ++j)
        for (long p = starts_[j]; p < starts_[j + 1]; ++p)
            out[rows_[static_cast<std::size_t>(p)]] +=
                jacobian_[static_cast<std::size_t>(p)] * v[j];
}

bool KluPreconditioner::solve(double* z) {
    const long n = static_cast<long>(starts_.size() - 1);
    return klu_->numeric && klu_l_solve(klu_->symbolic, klu_->numeric, n, 1, z, &klu_->common);
}

} // namespace kinetra::engine
