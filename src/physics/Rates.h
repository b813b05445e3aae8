// Rate constants of gas-phase reactions in mol, cm, s, K and the energy unit of the gas
// constant given (cal/mol in the solver input): modified Arrhenius, fall-off (Lindemann, Troe,
// SRI) and equilibrium constants from the NASA functions. The rate tables of the workbench and
// the solver program both evaluate here; everything is allocation-free and takes the
// temperature terms computed once per state.
#pragma once

#include "physics/Falloff.h"

#include <cmath>

namespace kinetra::physics {

// T, ln T and 1/T of one state: computed once, used by every rate of the mechanism.
struct TemperatureTerms {
    double t = 0, lnT = 0, invT = 0;
    static TemperatureTerms at(double temperature) noexcept {
        return {temperature, std::log(temperature), 1 / temperature};
    }
};

// k = A T^n exp(-E / (R T)). A may be negative (duplicate pairs of some mechanisms fit a sum).
struct Arrhenius {
    double a = 0, n = 0, e = 0;
};

// `activationScale` is 1/R in the unit of E (1/Rcal for cal/mol).
inline double arrhenius(const Arrhenius& p, const TemperatureTerms& t,
                        double activationScale) noexcept {
    return p.a * std::exp(p.n * t.lnT - p.e * activationScale * t.invT);
}

// ln k of the same form, for tables that carry logarithms: no overflow or underflow of the
// exponential on the way. NaN or -inf when A <= 0 (the caller refuses such an A).
inline double logArrhenius(const Arrhenius& p, const TemperatureTerms& t,
                           double activationScale) noexcept {
    return std::log(p.a) + p.n * t.lnT - p.e * activationScale * t.invT;
}

// d ln k / dT of the modified Arrhenius form: (n + E/(R T)) / T.
inline double arrheniusLogSlope(const Arrhenius& p, const TemperatureTerms& t,
                                double activationScale) noexcept {
    return (p.n + p.e * activationScale * t.invT) * t.invT;
}

enum class FalloffForm { Lindemann, Troe, Sri };

struct FalloffParameters {
    FalloffForm form = FalloffForm::Lindemann;
    TroeParameters troe;
    SriParameters sri;
};

// The broadening factor F at the reduced pressure Pr (1 for Lindemann).
double broadening(const FalloffParameters& f, double temperature, double reducedPressure);

// F with its partial derivatives (Lindemann: 1, 0, 0).
BroadeningSlopes broadeningSlopes(const FalloffParameters& f, double temperature,
                                  double reducedPressure);

// k = k_inf Pr / (1 + Pr) F with Pr = k0 [M] / k_inf, [M] in mol/cm^3 (the weighted sum of the
// colliders, or the concentration of a named collider).
struct FalloffRate {
    double k = 0;
    double reducedPressure = 0;
};
FalloffRate falloffRate(double kHigh, double kLow, double collider, const FalloffParameters& f,
                        double temperature);

// The weighted third-body concentration: the total concentration plus (efficiency - 1) times
// the concentration of each listed species (efficiencies default to 1).
inline double thirdBodyConcentration(double total, const int* species, const double* efficiency,
                                     int count, const double* concentration) noexcept {
    double m = total;
    for (int j = 0; j < count; ++j)
        m += (efficiency[j] - 1) * concentration[species[j]];
    return m;
}

// G/RT of a species from its NASA values.
inline double gibbsOverRT(double hOverRT, double sOverR) noexcept {
    return hOverRT - sOverR;
}

// The concentration equilibrium constant Kc in (mol/cm^3)^deltaNu from the sum over species of
// nu_i G_i/RT (products positive), the change of moles deltaNu and R' in cm^3 atm/(K mol):
// Kc = exp(-dG/RT) (P0 / (R' T))^deltaNu with the standard pressure P0 = 1 atm.
// ln Kc; with deltaNu = 0 it is also ln Kp (in atm^deltaNu), which needs no R'.
inline double logEquilibriumConstant(double deltaGibbsOverRT, double deltaNu,
                                     const TemperatureTerms& t, double gasConstantCm3) noexcept {
    return -deltaGibbsOverRT - deltaNu * (std::log(gasConstantCm3) + t.lnT);
}
inline double equilibriumConstant(double deltaGibbsOverRT, double deltaNu,
                                  const TemperatureTerms& t, double gasConstantCm3) noexcept {
    return std::exp(logEquilibriumConstant(deltaGibbsOverRT, deltaNu, t, gasConstantCm3));
}

// 1/Kc with ln(R' T) computed once per state by the caller (the solver's form: no logarithm
// per reaction).
inline double inverseEquilibriumConstant(double deltaGibbsOverRT, double deltaNu,
                                         double logGasConstantTimesT) noexcept {
    return std::exp(deltaGibbsOverRT + deltaNu * logGasConstantTimesT);
}

} // namespace kinetra::physics
