#pragma once
#include <Eigen/Dense>
#include <cmath>
#include <cstdint>
#include <random>

#include "support/random.h"

// Seeded random matrices for the numeric property tests, mapped from the
// engine's words by support/random.h, so every platform sees the same
// matrices.
namespace numerictest {

class RandomMatrices {
public:
  explicit RandomMatrices(std::uint32_t Seed) : Engine_(Seed) {}

  /// Uniform in [Lo, Hi).
  double Uniform(double Lo, double Hi) { return testsupport::Uniform(Engine_, Lo, Hi); }

  /// Uniform integer in [Lo, Hi].
  int Integer(int Lo, int Hi) { return testsupport::Integer(Engine_, Lo, Hi); }

  /// Entries uniform in [-1, 1).
  Eigen::MatrixXd Dense(Eigen::Index Rows, Eigen::Index Cols) {
    Eigen::MatrixXd M(Rows, Cols);
    for (Eigen::Index I = 0; I < Rows; ++I)
      for (Eigen::Index J = 0; J < Cols; ++J) M(I, J) = Uniform(-1.0, 1.0);
    return M;
  }

  /// Small integers in [-2, 2]: many exact zeros, repeated rows and ties.
  Eigen::MatrixXd SmallIntegers(Eigen::Index Rows, Eigen::Index Cols) {
    Eigen::MatrixXd M(Rows, Cols);
    for (Eigen::Index I = 0; I < Rows; ++I)
      for (Eigen::Index J = 0; J < Cols; ++J) M(I, J) = Integer(-2, 2);
    return M;
  }

  /// A random orthogonal N x N matrix.
  Eigen::MatrixXd Orthogonal(Eigen::Index N) { return Eigen::HouseholderQR<Eigen::MatrixXd>(Dense(N, N)).householderQ(); }

  /// A diagonal scaling with factors 10^e, e uniform in [-8, 8).
  Eigen::VectorXd BadScales(Eigen::Index N) {
    Eigen::VectorXd D(N);
    for (Eigen::Index I = 0; I < N; ++I) D(I) = std::pow(10.0, Uniform(-8.0, 8.0));
    return D;
  }

private:
  std::mt19937 Engine_;
};

}  // namespace numerictest
