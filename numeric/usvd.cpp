#include "numeric/usvd.h"

#include <cmath>

#include "numeric/uminmax.h"
#include "numeric/utrigo.h"

// Golub-Reinsch singular value decomposition in the arrangement of EISPACK's
// SVD with U and V both wanted. U is built in the storage of A. Every
// formula keeps its textbook shape and order of evaluation, since the
// protocol's digits depend on it: nothing is reassociated or simplified.
//
// All arithmetic is in doubles. No operation divides by zero or produces a
// NaN on finite input: the divisors are either checked against zero or are
// known to be non-negligible, hence non-zero, at the point of use.

namespace orthavion {

namespace {

using int32 = std::int32_t;

// QR steps allowed for one singular value before the iteration gives up.
constexpr int32 MaxQrSteps = 30;

// A value is negligible against the norm Tst1 of the bidiagonal form when
// adding its magnitude leaves Tst1 unchanged. This is the method's only
// tolerance. Tst2 is stored in a volatile double so that it is rounded to a
// double before the comparison even where the compiler would otherwise keep
// the sum in a wider register.
bool IsNegligible(double Tst1, double Value) {
  volatile double Tst2 = Tst1 + std::fabs(Value);
  return Tst2 == Tst1;
}

// Rotates columns P and Q of M in rows First..Last by the cosine C and the
// sine T: (P, Q) becomes (P * C + Q * T, -P * T + Q * C).
void RotateColumns(TMatrix& M, int32 P, int32 Q, int32 First, int32 Last, double C, double T) {
  for (int32 J = First; J <= Last; ++J) {
    const double X = M[J][P];
    const double Z = M[J][Q];
    M[J][P] = X * C + Z * T;
    M[J][Q] = -X * T + Z * C;
  }
}

// Householder reduction to upper bidiagonal form. For each I, a reflection
// from the left annihilates column I below the diagonal, and one from the
// right annihilates row I beyond the superdiagonal. The diagonal goes to S,
// the superdiagonal to R, where R[I] couples positions I-1 and I; R[Lb] is 0.
// Both reflections leave their Householder vectors in A (column I below and
// row I right of the diagonal block), and R holds the current row vector
// while it is applied; the accumulation phases build U and V from them.
// Each vector is first divided by the sum of its magnitudes, so the sum of
// squares neither overflows nor underflows destructively; the scale is
// multiplied back afterwards.
// Returns the largest column sum |S[I]| + |R[I]| of the bidiagonal form,
// the reference norm of the negligibility test.
double ReduceToBidiagonal(TMatrix& A, int32 Lb, int32 Ub1, int32 Ub2, TVector& S, TVector& R) {
  double Scale = 0.0;
  double G = 0.0;
  double X = 0.0;
  for (int32 I = Lb; I <= Ub2; ++I) {
    const int32 L = I + 1;
    // The superdiagonal element produced by the row reflection of I - 1
    // (both factors are 0 for I = Lb).
    R[I] = Scale * G;
    G = 0.0;
    double T = 0.0;
    Scale = 0.0;

    // Column reflection: zero A[I+1..Ub1][I].
    for (int32 K = I; K <= Ub1; ++K) Scale = Scale + std::fabs(A[K][I]);
    if (Scale != 0.0) {
      for (int32 K = I; K <= Ub1; ++K) {
        A[K][I] = A[K][I] / Scale;
        T = T + A[K][I] * A[K][I];
      }
      double F = A[I][I];
      // G takes the sign opposite to F so that F - G does not cancel;
      // H = F * G - T is then strictly negative.
      G = -DSgn(std::sqrt(T), F);
      const double H = F * G - T;
      A[I][I] = F - G;
      if (I != Ub2) {
        for (int32 J = L; J <= Ub2; ++J) {
          T = 0.0;
          for (int32 K = I; K <= Ub1; ++K) T = T + A[K][I] * A[K][J];
          F = T / H;
          for (int32 K = I; K <= Ub1; ++K) A[K][J] = A[K][J] + F * A[K][I];
        }
      }
      for (int32 K = I; K <= Ub1; ++K) A[K][I] = Scale * A[K][I];
    }
    S[I] = Scale * G;
    G = 0.0;
    T = 0.0;
    Scale = 0.0;

    // Row reflection: zero A[I][I+2..Ub2]. Nothing to do in the last column.
    if (I != Ub2) {
      for (int32 K = L; K <= Ub2; ++K) Scale = Scale + std::fabs(A[I][K]);
      if (Scale != 0.0) {
        for (int32 K = L; K <= Ub2; ++K) {
          A[I][K] = A[I][K] / Scale;
          T = T + A[I][K] * A[I][K];
        }
        const double F = A[I][L];
        G = -DSgn(std::sqrt(T), F);
        const double H = F * G - T;
        A[I][L] = F - G;
        for (int32 K = L; K <= Ub2; ++K) R[K] = A[I][K] / H;
        if (I != Ub1) {
          for (int32 J = L; J <= Ub1; ++J) {
            T = 0.0;
            for (int32 K = L; K <= Ub2; ++K) T = T + A[J][K] * A[I][K];
            for (int32 K = L; K <= Ub2; ++K) A[J][K] = A[J][K] + T * R[K];
          }
        }
        for (int32 K = L; K <= Ub2; ++K) A[I][K] = Scale * A[I][K];
      }
    }
    X = FMax(X, std::fabs(S[I]) + std::fabs(R[I]));
  }
  return X;
}

// Accumulation of the right-hand transformations: V is the product of the
// row reflections, built backwards from the last column so that each
// reflection is applied to the part of V already formed. G is the
// superdiagonal element R[I + 1] that the reflection of row I produced; it is
// 0 exactly when row I needed no reflection.
void AccumulateRight(const TMatrix& A, int32 Lb, int32 Ub2, const TVector& R, TMatrix& V) {
  int32 L = Ub2;
  double G = 0.0;
  for (int32 I = Ub2; I >= Lb; --I) {
    if (I != Ub2) {
      if (G != 0.0) {
        // Two divisions in this order: the product A[I][L] * G could
        // underflow. A[I][L] is non-zero whenever G is.
        for (int32 J = L; J <= Ub2; ++J) V[J][I] = (A[I][J] / A[I][L]) / G;
        for (int32 J = L; J <= Ub2; ++J) {
          double T = 0.0;
          for (int32 K = L; K <= Ub2; ++K) T = T + A[I][K] * V[K][J];
          for (int32 K = L; K <= Ub2; ++K) V[K][J] = V[K][J] + T * V[K][I];
        }
      }
      for (int32 J = L; J <= Ub2; ++J) {
        V[I][J] = 0.0;
        V[J][I] = 0.0;
      }
    }
    V[I][I] = 1.0;
    G = R[I];
    L = I;
  }
}

// Accumulation of the left-hand transformations: U is formed in place of the
// column Householder vectors in A, again from the last column backwards. A
// column whose reflection was skipped (S[I] = 0) becomes a unit column.
void AccumulateLeft(TMatrix& A, int32 Lb, int32 Ub1, int32 Ub2, const TVector& S) {
  const int32 Mn = IMin(Ub1, Ub2);
  for (int32 I = Mn; I >= Lb; --I) {
    const int32 L = I + 1;
    const double G = S[I];
    // Clear the row Householder vector that shares row I.
    if (I != Ub2) {
      for (int32 J = L; J <= Ub2; ++J) A[I][J] = 0.0;
    }
    if (G != 0.0) {
      if (I != Mn) {
        for (int32 J = L; J <= Ub2; ++J) {
          double T = 0.0;
          for (int32 K = L; K <= Ub1; ++K) T = T + A[K][I] * A[K][J];
          // Two divisions in this order, as in the right-hand accumulation.
          const double F = (T / A[I][I]) / G;
          for (int32 K = I; K <= Ub1; ++K) A[K][J] = A[K][J] + F * A[K][I];
        }
      }
      for (int32 J = I; J <= Ub1; ++J) A[J][I] = A[J][I] / G;
    } else {
      for (int32 J = I; J <= Ub1; ++J) A[J][I] = 0.0;
    }
    A[I][I] = A[I][I] + 1.0;
  }
}

// Splitting test for the block ending at K: scans down from L = K for the
// first negligible superdiagonal element R[L] (the block L..K is then
// separate from the rows above) or negligible diagonal element S[L - 1]
// (R[L] must then be cancelled first; Cancel is set). R[Lb] is 0 by
// construction, so finite data always stop at Lb at the latest. The scan
// stops at Lb in any case and never looks at S[Lb - 1]: with NaNs, whose
// comparisons all fail, it would otherwise run below the lower bound.
int32 FindSplit(int32 Lb, int32 K, double Tst1, const TVector& S, const TVector& R, bool& Cancel) {
  Cancel = false;
  for (int32 L = K;; --L) {
    if (IsNegligible(Tst1, R[L]) || L == Lb) return L;
    if (IsNegligible(Tst1, S[L - 1])) {
      Cancel = true;
      return L;
    }
  }
}

// Cancellation of R[L] when S[L - 1] is negligible (so L > Lb): a sequence of
// rotations in the plane (L - 1, I), I = L..K, applied from the left, chases
// the element along row L - 1 until it is negligible or has left the block.
// The rotations go into the columns L - 1 and I of U.
void CancelSuperdiagonal(TMatrix& A, int32 Lb, int32 Ub1, int32 L, int32 K, double Tst1,
                         TVector& S, TVector& R) {
  const int32 L1 = L - 1;
  double C = 0.0;
  double T = 1.0;
  for (int32 I = L; I <= K; ++I) {
    const double F = T * R[I];
    R[I] = C * R[I];
    if (IsNegligible(Tst1, F)) return;
    const double G = S[I];
    // F is not negligible, hence non-zero, so H > 0.
    const double H = Pythag(F, G);
    S[I] = H;
    C = G / H;
    T = -F / H;
    RotateColumns(A, L1, I, Lb, Ub1, C, T);
  }
}

// One implicitly shifted QR step on the block L..K (L < K), with Z = S[K].
// The shift is the eigenvalue of the trailing 2x2 minor of B^T B that is
// nearer to its last diagonal element. The step chases the bulge down the
// block with alternating rotations from the right (into V) and from the left
// (into U). The splitting scan found R[K], S[K - 1] and S[L] not negligible
// (a cancellation only enlarges S, and shrinks R[K] by a cosine of at least
// about eps), so the shift divides by non-zero values unless the whole
// matrix lies near the underflow threshold.
void QrStep(TMatrix& A, TMatrix& V, int32 Lb, int32 Ub1, int32 Ub2, int32 L, int32 K, double Z,
            TVector& S, TVector& R) {
  const int32 K1 = K - 1;
  double X = S[L];
  double Y = S[K1];
  double G = R[K1];
  double H = R[K];
  double F = ((G + Z) / H * ((G - Z) / Y) + Y / H - H / Y) * 0.5;
  G = Pythag(F, 1.0);
  // |F + DSgn(G, F)| >= 1, since G >= 1 and has the sign of F.
  F = X - (Z / X) * Z + (H / X) * (Y / (F + DSgn(G, F)) - H);

  double C = 1.0;
  double T = 1.0;
  for (int32 I1 = L; I1 <= K1; ++I1) {
    const int32 I = I1 + 1;
    G = R[I];
    Y = S[I];
    H = T * G;
    G = C * G;
    // Rotation from the right, annihilating the bulge H against F.
    Z = Pythag(F, H);
    R[I1] = Z;
    if (Z != 0.0) {
      C = F / Z;
      T = H / Z;
    } else {
      // F and H both vanish (possible only through underflow): nothing is
      // to be annihilated, so the rotation is the identity.
      C = 1.0;
      T = 0.0;
    }
    F = X * C + G * T;
    G = -X * T + G * C;
    H = Y * T;
    Y = Y * C;
    RotateColumns(V, I1, I, Lb, Ub2, C, T);
    // Rotation from the left, annihilating the new bulge below the
    // diagonal; when Z is 0 the previous rotation is applied again.
    Z = Pythag(F, H);
    S[I1] = Z;
    if (Z != 0.0) {
      C = F / Z;
      T = H / Z;
    }
    F = C * G + T * Y;
    X = -T * G + C * Y;
    RotateColumns(A, I1, I, Lb, Ub1, C, T);
  }
  R[L] = 0.0;
  R[K] = F;
  S[K] = X;
}

// Diagonalisation of the bidiagonal form (diagonal S, superdiagonal R), one
// singular value at a time from the last one up. Returns false when a value
// needs more than MaxQrSteps QR steps; A, S and V then hold the state
// reached so far.
bool Diagonalise(TMatrix& A, int32 Lb, int32 Ub1, int32 Ub2, double Tst1, TVector& S, TVector& R,
                 TMatrix& V) {
  for (int32 K = Ub2; K >= Lb; --K) {
    int32 Its = 0;
    for (;;) {
      bool Cancel = false;
      const int32 L = FindSplit(Lb, K, Tst1, S, R, Cancel);
      if (Cancel) CancelSuperdiagonal(A, Lb, Ub1, L, K, Tst1, S, R);
      // Convergence: the block has shrunk to the single value S[K].
      const double Z = S[K];
      if (L == K) {
        // Make the singular value non-negative by negating its right
        // singular vector; U is left as it is. A -0.0 stays as it is.
        if (Z < 0.0) {
          S[K] = -Z;
          for (int32 J = Lb; J <= Ub2; ++J) V[J][K] = -V[J][K];
        }
        break;
      }
      if (Its == MaxQrSteps) return false;
      Its = Its + 1;
      QrStep(A, V, Lb, Ub1, Ub2, L, K, Z, S, R);
    }
  }
  return true;
}

}  // namespace

void SV_Decomp(TMatrix& A, int32 Lb, int32 Ub1, int32 Ub2, TVector& S, TMatrix& V) {
  if (Ub2 > Ub1) {
    SetErrCode(MatErrDim);
    return;
  }
  TVector R;  // superdiagonal of the bidiagonal form; released on return
  DimVector(R, Ub2);
  const double Tst1 = ReduceToBidiagonal(A, Lb, Ub1, Ub2, S, R);
  AccumulateRight(A, Lb, Ub2, R, V);
  AccumulateLeft(A, Lb, Ub1, Ub2, S);
  SetErrCode(Diagonalise(A, Lb, Ub1, Ub2, Tst1, S, R, V) ? MatOk : MatNonConv);
}

}  // namespace orthavion
