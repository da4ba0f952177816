#pragma once
#include "points/runstate.h"
#include <string_view>

#include "transformation/model.h"

namespace orthavion {

/// Estimates the model from the control points of `state` (after
/// `Schwerpunkt` and `Schwerpunktreduktion`) with the stages of the run,
/// appending the estimation to the protocol in the run's line layouts:
/// similarity7 exactly as the run; rigid6 with the same rotation and
/// M1 = 1; horizontal5 with R = Rz and no eigen-analysis. The accuracy lines
/// count f = 3k − u. Fewer than three control points end the estimation with
/// "Ungültige Gleitkommaoperation" at the latest before the accuracy lines.
void EstimateModel(RunState& state, Model model);

/// The protocol line naming the model ("Modell: ...").
std::string_view ModelLine(Model model);

}  // namespace orthavion
