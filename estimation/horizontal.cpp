#include "estimation/horizontal.h"

#include <cmath>

#include "base/fpcheck.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"

namespace orthavion {

void SolveHorizontal(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y) {
  const std::size_t k = X.size() - 1;
  double sxx = 0.0, sa = 0.0, sb = 0.0;
  for (std::size_t j = 1; j <= k; ++j) {
    sxx = sxx + (X[j][1] * X[j][1] + X[j][2] * X[j][2]);
    sa = sa + (X[j][1] * Y[j][1] + X[j][2] * Y[j][2]);
    sb = sb + (X[j][1] * Y[j][2] - X[j][2] * Y[j][1]);
  }
  CheckFp();
  const double a = Fp(sa / sxx);
  const double b = Fp(sb / sxx);
  const double m = Fp(std::sqrt(a * a + b * b));
  const double c = Fp(a / m), s = Fp(b / m);

  state.Rewriting(TransformationPart::Rotation);
  state.R = {};
  state.R[1][1] = c;
  state.R[1][2] = -s;
  state.R[2][1] = s;
  state.R[2][2] = c;
  state.R[3][3] = 1.0;
  state.Written(TransformationPart::Rotation);
  AddRotationMatrix(state.protocol, state.R);

  SetScale(state, m, false);
  SolveTranslationAndAngles(state, X, Y);
}

}  // namespace orthavion
