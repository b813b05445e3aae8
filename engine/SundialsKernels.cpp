#include "engine/SundialsKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sunmatrix/sunmatrix_sparse.h>

namespace kinetra::engine {

namespace {

sunindextype length(N_Vector v) {
    return NV_LENGTH_S(v);
}
double* data(N_Vector v) {
    return NV_DATA_S(v);
}

void linearSum(sunrealtype a, N_Vector x, sunrealtype b, N_Vector y, N_Vector z) {
    const double *xs = data(x), *ys = data(y);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = a * xs[i] + b * ys[i];
}

void constant(sunrealtype c, N_Vector z) {
    std::fill(data(z), data(z) + length(z), c);
}

void product(N_Vector x, N_Vector y, N_Vector z) {
    const double *xs = data(x), *ys = data(y);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = xs[i] * ys[i];
}

void quotient(N_Vector x, N_Vector y, N_Vector z) {
    const double *xs = data(x), *ys = data(y);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = xs[i] / ys[i];
}

void scale(sunrealtype c, N_Vector x, N_Vector z) {
    const double* xs = data(x);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = c * xs[i];
}

void absolute(N_Vector x, N_Vector z) {
    const double* xs = data(x);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = std::fabs(xs[i]);
}

void inverse(N_Vector x, N_Vector z) {
    const double* xs = data(x);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = 1 / xs[i];
}

void addConstant(N_Vector x, sunrealtype b, N_Vector z) {
    const double* xs = data(x);
    double* zs = data(z);
    for (sunindextype i = 0, n = length(z); i < n; ++i)
        zs[i] = xs[i] + b;
}

// Four partial sums: independent additions instead of one chain through memory.
sunrealtype weightedSquareSum(N_Vector x, N_Vector w) {
    const double *xs = data(x), *ws = data(w);
    const sunindextype n = length(x);
    double s[4] = {0, 0, 0, 0};
    sunindextype i = 0;
    for (; i + 4 <= n; i += 4)
        for (int k = 0; k < 4; ++k) {
            const double p = xs[i + k] * ws[i + k];
            s[k] += p * p;
        }
    for (; i < n; ++i) {
        const double p = xs[i] * ws[i];
        s[0] += p * p;
    }
    return (s[0] + s[1]) + (s[2] + s[3]);
}

sunrealtype weightedRmsNorm(N_Vector x, N_Vector w) {
    return std::sqrt(weightedSquareSum(x, w) / static_cast<double>(length(x)));
}

sunrealtype maximumNorm(N_Vector x) {
    const double* xs = data(x);
    double m = 0;
    for (sunindextype i = 0, n = length(x); i < n; ++i)
        m = std::max(m, std::fabs(xs[i]));
    return m;
}

sunrealtype minimum(N_Vector x) {
    const double* xs = data(x);
    double m = xs[0];
    for (sunindextype i = 1, n = length(x); i < n; ++i)
        m = std::min(m, xs[i]);
    return m;
}

// z = sum c_k X_k, accumulated in the order of k (z may be X_0).
int linearCombination(int count, sunrealtype* c, N_Vector* x, N_Vector z) {
    double* zs = data(z);
    const sunindextype n = length(z);
    const double* x0 = data(x[0]);
    for (sunindextype i = 0; i < n; ++i)
        zs[i] = c[0] * x0[i];
    for (int k = 1; k < count; ++k) {
        const double* xk = data(x[k]);
        for (sunindextype i = 0; i < n; ++i)
            zs[i] += c[k] * xk[i];
    }
    return 0;
}

// Z_k = c_k x + Y_k.
int scaleAddMulti(int count, sunrealtype* c, N_Vector x, N_Vector* y, N_Vector* z) {
    const double* xs = data(x);
    const sunindextype n = length(x);
    for (int k = 0; k < count; ++k) {
        const double* ys = data(y[k]);
        double* zs = data(z[k]);
        for (sunindextype i = 0; i < n; ++i)
            zs[i] = c[k] * xs[i] + ys[i];
    }
    return 0;
}

// The matrices all share one pattern; the library's own routines take any other.
using MatrixCopy = int (*)(SUNMatrix, SUNMatrix);
using MatrixScaleAddIdentity = int (*)(sunrealtype, SUNMatrix);

bool compressedColumns(SUNMatrix a) {
    return SUNMatGetID(a) == SUNMATRIX_SPARSE && SM_SPARSETYPE_S(a) == CSC_MAT;
}

int zeroValues(SUNMatrix a) {
    const sunindextype nnz = SM_NNZ_S(a);
    std::fill(SM_DATA_S(a), SM_DATA_S(a) + nnz, 0.0);
    std::fill(SM_INDEXVALS_S(a), SM_INDEXVALS_S(a) + nnz, 0);
    std::fill(SM_INDEXPTRS_S(a), SM_INDEXPTRS_S(a) + SM_NP_S(a) + 1, 0);
    return 0;
}

// B = A, pattern and values, when B has room; otherwise the library (which reallocates).
int copyMatrix(SUNMatrix a, SUNMatrix b) {
    if (!compressedColumns(a) || !compressedColumns(b) || SM_NP_S(a) != SM_NP_S(b))
        return SUNMatCopy_Sparse(a, b);
    const sunindextype used = SM_INDEXPTRS_S(a)[SM_NP_S(a)];
    if (used > SM_NNZ_S(b))
        return SUNMatCopy_Sparse(a, b);
    std::fill(SM_DATA_S(b), SM_DATA_S(b) + SM_NNZ_S(b), 0.0);
    std::memcpy(SM_DATA_S(b), SM_DATA_S(a), sizeof(double) * static_cast<std::size_t>(used));
    std::memcpy(SM_INDEXVALS_S(b), SM_INDEXVALS_S(a),
                sizeof(sunindextype) * static_cast<std::size_t>(used));
    std::memcpy(SM_INDEXPTRS_S(b), SM_INDEXPTRS_S(a),
                sizeof(sunindextype) * static_cast<std::size_t>(SM_NP_S(a) + 1));
    return 0;
}

// A = c A + I in place when every diagonal entry is in the pattern; otherwise the library
// (which grows the pattern).
int scaleAddIdentity(sunrealtype c, SUNMatrix a) {
    if (!compressedColumns(a) || SM_ROWS_S(a) != SM_COLUMNS_S(a))
        return SUNMatScaleAddI_Sparse(c, a);
    const sunindextype columns = SM_NP_S(a);
    const sunindextype* starts = SM_INDEXPTRS_S(a);
    const sunindextype* rows = SM_INDEXVALS_S(a);
    for (sunindextype j = 0; j < columns; ++j)
        if (std::find(rows + starts[j], rows + starts[j + 1], j) == rows + starts[j + 1])
            return SUNMatScaleAddI_Sparse(c, a);
    double* values = SM_DATA_S(a);
    for (sunindextype p = 0; p < starts[columns]; ++p)
        values[p] *= c;
    for (sunindextype j = 0; j < columns; ++j)
        for (sunindextype p = starts[j]; p < starts[j + 1]; ++p)
            if (rows[p] == j)
                values[p] += 1;
    return 0;
}

SUNMatrix cloneMatrix(SUNMatrix a) {
    SUNMatrix b = SUNMatClone_Sparse(a);
    if (b)
        useCompiledSparseOperations(b);
    return b;
}

} // namespace

void useCompiledVectorOperations(N_Vector v) {
    N_Vector_Ops ops = v->ops;
    ops->nvlinearsum = linearSum;
    ops->nvconst = constant;
    ops->nvprod = product;
    ops->nvdiv = quotient;
    ops->nvscale = scale;
    ops->nvabs = absolute;
    ops->nvinv = inverse;
    ops->nvaddconst = addConstant;
    ops->nvwrmsnorm = weightedRmsNorm;
    ops->nvwsqrsumlocal = weightedSquareSum;
    ops->nvmaxnorm = maximumNorm;
    ops->nvmaxnormlocal = maximumNorm;
    ops->nvmin = minimum;
    ops->nvminlocal = minimum;
    ops->nvlinearcombination = linearCombination;
    ops->nvscaleaddmulti = scaleAddMulti;
}

void useCompiledSparseOperations(SUNMatrix a) {
    a->ops->zero = zeroValues;
    a->ops->copy = copyMatrix;
    a->ops->scaleaddi = scaleAddIdentity;
    a->ops->clone = cloneMatrix; // CVODE's saved Jacobian is a clone
}

} // namespace kinetra::engine
