#include "numeric/usvd.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "kernel_matrix.h"
#include "numeric/utypes.h"
#include "random_matrix.h"
#include "support/casename.h"

namespace orthavion {
namespace {

using numerictest::FromKernel;
using numerictest::Rows;
using numerictest::Vec;
using numerictest::ToKernel;

constexpr double Eps = std::numeric_limits<double>::epsilon();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr int FpErrors = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Stands in every element the routine must neither read nor write: the
// elements of index below Lb, and S and V on entry.
constexpr double Sentinel = -7.75;

// Tolerance of the decomposition's backward error and of the orthogonality
// of U and V, in units of eps (times the Frobenius norm of A for the
// backward error and the singular values).
constexpr double Tolerance = 32.0 * Eps;

// The kernel arrays of one call with Lb, A in rows and columns Lb.. and
// everything else, including S and V, set to Fill.
struct Call {
  Call(const Eigen::MatrixXd& M, std::int32_t Lb, double Fill = Sentinel)
      : Lb(Lb),
        Ub1(Lb + static_cast<std::int32_t>(M.rows()) - 1),
        Ub2(Lb + static_cast<std::int32_t>(M.cols()) - 1),
        Fill(Fill),
        A(ToKernel(M, Lb, Fill)),
        S(static_cast<std::size_t>(Ub2 + 1), Fill),
        V(ToKernel(Eigen::MatrixXd::Constant(M.cols(), M.cols(), Fill), Lb, Fill)) {}

  /// Runs the decomposition; returns the floating-point error flags it raised.
  int Run() {
    std::feclearexcept(FE_ALL_EXCEPT);
    SV_Decomp(A, Lb, Ub1, Ub2, S, V);
    return std::fetestexcept(FpErrors);
  }

  Eigen::Index RowCount() const { return Ub1 - Lb + 1; }
  Eigen::Index ColCount() const { return Ub2 - Lb + 1; }
  Eigen::MatrixXd U() const { return FromKernel(A, Lb, RowCount(), ColCount()); }
  Eigen::VectorXd Sigma() const { return FromKernel(S, Lb, ColCount()); }
  Eigen::MatrixXd RightVectors() const { return FromKernel(V, Lb, ColCount(), ColCount()); }

  /// Expects every element of index below Lb to hold the fill value still.
  void ExpectBelowLbUntouched() const {
    ExpectBorderUntouched(A, "A");
    for (std::int32_t I = 0; I < Lb; ++I) EXPECT_EQ(S[I], Fill) << "S[" << I << "]";
    ExpectBorderUntouched(V, "V");
  }

  void ExpectBorderUntouched(const TMatrix& X, const char* Name) const {
    const auto First = static_cast<std::size_t>(Lb);
    for (std::size_t I = 0; I < X.size(); ++I) {
      for (std::size_t J = 0; J < X[I].size(); ++J) {
        if (I < First || J < First) {
          EXPECT_EQ(X[I][J], Fill) << Name << "[" << I << "][" << J << "]";
        }
      }
    }
  }

