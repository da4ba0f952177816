#include "numeric/ueigsym.h"

#include "numeric/uminmax.h"
#include "numeric/usvd.h"

namespace orthavion {

void EigenSym(TMatrix& A, std::int32_t Lb, std::int32_t Ub, TVector& Lambda, TMatrix& V) {
  // For a symmetric A the singular values are the magnitudes of the
  // eigenvalues and the right singular vectors are eigenvectors. The matrix
  // is square, so the dimension error cannot arise.
  SV_Decomp(A, Lb, Ub, Ub, Lambda, V);
  if (MathErr() != MatOk) return;

  // Selection sort, descending. A later value displaces the current choice
  // only when strictly larger, so among equal values the first one found is
  // taken; each value takes its column of V along.
  for (std::int32_t I = Lb; I < Ub; ++I) {
    std::int32_t K = I;
    double R = Lambda[I];
    for (std::int32_t J = I + 1; J <= Ub; ++J) {
      if (!(R >= Lambda[J])) {
        K = J;
        R = Lambda[J];
      }
    }
    FSwap(Lambda[I], Lambda[K]);
    for (std::int32_t J = Lb; J <= Ub; ++J) FSwap(V[J][I], V[J][K]);
  }

  // Fix the sign of each vector by its first element. A comparison, not a
  // sign-bit test: a first element of -0.0 leaves the column as it is.
  for (std::int32_t J = Lb; J <= Ub; ++J) {
    if (!(V[Lb][J] >= 0.0)) {
      for (std::int32_t I = Lb; I <= Ub; ++I) V[I][J] = -V[I][J];
    }
  }
}

}  // namespace orthavion
