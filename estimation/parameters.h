#pragma once
#include "estimation/centroid.h"
#include "points/runstate.h"

namespace orthavion {

/// The scale, translation and angle stage. M1 = λmax / Σ|x'|² is Horn's
/// asymmetric scale (J. Opt. Soc. Am. A 4(4), 1987, section 2.B; 2.C gives
/// the symmetric one): the least squares scale when only the target
/// coordinates carry errors, so that
/// target = T + M1·R·start minimises Σ|y − (T + M1·R·x)|². T = ȳ − M1·R·x̄ from
/// the two centroids [m]. The three rotation angles of R = Rx(rX)·Ry(rY)·Rz(rZ)
/// (each an active rotation about its axis) are written in gon, degrees and
/// arc seconds. Appends its lines to the protocol.
void SolveScaleAndTranslation(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y,
                              double lambdaMax);

/// Rotation angles of R = Rx(rX)·Ry(rY)·Rz(rZ), valid over the whole
/// circle: rX and rZ by the two-argument arc tangent (−π, π], rY as the arc
/// sine of R[1,3] clamped to [-1, 1], in [−π/2, π/2].
struct Angles {
  double rX, rY, rZ;  ///< [rad]
};
Angles RotationAngles(const TMat3& R);

}  // namespace orthavion