  std::int32_t Lb, Ub1, Ub2;
  double Fill;
  TMatrix A;
  TVector S;
  TMatrix V;
};

void ExpectMatrixNear(const Eigen::MatrixXd& Actual, const Eigen::MatrixXd& Expected, double Tol) {
  ASSERT_EQ(Actual.rows(), Expected.rows());
  ASSERT_EQ(Actual.cols(), Expected.cols());
  EXPECT_LE((Actual - Expected).cwiseAbs().maxCoeff(), Tol) << "actual\n"
                                                            << Actual << "\nexpected\n"
                                                            << Expected;
}

TEST(SV_Decomp, MoreColumnsThanRowsIsDimensionError) {
  Call C(Rows({{1, 2, 3}, {4, 5, 6}}), 1);
  const Call Before = C;
  SetErrCode(MatOk);
  C.Run();
  EXPECT_EQ(MathErr(), MatErrDim);
  EXPECT_EQ(C.A, Before.A);
  EXPECT_EQ(C.S, Before.S);
  EXPECT_EQ(C.V, Before.V);
}

// Small cases whose decomposition is known exactly, including the signs that
// the method produces: singular values are left in the order the iteration
// finds them, and only V is negated to make a value non-negative.
struct KnownCase {
  const char* name;
  Eigen::MatrixXd A;
  Eigen::VectorXd S;
  Eigen::MatrixXd U;
  Eigen::MatrixXd V;
};

void PrintTo(const KnownCase& Case, std::ostream* Out) { *Out << Case.name; }

class SvdKnownTest : public testing::TestWithParam<KnownCase> {};

TEST_P(SvdKnownTest, KnownFactorsAndUntouchedIndexZero) {
  const KnownCase& Case = GetParam();
  Call C(Case.A, 1);
  SetErrCode(MatNonConv);
  EXPECT_EQ(C.Run(), 0);
  EXPECT_EQ(MathErr(), MatOk);
  ExpectMatrixNear(C.Sigma(), Case.S, 4 * Eps);
  ExpectMatrixNear(C.U(), Case.U, 4 * Eps);
  ExpectMatrixNear(C.RightVectors(), Case.V, 4 * Eps);
  C.ExpectBelowLbUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SvdKnownTest,
    testing::Values(
        KnownCase{"Zero3x2", Eigen::MatrixXd::Zero(3, 2), Vec({0, 0}), Rows({{1, 0}, {0, 1}, {0, 0}}),
                  Eigen::MatrixXd::Identity(2, 2)},
        KnownCase{"Positive1x1", Rows({{2.5}}), Vec({2.5}), Rows({{-1}}), Rows({{-1}})},
        KnownCase{"Negative1x1", Rows({{-4}}), Vec({4}), Rows({{-1}}), Rows({{1}})},
        KnownCase{"Zero1x1", Rows({{0}}), Vec({0}), Rows({{1}}), Rows({{1}})},
        KnownCase{"Diag1And3Unsorted", Rows({{1, 0}, {0, 3}}), Vec({1, 3}), -Eigen::MatrixXd::Identity(2, 2),
                  -Eigen::MatrixXd::Identity(2, 2)},
        KnownCase{"Diag2AndMinus5", Rows({{2, 0}, {0, -5}}), Vec({2, 5}), -Eigen::MatrixXd::Identity(2, 2),
                  Rows({{-1, 0}, {0, 1}})}),
    testsupport::CaseName());

TEST(SV_Decomp, ThreeByTwoExampleInIterationOrder) {
  Call C(Rows({{1, 2}, {3, 4}, {5, 6}}), 1);
  C.Run();
  EXPECT_EQ(MathErr(), MatOk);
  EXPECT_NEAR(C.S[1], 0.5143005807, 1e-10);
  EXPECT_NEAR(C.S[2], 9.5255180916, 1e-10);
  C.ExpectBelowLbUntouched();
}

// Kinds of random matrices for the property test.
enum class Kind { Dense, RankDeficient, SmallIntegers, RowsBadlyScaled, ColumnsBadlyScaled, RepeatedValues };
constexpr int KindCount = 6;

const char* KindName(Kind K) {
  switch (K) {
    case Kind::Dense: return "dense";
    case Kind::RankDeficient: return "rank-deficient";
    case Kind::SmallIntegers: return "small integers";
    case Kind::RowsBadlyScaled: return "rows badly scaled";
    case Kind::ColumnsBadlyScaled: return "columns badly scaled";
    case Kind::RepeatedValues: return "repeated singular values";
  }
  return "";
}

Eigen::MatrixXd MakeMatrix(numerictest::RandomMatrices& Random, Kind K, Eigen::Index M, Eigen::Index N) {
  switch (K) {
    case Kind::Dense: return Random.Dense(M, N);
    case Kind::RankDeficient: {
      const Eigen::Index Rank = Random.Integer(0, static_cast<int>(N) - 1);
      return Random.Dense(M, Rank) * Random.Dense(Rank, N);
    }
    case Kind::SmallIntegers: return Random.SmallIntegers(M, N);
    case Kind::RowsBadlyScaled: return Random.BadScales(M).asDiagonal() * Random.Dense(M, N);
    case Kind::ColumnsBadlyScaled: return Random.Dense(M, N) * Random.BadScales(N).asDiagonal();
    case Kind::RepeatedValues: {
      Eigen::VectorXd D(N);
      for (Eigen::Index I = 0; I < N; ++I) D(I) = (I % 2 == 0) ? 1.0 : 2.0;
      return Random.Orthogonal(M).leftCols(N) * D.asDiagonal() * Random.Orthogonal(N).transpose();
    }
  }
  return {};
}

// Checks one decomposition: backward error, orthonormal U and V, S >= 0,
// singular values as Eigen's, no floating-point error flag, and nothing
// touched below Lb.
void CheckDecomposition(const Eigen::MatrixXd& M, std::int32_t Lb) {
  Call C(M, Lb);
  EXPECT_EQ(C.Run(), 0) << "floating-point error flags raised";
  ASSERT_EQ(MathErr(), MatOk);
  const Eigen::MatrixXd U = C.U();
  const Eigen::VectorXd S = C.Sigma();
  const Eigen::MatrixXd V = C.RightVectors();
  const double Norm = M.stableNorm();
  const Eigen::Index N = M.cols();

  EXPECT_LE((U * S.asDiagonal() * V.transpose() - M).stableNorm(), Tolerance * Norm);
  EXPECT_LE((U.transpose() * U - Eigen::MatrixXd::Identity(N, N)).norm(), Tolerance);
  EXPECT_LE((V.transpose() * V - Eigen::MatrixXd::Identity(N, N)).norm(), Tolerance);
  EXPECT_GE(S.minCoeff(), 0.0);

  Eigen::VectorXd Sorted = S;
  std::sort(Sorted.begin(), Sorted.end(), [](double X, double Y) { return X > Y; });
  const Eigen::VectorXd Reference = Eigen::JacobiSVD<Eigen::MatrixXd>(M).singularValues();
  EXPECT_LE((Sorted - Reference).cwiseAbs().maxCoeff(), Tolerance * Norm) << "S " << Sorted.transpose()
                                                                          << "\nEigen " << Reference.transpose();
  C.ExpectBelowLbUntouched();
}

TEST(SV_Decomp, RandomMatricesDecomposeAccurately) {
  constexpr std::uint32_t CaseCount = 600;
  numerictest::RandomMatrices Random(20240611u);
  for (std::uint32_t Case = 0; Case < CaseCount && !HasFailure(); ++Case) {
    const auto K = static_cast<Kind>(Case % KindCount);
    const auto M = static_cast<Eigen::Index>(Random.Integer(1, 6));
    const auto N = static_cast<Eigen::Index>(Random.Integer(1, std::min(4, static_cast<int>(M))));
    const auto Lb = static_cast<std::int32_t>((Case / KindCount) % 3);
    const Eigen::MatrixXd A = MakeMatrix(Random, K, M, N);
    SCOPED_TRACE("case " + std::to_string(Case) + ", " + KindName(K) + ", Lb " + std::to_string(Lb) + "\n" +
                 testing::PrintToString(A));
    CheckDecomposition(A, Lb);
  }
}

// A rotation of the QR step whose F and H are both zero: the first diagonal
// element dwarfs the others so that they are barely non-negligible, and at
// the bottom of the normal range the bulge-chasing products underflow to
// zero. The identity rotation keeps the result an exact-to-rounding
// decomposition with no invalid operation.
TEST(SV_Decomp, VanishingRotationNeedsNoDivision) {
  const Eigen::MatrixXd M = std::ldexp(1.0, -1013) * Rows({{0x1p53, 1.75, 0}, {0, 1.75, 1.5}, {0, 0, 1.25}});
  CheckDecomposition(M, 1);
}

// With NaNs (an infinity turns into NaNs in the scaling) every
// negligibility test on the data fails; only R[Lb], always exactly 0, ends
// the splitting scan, and the step limit ends the iteration. Index 0 holds
// 0.0, which a scan running past Lb would take for a negligible diagonal
// element and rotate into column 0 of A; it must stay as it is.
struct NonFiniteCase {
  const char* name;
  Eigen::MatrixXd A;
};

void PrintTo(const NonFiniteCase& Case, std::ostream* Out) { *Out << Case.name; }

class SvdNonFiniteTest : public testing::TestWithParam<NonFiniteCase> {};

TEST_P(SvdNonFiniteTest, StaysInsideTheBoundsAndDoesNotConverge) {
  Call C(GetParam().A, 1, 0.0);
  C.Run();
  EXPECT_EQ(MathErr(), MatNonConv);
  C.ExpectBelowLbUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SvdNonFiniteTest,
    testing::Values(NonFiniteCase{"NaNOffTheDiagonal3x3", Rows({{1, NaN, 2}, {3, 4, 5}, {6, 7, 9}})},
                    NonFiniteCase{"NaNOnTheDiagonal2x2", Rows({{1, 2}, {3, NaN}})},
                    NonFiniteCase{"BothInfinities3x2", Rows({{Inf, 1}, {2, 3}, {4, -Inf}})},
                    NonFiniteCase{"InfinityOnTheDiagonal3x3", Rows({{1, 2, 0}, {2, Inf, 1}, {0, 1, 3}})}),
    testsupport::CaseName());

}  // namespace
}  // namespace orthavion
