#include "engine/Integrator.h"

#include "engine/KluPreconditioner.h"
#include "engine/SparseJacobian.h"
#include "engine/SundialsKernels.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cvode/cvode.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunlinsol/sunlinsol_klu.h>
#include <sunlinsol/sunlinsol_spgmr.h>
#include <sunmatrix/sunmatrix_dense.h>
#include <sunmatrix/sunmatrix_sparse.h>
#include <vector>

namespace kinetra::engine {

struct Integrator::Sundials {
    SUNContext context = nullptr;
    N_Vector y = nullptr;
    N_Vector slope = nullptr;
    SUNMatrix matrix = nullptr;
    SUNLinearSolver linear = nullptr;
    void* cvode = nullptr;
    Reactor* reactor = nullptr;
    double rhsSeconds = 0, jacobianSeconds = 0; // wall time inside the two callbacks
    // CVODE integrates theta = T / scale (the initial temperature) in place of T: with T in
    // kelvin beside mass fractions the Newton matrix looked ill-conditioned to KLU's estimate,
    // which then refactored with pivoting far more often. The relative error control is the
    // same for T and theta.
    double temperatureScale = 1;
    std::vector<double> physical; // the state in reactor units, for the callbacks
    std::vector<double> reached;  // the last accepted state in reactor units

    // The reactor state of CVODE's vector y, in `physical`.
    const double* toPhysical(N_Vector y) {
        const double* z = N_VGetArrayPointer(y);
        std::copy(z, z + physical.size(), physical.begin());
        physical[0] *= temperatureScale;
        return physical.data();
    }
    std::unique_ptr<SparseJacobian> sparse;
    std::unique_ptr<KluPreconditioner> preconditioner;
    std::vector<double> corrections; // SparseJacobian::leftOutCorrections of the saved Jacobian

    ~Sundials() {
        if (cvode)
            CVodeFree(&cvode);
        if (linear)
            SUNLinSolFree(linear);
        if (matrix)
            SUNMatDestroy(matrix);
        if (y)
            N_VDestroy(y);
        if (slope)
            N_VDestroy(slope);
        if (context)
            SUNContext_Free(&context);
    }
};

namespace {

// Adds the wall time of its scope to a counter: the summary's share of rates and Jacobian.
class ScopeTimer {
public:
    explicit ScopeTimer(double& total) : total_(total), start_(std::chrono::steady_clock::now()) {}
    ~ScopeTimer() {
        total_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    ScopeTimer(const ScopeTimer&) = delete;
    ScopeTimer& operator=(const ScopeTimer&) = delete;

private:
    double& total_;
    std::chrono::steady_clock::time_point start_;
};

int rightHandSide(sunrealtype, N_Vector y, N_Vector ydot, void* data) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    ScopeTimer timer(s->rhsSeconds);
    Reactor* reactor = s->reactor;
    const double* state = s->toPhysical(y);
    if (!(state[0] > 0) || !std::isfinite(state[0]))
        return 1; // recoverable: CVODE retries with a smaller step
    double* out = N_VGetArrayPointer(ydot);
    reactor->rightHandSide(state, out);
    out[0] /= s->temperatureScale;
    for (int i = 0; i < reactor->size(); ++i)
        if (!std::isfinite(out[i]))
            return 1;
    return 0;
}

int denseJacobian(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector,
                  N_Vector) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    ScopeTimer timer(s->jacobianSeconds);
    Reactor* reactor = s->reactor;
    const double* state = s->toPhysical(y);
    if (!(state[0] > 0) || !std::isfinite(state[0]))
        return 1;
    double* values = SUNDenseMatrix_Data(J);
    reactor->jacobian(state, values);
    const std::size_t n = s->physical.size();
    for (std::size_t i = 1; i < n; ++i) {
        values[i] *= s->temperatureScale;     // d(dY/dt)/d theta
        values[i * n] /= s->temperatureScale; // d(d theta/dt)/dY
    }
    return 0;
}

// The Jacobian of theta = T / scale from the one of T: the temperature column times the scale,
// the temperature row over it (the diagonal entry stays).
void scaleTemperature(const SparseJacobian& sparse, double scale, double* values) {
    const auto& column = sparse.temperatureColumnPositions();
    const auto& row = sparse.temperatureRowPositions();
    for (std::size_t i = 1; i < column.size(); ++i) {
        values[column[i]] *= scale;
        values[row[i]] /= scale;
    }
}

int sparseJacobian(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector,
                   N_Vector) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    ScopeTimer timer(s->jacobianSeconds);
    SparseJacobian& sparse = *s->sparse;
    const double* state = s->toPhysical(y);
    if (!(state[0] > 0) || !std::isfinite(state[0]))
        return 1;
    sunindextype* starts = SUNSparseMatrix_IndexPointers(J);
    sunindextype* rows = SUNSparseMatrix_IndexValues(J);
    const auto& patternStarts = sparse.columnStarts();
    const auto& patternRows = sparse.rowIndices();
    std::copy(patternStarts.begin(), patternStarts.end(), starts);
    std::copy(patternRows.begin(), patternRows.end(), rows);
    double* values = SUNSparseMatrix_Data(J);
    sparse.fill(state, values);
    scaleTemperature(sparse, s->temperatureScale, values);
    return 0;
}

