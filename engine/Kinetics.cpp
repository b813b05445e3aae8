#include "engine/Kinetics.h"

#include "engine/SparseJacobian.h"
#include "physics/Nasa7.h"
#include "physics/RateBatch.h"

#include <algorithm>
#include <cmath>

namespace kinetra::engine {

Kinetics::Kinetics(const SolverInput& input)
    : activationScale_(1 / input.parameters.gasConstantCal),
      logGasConstantCm3_(std::log(input.parameters.gasConstantCm3)) {
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
    termStart_.push_back(0);
    for (std::size_t i = 0; i < reactions_.size(); ++i) {
        const Reaction& r = reactions_[i];
        forwardA_.push_back(r.forward.a);
        forwardN_.push_back(r.forward.n);
        forwardE_.push_back(r.forward.e * activationScale_);
        if (r.falloff || r.explicitReverse) {
            auxiliaryReactions_.push_back(static_cast<int>(i));
            auxiliaryA_.push_back(r.auxiliary.a);
            auxiliaryN_.push_back(r.auxiliary.n);
            auxiliaryE_.push_back(r.auxiliary.e * activationScale_);
        }
        if (r.reversible && !r.explicitReverse)
            equilibriumReactions_.push_back(static_cast<int>(i));
        termSpecies_.insert(termSpecies_.end(), r.reactants.begin(), r.reactants.end());
        termSpecies_.insert(termSpecies_.end(), r.products.begin(), r.products.end());
        termStart_.push_back(static_cast<int>(termSpecies_.size()));
        reactantCount_.push_back(static_cast<unsigned char>(r.reactants.size()));
        termFlags_.push_back(static_cast<unsigned char>(
            (r.reversible ? kReversible : 0) | (r.explicitReverse ? kExplicitReverse : 0) |
            (r.thirdBody ? kThirdBody : 0) | (r.falloff ? kFalloff : 0)));
    }
    for (std::size_t i = 0; i < reactions_.size(); ++i) {
        const Reaction& r = reactions_[i];
        if (!r.falloff)
            continue;
        falloffReactions_.push_back(static_cast<int>(i));
        if (r.falloffForm.form == physics::FalloffForm::Troe) {
            troeReactions_.push_back(static_cast<int>(i));
            troeParameters_.push_back(r.falloffForm.troe);
        }
    }
    troePressures_.resize(troeReactions_.size());
    troeFactors_.resize(troeReactions_.size());
    troeWorkspace_.resize(3 * troeReactions_.size());
    kForward_.resize(reactions_.size());
    kAuxiliary_.resize(reactions_.size());
    inverseKc_.resize(reactions_.size());
    const std::size_t n = species_.size();
    hRT_.resize(n);
    cpR_.resize(n);
    gRT_.resize(n);
    dcpR_.resize(n);
    progress_.resize(reactions_.size());
}

void Kinetics::updateThermo(double temperature) {
    const double lnT = std::log(temperature);
    logGasConstantTimesT_ = logGasConstantCm3_ + lnT;
    for (std::size_t k = 0; k < species_.size(); ++k) {
        const double* set = physics::nasa7Set(species_[k], temperature, tcom_[k]);
        if (set == nullptr) // outside its one interval: the polynomial that exists, extrapolated
            set = physics::coefficientsPresent(species_[k].data()) ? species_[k].data()
                                                                   : species_[k].data() + 7;
        const physics::ThermoValues v = physics::nasa7(set, temperature, lnT);
        hRT_[k] = v.hOverRT;
        cpR_[k] = v.cpOverR;
        gRT_[k] = physics::gibbsOverRT(v.hOverRT, v.sOverR);
        dcpR_[k] = physics::nasa7HeatCapacitySlope(set, temperature);
    }
}

double Kinetics::colliderConcentration(const Reaction& r, double total, const double* c) const {
    if (r.collider >= 0)
        return c[r.collider];
    return physics::thirdBodyConcentration(total, r.efficiencySpecies.data(), r.efficiencies.data(),
                                           static_cast<int>(r.efficiencies.size()), c);
}

Kinetics::ForwardRate Kinetics::forwardRate(const Reaction& r, const physics::TemperatureTerms& t,
                                            double collider) const {
    const double kHigh = physics::arrhenius(r.forward, t, activationScale_);
    const double slopeHigh = physics::arrheniusLogSlope(r.forward, t, activationScale_);
    if (!r.falloff)
        return {kHigh, slopeHigh, 0};
    const double kLow = physics::arrhenius(r.auxiliary, t, activationScale_);
    const double slopeLow = physics::arrheniusLogSlope(r.auxiliary, t, activationScale_);
    if (kHigh <= 0) // no high-pressure limit: k0 [M], as the shared fall-off routine has it
        return {kLow * collider, slopeLow, kLow};
    const double pr = kLow * collider / kHigh;
    const physics::BroadeningSlopes f = physics::broadeningSlopes(r.falloffForm, t.t, pr);
    const double k = kHigh * pr / (1 + pr) * f.f;
    const double logPrSlope = 1 / (1 + pr) + f.dLnFdLnPr; // d ln k / d ln Pr
    return {k, slopeHigh + logPrSlope * (slopeLow - slopeHigh) + f.dLnFdT,
            kLow * f.f * logPrSlope / (1 + pr)};
}

void Kinetics::equilibrium(const Reaction& r, const physics::TemperatureTerms& t, double& inverseKc,
                           double& logSlope) const {
    double deltaG = 0, deltaH = 0;
    for (int s : r.products)
        deltaG += gRT_[s], deltaH += hRT_[s];
    for (int s : r.reactants)
        deltaG -= gRT_[s], deltaH -= hRT_[s];
    inverseKc = physics::inverseEquilibriumConstant(deltaG, r.deltaNu, logGasConstantTimesT_);
    logSlope = (deltaH - r.deltaNu) * t.invT;
}

void Kinetics::productionRates(double temperature, const double* c, double* omega) {
    updateThermo(temperature);
    const auto t = physics::TemperatureTerms::at(temperature);
    const std::size_t count = reactions_.size();
    physics::arrheniusRates({forwardA_.data(), forwardN_.data(), forwardE_.data(), count}, t,
                            kForward_.data());
    // LOW and REV rate constants into their own reactions' places.
    const std::size_t auxiliaries = auxiliaryReactions_.size();
    physics::arrheniusRates(
        {auxiliaryA_.data(), auxiliaryN_.data(), auxiliaryE_.data(), auxiliaries}, t,
        inverseKc_.data());
    for (std::size_t j = 0; j < auxiliaries; ++j)
        kAuxiliary_[static_cast<std::size_t>(auxiliaryReactions_[j])] = inverseKc_[j];
    // 1/Kc = exp(dG/RT + dnu ln(R'T)) for the equilibrium reactions, gathered densely.
    const std::size_t equilibria = equilibriumReactions_.size();
    for (std::size_t j = 0; j < equilibria; ++j) {
        const std::size_t i = static_cast<std::size_t>(equilibriumReactions_[j]);
        const int* species = termSpecies_.data() + termStart_[i];
        const int reactants = reactantCount_[i], all = termStart_[i + 1] - termStart_[i];
        double deltaG = 0;
        for (int m = reactants; m < all; ++m)
            deltaG += gRT_[static_cast<std::size_t>(species[m])];
        for (int m = 0; m < reactants; ++m)
            deltaG -= gRT_[static_cast<std::size_t>(species[m])];
        inverseKc_[j] = deltaG + (all - 2 * reactants) * logGasConstantTimesT_;
    }
    physics::exponentials(inverseKc_.data(), equilibria);

    double total = 0;
    const std::size_t n = species_.size();
    for (std::size_t k = 0; k < n; ++k) {
        total += c[k];
        omega[k] = 0;
    }
    // Fall-off rate constants in place of the high-pressure ones: the Troe broadening of all
    // reactions in one batch, the other forms one at a time.
    std::size_t troe = 0;
    for (const int index : falloffReactions_) {
        const std::size_t i = static_cast<std::size_t>(index);
        const Reaction& r = reactions_[i];
        const double collider = colliderConcentration(r, total, c);
        const bool batched = troe < troeReactions_.size() && troeReactions_[troe] == index;
        if (batched) {
            const double kHigh = kForward_[i];
            troePressures_[troe++] = kHigh > 0 ? kAuxiliary_[i] * collider / kHigh : 0;
        } else {
            kForward_[i] = physics::falloffRate(kForward_[i], kAuxiliary_[i], collider,
                                                r.falloffForm, temperature)
                               .k;
        }
    }
    physics::troeBroadenings(troeParameters_.data(), troePressures_.data(), troe, temperature,
                             troeFactors_.data(), troeWorkspace_.data());
    for (std::size_t j = 0; j < troe; ++j) {
        const std::size_t i = static_cast<std::size_t>(troeReactions_[j]);
        const double pr = troePressures_[j];
        // As physics::falloffRate: without a high-pressure limit the rate is k0 [M].
        kForward_[i] = kForward_[i] > 0
                           ? kForward_[i] * pr / (1 + pr) * troeFactors_[j]
                           : kAuxiliary_[i] * colliderConcentration(reactions_[i], total, c);
    }

    std::size_t nextEquilibrium = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned flags = termFlags_[i];
        const int* species = termSpecies_.data() + termStart_[i];
        const int reactants = reactantCount_[i], all = termStart_[i + 1] - termStart_[i];
        const double collider =
            (flags & kThirdBody) ? colliderConcentration(reactions_[i], total, c) : 0;
        const double kf = kForward_[i]; // fall-off included
        double forward = kf;
        for (int m = 0; m < reactants; ++m)
            forward *= c[species[m]];
        double reverse = 0;
        if (flags & kReversible) {
            reverse =
                (flags & kExplicitReverse) ? kAuxiliary_[i] : kf * inverseKc_[nextEquilibrium++];
            for (int m = reactants; m < all; ++m)
                reverse *= c[species[m]];
        }
        const double q = ((flags & kThirdBody) ? collider : 1) * (forward - reverse);
        progress_[i] = q;
        for (int m = 0; m < reactants; ++m)
            omega[species[m]] -= q;
        for (int m = reactants; m < all; ++m)
            omega[species[m]] += q;
    }
}

