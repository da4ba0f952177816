#pragma once
#include "points/runstate.h"

namespace orthavion {

/// The estimation of the seven parameters of target = T + M1·R·start from the
/// reduced control points (Horn's closed form with unit quaternions):
/// the opening with the centroids, the quaternion rotation, scale,
/// translation and angles, then residuals, accuracy and the transformed
/// points; every stage appends its lines to the protocol as it goes.
void RechneParameter(RunState& state);

}  // namespace orthavion
