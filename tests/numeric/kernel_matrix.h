#pragma once
#include <Eigen/Dense>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "numeric/utypes.h"

// Conversions between the kernel's bound-addressed arrays and Eigen
// matrices for the numeric tests.
namespace numerictest {

using orthavion::TMatrix;
using orthavion::TVector;

/// A kernel matrix holding M in rows and columns Lb.., with every element of
/// index below Lb set to Fill.
inline TMatrix ToKernel(const Eigen::MatrixXd& M, std::int32_t Lb, double Fill = 0.0) {
  TMatrix A(static_cast<std::size_t>(Lb + M.rows()), TVector(static_cast<std::size_t>(Lb + M.cols()), Fill));
  for (Eigen::Index I = 0; I < M.rows(); ++I)
    for (Eigen::Index J = 0; J < M.cols(); ++J) A[Lb + I][Lb + J] = M(I, J);
  return A;
}

/// The Rows x Cols block of A starting at row and column Lb.
inline Eigen::MatrixXd FromKernel(const TMatrix& A, std::int32_t Lb, Eigen::Index Rows, Eigen::Index Cols) {
  Eigen::MatrixXd M(Rows, Cols);
  for (Eigen::Index I = 0; I < Rows; ++I)
    for (Eigen::Index J = 0; J < Cols; ++J) M(I, J) = A[Lb + I][Lb + J];
  return M;
}

/// Elements Lb..Lb+Count-1 of V.
inline Eigen::VectorXd FromKernel(const TVector& V, std::int32_t Lb, Eigen::Index Count) {
  Eigen::VectorXd X(Count);
  for (Eigen::Index I = 0; I < Count; ++I) X(I) = V[Lb + I];
  return X;
}

/// A vector from its elements, for literal test cases.
inline Eigen::VectorXd Vec(std::initializer_list<double> Values) {
  Eigen::VectorXd X(static_cast<Eigen::Index>(Values.size()));
  Eigen::Index I = 0;
  for (double Value : Values) X(I++) = Value;
  return X;
}

/// A matrix from its rows, for literal test cases.
inline Eigen::MatrixXd Rows(std::initializer_list<std::initializer_list<double>> RowList) {
  const auto RowCount = static_cast<Eigen::Index>(RowList.size());
  const auto ColCount = static_cast<Eigen::Index>(RowList.begin()->size());
  Eigen::MatrixXd M(RowCount, ColCount);
  Eigen::Index I = 0;
  for (const auto& Row : RowList) {
    Eigen::Index J = 0;
    for (double Value : Row) M(I, J++) = Value;
    ++I;
  }
  return M;
}

}  // namespace numerictest
