#pragma once
#include "estimation/centroid.h"
#include "points/runstate.h"

namespace orthavion {

/// The scale, translation and angle stage: M1 from the chosen eigenvalue and
/// the spread of the reduced start coordinates, T from the two centroids,
/// and the three rotation angles of R = Rx·Ry·Rz in gon, degrees and arc
/// seconds. Appends its lines to the protocol.
void SolveScaleAndTranslation(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y,
                              double lambdaMax);

/// Rotation angles in radians of R = Rx(rX)·Ry(rY)·Rz(rZ), valid over the
/// whole circle: rX and rZ by the two-argument arc tangent, rY as the arc
/// sine of R[1,3] clamped to [-1, 1].
struct Angles {
  double rX, rY, rZ;
};
Angles RotationAngles(const TMat3& R);

}  // namespace orthavion
