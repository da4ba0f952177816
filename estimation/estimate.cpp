#include "estimation/estimate.h"

#include "estimation/estimationtexts.h"
#include "estimation/centroid.h"
#include "estimation/horizontal.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"
#include "estimation/residuals.h"

namespace orthavion {

TPunktTyp ReduceToCentroids(const PointTable& P) {
  const TPunktTyp c = Schwerpunkt(P);
  Schwerpunktreduktion(P, c);
  return c;
}

Transformation EstimateParameters(const PointTable& P, const TPunktTyp& c, Model model,
                                  ProtocolWriter& out) {
  Transformation t;
  t.model = model;
  SetCentroids(c, t);

  TPunktMatrix X, Y;
  OpenEstimation(P, t, out, X, Y);
  switch (model) {
    case Model::Similarity7:
      SolveScaleAndTranslation(X, SolveRotation(X, Y, out, t).lambdaMax, out, t);
      break;
    case Model::Rigid6:
      SolveRotation(X, Y, out, t);
      SetScale(1.0, true, out, t);
      SolveTranslationAndAngles(t, out);
      break;
    case Model::Horizontal5:
      SolveHorizontal(X, Y, out, t);
      break;
  }
  return t;
}

Transformation Estimate(const PointTable& P, Model model, ProtocolWriter& out,
                        const ParametersDone& done) {
  const Transformation t = EstimateParameters(P, ReduceToCentroids(P), model, out);
  if (done) done(t);
  ListResiduals(P, t, out);
  return t;
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
