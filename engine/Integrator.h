// CVODE (BDF, Newton iterations) on the reactor equations, one accepted step at a time, with
// a dense direct linear solver. The caller drives the steps and decides what to write.
#pragma once

#include "engine/Reactor.h"

#include <memory>
#include <string>

namespace kinetra::engine {

// Dense LU for small mechanisms, KLU on the sparse analytic Jacobian for large ones.
// Krylov: GMRES preconditioned by the KLU-factored sparse Newton matrix (measured against the
// direct solvers; not chosen automatically).
enum class LinearAlgebra { Automatic, Dense, Sparse, Krylov };

// Automatic chooses KLU from this many species on (measured: docs/performance.md; the two
// are even at 13 species, KLU is 1.4 times faster at 53).
inline constexpr int kSparseFromSpecies = 30;

struct IntegratorStatistics {
    long steps = 0, rhsEvaluations = 0, jacobianEvaluations = 0, factorizations = 0;
    double rhsSeconds = 0, jacobianSeconds = 0; // wall time in rates and in Jacobians
};

class Integrator {
public:
    Integrator(Reactor& reactor, Kinetics& kinetics, const RunParameters& parameters,
               LinearAlgebra linearAlgebra = LinearAlgebra::Automatic);
    ~Integrator();
    Integrator(const Integrator&) = delete;
    Integrator& operator=(const Integrator&) = delete;

    // The construction's failure, if any (empty when ready).
    const std::string& setupError() const { return error_; }

    // One accepted step towards the final time. False on an integrator failure (see error()).
    bool step();
    double time() const { return time_; }
    const double* state() const;
    // dT/dt at the current time, from the integrator's interpolating polynomial (no extra
    // right-hand side).
    double temperatureSlope() const;
    const std::string& error() const { return error_; }
    IntegratorStatistics statistics() const;
    bool sparse() const;
    // Entries of the Newton matrix: the sparse pattern's, or n^2 when dense.
    std::size_t matrixEntries() const;

    struct Sundials; // the CVODE objects; the callbacks reach the reactor through it

private:
    std::unique_ptr<Sundials> s_;
    Reactor& reactor_;
    double finalTime_;
    double time_;
    std::string error_;
};

} // namespace kinetra::engine
