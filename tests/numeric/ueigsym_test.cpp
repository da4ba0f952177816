#include "numeric/ueigsym.h"

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
#include "numeric/usvd.h"
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
constexpr double Sentinel = 13.5;  // index 0, which the routine must not touch
constexpr std::int32_t Lb = 1;

// Tolerance in units of eps (times the Frobenius norm of A for values and
// residuals).
constexpr double Tolerance = 32.0 * Eps;

// The kernel arrays of one call with bounds 1..N.
struct Call {
  explicit Call(const Eigen::MatrixXd& M)
      : Ub(static_cast<std::int32_t>(M.rows())),
        A(ToKernel(M, Lb, Sentinel)),
        Lambda(static_cast<std::size_t>(Ub + 1), Sentinel),
        V(ToKernel(Eigen::MatrixXd::Constant(M.rows(), M.rows(), Sentinel), Lb, Sentinel)) {}

  /// Runs EigenSym; returns the floating-point error flags it raised.
  int Run() {
    std::feclearexcept(FE_ALL_EXCEPT);
    EigenSym(A, Lb, Ub, Lambda, V);
    return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  }

  Eigen::VectorXd Values() const { return FromKernel(Lambda, Lb, Ub); }
  Eigen::MatrixXd Vectors() const { return FromKernel(V, Lb, Ub, Ub); }

  void ExpectIndexZeroUntouched() const {
    EXPECT_EQ(Lambda[0], Sentinel);
    for (std::int32_t I = 0; I <= Ub; ++I) {
      EXPECT_EQ(A[0][I], Sentinel);
      EXPECT_EQ(A[I][0], Sentinel);
      EXPECT_EQ(V[0][I], Sentinel);
      EXPECT_EQ(V[I][0], Sentinel);
    }
  }

  std::int32_t Ub;
  TMatrix A;
  TVector Lambda;
  TMatrix V;
};

struct KnownCase {
  const char* name;
  Eigen::MatrixXd A;
  Eigen::VectorXd Lambda;
  Eigen::MatrixXd V;
};

void PrintTo(const KnownCase& Case, std::ostream* Out) { *Out << Case.name; }

class EigenSymKnownTest : public testing::TestWithParam<KnownCase> {};

TEST_P(EigenSymKnownTest, SortedMagnitudesAndSignedVectors) {
  const KnownCase& Case = GetParam();
  Call C(Case.A);
  SetErrCode(MatNonConv);
  EXPECT_EQ(C.Run(), 0);
  EXPECT_EQ(MathErr(), MatOk);
  EXPECT_LE((C.Values() - Case.Lambda).cwiseAbs().maxCoeff(), 4 * Eps) << C.Values().transpose();
  EXPECT_LE((C.Vectors() - Case.V).cwiseAbs().maxCoeff(), 4 * Eps) << C.Vectors();
  C.ExpectIndexZeroUntouched();
}

const double H = std::sqrt(0.5);

// The columns of a diagonal matrix's V are unit vectors; a column whose first
// element is zero keeps the sign the decomposition gave it (negative for a
// positive diagonal element). For [[0, 1], [1, 0]] the equal values are not
// exchanged, so V stays the identity although its columns are not
// eigenvectors of that matrix.
INSTANTIATE_TEST_SUITE_P(
    Cases, EigenSymKnownTest,
    testing::Values(
        KnownCase{"Three", Rows({{3}}), Vec({3}), Rows({{1}})},
        KnownCase{"MinusTwo", Rows({{-2}}), Vec({2}), Rows({{1}})},
        KnownCase{"Diag1And3", Rows({{1, 0}, {0, 3}}), Vec({3, 1}), Rows({{0, 1}, {-1, 0}})},
        KnownCase{"Diag1And2AndMinus3And0", Rows({{1, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, -3, 0}, {0, 0, 0, 0}}),
                  Vec({3, 2, 1, 0}), Rows({{0, 0, 1, 0}, {0, -1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}})},
        KnownCase{"TwoOneOneTwo", Rows({{2, 1}, {1, 2}}), Vec({3, 1}), Rows({{H, H}, {H, -H}})},
        KnownCase{"PlusMinusOneTies", Rows({{0, 1}, {1, 0}}), Vec({1, 1}), Eigen::MatrixXd::Identity(2, 2)}),
    testsupport::CaseName());

Eigen::MatrixXd RandomSymmetric(numerictest::RandomMatrices& Random, int Kind) {
  const Eigen::MatrixXd B = Random.Dense(4, 4);
  switch (Kind) {
    case 0: return B + B.transpose();                         // indefinite
    case 1: return B.transpose() * B;                         // positive semidefinite
    case 2: {                                                 // singular, indefinite
      const Eigen::MatrixXd C = Random.Dense(4, 2);
      return C * Eigen::Vector2d(1.0, -2.0).asDiagonal() * C.transpose();
    }
    default: return 1e6 * (B + B.transpose());                // large magnitudes
  }
}

