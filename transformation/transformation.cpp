#include "transformation/transformation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/fpcheck.h"

namespace orthavion {

namespace {

/// `c` less the whole multiples of 10000 it holds: c − 10000·trunc(c/10000),
/// the quotient truncated toward zero to a 64-bit integer. A quotient beyond
/// the 64-bit range is an invalid operation, as the conversion of the
/// hardware reports it.
double LessWholeTenThousands(double c) {
  const double q = c / 10000.0;
  if (!(q >= -9223372036854775808.0 && q < 9223372036854775808.0)) RaiseFpInvalid();
  const auto whole = static_cast<std::int64_t>(q);
  return c - 10000.0 * static_cast<double>(whole);
}

}  // namespace

Angles RotationAngles(const Mat3& R) {
  // The one-argument arc tangent of the quotients would fold rX and rZ into
  // (-90°, 90°) and divide by zero at exactly 90°; atan2 gives the true angles.
  const double x = std::clamp(R[0][2], -1.0, 1.0);
  return {std::atan2(-R[1][2], R[2][2]),
          // arcsin(x) as the arc tangent of x and sqrt((1 + x)(1 - x)).
          std::atan2(x, std::sqrt((1 + x) * (1 - x))),
          std::atan2(-R[0][1], R[0][0])};
}

Vec3 Transformation::Translation() const {
  Vec3 t;
  for (int i = 0; i < 3; ++i)
    t[i] = targetCentroid[i] -
           rowScale[i] * ((R[i][0] * startCentroid[0] + R[i][1] * startCentroid[1]) +
                          R[i][2] * startCentroid[2]);
  return t;
}

HelmertParameters Transformation::Helmert() const {
  const Angles a = RotationAngles(R);
  return {Translation(), {a.rX, a.rY, a.rZ}, scale};
}

AffineParameters Transformation::Affine() const {
  AffineParameters p;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) p.A[i][j] = R[i][j] * rowScale[i];
  p.offset = Translation();
  return p;
}

Transformation Transformation::Shortened() const {
  Transformation t = *this;
  t.targetCentroid[0] = LessWholeTenThousands(targetCentroid[0]);
  t.targetCentroid[1] = LessWholeTenThousands(targetCentroid[1]);
  return t;
}

}  // namespace orthavion
