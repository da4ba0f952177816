#pragma once
#include <array>
#include <cmath>
#include <cstddef>

namespace orthavion {

/// A square matrix of doubles of at most N rows, indexed [row][column] from 0.
template <std::size_t N>
using SquareMatrix = std::array<std::array<double, N>, N>;

/// The inverse of the leading u × u block (u ≤ N) of the symmetric positive
/// definite matrix A, by its Cholesky factor A = L·Lᵀ and one forward and
/// one back substitution per column; the rest of the result is zero. Only
/// the lower triangle of A is read. A matrix that is not positive definite
/// takes the root of a negative number or divides by zero, which raises the
/// floating-point flags of the calling thread; `stored` sees each element of
/// the factor L as it is computed and returns the value to keep, so a caller
/// can stop at the first faulty element (the kernel itself checks nothing).
template <std::size_t N, typename Stored>
SquareMatrix<N> CholeskyInverse(const SquareMatrix<N>& A, std::size_t u, Stored stored) {
  SquareMatrix<N> L{};
  for (std::size_t j = 0; j < u; ++j) {
    double d = A[j][j];
    for (std::size_t k = 0; k < j; ++k) d -= L[j][k] * L[j][k];
    L[j][j] = stored(std::sqrt(d));
    for (std::size_t i = j + 1; i < u; ++i) {
      double e = A[i][j];
      for (std::size_t k = 0; k < j; ++k) e -= L[i][k] * L[j][k];
      L[i][j] = stored(e / L[j][j]);
    }
  }
  SquareMatrix<N> Q{};
  for (std::size_t c = 0; c < u; ++c) {
    std::array<double, N> y{};  // L·y = e_c, then Lᵀ·x = y
    for (std::size_t i = 0; i < u; ++i) {
      double sum = i == c ? 1.0 : 0.0;
      for (std::size_t k = 0; k < i; ++k) sum -= L[i][k] * y[k];
      y[i] = sum / L[i][i];
    }
    for (std::size_t i = u; i-- > 0;) {
      double sum = y[i];
      for (std::size_t k = i + 1; k < u; ++k) sum -= L[k][i] * Q[k][c];
      Q[i][c] = sum / L[i][i];
    }
  }
  return Q;
}

}  // namespace orthavion