// Values against Eigen's eigenvalue magnitudes; each vector a unit vector
// with a non-negative first element and an eigenvector for +lambda or
// -lambda. A vector is only as accurate as the gap that separates its value
// from the others allows, so its residual is allowed norm/gap times more.
void CheckEigensystem(const Eigen::MatrixXd& M) {
  Call C(M);
  EXPECT_EQ(C.Run(), 0) << "floating-point error flags raised";
  ASSERT_EQ(MathErr(), MatOk);
  const Eigen::VectorXd Lambda = C.Values();
  const Eigen::MatrixXd V = C.Vectors();
  const double Norm = M.stableNorm();

  for (Eigen::Index J = 0; J + 1 < Lambda.size(); ++J) EXPECT_GE(Lambda(J), Lambda(J + 1)) << J;
  Eigen::VectorXd Magnitudes = Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(M).eigenvalues().cwiseAbs();
  std::sort(Magnitudes.begin(), Magnitudes.end(), [](double X, double Y) { return X > Y; });
  EXPECT_LE((Lambda - Magnitudes).cwiseAbs().maxCoeff(), Tolerance * Norm)
      << Lambda.transpose() << "\nEigen " << Magnitudes.transpose();

  for (Eigen::Index J = 0; J < V.cols(); ++J) {
    const Eigen::VectorXd Vj = V.col(J);
    EXPECT_NEAR(Vj.norm(), 1.0, Tolerance) << J;
    EXPECT_GE(Vj(0), 0.0) << J;
    double Gap = std::numeric_limits<double>::infinity();
    for (Eigen::Index I = 0; I < Lambda.size(); ++I)
      if (I != J) Gap = std::min(Gap, std::fabs(Lambda(I) - Lambda(J)));
    const double Residual =
        std::min((M * Vj - Lambda(J) * Vj).stableNorm(), (M * Vj + Lambda(J) * Vj).stableNorm());
    EXPECT_LE(Residual, Tolerance * Norm * (1.0 + Norm / Gap)) << J;
  }
  C.ExpectIndexZeroUntouched();
}

TEST(EigenSym, RandomSymmetricMatrices) {
  constexpr int CaseCount = 400;
  numerictest::RandomMatrices Random(7u);
  for (int Case = 0; Case < CaseCount && !HasFailure(); ++Case) {
    const Eigen::MatrixXd M = RandomSymmetric(Random, Case % 4);
    SCOPED_TRACE("case " + std::to_string(Case) + "\n" + testing::PrintToString(M));
    CheckEigensystem(M);
  }
}

TEST(EigenSym, LeftSingularVectorsStayUnsortedInA) {
  numerictest::RandomMatrices Random(11u);
  const Eigen::MatrixXd M = RandomSymmetric(Random, 0);
  TMatrix U = ToKernel(M, Lb);
  TVector S(5);
  TMatrix W = ToKernel(Eigen::MatrixXd::Zero(4, 4), Lb);
  SV_Decomp(U, Lb, 4, 4, S, W);
  Call C(M);
  C.Run();
  ASSERT_EQ(MathErr(), MatOk);
  EXPECT_EQ(FromKernel(C.A, Lb, 4, 4), FromKernel(U, Lb, 4, 4));
}

// With every element subnormal, Tst1 is subnormal too and only an exact zero
// is negligible: the decomposition runs out of QR steps. EigenSym then hands
// on the decomposition's raw values and vectors, neither sorted nor signed.
TEST(EigenSym, NonConvergenceReturnsRawDecomposition) {
  const Eigen::MatrixXd M =
      std::ldexp(1.0, -1024) * Rows({{-6, 0, -6, 3}, {0, 3, 1, -2}, {-6, 1, -5, -2}, {3, -2, -2, -7}});
  TMatrix U = ToKernel(M, Lb, Sentinel);
  TVector S(5, Sentinel);
  TMatrix W = ToKernel(Eigen::MatrixXd::Zero(4, 4), Lb, Sentinel);
  SV_Decomp(U, Lb, 4, 4, S, W);
  ASSERT_EQ(MathErr(), MatNonConv) << "the premise of this case";

  Call C(M);
  SetErrCode(MatOk);
  C.Run();
  EXPECT_EQ(MathErr(), MatNonConv);
  EXPECT_EQ(C.Lambda, S);
  EXPECT_EQ(C.V, W);
  EXPECT_EQ(C.A, U);
}

TEST(EigenSym, NaNInputReportsNonConvergence) {
  Call C(Rows({{1, 2, 3}, {2, std::numeric_limits<double>::quiet_NaN(), 4}, {3, 4, 5}}));
  C.Run();
  EXPECT_EQ(MathErr(), MatNonConv);
  C.ExpectIndexZeroUntouched();
}

}  // namespace
}  // namespace orthavion
