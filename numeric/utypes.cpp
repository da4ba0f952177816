#include "numeric/utypes.h"

#include <cstddef>

namespace orthavion {

namespace {
// The kernel's error code, one per thread so that decompositions on two
// threads do not read each other's; changed only through SetErrCode.
thread_local std::int32_t gErrCode = 0;
}  // namespace

void SetErrCode(std::int32_t ErrCode) { gErrCode = ErrCode; }

std::int32_t MathErr() { return gErrCode; }

// A 32-bit bound cannot exceed MaxSize, so a negative bound is the only one
// that empties an array.
void DimVector(TVector& V, std::int32_t Ub) {
  if (Ub < 0) {
    TVector().swap(V);
    return;
  }
  V.resize(static_cast<std::size_t>(Ub) + 1, 0.0);
}

void DimMatrix(TMatrix& A, std::int32_t Ub1, std::int32_t Ub2) {
  if (Ub1 < 0 || Ub2 < 0) {
    TMatrix().swap(A);
    return;
  }
  A.resize(static_cast<std::size_t>(Ub1) + 1);
  for (TVector& Row : A) DimVector(Row, Ub2);
}

}  // namespace orthavion
