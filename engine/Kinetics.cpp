#include "engine/Kinetics.h"

#include "physics/Nasa7.h"

#include <cmath>

namespace kinetra::engine {

Kinetics::Kinetics(const SolverInput& input)
    : activationScale_(1 / input.parameters.gasConstantCal),
      gasConstantCm3_(input.parameters.gasConstantCm3) {
    for (const InputSpecies& s : input.species) {
        species_.push_back(s.coefficients);
        tcom_.push_back(s.tcom);
        weights_.push_back(s.molecularWeight);
    }
    for (const InputReaction& in : input.reactions) {
        Reaction r;
        r.reactants = in.reactants;
        r.products = in.products;
        r.forward = {in.a, in.n, in.e};
        r.auxiliary = {in.al, in.nl, in.el};
        r.reversible = in.reversible;
        r.explicitReverse = in.reversible && in.auxiliary == Auxiliary::Rev;
        r.falloff = in.auxiliary == Auxiliary::Low;
        r.thirdBody = !r.falloff && in.thirdBodyKind > 0;
        if (r.falloff && in.namedCollider)
            r.collider = *in.namedCollider;
        for (const auto& [species, efficiency] : in.efficiencies) {
            r.efficiencySpecies.push_back(species);
            r.efficiencies.push_back(efficiency);
        }
        const auto& p = in.falloffParameters;
        if (in.falloff == FalloffKind::Troe) {
            r.falloffForm.form = physics::FalloffForm::Troe;
            r.falloffForm.troe = {p[0], p[1], p[2],
                                  p.size() > 3 ? std::optional(p[3]) : std::nullopt};
        } else if (in.falloff == FalloffKind::Sri) {
            r.falloffForm.form = physics::FalloffForm::Sri;
            r.falloffForm.sri = {p[0], p[1], p[2], p.size() > 3 ? p[3] : 1.0,
                                 p.size() > 4 ? p[4] : 0.0};
        }
        r.deltaNu =
            static_cast<double>(r.products.size()) - static_cast<double>(r.reactants.size());
        reactions_.push_back(std::move(r));
    }
    const std::size_t n = species_.size();
    hRT_.resize(n);
    cpR_.resize(n);
    gRT_.resize(n);
    progress_.resize(reactions_.size());
}

void Kinetics::updateThermo(double temperature) {
    const double lnT = std::log(temperature);
    for (std::size_t k = 0; k < species_.size(); ++k) {
        const double* set = physics::nasa7Set(species_[k], temperature, tcom_[k]);
        if (set == nullptr) // outside its one interval: the polynomial that exists, extrapolated
            set = physics::coefficientsPresent(species_[k].data()) ? species_[k].data()
                                                                   : species_[k].data() + 7;
        const physics::ThermoValues v = physics::nasa7(set, temperature, lnT);
        hRT_[k] = v.hOverRT;
        cpR_[k] = v.cpOverR;
        gRT_[k] = physics::gibbsOverRT(v.hOverRT, v.sOverR);
    }
}

double Kinetics::colliderConcentration(const Reaction& r, double total, const double* c) const {
    if (r.collider >= 0)
        return c[r.collider];
    return physics::thirdBodyConcentration(total, r.efficiencySpecies.data(), r.efficiencies.data(),
                                           static_cast<int>(r.efficiencies.size()), c);
}

void Kinetics::productionRates(double temperature, const double* c, double* omega) {
    updateThermo(temperature);
    const auto t = physics::TemperatureTerms::at(temperature);
    double total = 0;
    const std::size_t n = species_.size();
    for (std::size_t k = 0; k < n; ++k) {
        total += c[k];
        omega[k] = 0;
    }
    for (std::size_t i = 0; i < reactions_.size(); ++i) {
        const Reaction& r = reactions_[i];
        double kf = physics::arrhenius(r.forward, t, activationScale_);
        double factor = 1;
        if (r.falloff) {
            const double kLow = physics::arrhenius(r.auxiliary, t, activationScale_);
            kf = physics::falloffRate(kf, kLow, colliderConcentration(r, total, c), r.falloffForm,
                                      temperature)
                     .k;
        } else if (r.thirdBody) {
            factor = colliderConcentration(r, total, c);
        }
        double forward = kf;
        for (int s : r.reactants)
            forward *= c[s];
        double reverse = 0;
        if (r.reversible) {
            double kr;
            if (r.explicitReverse) {
                kr = physics::arrhenius(r.auxiliary, t, activationScale_);
            } else {
                double deltaG = 0;
                for (int s : r.products)
                    deltaG += gRT_[s];
                for (int s : r.reactants)
                    deltaG -= gRT_[s];
                kr = kf / physics::equilibriumConstant(deltaG, r.deltaNu, t, gasConstantCm3_);
            }
            reverse = kr;
            for (int s : r.products)
                reverse *= c[s];
        }
        const double q = factor * (forward - reverse);
        progress_[i] = q;
        for (int s : r.reactants)
            omega[s] -= q;
        for (int s : r.products)
            omega[s] += q;
    }
}

} // namespace kinetra::engine
