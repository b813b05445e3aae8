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
    dOmegaDc_.resize(n * n);
    dOmegaDT_.resize(n);
    homogeneous_.resize(n);
    dOmegaAlongT_.resize(n);
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

// With c_k = rho Y_k / W_k and f_k = omega_k W_k / rho. At constant volume rho is fixed; at
// constant pressure rho = P Wmean / (R' T), so d rho / dT = -rho / T, d rho / dY_j = -rho Wmean /
// W_j, and d c_l / d Y_j = rho / W_j delta_lj - c_l Wmean / W_j, d c_l / dT = -c_l / T.
// The energy row differentiates f_T = -Q / (rho C) with Q = sum (H_i/R - s T) omega_i and
// C = sum (Cp_i/R - s) Y_i / W_i (s = 1 at constant volume, 0 at constant pressure).
void Reactor::jacobian(const double* y, double* J, bool densityCoupling) {
    const std::size_t n = kinetics_.molecularWeights().size();
    const std::size_t size = n + 1;
    const auto& w = kinetics_.molecularWeights();
    const double temperature = y[0];
    const double rho = density(y);
    const bool constantPressure = !parameters_.constantVolume();
    double molesPerMass = 0;
    for (std::size_t k = 0; k < n; ++k) {
        concentrations_[k] = rho * y[k + 1] / w[k];
        molesPerMass += y[k + 1] / w[k];
    }
    const double meanWeight = 1 / molesPerMass;
    kinetics_.productionRates(temperature, concentrations_.data(), omega_.data());
    kinetics_.productionRateDerivatives(temperature, concentrations_.data(), dOmegaDc_.data(),
                                        dOmegaDT_.data());
    const double* a = dOmegaDc_.data();
    for (std::size_t k = 0; k < n; ++k) {
        double sum = 0;
        for (std::size_t l = 0; l < n; ++l)
            sum += a[k + l * n] * concentrations_[l];
        homogeneous_[k] = constantPressure ? sum : 0;
        dOmegaAlongT_[k] = dOmegaDT_[k] - homogeneous_[k] / temperature;
    }
    // Species rows.
    for (std::size_t j = 0; j < n; ++j) {
        double* column = J + (j + 1) * size;
        for (std::size_t k = 0; k < n; ++k) {
            double d = a[k + j * n] * w[k] / w[j];
            if (constantPressure && densityCoupling)
                d += (omega_[k] - homogeneous_[k]) * w[k] * meanWeight / (rho * w[j]);
            column[k + 1] = d;
        }
    }
    for (std::size_t k = 0; k < n; ++k)
        J[k + 1] = w[k] / rho * dOmegaAlongT_[k] +
                   (constantPressure ? omega_[k] * w[k] / (rho * temperature) : 0);
    // Energy row.
    if (!parameters_.energyEquation()) {
        for (std::size_t j = 0; j < size; ++j)
            J[j * size] = 0;
        return;
    }
    const double shift = constantPressure ? 0.0 : 1.0;
    const auto& hRT = kinetics_.hOverRT();
    const auto& cpR = kinetics_.cpOverR();
    const auto& dcpR = kinetics_.heatCapacitySlopes();
    double q = 0, capacity = 0, capacitySlope = 0, dQdT = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double u = (hRT[i] - shift) * temperature;
        q += u * omega_[i];
        capacity += (cpR[i] - shift) * y[i + 1] / w[i];
        capacitySlope += dcpR[i] * y[i + 1] / w[i];
        dQdT += (cpR[i] - shift) * omega_[i] + u * dOmegaAlongT_[i];
    }
    const double fT = -q / (rho * capacity);
    const double rhoSlopeT = constantPressure ? -1 / temperature : 0; // d ln rho / dT
    J[0] = -dQdT / (rho * capacity) - fT * (rhoSlopeT + capacitySlope / capacity);
    for (std::size_t j = 0; j < n; ++j) {
        double dQ = 0;
        for (std::size_t i = 0; i < n; ++i) {
            double dOmega = a[i + j * n] * rho / w[j];
            if (constantPressure)
                dOmega -= homogeneous_[i] * meanWeight / w[j];
            dQ += (hRT[i] - shift) * temperature * dOmega;
        }
        const double rhoSlope = constantPressure ? -meanWeight / w[j] : 0; // d ln rho / dY_j
        const double capacityDerivative = (cpR[j] - shift) / w[j];
        J[(j + 1) * size] =
            -dQ / (rho * capacity) - fT * (rhoSlope + capacityDerivative / capacity);
    }
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
