#pragma once
#include "points/runstate.h"

namespace orthavion {

/// The estimation of the seven parameters from the reduced control points:
/// the opening with the centroids, the quaternion rotation, scale,
/// translation and angles, then residuals, accuracy and the transformed
/// points; every stage appends its lines to the protocol as it goes.
void RechneParameter(RunState& state);

}  // namespace orthavion
