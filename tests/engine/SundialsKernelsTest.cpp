#include "engine/SundialsKernels.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <sundials/sundials_context.h>
#include <sunmatrix/sunmatrix_sparse.h>
#include <vector>

namespace kinetra::engine {
namespace {

// Each compiled operation gives what the library's own gives on the same data: a vector with
// the library's operations beside one with the compiled ones (and its clones).
class SundialsKernels : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SUNContext_Create(nullptr, &context_), 0); }
    void TearDown() override {
        for (N_Vector v : vectors_)
            N_VDestroy(v);
        SUNContext_Free(&context_);
    }

    // A pair of vectors with the same random contents: library, compiled.
    std::pair<N_Vector, N_Vector> pair(sunindextype n, double low = -2, double high = 3) {
        N_Vector library = N_VNew_Serial(n, context_);
        N_Vector compiled = N_VNew_Serial(n, context_);
        useCompiledVectorOperations(compiled);
        N_Vector clone = N_VClone(compiled); // clones carry the compiled operations
        std::uniform_real_distribution<double> value(low, high);
        for (sunindextype i = 0; i < n; ++i)
            NV_Ith_S(library, i) = NV_Ith_S(clone, i) = value(random_);
        N_VDestroy(compiled);
        vectors_.push_back(library);
        vectors_.push_back(clone);
        return {library, clone};
    }

    static void expectSame(N_Vector a, N_Vector b, const char* what) {
        for (sunindextype i = 0; i < NV_LENGTH_S(a); ++i)
            ASSERT_EQ(NV_Ith_S(a, i), NV_Ith_S(b, i)) << what << " at " << i;
    }

    SUNContext context_ = nullptr;
    std::mt19937 random_{5};
    std::vector<N_Vector> vectors_;
};

TEST_F(SundialsKernels, VectorOperationsAgreeWithTheLibrary) {
    for (sunindextype n : {1, 3, 4, 7, 629}) {
        auto [x, cx] = pair(n);
        auto [y, cy] = pair(n, 0.5, 4); // no zeros: y divides
        auto [z, cz] = pair(n);
        ASSERT_NE(cx->ops->nvlinearsum, x->ops->nvlinearsum);
        for (const auto& [a, b] :
             std::vector<std::pair<double, double>>{{1, 1}, {1, -1}, {2.5, -0.3}}) {
            N_VLinearSum(a, x, b, y, z);
            N_VLinearSum(a, cx, b, cy, cz);
            expectSame(z, cz, "linear sum");
        }
        N_VProd(x, y, z), N_VProd(cx, cy, cz), expectSame(z, cz, "product");
        N_VDiv(x, y, z), N_VDiv(cx, cy, cz), expectSame(z, cz, "quotient");
        N_VScale(-1.5, x, z), N_VScale(-1.5, cx, cz), expectSame(z, cz, "scale");
        N_VAbs(x, z), N_VAbs(cx, cz), expectSame(z, cz, "abs");
        N_VInv(y, z), N_VInv(cy, cz), expectSame(z, cz, "inverse");
        N_VAddConst(x, 0.25, z), N_VAddConst(cx, 0.25, cz), expectSame(z, cz, "add constant");
        N_VConst(7, z), N_VConst(7, cz), expectSame(z, cz, "constant");
        EXPECT_EQ(N_VMaxNorm(x), N_VMaxNorm(cx));
        EXPECT_EQ(N_VMin(x), N_VMin(cx));
        // The norm sums in four partial sums: the same to rounding.
        EXPECT_NEAR(N_VWrmsNorm(x, y), N_VWrmsNorm(cx, cy), 1e-14 * N_VWrmsNorm(x, y));

        auto [v, cv] = pair(n);
        double c[] = {0.5, -2, 3};
        N_Vector xs[] = {x, y, v}, cxs[] = {cx, cy, cv};
        N_VLinearCombination(3, c, xs, z), N_VLinearCombination(3, c, cxs, cz);
        expectSame(z, cz, "linear combination");
        N_VLinearCombination(3, c, xs, x), N_VLinearCombination(3, c, cxs, cx); // into X_0
        expectSame(x, cx, "linear combination in place");
        N_Vector ys[] = {y, v}, cys[] = {cy, cv}, zs[] = {z, v}, czs[] = {cz, cv};
        N_VScaleAddMulti(2, c, x, ys, zs), N_VScaleAddMulti(2, c, cx, cys, czs);
        expectSame(z, cz, "scale-add multi");
        expectSame(v, cv, "scale-add multi in place");
    }
}

