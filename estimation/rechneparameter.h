#pragma once
#include "points/runstate.h"

namespace orthavion {

/// The estimation stage of the plain run on `state`, its thin outer layer:
/// the transformation in force is withdrawn, then the similarity is
/// estimated from the points `state.P` as read (`Estimate`), every line
/// appended to the state's protocol with the calling thread's decimal
/// separator as the reading left it. The parameters are in force once they
/// are complete.
void RechneParameter(RunState& state);

}  // namespace orthavion
