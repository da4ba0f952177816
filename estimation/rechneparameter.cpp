#include "estimation/rechneparameter.h"

#include "estimation/centroid.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"
#include "estimation/residuals.h"

namespace orthavion {

void RechneParameter(RunState& state) {
  TPunktMatrix X, Y;
  OpenEstimation(state, X, Y);
  const RotationResult rotation = SolveRotation(state, X, Y);
  SolveScaleAndTranslation(state, X, Y, rotation.lambdaMax);
  ListResiduals(state, X, Y);
}

}  // namespace orthavion
