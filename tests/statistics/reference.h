#pragma once
// An independent reference for the adjustment: a generic Gauss-Newton
// least-squares solve of y = t + S·R(angles)·x with numerical derivatives
// (central differences) and Eigen's dense algebra, parameterised at the
// start system's origin. It knows nothing of centroids or closed forms.
#include <Eigen/Dense>
#include <numbers>
#include <vector>

#include "estimation/similarity.h"
#include "transformation/model.h"

namespace testsupport {

struct Reference {
  Eigen::VectorXd p;         // tx ty tz, angles (rad), m
  double vv = 0.0;           // minimum of the sum of squares
  int f = 0;
  Eigen::MatrixXd Qxx;       // (AᵀA)⁻¹ at the minimum
  Eigen::VectorXd v;         // residuals, transformed − target, X Y Z per point
  Eigen::VectorXd r;         // redundancy numbers
  std::vector<Eigen::Vector3d> newSigmaUnit;  // √diag(J·Qxx·Jᵀ) per new point (times s)
};

class ReferenceModel {
public:
  explicit ReferenceModel(orthavion::Model model) : model_(model) {}

  int u() const { return orthavion::ModelParameters(model_); }

  // The transformed position of x under parameters p.
  Eigen::Vector3d Apply(const Eigen::VectorXd& p, const Eigen::Vector3d& x) const {
    double rx = 0, ry = 0, rz, m = 1;
    if (model_ == orthavion::Model::Horizontal5) {
      rz = p[3];
      m = p[4];
    } else {
      rx = p[3];
      ry = p[4];
      rz = p[5];
      if (model_ == orthavion::Model::Similarity7) m = p[6];
    }
    const Eigen::Matrix3d R = (Eigen::AngleAxisd(rx, Eigen::Vector3d::UnitX()) *
                               Eigen::AngleAxisd(ry, Eigen::Vector3d::UnitY()) *
                               Eigen::AngleAxisd(rz, Eigen::Vector3d::UnitZ()))
                                  .toRotationMatrix();
    Eigen::Vector3d y = R * x;
    y.x() *= m;
    y.y() *= m;
    if (model_ != orthavion::Model::Horizontal5) y.z() *= m;
    return p.head<3>() + y;
  }

  // The 3 × u Jacobian of Apply at p for x, by central differences; the
  // translation, which enters as it is, is left out of the differences so
  // that national-grid sizes do not cancel digits.
  Eigen::MatrixXd Jacobian(const Eigen::VectorXd& p, const Eigen::Vector3d& x) const {
    Eigen::MatrixXd J = Eigen::MatrixXd::Zero(3, u());
    J.leftCols<3>().setIdentity();
    for (int k = 3; k < u(); ++k) {
      constexpr double h = 1e-6;
      Eigen::VectorXd a = p, b = p;
      a[k] += h;
      b[k] -= h;
      a.head<3>().setZero();
      b.head<3>().setZero();
      J.col(k) = (Apply(a, x) - Apply(b, x)) / (2 * h);
    }
    return J;
  }

  // Parameters of a similarity as this model's starting values.
  Eigen::VectorXd Start(const Similarity& s) const {
    constexpr double d = std::numbers::pi / 180;
    Eigen::VectorXd p(u());
    p.head<3>() = s.t;
    if (model_ == orthavion::Model::Horizontal5) {
      p[3] = s.rzDeg * d;
      p[4] = s.scale;
    } else {
      p[3] = s.rxDeg * d;
      p[4] = s.ryDeg * d;
      p[5] = s.rzDeg * d;
      if (model_ == orthavion::Model::Similarity7) p[6] = s.scale;
    }
    return p;
  }

  /// The least-squares solution from starting values `p`.
  Reference Solve(const std::vector<Point>& start, const std::vector<Point>& target,
                  const std::vector<Eigen::Vector3d>& newPoints, Eigen::VectorXd p) const {
    const int n = static_cast<int>(start.size());
    Eigen::MatrixXd A(3 * n, u());
    Eigen::VectorXd v(3 * n);
    for (int iteration = 0; iteration < 50; ++iteration) {
      for (int i = 0; i < n; ++i) {
        A.block(3 * i, 0, 3, u()) = Jacobian(p, start[i].x);
        v.segment<3>(3 * i) = Apply(p, start[i].x) - target[i].x;
      }
      const Eigen::VectorXd dp = (A.transpose() * A).ldlt().solve(-(A.transpose() * v));
      p += dp;
      if (dp.tail(u() - 3).norm() < 1e-15 && dp.head<3>().norm() < 1e-9) break;
    }
    Reference r;
    for (int i = 0; i < n; ++i) {
      A.block(3 * i, 0, 3, u()) = Jacobian(p, start[i].x);
      v.segment<3>(3 * i) = Apply(p, start[i].x) - target[i].x;
    }
    r.p = p;
    r.v = v;
    r.vv = v.squaredNorm();
    r.f = 3 * n - u();
    r.Qxx = (A.transpose() * A).inverse();
    r.r = (Eigen::MatrixXd::Identity(3 * n, 3 * n) - A * r.Qxx * A.transpose()).diagonal();
    for (const Eigen::Vector3d& x : newPoints) {
      const Eigen::MatrixXd J = Jacobian(p, x);
      r.newSigmaUnit.push_back((J * r.Qxx * J.transpose()).diagonal().cwiseSqrt());
    }
    return r;
  }

private:
  orthavion::Model model_;
};

}  // namespace testsupport
