// The Cholesky inverse of the kernel: a property test on random symmetric
// positive definite matrices of every size the adjustment uses, against
// Eigen, and the first faulty element of a matrix that is not positive
// definite.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

#include "numeric/cholesky.h"

namespace {

using orthavion::CholeskyInverse;
using Square = orthavion::SquareMatrix<7>;

// A value in [-1, 1) from one draw, mapped by hand (the standard fixes
// mt19937's sequence, not its distributions).
double Signed(std::mt19937& gen) { return static_cast<double>(gen()) / 2147483648.0 - 1.0; }

const auto kKeep = [](double v) { return v; };

TEST(CholeskyTest, InvertsRandomPositiveDefiniteMatricesOfEverySize) {
  std::mt19937 gen(20261211);
  for (std::size_t u = 1; u <= 7; ++u) {
    for (int trial = 0; trial < 200; ++trial) {
      // A = BᵀB + δI with B random: positive definite, condition up to about
      // 1e6 (δ down to 1e-4 against entries of order u).
      Eigen::MatrixXd B(u, u);
      for (std::size_t i = 0; i < u; ++i)
        for (std::size_t j = 0; j < u; ++j) B(i, j) = Signed(gen);
      const double delta = std::pow(10.0, -4.0 * (Signed(gen) + 1.0) / 2.0);
      const Eigen::MatrixXd A = B.transpose() * B + delta * Eigen::MatrixXd::Identity(u, u);
      Square N{};
      for (std::size_t i = 0; i < u; ++i)
        for (std::size_t j = 0; j < u; ++j) N[i][j] = A(i, j);

      const Square Q = CholeskyInverse(N, u, kKeep);
      Eigen::MatrixXd got(u, u);
      for (std::size_t i = 0; i < u; ++i)
        for (std::size_t j = 0; j < u; ++j) got(i, j) = Q[i][j];
      const Eigen::MatrixXd reference = A.llt().solve(Eigen::MatrixXd::Identity(u, u));
      // Both are backward stable: they agree to the condition number times
      // a few units of the last place, relative to the inverse's size.
      const double condition = A.norm() * reference.norm();
      const double bound = 64 * u * condition * std::numeric_limits<double>::epsilon();
      EXPECT_LE((got - reference).norm() / reference.norm(), bound) << "u=" << u;
      EXPECT_LE((got * A - Eigen::MatrixXd::Identity(u, u)).norm(), bound) << "u=" << u;
      EXPECT_LE((got - got.transpose()).norm() / got.norm(), bound) << "symmetric, u=" << u;
      // Outside the leading block the result is zero.
      for (std::size_t i = 0; i < 7; ++i)
        for (std::size_t j = 0; j < 7; ++j) {
          if (i >= u || j >= u) {
            EXPECT_EQ(Q[i][j], 0.0);
          }
        }
    }
  }
}

// Each case: a matrix that is not positive definite, and the element of L at
// which the factorisation first fails (row, column), with what it holds.
struct FaultCase {
  const char* name;
  Square A;
  std::size_t u;
  std::size_t row, column;
  bool infinite;  // a division by a zero pivot; otherwise the root of a negative number
};

std::vector<FaultCase> Faults() {
  Square indefinite{};  // [[1, 2], [2, 1]]: 1 − 4 < 0 under the second root
  indefinite[0] = {1, 2};
  indefinite[1] = {2, 1};
  Square zeroPivot{};  // [[0, 1], [1, 1]]: 1 / √0
  zeroPivot[0] = {0, 1};
  zeroPivot[1] = {1, 1};
  Square negativeFirst{};
  negativeFirst[0] = {-1};
  Square singularThird{};  // the first two pivots 1, the third 1 − 1 − 1 < 0
  singularThird[0] = {1, 0, 1};
  singularThird[1] = {0, 1, 1};
  singularThird[2] = {1, 1, 1};
  return {{"Indefinite", indefinite, 2, 1, 1, false},
          {"ZeroPivot", zeroPivot, 2, 1, 0, true},
          {"NegativeFirst", negativeFirst, 1, 0, 0, false},
          {"NegativeThirdPivot", singularThird, 3, 2, 2, false}};
}

TEST(CholeskyTest, StopsAtTheFirstFaultyElementOfTheFactor) {
  for (const FaultCase& c : Faults()) {
    // Elements of L are computed column by column: L[j][j], then L[i][j] below.
    std::size_t seen = 0;
    std::size_t expected = 0;
    for (std::size_t j = 0; j <= c.column; ++j)
      expected += (j < c.column) ? c.u - j : (c.row - j + 1);
    double faulty = 0.0;
    try {
      CholeskyInverse(c.A, c.u, [&](double v) {
        ++seen;
        if (!std::isfinite(v)) {
          faulty = v;
          throw std::runtime_error("faulty");
        }
        return v;
      });
      ADD_FAILURE() << c.name << ": no faulty element";
    } catch (const std::runtime_error&) {
      EXPECT_EQ(seen, expected) << c.name;
      EXPECT_EQ(std::isinf(faulty), c.infinite) << c.name;
    }
  }
}

}  // namespace
