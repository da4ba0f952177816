#include "points/runstate.h"

#include "base/error.h"
#include "base/texts.h"

namespace orthavion {

Transformation RunState::TransformationInForce() const {
  if (P.empty() || !HasCompleteTransformation()) throw Error(texts::kNoTransformation);
  const TPunktTyp& c = P[0];
  Transformation t;
  t.model = model;
  t.startCentroid = {c.XS, c.YS, c.ZS};
  t.targetCentroid = {c.XZ, c.YZ, c.ZZ};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) t.R[i][j] = R[i + 1][j + 1];
    t.rowScale[i] = S[i + 1];
  }
  t.scale = M1;
  return t;
}

}  // namespace orthavion
