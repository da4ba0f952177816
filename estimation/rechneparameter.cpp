#include "estimation/rechneparameter.h"

#include "base/decimalseparator.h"
#include "estimation/estimate.h"

namespace orthavion {

void RechneParameter(RunState& state) {
  state.transformation.reset();
  ProtocolWriter out(state.protocol, DecimalSeparator());
  Estimate(state.P, Model::Similarity7, out,
           [&state](const Transformation& t) { state.transformation = t; });
}

}  // namespace orthavion
