#include "estimation/estimate.h"

#include "base/fpcheck.h"
#include "estimation/estimationtexts.h"
#include "estimation/centroid.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"
#include "estimation/rechneparameter.h"
#include "estimation/residuals.h"
#include "estimation/horizontal.h"

namespace orthavion {

void EstimateModel(RunState& state, Model model) {
  state.model = model;
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

std::string_view ModelLine(Model model) {
  switch (model) {
    case Model::Similarity7: return texts::kModelLineSimilarity7;
    case Model::Rigid6: return texts::kModelLineRigid6;
    case Model::Horizontal5: return texts::kModelLineHorizontal5;
  }
  return {};
}

}  // namespace orthavion