// A compressed-column matrix with its diagonal, another without: copy, zero and add-identity
// (and their clones) agree with the library's, the missing diagonal through its own path.
TEST_F(SundialsKernels, SparseOperationsAgreeWithTheLibrary) {
    auto matrix = [&](bool diagonal) {
        // 4 x 4: column j holds rows j - 1, j (when diagonal) and 3.
        SUNMatrix a = SUNSparseMatrix(4, 4, 12, CSC_MAT, context_);
        sunindextype* starts = SUNSparseMatrix_IndexPointers(a);
        sunindextype* rows = SUNSparseMatrix_IndexValues(a);
        double* values = SUNSparseMatrix_Data(a);
        sunindextype p = 0;
        for (sunindextype j = 0; j < 4; ++j) {
            starts[j] = p;
            for (sunindextype r : {j - 1, j, sunindextype(3)})
                if (r >= 0 && (r != j || diagonal) && (p == starts[j] || rows[p - 1] < r)) {
                    rows[p] = r;
                    values[p++] = 0.5 + static_cast<double>(r + 4 * j);
                }
        }
        starts[4] = p;
        return a;
    };
    for (bool diagonal : {true, false}) {
        SUNMatrix library = matrix(diagonal), compiled = matrix(diagonal);
        useCompiledSparseOperations(compiled);
        SUNMatrix libraryCopy = SUNMatClone(library), compiledCopy = SUNMatClone(compiled);
        ASSERT_EQ(compiledCopy->ops->scaleaddi, compiled->ops->scaleaddi);
        ASSERT_EQ(SUNMatCopy(library, libraryCopy), 0);
        ASSERT_EQ(SUNMatCopy(compiled, compiledCopy), 0);
        ASSERT_EQ(SUNMatScaleAddI(-0.3, libraryCopy), 0);
        ASSERT_EQ(SUNMatScaleAddI(-0.3, compiledCopy), 0);
        auto same = [](SUNMatrix a, SUNMatrix b, const char* what) {
            const sunindextype used = SUNSparseMatrix_IndexPointers(a)[4];
            ASSERT_EQ(used, SUNSparseMatrix_IndexPointers(b)[4]) << what;
            for (sunindextype j = 0; j <= 4; ++j)
                EXPECT_EQ(SUNSparseMatrix_IndexPointers(a)[j], SUNSparseMatrix_IndexPointers(b)[j])
                    << what;
            for (sunindextype p = 0; p < used; ++p) {
                EXPECT_EQ(SUNSparseMatrix_IndexValues(a)[p], SUNSparseMatrix_IndexValues(b)[p])
                    << what << " entry " << p;
                EXPECT_EQ(SUNSparseMatrix_Data(a)[p], SUNSparseMatrix_Data(b)[p])
                    << what << " entry " << p;
            }
        };
        same(libraryCopy, compiledCopy, diagonal ? "I - 0.3 A" : "I - 0.3 A, diagonal added");
        ASSERT_EQ(SUNMatZero(library), 0);
        ASSERT_EQ(SUNMatZero(compiled), 0);
        same(library, compiled, "zero");
        for (SUNMatrix m : {library, compiled, libraryCopy, compiledCopy})
            SUNMatDestroy(m);
    }
}

} // namespace
} // namespace kinetra::engine
