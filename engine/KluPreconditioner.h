// The Newton matrix P = I - gamma J of the sparse Jacobian, factored by KLU, as the
// preconditioner of a Krylov (GMRES) linear solver: the alternative to KLU as the direct
// solver, kept so that the two can be measured against each other (`--krylov`).
#pragma once

#include <memory>
#include <vector>

namespace kinetra::engine {

class KluPreconditioner {
public:
    // The pattern of the matrix in compressed columns (it must hold the diagonal).
    KluPreconditioner(const std::vector<int>& columnStarts, const std::vector<int>& rows);
    ~KluPreconditioner();
    KluPreconditioner(const KluPreconditioner&) = delete;
    KluPreconditioner& operator=(const KluPreconditioner&) = delete;

    // The saved Jacobian values, to be refilled when the integrator asks for a new one.
    std::vector<double>& jacobian() { return jacobian_; }
    // Forms and factors I - gamma J from the saved values. False when KLU fails.
    bool factor(double gamma);
    // z = P^-1 r in place.
    bool solve(double* z);
    // out = J v with the saved values (compressed columns).
    void multiply(const double* v, double* out) const;

private:
    struct Klu;
    std::unique_ptr<Klu> klu_;
    std::vector<long> starts_, rows_;
    std::vector<int> diagonal_;
    std::vector<double> jacobian_, matrix_;
};

} // namespace kinetra::engine
