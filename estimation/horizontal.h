#pragma once
#include "estimation/centroid.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The horizontal model's stage in place of the quaternion rotation and the
/// scale: from the reduced control points, a plane similarity for X/Y,
///   a = Σ(x'X' + y'Y') / Σ(x'² + y'²),  b = Σ(x'Y' − y'X') / Σ(x'² + y'²),
///   m = √(a² + b²),  rZ = atan2(b, a),
/// R = Rz(rZ), scale m with the row scales (m, m, 1); then the translation
/// (tz the mean of the height differences) and the angles. Appends the
/// rotation matrix, scale, translation and angle lines; no eigen-analysis.
/// Fewer than one control point with a horizontal spread is 0/0:
/// "Ungültige Gleitkommaoperation".
void SolveHorizontal(const TPunktMatrix& X, const TPunktMatrix& Y, ProtocolWriter& out,
                     Transformation& t);

}  // namespace orthavion
