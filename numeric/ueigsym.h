#pragma once
#include <cstdint>

#include "numeric/utypes.h"

namespace orthavion {

/// Eigensystem of the symmetric matrix in rows and columns Lb..Ub of A, by
/// way of its singular value decomposition.
///
/// On success (error code MatOk) Lambda[Lb..Ub] holds the magnitudes |lambda|
/// of the eigenvalues sorted descending, and column J of V (V[Lb..Ub][J]) is
/// a unit eigenvector for +Lambda[J] or -Lambda[J], with V[Lb][J] >= 0
/// unless the decomposition left it at exactly zero (then its sign stays).
/// The signs of the eigenvalues are lost; for values of equal magnitude the
/// columns span the right space but need not be eigenvectors one by one.
/// A is overwritten with the unsorted left singular vectors. When the
/// decomposition does not converge the error code is MatNonConv and Lambda
/// and V hold its intermediate state, unsorted.
///
/// Symmetry is not checked. The caller sizes A and V to at least Ub+1 rows of
/// Ub+1 elements and Lambda to Ub+1 elements; nothing below Lb is touched.
void EigenSym(TMatrix& A, std::int32_t Lb, std::int32_t Ub, TVector& Lambda, TMatrix& V);

}  // namespace orthavion
