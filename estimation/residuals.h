#pragma once
#include "estimation/centroid.h"
#include "points/runstate.h"

namespace orthavion {

/// A control point carried into the target system, from its reduced
/// coordinates: xn = (R·x)·S + T per row, v = xn − (target + T) (the
/// translation is added to both sides as written; it cancels).
struct Transformed {
  double xn, yn, zn;  // transformed position (reduced start, plus T)
  double vx, vy, vz;  // residual: transformed start minus target
};
Transformed TransformControlPoint(const RunState& s, const TPunktTyp& p);

/// A point carried into the target system about the target centroid (entry
/// 0 of the table), from its reduced start coordinates: (R·x)·S + centroid
/// per row; the same position as T + S·R·x for the unreduced x.
std::array<double, 3> TransformAboutTargetCentroid(const RunState& s, const TPunktTyp& p);

/// The accuracy stage: residuals of the control points, [vv], degrees of
/// freedom f = 3k − `parameters`, m0, mP and the redundancy figure; the list
/// of transformed control points with their test values (a point with
/// TG >= 3 is flagged " !" and highlighted); the list of transformed new
/// points (check points are not among them).
void ListResiduals(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y,
                   std::int32_t parameters = 7);

}  // namespace orthavion
