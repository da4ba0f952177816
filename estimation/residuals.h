#pragma once
#include "estimation/centroid.h"
#include "points/runstate.h"

namespace orthavion {

/// The accuracy stage: residuals of the control points, [vv], degrees of
/// freedom, m0, mP and the redundancy figure; the list of transformed control
/// points with their test values (a point with TG >= 3 is flagged " !" and
/// highlighted); the list of transformed new points.
void ListResiduals(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y);

}  // namespace orthavion
