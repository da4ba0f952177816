#pragma once
#include <array>

#include "transformation/model.h"

namespace orthavion {

using Vec3 = std::array<double, 3>;  ///< X, Y, Z (indices 0 to 2)
using Mat3 = std::array<Vec3, 3>;    ///< rows 0 to 2 of three columns

/// Rotation angles of R = Rx(rX)·Ry(rY)·Rz(rZ), each an active rotation
/// about its axis, valid over the whole circle: rX and rZ by the
/// two-argument arc tangent (−π, π], rY as the arc sine of R[0][2] clamped to
/// [-1, 1], in [−π/2, π/2].
struct Angles {
  double rX, rY, rZ;  ///< [rad]
};
Angles RotationAngles(const Mat3& R);

/// A spatial similarity target = t + m·R·start with R = Rx(rX)·Ry(rY)·Rz(rZ).
struct HelmertParameters {
  Vec3 t;         ///< translation [m]
  Vec3 rotation;  ///< rX, rY, rZ [rad]
  double scale;   ///< m [1]
};

/// target = offset + A·start: a general affine transformation.
struct AffineParameters {
  Mat3 A;       ///< rows of the matrix [1]
  Vec3 offset;  ///< [m]
};

/// The estimated transformation, exactly the doubles a run applies. A point
/// x of the start system is carried as
///   target_i = (R_i · (x − startCentroid)) · rowScale_i + targetCentroid_i,
/// rows i = 0 to 2, in that order of evaluation. All lengths in the units of
/// the point files (metres).
struct Transformation {
  Model model = Model::Similarity7;
  Vec3 startCentroid{};   ///< [m]
  Vec3 targetCentroid{};  ///< [m]
  Mat3 R{};               ///< rotation, orthonormal with determinant +1 [1]
  double scale = 1.0;     ///< M1 [1] (rigid6: 1)
  /// The scale of each row: M1 in every row, (M1, M1, 1) for horizontal5,
  /// whose heights are shifted but not scaled.
  Vec3 rowScale{};

  /// The point (X, Y, Z) carried into the target system. Raises the
  /// floating-point flags of the calling thread on an overflow; checking
  /// them is the caller's.
  Vec3 Apply(double X, double Y, double Z) const {
    const double x = X - startCentroid[0];
    const double y = Y - startCentroid[1];
    const double z = Z - startCentroid[2];
    return {(R[0][0] * x + R[0][1] * y + R[0][2] * z) * rowScale[0] + targetCentroid[0],
            (R[1][0] * x + R[1][1] * y + R[1][2] * z) * rowScale[1] + targetCentroid[1],
            (R[2][0] * x + R[2][1] * y + R[2][2] * z) * rowScale[2] + targetCentroid[2]};
  }

  /// t at the start system's origin, per row
  /// t_i = targetCentroid_i − rowScale_i·(R_i·startCentroid) [m].
  Vec3 Translation() const;

  /// The similarity form: t, the angles of R, the scale.
  HelmertParameters Helmert() const;

  /// target = offset + A·start with A[i][j] = R[i][j]·rowScale[i] and the
  /// offset the translation.
  AffineParameters Affine() const;

  /// The same transformation with the target centroid's X and Y less the
  /// whole multiples of 10000 they hold (truncated toward zero), which keeps
  /// national-grid coordinates small. Throws `Error` "Ungültige
  /// Gleitkommaoperation" for a centroid too large to shorten in 64 bits.
  Transformation Shortened() const;
};

}  // namespace orthavion
