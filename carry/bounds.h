#pragma once
#include <algorithm>
#include <limits>

#include "transformation/transformation.h"

namespace orthavion {

/// The smallest box around a set of points, axis by axis [m]: empty (least
/// +infinity, greatest -infinity) until the first point. Comparisons with
/// infinities raise no floating-point flag; a NaN must never be added.
struct Bounds {
  static constexpr double kInf = std::numeric_limits<double>::infinity();
  Vec3 least{kInf, kInf, kInf};
  Vec3 greatest{-kInf, -kInf, -kInf};

  bool Empty() const { return least[0] > greatest[0]; }

  /// Widens the box to hold `p` (finite).
  void Add(const Vec3& p) {
    for (int i = 0; i < 3; ++i) {
      least[i] = std::min(least[i], p[i]);
      greatest[i] = std::max(greatest[i], p[i]);
    }
  }

  /// Widens the box to hold `other`.
  void Add(const Bounds& other) {
    for (int i = 0; i < 3; ++i) {
      least[i] = std::min(least[i], other.least[i]);
      greatest[i] = std::max(greatest[i], other.greatest[i]);
    }
  }
};

}  // namespace orthavion
