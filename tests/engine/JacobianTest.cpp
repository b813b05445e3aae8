#include "EngineFixture.h"
#include "engine/Kinetics.h"
#include "engine/Reactor.h"
#include "engine/SparseJacobian.h"

#include <cmath>

namespace kinetra::engine {
namespace {

using namespace testing;

// One reaction of every kind the file codes: plain reversible, irreversible, photon, third body
// with efficiencies, explicit reverse, Lindemann, Troe with [M] and efficiencies, SRI with a
// named collider.
SolverInput everyKind(int mode) {
    std::vector<solver::SolverSpecies> species{
        idealSpecies("AR", 39.948, 2.5, 0, 4),      idealSpecies("H", 1.008, 2.5, 26000, 0.5),
        idealSpecies("H2", 2.016, 3.4, 0, -1),      idealSpecies("HO2", 33.007, 4.5, 1500, 3),
        idealSpecies("O2", 31.998, 3.6, 0, 5),      idealSpecies("OH", 17.007, 3.5, 4500, 2),
        idealSpecies("H2O", 18.015, 4.2, -29000, 0)};
    const double fractions[] = {0.1, 0.05, 0.3, 0.02, 0.2, 0.03, 0.3};
    for (std::size_t k = 0; k < species.size(); ++k) {
        species[k].moleFraction = fractions[k];
        // A temperature-dependent Cp, so that d(Cp)/dT enters the energy row.
        species[k].record.coefficients[1] = species[k].record.coefficients[8] = 2e-4 * (k + 1);
    }
    using reactions::ReactionRecord;
    std::vector<ReactionRecord> r;
    r.push_back(
        reactionRecord("H + O2 <=> OH + OH", {"H", "O2", "", "OH", "OH"}, 3.5e15, -0.4, 16600));
    r.push_back(reactionRecord("H2 + OH => H2O + H", {"H2", "OH", "", "H2O", "H"}, 2.2e8, 1.5, 3430,
                               "Irrev "));
    r.push_back(
        reactionRecord("H2O + HV => OH + H", {"H2O", "HV", "", "OH", "H"}, 1e-2, 0, 0, "Irrev "));
    auto thirdBody =
        reactionRecord("H + H + M <=> H2 + M", {"H", "H", "M", "H2", "M"}, 1e18, -1, 0);
    thirdBody.thirdBodies = {"H2", "H2O", "AR"};
    thirdBody.efficiencies = {0, 12, 0.63};
    r.push_back(thirdBody);
    auto rev =
        reactionRecord("HO2 + H <=> H2 + O2", {"HO2", "H", "", "H2", "O2"}, 1.7e13, 0, 820, "Rev");
    rev.al = 3e13, rev.nl = 0.3, rev.el = 55000;
    r.push_back(rev);
    auto lindemann = reactionRecord("OH + OH + M$ <=> H2O + O + M$",
                                    {"OH", "OH", "M$", "H2O", "O2", "M$"}, 7.4e13, -0.37, 0, "Low");
    lindemann.reaction = "OH + OH + M$ <=> H2O + O2 + M$";
    lindemann.al = 2.3e18, lindemann.nl = -0.9, lindemann.el = -1700;
    r.push_back(lindemann);
    auto troe = reactionRecord("H + O2 + M$ <=> HO2 + M$", {"H", "O2", "M$", "HO2", "M$"}, 4.65e12,
                               0.44, 0, "Low Troe");
    troe.al = 6.366e20, troe.nl = -1.72, troe.el = 524.8;
    troe.falloff = {0.5, 1e-30, 1e30, 1e4, std::nullopt};
    troe.thirdBodies = {"H2", "H2O", "O2", "AR"};
    troe.efficiencies = {2, 14, 0.78, 0.67};
    r.push_back(troe);
    auto sri = reactionRecord("H + OH + AR$ <=> H2O + AR$", {"H", "OH", "AR$", "H2O", "AR$"}, 1e13,
                              0.2, 0, "Low SRI");
    sri.al = 1e22, sri.nl = -2, sri.el = 300;
    sri.falloff = {1.1, 700, 1234, 0.8, 0.2};
    r.push_back(sri);
    solver::RunParameterValues run;
    run.energyEquation = (mode & 1) != 0;
    run.constantVolume = (mode & 2) != 0;
    run.initialTemperature = 1400;
    run.pressure = 3;
    return readOrFail(inputLines(species, r, run));
}

// The analytic Jacobian agrees with central differences of the right-hand side, entry by
// entry, in all four modes.
TEST(Jacobian, AgreesWithFiniteDifferencesForEveryReactionKind) {
    for (int mode = 0; mode < 4; ++mode) {
        const SolverInput input = everyKind(mode);
        ASSERT_EQ(input.reactions.size(), 8u);
        Kinetics kinetics(input);
        Reactor reactor(input, kinetics);
        const std::size_t n = static_cast<std::size_t>(reactor.size());
        std::vector<double> y = reactor.initialState();
        std::vector<double> J(n * n), plus(n), minus(n);
        reactor.jacobian(y.data(), J.data());
        for (std::size_t j = 0; j < n; ++j) {
            const double h = 1e-6 * std::max(std::fabs(y[j]), j == 0 ? 1.0 : 1e-3);
            std::vector<double> yp = y, ym = y;
            yp[j] += h;
            ym[j] -= h;
            reactor.rightHandSide(yp.data(), plus.data());
            reactor.rightHandSide(ym.data(), minus.data());
            for (std::size_t i = 0; i < n; ++i) {
                const double difference = (plus[i] - minus[i]) / (2 * h);
                double rowScale = 0;
                for (std::size_t c = 0; c < n; ++c)
                    rowScale = std::max(rowScale, std::fabs(J[i + c * n]));
                EXPECT_NEAR(J[i + j * n], difference,
                            1e-6 * std::fabs(difference) + 1e-8 * rowScale)
                    << "mode " << mode << " row " << i << " column " << j;
            }
        }
    }
}

// The sparse Newton matrix holds the dense one without the constant-pressure rank-one part,
// entry for entry, and its pattern misses no entry that can be non-zero.
TEST(Jacobian, SparseMatrixMatchesTheDenseOne) {
    for (int mode = 0; mode < 4; ++mode) {
        const SolverInput input = everyKind(mode);
        Kinetics kinetics(input);
        Reactor reactor(input, kinetics);
        SparseJacobian sparse(reactor, kinetics, true);
        const std::size_t n = static_cast<std::size_t>(reactor.size());
        std::vector<double> dense(n * n), values(sparse.nonZeros());
        const std::vector<double>& y = reactor.initialState();
        reactor.jacobian(y.data(), dense.data(), false);
        sparse.fill(y.data(), values.data());
        std::vector<double> fromSparse(n * n, 0.0);
        for (std::size_t j = 0; j < n; ++j)
            for (int p = sparse.columnStarts()[j]; p < sparse.columnStarts()[j + 1]; ++p)
                fromSparse[static_cast<std::size_t>(
                               sparse.rowIndices()[static_cast<std::size_t>(p)]) +
                           j * n] = values[static_cast<std::size_t>(p)];
        for (std::size_t e = 0; e < n * n; ++e)
            EXPECT_NEAR(fromSparse[e], dense[e], 1e-12 * std::fabs(dense[e]) + 1e-300)
                << "mode " << mode << " row " << e % n << " column " << e / n;
        // Without the [M] rows the Newton matrix keeps every other entry as it is.
        SparseJacobian newton(reactor, kinetics);
        std::vector<double> newtonValues(newton.nonZeros());
        newton.fill(y.data(), newtonValues.data());
        EXPECT_LT(newton.nonZeros(), sparse.nonZeros());
        for (std::size_t j = 0; j < n; ++j)
            for (int p = newton.columnStarts()[j]; p < newton.columnStarts()[j + 1]; ++p) {
                const std::size_t row =
                    static_cast<std::size_t>(newton.rowIndices()[static_cast<std::size_t>(p)]);
                // Every species but AR (state row 1) meets [M] here; the temperature row and
                // column gather all entries and must not change.
                const bool colliderRow = j > 0 && row >= 2;
                if (!colliderRow) {
                    EXPECT_NEAR(newtonValues[static_cast<std::size_t>(p)], fromSparse[row + j * n],
                                1e-12 * std::fabs(fromSparse[row + j * n]) + 1e-300)
                        << "mode " << mode << " row " << row << " column " << j;
                }
            }
    }
}

} // namespace
} // namespace kinetra::engine
