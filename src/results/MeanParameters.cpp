#include "results/MeanParameters.h"

#include "physics/Nasa7.h"

namespace kinetra::results {

namespace {

struct Mixture {
    double sum = 0; // S = sum of y_i / MW_i
    std::vector<double> x;
};

double moleSum(const SolverOutput& output, const std::vector<double>& record) {
    double sum = 0;
    const std::size_t n = output.species.size();
    for (std::size_t i = 0; i < n; ++i)
        if (output.species[i].molecularWeight > 0)
            sum += record[i + 2] / output.species[i].molecularWeight;
    return sum;
}

double moleFraction(const SolverOutput& output, const std::vector<double>& record, double sum,
                    std::size_t i) {
    const double weight = output.species[i].molecularWeight;
    return sum > 0 && weight > 0 ? record[i + 2] / sum / weight : 0;
}

Mixture mixture(const SolverOutput& output, const std::vector<double>& record) {
    Mixture m;
    m.sum = moleSum(output, record);
    const std::size_t n = output.species.size();
    m.x.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        m.x[i] = moleFraction(output, record, m.sum, i);
    return m;
}

} // namespace

double recordMoleFraction(const SolverOutput& output, const std::vector<double>& record,
                          std::size_t species) {
    return moleFraction(output, record, moleSum(output, record), species);
}

std::vector<double> recordMoleFractions(const SolverOutput& output,
                                        const std::vector<double>& record) {
    return mixture(output, record).x;
}

std::vector<MeanParameters> meanParameters(const SolverOutput& output, ConcentrationUnit c,
                                           EnergyUnit e, const UnitConstants& constants) {
    const RunHeader& h = output.header;
    const double rCm3 = h.gasConstantCm3;
    const double r = e == EnergyUnit::Joule ? constants.gasConstantJ : constants.gasConstantCal;
    const double perMole = c == ConcentrationUnit::PerCm3 ? constants.avogadro : 1.0;
    std::vector<MeanParameters> all;
    all.reserve(output.records.size());
    double initialDensity = 0;
    for (const std::vector<double>& record : output.records) {
        MeanParameters p;
        p.time = record[0];
        p.temperature = record[1];
        const double T = p.temperature;
        Mixture m = mixture(output, record);
        p.valid = m.sum > 0 && T > 0;
        if (!p.valid) {
            p.moleFractions = std::move(m.x);
            all.push_back(std::move(p));
            continue;
        }
        p.molecularWeight = 1 / m.sum;
        if (h.constantVolume()) {
            if (initialDensity == 0)
                initialDensity = h.pressure * p.molecularWeight / (rCm3 * T);
            p.density = initialDensity;
            p.pressure = p.density * rCm3 * T / p.molecularWeight;
        } else {
            p.pressure = h.pressure;
            p.density = p.pressure * p.molecularWeight / (rCm3 * T);
        }
        p.concentration = perMole * p.pressure / (rCm3 * T);
        for (std::size_t i = 0; i < output.species.size(); ++i) {
            if (m.x[i] == 0)
                continue;
            const OutputSpecies& s = output.species[i];
            const physics::ThermoValues v = physics::thermoFunctions(s.coefficients, T, s.tcom);
            p.enthalpy += m.x[i] * physics::enthalpyKiloPerMol(v.hOverRT, T, r);
            p.heatCapacity += m.x[i] * physics::perKelvinPerMol(v.cpOverR, r);
        }
        p.moleFractions = std::move(m.x);
        all.push_back(std::move(p));
    }
    return all;
}

double speciesValue(const MeanParameters& mean, std::size_t species, bool concentrations) {
    const double x = mean.moleFractions[species];
    return concentrations ? x * mean.concentration : x;
}

} // namespace kinetra::results
