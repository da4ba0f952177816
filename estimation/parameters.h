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

/// Stores the scale factor `M1` with the row scales S (M1 in rows 1 and 2,
/// and in row 3 when `scaledHeights`, 1 otherwise) and appends the
/// "Maßstabsfaktor" line.
void SetScale(RunState& state, double M1, bool scaledHeights);

/// The translation and angle stage after the scale: T from the two
/// centroids, T[c] = Y[0][c] − S[c]·(R·X[0])[c], and the three rotation
/// angles of R in gon, degrees and arc seconds. Appends its lines.
void SolveTranslationAndAngles(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y);

/// Rotation angles in radians of R = Rx(rX)·Ry(rY)·Rz(rZ), valid over the
/// whole circle: rX and rZ by the two-argument arc tangent, rY as the arc
/// sine of R[1,3] clamped to [-1, 1].
struct Angles {
  double rX, rY, rZ;
};
Angles RotationAngles(const TMat3& R);

}  // namespace orthavion