int preconditionerSetup(sunrealtype, N_Vector y, N_Vector, sunbooleantype jacobianCurrent,
                        sunbooleantype* jacobianUpdated, sunrealtype gamma, void* data) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    ScopeTimer timer(s->jacobianSeconds);
    if (!jacobianCurrent) {
        const double* state = s->toPhysical(y);
        if (!(state[0] > 0) || !std::isfinite(state[0]))
            return 1;
        s->sparse->fill(state, s->preconditioner->jacobian().data());
        scaleTemperature(*s->sparse, s->temperatureScale, s->preconditioner->jacobian().data());
        s->sparse->leftOutCorrections(s->corrections.data());
        *jacobianUpdated = SUNTRUE;
    } else {
        *jacobianUpdated = SUNFALSE;
    }
    return s->preconditioner->factor(gamma) ? 0 : 1;
}

// J v with the Jacobian of the last preconditioner set-up, the parts the Newton matrix leaves
// out included: GMRES then solves the exact (lagged) Newton system.
int jacobianTimes(N_Vector v, N_Vector jv, sunrealtype, N_Vector, N_Vector, void* data, N_Vector) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    const double* in = N_VGetArrayPointer(v);
    double* out = N_VGetArrayPointer(jv);
    s->preconditioner->multiply(in, out);
    const auto& w = s->reactor->kinetics().molecularWeights();
    double sum = 0;
    for (std::size_t l = 0; l < w.size(); ++l)
        sum += in[l + 1] / w[l];
    for (std::size_t k = 0; k < w.size(); ++k)
        out[k + 1] += s->corrections[k] * sum;
    return 0;
}

int preconditionerSolve(sunrealtype, N_Vector, N_Vector, N_Vector r, N_Vector z, sunrealtype,
                        sunrealtype, int, void* data) {
    auto* s = static_cast<Integrator::Sundials*>(data);
    N_VScale(1.0, r, z);
    return s->preconditioner->solve(N_VGetArrayPointer(z)) ? 0 : 1;
}

constexpr int kAmdOrdering = 0;
constexpr double kNewtonConvergence = 0.02;

} // namespace