namespace {

// d(product of c over the list)/dc for each entry, added with the weight into row-wise
// contributions: calls add(species, derivative) once per entry.
template <typename Add>
void productDerivatives(const std::vector<int>& list, const double* c, Add add) {
    for (std::size_t m = 0; m < list.size(); ++m) {
        double others = 1;
        for (std::size_t o = 0; o < list.size(); ++o)
            if (o != m)
                others *= c[list[o]];
        add(list[m], others);
    }
}

} // namespace

template <typename Sink>
void Kinetics::derivatives(double temperature, const double* c, Sink& sink) {
    updateThermo(temperature);
    const auto t = physics::TemperatureTerms::at(temperature);
    const std::size_t n = species_.size();
    double total = 0;
    for (std::size_t k = 0; k < n; ++k)
        total += c[k];
    // Adds d q / d c_l to the rows of the reaction's species. The order of the calls depends
    // on the mechanism only, never on the values: a sparse sink replays them by position.
    auto addToRows = [&](const Reaction& r, int l, double dq) {
        for (int s : r.reactants)
            sink.add(s, l, -dq);
        for (int s : r.products)
            sink.add(s, l, dq);
    };
    for (const Reaction& r : reactions_) {
        const bool collides = r.falloff || r.thirdBody;
        const double collider = collides ? colliderConcentration(r, total, c) : 0;
        const ForwardRate kf = forwardRate(r, t, collider);
        double reactantProduct = 1, productProduct = 1;
        for (int s : r.reactants)
            reactantProduct *= c[s];
        for (int s : r.products)
            productProduct *= c[s];
        double kr = 0, reverseSlope = 0, inverseKc = 0;
        if (r.reversible) {
            if (r.explicitReverse) {
                kr = physics::arrhenius(r.auxiliary, t, activationScale_);
                reverseSlope = physics::arrheniusLogSlope(r.auxiliary, t, activationScale_);
            } else {
                double kcSlope = 0;
                equilibrium(r, t, inverseKc, kcSlope);
                kr = kf.k * inverseKc;
                reverseSlope = kf.logSlope - kcSlope;
            }
        }
        const double factor = r.thirdBody ? collider : 1;
        const double forward = kf.k * reactantProduct, reverse = kr * productProduct;
        const double dqdT = factor * (forward * kf.logSlope - reverse * reverseSlope);
        for (int s : r.reactants)
            sink.addT(s, -dqdT);
        for (int s : r.products)
            sink.addT(s, dqdT);
        productDerivatives(r.reactants, c,
                           [&](int l, double d) { addToRows(r, l, factor * kf.k * d); });
        if (r.reversible)
            productDerivatives(r.products, c,
                               [&](int l, double d) { addToRows(r, l, -factor * kr * d); });
        if (!collides)
            continue;
        // The collider: d q / d[M] times d[M] / d c_l (the efficiency of l, 1 when unlisted).
        double dqdM = 0;
        if (r.thirdBody)
            dqdM = forward - reverse;
        else // fall-off: kr = kf / Kc moves with kf; an explicit REV never has LOW
            dqdM = kf.perCollider *
                   (reactantProduct - (r.reversible ? productProduct * inverseKc : 0));
        if (r.collider >= 0) {
            addToRows(r, r.collider, dqdM);
            continue;
        }
        for (int s : r.reactants)
            sink.addToEveryColumn(s, -dqdM);
        for (int s : r.products)
            sink.addToEveryColumn(s, dqdM);
        for (std::size_t j = 0; j < r.efficiencySpecies.size(); ++j)
            addToRows(r, r.efficiencySpecies[j], dqdM * (r.efficiencies[j] - 1));
    }
}

namespace {

struct DenseSink {
    double* a;
    double* dT;
    std::size_t n;
    void add(int k, int l, double v) {
        a[static_cast<std::size_t>(k) + static_cast<std::size_t>(l) * n] += v;
    }
    void addToEveryColumn(int k, double v) {
        for (std::size_t l = 0; l < n; ++l)
            a[static_cast<std::size_t>(k) + l * n] += v;
    }
    void addT(int k, double v) { dT[k] += v; }
};

} // namespace

void Kinetics::productionRateDerivatives(double temperature, const double* c, double* dOmegaDc,
                                         double* dOmegaDT) {
    const std::size_t n = species_.size();
    std::fill(dOmegaDc, dOmegaDc + n * n, 0.0);
    std::fill(dOmegaDT, dOmegaDT + n, 0.0);
    DenseSink sink{dOmegaDc, dOmegaDT, n};
    derivatives(temperature, c, sink);
}

template void Kinetics::derivatives<SparseSink>(double, const double*, SparseSink&);
template void Kinetics::derivatives<PatternSink>(double, const double*, PatternSink&);

} // namespace kinetra::engine
