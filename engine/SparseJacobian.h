// The Jacobian of the reactor in compressed sparse columns, for KLU. Its pattern comes from
// the mechanism once: the species pairs of each reaction, the temperature row and column, and
// the diagonal. Two dense parts of the exact Jacobian stay out of the Newton matrix, as they
// would fill the factors: the dependence of every third-body and fall-off rate on all species
// through [M] (full rows for the species of those reactions; named colliders and the listed
// efficiencies stay in), and at constant pressure the rank-one part from the density's
// dependence on the mixture. They change the Newton iteration, never the solution, which
// CVODE's error test controls. Measured: n-heptane (628 species) 1.4 s with the full rows,
// 1.1 s without; C3Mech (3668 species) 92 s with, 8.6 s without (docs/performance.md).
#pragma once

#include "engine/Kinetics.h"
#include "engine/Reactor.h"

#include <vector>

namespace kinetra::engine {

// Records the call sequence of Kinetics::derivatives.
struct PatternSink {
    std::vector<std::pair<int, int>> entries;
    std::vector<char> everyColumn;
    void add(int k, int l, double) { entries.emplace_back(k, l); }
    void addToEveryColumn(int k, double) { everyColumn[static_cast<std::size_t>(k)] = 1; }
    void addT(int, double) {}
};

// Replays the sequence into the matrix values by recorded position, and gathers the sums the
// temperature row and column need.
struct SparseSink {
    const int* position;
    const double* scale;
    double* values;
    std::size_t next;
    const double* concentrations;
    double total;
    const double* energy;     // u_k: the weight of species k in the energy row
    double* everyColumn;      // g_k: added to d omega_k / d c_l for every l
    double* dT;               // d omega_k / dT
    double* homogeneous;      // sum_l d omega_k / d c_l c_l
    double* columnEnergy;     // sum_k u_k d omega_k / d c_l, without the every-column part
    double everyColumnEnergy; // sum_k u_k g_k

    void add(int k, int l, double v) {
        values[position[next]] += v * scale[next];
        ++next;
        homogeneous[k] += v * concentrations[l];
        columnEnergy[l] += energy[k] * v;
    }
    void addToEveryColumn(int k, double v) {
        everyColumn[k] += v;
        homogeneous[k] += v * total;
        everyColumnEnergy += energy[k] * v;
    }
    void addT(int k, double v) { dT[k] += v; }
};

class SparseJacobian {
public:
    // colliderRows puts the full [M] rows in as well (exact but for the rank-one part).
    SparseJacobian(Reactor& reactor, Kinetics& kinetics, bool colliderRows = false);

    std::size_t nonZeros() const { return rows_.size(); }
    const std::vector<int>& columnStarts() const { return columnStarts_; }
    const std::vector<int>& rowIndices() const { return rows_; }

    // Where the temperature column and row stand in the values (index 0 is the diagonal).
    const std::vector<int>& temperatureColumnPositions() const { return temperatureColumn_; }
    const std::vector<int>& temperatureRowPositions() const { return temperatureRow_; }

    // The values at the state y, in the order of rowIndices(). No allocation.
    void fill(const double* y, double* values);

    // What the Newton matrix leaves out, as of the last fill: the exact Jacobian's species row
    // k is the sparse row plus corrections[k] times sum_l v_l / W_l over the species columns
    // (the [M] rows and, at constant pressure, the density's rank-one part). For a Krylov
    // solver's exact matrix-vector product.
    void leftOutCorrections(double* corrections) const;

private:
    int position(int row, int column) const;

    Reactor& reactor_;
    Kinetics& kinetics_;
    std::size_t n_ = 0;
    std::vector<int> columnStarts_, rows_;
    std::vector<int> tapePosition_;
    std::vector<double> tapeScale_;
    std::vector<int> everyColumnRows_;           // species with a full row
    std::vector<std::vector<int>> rowPositions_; // their positions, column by column
    std::vector<int> temperatureColumn_, temperatureRow_;
    std::vector<double> concentrations_, omega_, energy_, everyColumn_, dT_, homogeneous_,
        columnEnergy_;
    double rho_ = 0, meanWeight_ = 0;
    bool colliderRows_ = false;
};

} // namespace kinetra::engine