Integrator::Integrator(Reactor& reactor, Kinetics& kinetics, const RunParameters& p,
                       LinearAlgebra linearAlgebra)
    : s_(std::make_unique<Sundials>()), reactor_(reactor), finalTime_(p.finalTime),
      time_(p.initialTime) {
    s_->reactor = &reactor;
    const bool krylov = linearAlgebra == LinearAlgebra::Krylov;
    const bool sparse = krylov || linearAlgebra == LinearAlgebra::Sparse ||
                        (linearAlgebra == LinearAlgebra::Automatic &&
                         kinetics.speciesCount() >= kSparseFromSpecies);
    const sunindextype n = reactor.size();
    auto fail = [&](const char* what) {
        error_ = std::string("integrator set-up failed: ") + what;
    };
    if (SUNContext_Create(nullptr, &s_->context) != 0) {
        fail("SUNContext_Create");
        return;
    }
    s_->y = N_VNew_Serial(n, s_->context);
    s_->slope = N_VNew_Serial(n, s_->context);
    // Before CVodeInit clones its workspace from y; the slope is CVodeGetDky's output.
    for (N_Vector v : {s_->y, s_->slope})
        if (v)
            useCompiledVectorOperations(v);
    s_->temperatureScale = reactor.initialState()[0];
    s_->physical.assign(static_cast<std::size_t>(n), 0);
    s_->reached = reactor.initialState();
    double* y = N_VGetArrayPointer(s_->y);
    for (sunindextype i = 0; i < n; ++i)
        y[i] = reactor.initialState()[static_cast<std::size_t>(i)];
    y[0] /= s_->temperatureScale;
    s_->cvode = CVodeCreate(CV_BDF, s_->context);
    if (!s_->cvode || CVodeInit(s_->cvode, rightHandSide, p.initialTime, s_->y) != CV_SUCCESS) {
        fail("CVodeInit");
        return;
    }
    CVodeSetUserData(s_->cvode, s_.get());
    CVodeSStolerances(s_->cvode, p.relativeTolerance, p.absoluteTolerance);
    if (krylov) {
        s_->sparse = std::make_unique<SparseJacobian>(reactor, kinetics);
        s_->preconditioner = std::make_unique<KluPreconditioner>(s_->sparse->columnStarts(),
                                                                 s_->sparse->rowIndices());
        s_->linear = SUNLinSol_SPGMR(s_->y, SUN_PREC_LEFT, 0, s_->context);
        s_->corrections.assign(static_cast<std::size_t>(kinetics.speciesCount()), 0);
    } else if (sparse) {
        s_->sparse = std::make_unique<SparseJacobian>(reactor, kinetics);
        s_->matrix = SUNSparseMatrix(n, n, static_cast<sunindextype>(s_->sparse->nonZeros()),
                                     CSC_MAT, s_->context);
        if (s_->matrix)
            useCompiledSparseOperations(s_->matrix);
        s_->linear = SUNLinSol_KLU(s_->y, s_->matrix, s_->context);
        // AMD ordering: measured 2.5 times faster than the default COLAMD on n-heptane (628
        // species) when the Newton matrix held the full [M] rows, 5 times without them, and 11
        // times on C3Mech (docs/performance.md).
        SUNLinSol_KLUSetOrdering(s_->linear, kAmdOrdering);
    } else {
        s_->matrix = SUNDenseMatrix(n, n, s_->context);
        s_->linear = SUNLinSol_Dense(s_->y, s_->matrix, s_->context);
    }
    if ((!krylov && !s_->matrix) || !s_->linear ||
        CVodeSetLinearSolver(s_->cvode, s_->linear, s_->matrix) != CV_SUCCESS) {
        fail("CVodeSetLinearSolver");
        return;
    }
    if (krylov) {
        CVodeSetPreconditioner(s_->cvode, preconditionerSetup, preconditionerSolve);
        CVodeSetJacTimes(s_->cvode, nullptr, jacobianTimes);
    } else
        CVodeSetJacFn(s_->cvode, sparse ? sparseJacobian : denseJacobian);
    CVodeSetInitStep(s_->cvode, p.initialStep);
    CVodeSetStopTime(s_->cvode, p.finalTime);
    // The step limit is the caller's: CVODE may take as many internal steps as one call needs.
    CVodeSetMaxNumSteps(s_->cvode, -1);
    CVodeSetMaxErrTestFails(s_->cvode, 20);
    // A Newton iteration converged five times tighter than CVODE's default (0.1): the Newton
    // matrix leaves out the [M] rows, and a loose iteration let that show up as failed error
    // tests and small steps. Measured: n-heptane 2153 to 1263 steps and 0.54 to 0.26 s, GRI
    // 0.040 to 0.021 s (docs/performance.md).
    CVodeSetNonlinConvCoef(s_->cvode, kNewtonConvergence);
    CVodeSetMaxConvFails(s_->cvode, 50);
    CVodeSetErrHandlerFn(
        s_->cvode, [](int, const char*, const char*, char*, void*) {}, nullptr);
}

Integrator::~Integrator() = default;

bool Integrator::step() {
    double reached = time_;
    const int flag = CVode(s_->cvode, finalTime_, s_->y, &reached, CV_ONE_STEP);
    if (flag < 0) {
        char* name = CVodeGetReturnFlagName(flag); // allocated by CVODE
        error_ = std::string("integrator failure ") + (name ? name : "?");
        free(name);
        return false;
    }
    time_ = reached;
    const double* z = N_VGetArrayPointer(s_->y);
    std::copy(z, z + s_->reached.size(), s_->reached.begin());
    s_->reached[0] *= s_->temperatureScale;
    return true;
}

const double* Integrator::state() const {
    return s_->reached.data();
}

double Integrator::temperatureSlope() const {
    if (CVodeGetDky(s_->cvode, time_, 1, s_->slope) != CV_SUCCESS)
        return 0;
    return N_VGetArrayPointer(s_->slope)[0] * s_->temperatureScale;
}

std::size_t Integrator::matrixEntries() const {
    const std::size_t n = static_cast<std::size_t>(reactor_.size());
    return s_->sparse ? s_->sparse->nonZeros() : n * n;
}

bool Integrator::sparse() const {
    return s_->sparse != nullptr;
}

IntegratorStatistics Integrator::statistics() const {
    IntegratorStatistics st;
    long value = 0;
    CVodeGetNumSteps(s_->cvode, &value);
    st.steps = value;
    CVodeGetNumRhsEvals(s_->cvode, &value);
    st.rhsEvaluations = value;
    long jac = 0, rhsJac = 0;
    CVodeGetNumJacEvals(s_->cvode, &jac);
    if (s_->preconditioner) {
        long preconditionerJacobians = 0;
        CVodeGetNumPrecEvals(s_->cvode, &preconditionerJacobians);
        jac += preconditionerJacobians;
    }
    CVodeGetNumLinRhsEvals(s_->cvode, &rhsJac);
    st.jacobianEvaluations = jac;
    st.rhsEvaluations += rhsJac;
    CVodeGetNumLinSolvSetups(s_->cvode, &value);
    st.factorizations = value;
    st.rhsSeconds = s_->rhsSeconds;
    st.jacobianSeconds = s_->jacobianSeconds;
    return st;
}

} // namespace kinetra::engine
