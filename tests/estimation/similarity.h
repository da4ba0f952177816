#pragma once
// Synthetic point files for estimation tests: start points, a known
// similarity y = t + s·R·x with R = Rx·Ry·Rz, and a fixed pseudo-random
// perturbation of the target coordinates (an exact fit ends a run at the
// test value, so full runs need a little noise).
#include <Eigen/Dense>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "support/random.h"

namespace testsupport {

struct Point {
  std::string nr;
  Eigen::Vector3d x;
};

struct Similarity {
  double scale = 1.0;
  double rxDeg = 0.0, ryDeg = 0.0, rzDeg = 0.0;
  Eigen::Vector3d t = Eigen::Vector3d::Zero();

  Eigen::Matrix3d R() const {
    constexpr double d = std::numbers::pi / 180;
    return (Eigen::AngleAxisd(rxDeg * d, Eigen::Vector3d::UnitX()) *
            Eigen::AngleAxisd(ryDeg * d, Eigen::Vector3d::UnitY()) *
            Eigen::AngleAxisd(rzDeg * d, Eigen::Vector3d::UnitZ()))
        .toRotationMatrix();
  }
  Eigen::Vector3d Apply(const Eigen::Vector3d& x) const { return t + scale * (R() * x); }
};

/// `n` start points named "P1".. spread over a site of `size` metres around
/// `origin`; `flat` puts them all at one height.
inline std::vector<Point> SitePoints(int n, double size, Eigen::Vector3d origin, bool flat,
                                     unsigned seed = 1) {
  std::mt19937 gen(seed);
  std::vector<Point> pts;
  for (int i = 1; i <= n; ++i) {
    Eigen::Vector3d x;
    x.x() = Uniform(gen, -0.5, 0.5) * size;
    x.y() = Uniform(gen, -0.5, 0.5) * size;
    x.z() = flat ? 0.0 : Uniform(gen, -0.5, 0.5) * size * 0.2;
    pts.push_back({"P" + std::to_string(i), origin + x});
  }
  return pts;
}

/// One line "NR NIV X Y Z" per point, with `digits` decimals, LF ended; the
/// decimal comma when `comma`.
inline std::string PointFileText(const std::vector<Point>& pts, int digits = 4,
                                 bool comma = false) {
  std::string text;
  char buf[160];
  for (const Point& p : pts) {
    std::snprintf(buf, sizeof buf, "%s 0 %.*f %.*f %.*f\n", p.nr.c_str(), digits, p.x.x(),
                  digits, p.x.y(), digits, p.x.z());
    text += buf;
  }
  if (comma)
    for (char& c : text)
      if (c == '.') c = ',';
  return text;
}

/// The target points: the similarity applied, plus uniform noise of
/// +-`noise` metres per coordinate (drawn X, Y, Z in turn).
inline std::vector<Point> Transformed(const std::vector<Point>& pts, const Similarity& s,
                                      double noise, unsigned seed = 2) {
  std::mt19937 gen(seed);
  std::vector<Point> out;
  for (const Point& p : pts) {
    Eigen::Vector3d y = s.Apply(p.x);
    for (int c = 0; c < 3; ++c) y[c] += Uniform(gen, -noise, noise);
    out.push_back({p.nr, y});
  }
  return out;
}

}  // namespace testsupport
