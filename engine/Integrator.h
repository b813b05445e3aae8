// CVODE (BDF, Newton iterations) on the reactor equations, one accepted step at a time, with
// a dense direct linear solver. The caller drives the steps and decides what to write.
#pragma once

#include "engine/Reactor.h"

#include <memory>
#include <string>

namespace kinetra::engine {

struct IntegratorStatistics {
    long steps = 0, rhsEvaluations = 0, jacobianEvaluations = 0, factorizations = 0;
};

class Integrator {
public:
    Integrator(Reactor& reactor, const RunParameters& parameters);
    ~Integrator();
    Integrator(const Integrator&) = delete;
    Integrator& operator=(const Integrator&) = delete;

    // The construction's failure, if any (empty when ready).
    const std::string& setupError() const { return error_; }

    // One accepted step towards the final time. False on an integrator failure (see error()).
    bool step();
    double time() const { return time_; }
    const double* state() const;
    const std::string& error() const { return error_; }
    IntegratorStatistics statistics() const;

private:
    struct Sundials;
    std::unique_ptr<Sundials> s_;
    Reactor& reactor_;
    double finalTime_;
    double time_;
    std::string error_;
};

} // namespace kinetra::engine
