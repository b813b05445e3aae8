// The mechanism in memory and its evaluation: species thermo at T, rate constants, rates of
// progress and molar production rates. Sized once at construction; evaluation allocates
// nothing, so the integrator's right-hand side and Jacobian stay free of allocation.
#pragma once

#include "engine/InputFile.h"
#include "physics/Rates.h"

#include <vector>

namespace kinetra::engine {

struct SparseSink;
struct PatternSink;

class Kinetics {
public:
    explicit Kinetics(const SolverInput& input);

    int speciesCount() const { return static_cast<int>(species_.size()); }
    int reactionCount() const { return static_cast<int>(reactions_.size()); }
    const std::vector<double>& molecularWeights() const { return weights_; }

    // Species thermo at T into the workspace: H/RT, Cp/R and G/RT of every species. Species
    // whose interval holding T has no coefficients get the other set (extrapolated).
    void updateThermo(double temperature);
    const std::vector<double>& hOverRT() const { return hRT_; }
    const std::vector<double>& cpOverR() const { return cpR_; }

    // Forward and reverse rate constants (without third-body or fall-off concentration
    // factors for the plain third-body form) at T for the concentrations c (mol/cm^3), then
    // rates of progress and the production rates omega (mol/(cm^3 s)). Calls updateThermo.
    void productionRates(double temperature, const double* concentrations, double* omega);

    // The analytic derivatives of the production rates at (T, c): dOmegaDc[k + l N] =
    // d omega_k / d c_l (column-major, N x N, overwritten) and dOmegaDT[k] = d omega_k / dT at
    // fixed concentrations. Calls updateThermo.
    void productionRateDerivatives(double temperature, const double* concentrations,
                                   double* dOmegaDc, double* dOmegaDT);

    // The same derivatives handed to a sink as they arise: sink.add(k, l, v) adds v to
    // d omega_k / d c_l, sink.addToEveryColumn(k, v) adds v to d omega_k / d c_l for every l
    // (the [M] of third bodies and fall-off), sink.addT(k, v) adds v to d omega_k / dT. The
    // sequence of calls depends on the mechanism only, so a sparse sink can record it once
    // and replay it by position.
    template <typename Sink>
    void derivatives(double temperature, const double* concentrations, Sink& sink);

    // d(Cp/R)/dT of every species at the temperature of the last updateThermo.
    const std::vector<double>& heatCapacitySlopes() const { return dcpR_; }

    // Rates of progress of the last productionRates call (forward minus reverse).
    const std::vector<double>& ratesOfProgress() const { return progress_; }

private:
    struct Reaction {
        std::vector<int> reactants, products; // one entry per molecule
        physics::Arrhenius forward, auxiliary;
        bool reversible = false, explicitReverse = false;
        bool thirdBody = false; // plain third body: rate times [M]
        bool falloff = false;
        int collider = -1; // named fall-off collider, else -1 for [M]
        std::vector<int> efficiencySpecies;
        std::vector<double> efficiencies;
        physics::FalloffParameters falloffForm;
        double deltaNu = 0;
    };

    double colliderConcentration(const Reaction& r, double total, const double* c) const;
    // kf with d ln kf / dT, and for fall-off d kf / d[M]: the Jacobian's form, one reaction at
    // a time (the right-hand side takes all forward rates in one vectorised pass).
    struct ForwardRate {
        double k = 0, logSlope = 0, perCollider = 0;
    };
    ForwardRate forwardRate(const Reaction& r, const physics::TemperatureTerms& t,
                            double collider) const;
    // 1/Kc and d ln Kc / dT from the Gibbs and enthalpy sums of the workspace.
    void equilibrium(const Reaction& r, const physics::TemperatureTerms& t, double& inverseKc,
                     double& logSlope) const;

    std::vector<std::array<double, 15>> species_;
    std::vector<double> tcom_, weights_;
    std::vector<Reaction> reactions_;
    double activationScale_ = 0;      // 1/Rcal
    double logGasConstantCm3_ = 0;    // ln R', R' in cm^3 atm/(K mol)
    double logGasConstantTimesT_ = 0; // ln(R' T) of the last updateThermo
    std::vector<double> hRT_, cpR_, gRT_, dcpR_, progress_;
    // The right-hand side's rate constants, computed for all reactions in one vectorised pass:
    // forward (A, n, E/R by reaction), auxiliary LOW or REV (by reaction, zero where none),
    // and 1/Kc of the reactions whose reverse rate comes from equilibrium.
    std::vector<double> forwardA_, forwardN_, forwardE_, auxiliaryA_, auxiliaryN_, auxiliaryE_;
    std::vector<int> equilibriumReactions_;
    std::vector<double> kForward_, kAuxiliary_, inverseKc_;
    // The right-hand side's copy of the stoichiometry, flat and in reaction order so that its
    // loop reads memory in sequence: reaction i's reactants, then its products, from
    // termStart_[i] to termStart_[i + 1]; the auxiliary rate constants only of the reactions
    // with LOW or REV (auxiliaryReactions_).
    enum TermFlag : unsigned char {
        kReversible = 1,
        kExplicitReverse = 2,
        kThirdBody = 4,
        kFalloff = 8,
    };
    std::vector<int> termStart_, termSpecies_;
    std::vector<unsigned char> reactantCount_, termFlags_;
    std::vector<int> auxiliaryReactions_;
    // The fall-off reactions, and of them the Troe ones with their parameters, reduced
    // pressures, broadening factors and workspace for the batched evaluation.
    std::vector<int> falloffReactions_, troeReactions_;
    std::vector<physics::TroeParameters> troeParameters_;
    std::vector<double> troePressures_, troeFactors_, troeWorkspace_;
};

} // namespace kinetra::engine
