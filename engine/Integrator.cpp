#include "engine/Integrator.h"

#include <cmath>
#include <cstdlib>
#include <cvode/cvode.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>

namespace kinetra::engine {

struct Integrator::Sundials {
    SUNContext context = nullptr;
    N_Vector y = nullptr;
    SUNMatrix matrix = nullptr;
    SUNLinearSolver linear = nullptr;
    void* cvode = nullptr;

    ~Sundials() {
        if (cvode)
            CVodeFree(&cvode);
        if (linear)
            SUNLinSolFree(linear);
        if (matrix)
            SUNMatDestroy(matrix);
        if (y)
            N_VDestroy(y);
        if (context)
            SUNContext_Free(&context);
    }
};

namespace {

int rightHandSide(sunrealtype, N_Vector y, N_Vector ydot, void* data) {
    auto* reactor = static_cast<Reactor*>(data);
    const double* state = N_VGetArrayPointer(y);
    if (!(state[0] > 0) || !std::isfinite(state[0]))
        return 1; // recoverable: CVODE retries with a smaller step
    double* out = N_VGetArrayPointer(ydot);
    reactor->rightHandSide(state, out);
    for (int i = 0; i < reactor->size(); ++i)
        if (!std::isfinite(out[i]))
            return 1;
    return 0;
}

int denseJacobian(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector,
                  N_Vector) {
    auto* reactor = static_cast<Reactor*>(data);
    const double* state = N_VGetArrayPointer(y);
    if (!(state[0] > 0) || !std::isfinite(state[0]))
        return 1;
    reactor->jacobian(state, SUNDenseMatrix_Data(J));
    return 0;
}

} // namespace

Integrator::Integrator(Reactor& reactor, const RunParameters& p)
    : s_(std::make_unique<Sundials>()), reactor_(reactor), finalTime_(p.finalTime),
      time_(p.initialTime) {
    const sunindextype n = reactor.size();
    auto fail = [&](const char* what) {
        error_ = std::string("integrator set-up failed: ") + what;
    };
    if (SUNContext_Create(nullptr, &s_->context) != 0) {
        fail("SUNContext_Create");
        return;
    }
    s_->y = N_VNew_Serial(n, s_->context);
    double* y = N_VGetArrayPointer(s_->y);
    for (sunindextype i = 0; i < n; ++i)
        y[i] = reactor.initialState()[static_cast<std::size_t>(i)];
    s_->cvode = CVodeCreate(CV_BDF, s_->context);
    if (!s_->cvode || CVodeInit(s_->cvode, rightHandSide, p.initialTime, s_->y) != CV_SUCCESS) {
        fail("CVodeInit");
        return;
    }
    CVodeSetUserData(s_->cvode, &reactor_);
    CVodeSStolerances(s_->cvode, p.relativeTolerance, p.absoluteTolerance);
    s_->matrix = SUNDenseMatrix(n, n, s_->context);
    s_->linear = SUNLinSol_Dense(s_->y, s_->matrix, s_->context);
    if (CVodeSetLinearSolver(s_->cvode, s_->linear, s_->matrix) != CV_SUCCESS) {
        fail("CVodeSetLinearSolver");
        return;
    }
    CVodeSetJacFn(s_->cvode, denseJacobian);
    CVodeSetInitStep(s_->cvode, p.initialStep);
    CVodeSetStopTime(s_->cvode, p.finalTime);
    // The step limit is the caller's: CVODE may take as many internal steps as one call needs.
    CVodeSetMaxNumSteps(s_->cvode, -1);
    CVodeSetMaxErrTestFails(s_->cvode, 20);
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
    return true;
}

const double* Integrator::state() const {
    return N_VGetArrayPointer(s_->y);
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
    CVodeGetNumLinRhsEvals(s_->cvode, &rhsJac);
    st.jacobianEvaluations = jac;
    st.rhsEvaluations += rhsJac;
    CVodeGetNumLinSolvSetups(s_->cvode, &value);
    st.factorizations = value;
    return st;
}

} // namespace kinetra::engine
