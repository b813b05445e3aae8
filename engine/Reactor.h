// The closed homogeneous ideal-gas reactor: state y = (T, Y_1 .. Y_N) with mass fractions Y,
// at constant pressure or constant volume, with the energy equation or at constant T.
// Units mol, cm, s, K, atm, cal/mol, with the two gas constants of the input file.
#pragma once

#include "engine/InputFile.h"
#include "engine/Kinetics.h"

#include <vector>

namespace kinetra::engine {

class Reactor {
public:
    Reactor(const SolverInput& input, Kinetics& kinetics);

    int size() const { return kinetics_.speciesCount() + 1; }
    const RunParameters& parameters() const { return parameters_; }
    const Kinetics& kinetics() const { return kinetics_; }
    const std::vector<double>& initialState() const { return initial_; }

    // dy/dt at the state y. No allocation.
    void rightHandSide(const double* y, double* ydot);

    // The analytic Jacobian d(dy/dt)/dy at the state y into J (column-major, size() x size(),
    // J[i + j size()] = d ydot_i / d y_j). No allocation.
    // With densityCoupling false the constant-pressure rank-one part (the density's dependence
    // on the mixture) is left out, as the sparse Newton matrix leaves it out.
    void jacobian(const double* y, double* J, bool densityCoupling = true);

    // Density in g/cm^3 of the state (constant for a constant-volume reactor).
    double density(const double* y) const;
    // Mixture enthalpy (cal/g) and internal energy (cal/g) of the state.
    double specificEnthalpy(const double* y);
    double specificInternalEnergy(const double* y);

private:
    // rho = P M / (R' T) at the file's pressure.
    double idealGasDensity(const double* y) const;

    Kinetics& kinetics_;
    RunParameters parameters_;
    std::vector<double> initial_;
    double initialDensity_ = 0;
    std::vector<double> concentrations_, omega_;
    // Jacobian workspace: d omega / d c (N x N), d omega / dT, sum_l (d omega_k / d c_l) c_l,
    // and the total derivative of omega along T.
    std::vector<double> dOmegaDc_, dOmegaDT_, homogeneous_, dOmegaAlongT_;
};

} // namespace kinetra::engine
