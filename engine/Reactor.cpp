#include "engine/Reactor.h"

namespace kinetra::engine {

Reactor::Reactor(const SolverInput& input, Kinetics& kinetics)
    : kinetics_(kinetics), parameters_(input.parameters) {
    const auto& w = kinetics_.molecularWeights();
    const std::size_t n = w.size();
    initial_.assign(n + 1, 0);
    initial_[0] = parameters_.initialTemperature;
    double mass = 0;
    for (std::size_t k = 0; k < n; ++k)
        mass += input.species[k].moleFraction * w[k];
    for (std::size_t k = 0; k < n; ++k)
        initial_[k + 1] = input.species[k].moleFraction * w[k] / mass;
    concentrations_.resize(n);
    omega_.resize(n);
    // The pressure of the file is the initial one; a constant-volume reactor keeps the
    // initial density.
    initialDensity_ = idealGasDensity(initial_.data());
}

double Reactor::idealGasDensity(const double* y) const {
    const auto& w = kinetics_.molecularWeights();
    double molesPerMass = 0;
    for (std::size_t k = 0; k < w.size(); ++k)
        molesPerMass += y[k + 1] / w[k];
    return parameters_.pressure / (parameters_.gasConstantCm3 * y[0] * molesPerMass);
}

double Reactor::density(const double* y) const {
    return parameters_.constantVolume() ? initialDensity_ : idealGasDensity(y);
}

void Reactor::rightHandSide(const double* y, double* ydot) {
    const double temperature = y[0];
    const double rho = density(y);
    const auto& w = kinetics_.molecularWeights();
    const std::size_t n = w.size();
    for (std::size_t k = 0; k < n; ++k)
        concentrations_[k] = rho * y[k + 1] / w[k];
    kinetics_.productionRates(temperature, concentrations_.data(), omega_.data());
    for (std::size_t k = 0; k < n; ++k)
        ydot[k + 1] = omega_[k] * w[k] / rho;
    if (!parameters_.energyEquation()) {
        ydot[0] = 0;
        return;
    }
    // dT/dt = -sum(e_k omega_k) / (rho c), with e = h (constant P) or u = h - RT (constant V)
    // and c = cp or cv; R cancels in the dimensionless forms.
    const double shift = parameters_.constantVolume() ? 1.0 : 0.0;
    const auto& hRT = kinetics_.hOverRT();
    const auto& cpR = kinetics_.cpOverR();
    double heat = 0, capacity = 0;
    for (std::size_t k = 0; k < n; ++k) {
        heat += (hRT[k] - shift) * omega_[k];
        capacity += (cpR[k] - shift) * y[k + 1] / w[k];
    }
    ydot[0] = -temperature * heat / (rho * capacity);
}

double Reactor::specificEnthalpy(const double* y) {
    kinetics_.updateThermo(y[0]);
    const auto& w = kinetics_.molecularWeights();
    double h = 0;
    for (std::size_t k = 0; k < w.size(); ++k)
        h += kinetics_.hOverRT()[k] * y[k + 1] / w[k];
    return h * parameters_.gasConstantCal * y[0];
}

double Reactor::specificInternalEnergy(const double* y) {
    const auto& w = kinetics_.molecularWeights();
    double moles = 0;
    for (std::size_t k = 0; k < w.size(); ++k)
        moles += y[k + 1] / w[k];
    return specificEnthalpy(y) - moles * parameters_.gasConstantCal * y[0];
}

} // namespace kinetra::engine
