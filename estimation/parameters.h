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

/// Stores the scale factor `M1` with the row scales S (M1 in rows 1 and 2,
/// and in row 3 when `scaledHeights`, 1 otherwise) and appends the
/// "Maßstabsfaktor" line.
void SetScale(RunState& state, double M1, bool scaledHeights);

/// The translation and angle stage after the scale: T from the two
/// centroids, T[c] = Y[0][c] − S[c]·(R·X[0])[c], and the three rotation
/// angles of R in gon, degrees and arc seconds. Appends its lines.
void SolveTranslationAndAngles(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y);

/// The rotation matrix of the run's 1-based form as a value's rows.
Mat3 RowsOf(const TMat3& R);

/// Rotation angles of R (`RotationAngles` of its rows).
Angles RotationAngles(const TMat3& R);

}  // namespace orthavion
