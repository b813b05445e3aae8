// Compiled replacements for the vector and sparse-matrix operations that CVODE calls on every
// step. The distribution's SUNDIALS libraries are built without optimisation: their serial
// vector and sparse matrix loops keep every partial sum in memory and took a quarter of an
// n-heptane run (docs/performance.md). The replacements compute the same quantities.
#pragma once

#include <nvector/nvector_serial.h>
#include <sundials/sundials_matrix.h>

namespace kinetra::engine {

// Replaces the operations of a serial vector; vectors cloned from it afterwards (all of
// CVODE's workspace, when done before CVodeInit) share them.
void useCompiledVectorOperations(N_Vector vector);

// Replaces zero, copy and scale-add-identity of a compressed-sparse-column matrix, and its
// clone so that clones get them too. Where a copy needs more room or the pattern lacks a
// diagonal entry, the operations fall back to the library's own.
void useCompiledSparseOperations(SUNMatrix matrix);

} // namespace kinetra::engine
