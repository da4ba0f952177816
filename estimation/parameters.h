#pragma once
#include "estimation/centroid.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The scale, translation and angle stage. M1 = λmax / Σ|x'|² is Horn's
/// asymmetric scale (J. Opt. Soc. Am. A 4(4), 1987, section 2.B; 2.C gives
/// the symmetric one): the least squares scale when only the target
/// coordinates carry errors, so that
/// target = T + M1·R·start minimises Σ|y − (T + M1·R·x)|². T = ȳ − M1·R·x̄ from
/// the two centroids [m]. The three rotation angles of R = Rx(rX)·Ry(rY)·Rz(rZ)
/// (each an active rotation about its axis) are written in gon, degrees and
/// arc seconds. Appends its lines to `out`.
void SolveScaleAndTranslation(const TPunktMatrix& X, double lambdaMax, ProtocolWriter& out,
                              Transformation& t);

/// Stores the scale factor `M1` in `t` with the row scales (M1 in rows X
/// and Y, and in row Z when `scaledHeights`, 1 otherwise) and appends the
/// "Maßstabsfaktor" line.
void SetScale(double M1, bool scaledHeights, ProtocolWriter& out, Transformation& t);

/// The translation and angle stage after the scale: T from the two
/// centroids, T[c] = target centroid[c] − rowScale[c]·(R·start centroid)[c]
/// (`Transformation::Translation`), and the three rotation angles of R in
/// gon, degrees and arc seconds. Appends its lines.
void SolveTranslationAndAngles(const Transformation& t, ProtocolWriter& out);

}  // namespace orthavion
