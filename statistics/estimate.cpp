#include "statistics/estimate.h"

#include "base/fpcheck.h"
#include "estimation/centroid.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"
#include "estimation/rechneparameter.h"
#include "estimation/residuals.h"
#include "statistics/horizontal.h"

namespace orthavion {

void EstimateModel(RunState& state, Model model) {
  if (model == Model::Similarity7) {
    RechneParameter(state);
    return;
  }
  TPunktMatrix X, Y;
  OpenEstimation(state, X, Y);
  if (model == Model::Rigid6) {
    SolveRotation(state, X, Y);
    SetScale(state, 1.0, true);
    SolveTranslationAndAngles(state, X, Y);
  } else {
    SolveHorizontal(state, X, Y);
  }
  // With fewer parameters two points would leave degrees of freedom, but
  // the run needs three control points whatever the model.
  if (X.size() - 1 < 3) RaiseFpInvalid();
  ListResiduals(state, X, Y, ModelParameters(model));
}

}  // namespace orthavion
