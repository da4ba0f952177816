#include "estimation/quaternion.h"

#include <cmath>

#include "base/fpcheck.h"
#include "numeric/ueigsym.h"
#include "numeric/utypes.h"

namespace orthavion {

QVektor QNormiert(const QVektor& q) {
  double m = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3];
  m = std::sqrt(m);
  return {Fp(q[0] / m), Fp(q[1] / m), Fp(q[2] / m), Fp(q[3] / m)};
}

void QROTmat(const QVektor& q, TMat3& R) {
  const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
  R[1][1] = 1 - 2 * (q2 * q2 + q3 * q3);
  R[1][2] = 2 * (q1 * q2 - q0 * q3);
  R[1][3] = 2 * (q1 * q3 + q0 * q2);
  R[2][1] = 2 * (q1 * q2 + q0 * q3);
  R[2][2] = 1 - 2 * (q1 * q1 + q3 * q3);
  R[2][3] = 2 * (q2 * q3 - q0 * q1);
  R[3][1] = 2 * (q1 * q3 - q0 * q2);
  R[3][2] = 2 * (q2 * q3 + q0 * q1);
  R[3][3] = 1 - 2 * (q1 * q1 + q2 * q2);
}

namespace {

// The rotation matrix of the run's 1-based form as a value's rows.
Mat3 RowsOf(const TMat3& R) {
  Mat3 rows;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) rows[i][j] = R[i + 1][j + 1];
  return rows;
}

// The 4x4 matrix N of Horn's method (J. Opt. Soc. Am. A 4(4), 1987,
// section 4.A) from the cross-product sums M[a][b] = Σ x'_a·y'_b; the lower
// triangle is copied from the upper one after that is computed.
void BuildN(const TMat3& M, TMatrix& N) {
  DimMatrix(N, 4, 4);
  N[1][1] = M[1][1] + M[2][2] + M[3][3];
  N[1][2] = M[2][3] - M[3][2];
  N[1][3] = M[3][1] - M[1][3];
  N[1][4] = M[1][2] - M[2][1];
  N[2][2] = M[1][1] - M[2][2] - M[3][3];
  N[2][3] = M[1][2] + M[2][1];
  N[2][4] = M[3][1] + M[1][3];
  N[3][3] = -M[1][1] + M[2][2] - M[3][3];
  N[3][4] = M[2][3] + M[3][2];
  N[4][4] = -M[1][1] - M[2][2] + M[3][3];
  N[2][1] = N[1][2];
  N[3][1] = N[1][3];
  N[4][1] = N[1][4];
  N[3][2] = N[2][3];
  N[4][2] = N[2][4];
  N[4][3] = N[3][4];
}

// The eigenvector of the largest signed eigenvalue of N0. The decomposition
// returns magnitudes, so an eigenvalue of large magnitude but negative sign
// (always so, up to a tie, for control points in one plane) would sort ahead
// of the largest positive one. Shifting by c, the largest absolute row sum
// and so a bound of every eigenvalue's magnitude, makes the matrix positive
// semidefinite without changing its eigenvectors: its first column then
// belongs to the largest signed eigenvalue.
QVektor LargestSignedEigenvector(const TMatrix& N0) {
  double c = 0.0;
  for (int i = 1; i <= 4; ++i) {
    const double rowSum = std::fabs(N0[i][1]) + std::fabs(N0[i][2]) + std::fabs(N0[i][3]) +
                          std::fabs(N0[i][4]);
    if (rowSum > c) c = rowSum;
  }
  TMatrix shifted = N0;
  for (int i = 1; i <= 4; ++i) shifted[i][i] = shifted[i][i] + c;
  TVector values;
  TMatrix vectors;
  DimVector(values, 4);
  DimMatrix(vectors, 4, 4);
  EigenSym(shifted, 1, 4, values, vectors);
  CheckFp();
  return {vectors[1][1], vectors[2][1], vectors[3][1], vectors[4][1]};
}

}  // namespace

RotationResult SolveRotation(const TPunktMatrix& X, const TPunktMatrix& Y, ProtocolWriter& out,
                             Transformation& t) {
  TMat3 M{};
  const std::size_t k = X.size() - 1;

  for (int a = 1; a <= 3; ++a) {
    for (int b = 1; b <= 3; ++b) {
      double sum = 0.0;
      for (std::size_t j = 1; j <= k; ++j) sum = sum + X[j][a] * Y[j][b];
      M[a][b] = Fp(sum);
    }
  }

  TMatrix N, EV;
  TVector Lambda;
  BuildN(M, N);
  CheckFp();
  const TMatrix N0 = N;
  DimMatrix(EV, 4, 4);
  DimVector(Lambda, 4);
  EigenSym(N, 1, 4, Lambda, EV);
  CheckFp();

  const QVektor qStar = LargestSignedEigenvector(N0);
  // The reported column is the one of EV that lies closest to q*; in the
  // ordinary case (points not in one plane) that is column 1.
  int imaxEV = 1;
  double best = -1.0;
  for (int j = 1; j <= 4; ++j) {
    const double dot =
        std::fabs(EV[1][j] * qStar[0] + EV[2][j] * qStar[1] + EV[3][j] * qStar[2] +
                  EV[4][j] * qStar[3]);
    if (dot > best) {
      best = dot;
      imaxEV = j;
    }
  }

  out.Add("Eigenwerte");
  std::string line;
  for (int i = 1; i <= 4; ++i) out.Append(line, "%12.6f ", {Lambda[i]});
  out.Add(line);
  out.Add("Maximaler Eigenwert Spalte %d : %16.6f",
          {static_cast<std::int32_t>(imaxEV), Lambda[imaxEV]});
  out.Add("Eigenvektoren");
  for (int i = 1; i <= 4; ++i)
    out.Add("%12.6f%12.6f%12.6f%12.6f", {EV[i][1], EV[i][2], EV[i][3], EV[i][4]});

  const QVektor Q = QNormiert(qStar);
  out.Add("Normierter Eigenvektor");
  out.Add("%12.6f%12.6f%12.6f%12.6f", {Q[0], Q[1], Q[2], Q[3]});

  TMat3 R{};
  QROTmat(Q, R);
  CheckFp();
  t.R = RowsOf(R);
  AddRotationMatrix(out, t.R);

  return {Lambda[imaxEV]};
}

void AddRotationMatrix(ProtocolWriter& out, const Mat3& R) {
  out.Add("R-Matrix");
  for (int i = 0; i < 3; ++i) out.Add("%14.6e%14.6e%14.6e", {R[i][0], R[i][1], R[i][2]});
}

}  // namespace orthavion
