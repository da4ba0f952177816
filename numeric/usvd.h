#pragma once
#include <cstdint>

#include "numeric/utypes.h"

namespace orthavion {

/// Singular value decomposition A = U * diag(S) * V^T of the matrix in rows
/// Lb..Ub1 and columns Lb..Ub2 of A, which must have at least as many rows as
/// columns (Golub-Reinsch: Householder bidiagonalisation, then implicitly
/// shifted QR steps).
///
/// On success A holds U (column J is the left singular vector of S[J]),
/// S[Lb..Ub2] the singular values, each >= 0, unsorted, and V[Lb..Ub2][Lb..Ub2]
/// the orthogonal V (column J is the right singular vector of S[J]); the
/// error code is MatOk. With Ub2 > Ub1 the error code is MatErrDim and
/// nothing else happens. When a singular value needs more than 30 QR steps
/// the error code is MatNonConv and A, S and V hold the intermediate state.
///
/// S and V are not read. The caller sizes A to at least Ub1+1 rows of Ub2+1
/// elements, S to Ub2+1 elements and V to Ub2+1 rows of Ub2+1 elements;
/// nothing with an index below Lb is read or written.
void SV_Decomp(TMatrix& A, std::int32_t Lb, std::int32_t Ub1, std::int32_t Ub2, TVector& S,
               TMatrix& V);

}  // namespace orthavion
