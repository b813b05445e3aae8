#include "engine/SparseJacobian.h"

#include <algorithm>

namespace kinetra::engine {

SparseJacobian::SparseJacobian(Reactor& reactor, Kinetics& kinetics, bool colliderRows)
    : reactor_(reactor), kinetics_(kinetics), n_(static_cast<std::size_t>(kinetics.speciesCount())),
      colliderRows_(colliderRows) {
    const std::size_t size = n_ + 1;
    PatternSink pattern;
    pattern.everyColumn.assign(n_, 0);
    const std::vector<double> ones(n_, 1e-6);
    kinetics_.derivatives(1000, ones.data(), pattern);

    std::vector<std::vector<int>> columns(size);
    for (std::size_t j = 0; j < size; ++j) {
        columns[j].push_back(0);                   // the temperature row
        columns[j].push_back(static_cast<int>(j)); // the diagonal
    }
    for (std::size_t i = 0; i < size; ++i)
        columns[0].push_back(static_cast<int>(i)); // the temperature column
    for (const auto& [k, l] : pattern.entries)
        columns[static_cast<std::size_t>(l) + 1].push_back(k + 1);
    for (std::size_t k = 0; k < n_ && colliderRows; ++k)
        if (pattern.everyColumn[k]) {
            everyColumnRows_.push_back(static_cast<int>(k));
            for (std::size_t j = 1; j < size; ++j)
                columns[j].push_back(static_cast<int>(k) + 1);
        }
    columnStarts_.push_back(0);
    for (auto& column : columns) {
        std::sort(column.begin(), column.end());
        column.erase(std::unique(column.begin(), column.end()), column.end());
        rows_.insert(rows_.end(), column.begin(), column.end());
        columnStarts_.push_back(static_cast<int>(rows_.size()));
    }
    const auto& w = kinetics_.molecularWeights();
    for (const auto& [k, l] : pattern.entries) {
        tapePosition_.push_back(position(k + 1, l + 1));
        tapeScale_.push_back(w[static_cast<std::size_t>(k)] / w[static_cast<std::size_t>(l)]);
    }
    for (int k : everyColumnRows_) {
        std::vector<int> positions(n_);
        for (std::size_t l = 0; l < n_; ++l)
            positions[l] = position(k + 1, static_cast<int>(l) + 1);
        rowPositions_.push_back(std::move(positions));
    }
    for (std::size_t i = 0; i < size; ++i) {
        temperatureColumn_.push_back(position(static_cast<int>(i), 0));
        temperatureRow_.push_back(position(0, static_cast<int>(i)));
    }
    for (auto* v :
         {&concentrations_, &omega_, &energy_, &everyColumn_, &dT_, &homogeneous_, &columnEnergy_})
        v->resize(n_);
}

void SparseJacobian::leftOutCorrections(double* corrections) const {
    const auto& w = kinetics_.molecularWeights();
    const bool constantPressure = !reactor_.parameters().constantVolume();
    for (std::size_t k = 0; k < n_; ++k) {
        corrections[k] = colliderRows_ ? 0 : everyColumn_[k] * w[k];
        if (constantPressure)
            corrections[k] += (omega_[k] - homogeneous_[k]) * w[k] * meanWeight_ / rho_;
    }
}

int SparseJacobian::position(int row, int column) const {
    const auto begin = rows_.begin() + columnStarts_[static_cast<std::size_t>(column)];
    const auto end = rows_.begin() + columnStarts_[static_cast<std::size_t>(column) + 1];
    return static_cast<int>(std::lower_bound(begin, end, row) - rows_.begin());
}

void SparseJacobian::fill(const double* y, double* values) {
    const RunParameters& p = reactor_.parameters();
    const auto& w = kinetics_.molecularWeights();
    const double temperature = y[0];
    const double rho = reactor_.density(y);
    const bool constantPressure = !p.constantVolume();
    double molesPerMass = 0, total = 0;
    for (std::size_t k = 0; k < n_; ++k) {
        concentrations_[k] = rho * y[k + 1] / w[k];
        molesPerMass += y[k + 1] / w[k];
        total += concentrations_[k];
    }
    const double meanWeight = 1 / molesPerMass;
    rho_ = rho;
    meanWeight_ = meanWeight;
    kinetics_.productionRates(temperature, concentrations_.data(), omega_.data());
    const double shift = constantPressure ? 0.0 : 1.0;
    const auto& hRT = kinetics_.hOverRT();
    for (std::size_t k = 0; k < n_; ++k) {
        energy_[k] = (hRT[k] - shift) * temperature;
        everyColumn_[k] = dT_[k] = homogeneous_[k] = columnEnergy_[k] = 0;
    }
    std::fill(values, values + rows_.size(), 0.0);
    SparseSink sink{tapePosition_.data(),
                    tapeScale_.data(),
                    values,
                    0,
                    concentrations_.data(),
                    total,
                    energy_.data(),
                    everyColumn_.data(),
                    dT_.data(),
                    homogeneous_.data(),
                    columnEnergy_.data(),
                    0};
    kinetics_.derivatives(temperature, concentrations_.data(), sink);
    for (std::size_t r = 0; r < everyColumnRows_.size(); ++r) {
        const std::size_t k = static_cast<std::size_t>(everyColumnRows_[r]);
        const double g = everyColumn_[k] * w[k];
        for (std::size_t l = 0; l < n_; ++l)
            values[rowPositions_[r][l]] += g / w[l];
    }
    // The temperature column of the species rows.
    for (std::size_t k = 0; k < n_; ++k) {
        const double along = dT_[k] - (constantPressure ? homogeneous_[k] / temperature : 0);
        values[temperatureColumn_[k + 1]] +=
            w[k] / rho * along + (constantPressure ? omega_[k] * w[k] / (rho * temperature) : 0);
    }
    if (!p.energyEquation())
        return;
    // The energy row, as in Reactor::jacobian.
    const auto& cpR = kinetics_.cpOverR();
    const auto& dcpR = kinetics_.heatCapacitySlopes();
    double q = 0, capacity = 0, capacitySlope = 0, dQdT = 0, energyHomogeneous = 0;
    for (std::size_t i = 0; i < n_; ++i) {
        q += energy_[i] * omega_[i];
        capacity += (cpR[i] - shift) * y[i + 1] / w[i];
        capacitySlope += dcpR[i] * y[i + 1] / w[i];
        const double along = dT_[i] - (constantPressure ? homogeneous_[i] / temperature : 0);
        dQdT += (cpR[i] - shift) * omega_[i] + energy_[i] * along;
        energyHomogeneous += energy_[i] * homogeneous_[i];
    }
    const double fT = -q / (rho * capacity);
    const double rhoSlopeT = constantPressure ? -1 / temperature : 0;
    values[temperatureRow_[0]] +=
        -dQdT / (rho * capacity) - fT * (rhoSlopeT + capacitySlope / capacity);
    for (std::size_t j = 0; j < n_; ++j) {
        double dQ = (columnEnergy_[j] + sink.everyColumnEnergy) * rho / w[j];
        if (constantPressure)
            dQ -= energyHomogeneous * meanWeight / w[j];
        const double rhoSlope = constantPressure ? -meanWeight / w[j] : 0;
        values[temperatureRow_[j + 1]] +=
            -dQ / (rho * capacity) - fT * (rhoSlope + (cpR[j] - shift) / (w[j] * capacity));
    }
}

} // namespace kinetra::engine
