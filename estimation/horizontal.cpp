#include "estimation/horizontal.h"

#include <cmath>

#include "base/fpcheck.h"
#include "estimation/parameters.h"
#include "estimation/quaternion.h"

namespace orthavion {

void SolveHorizontal(const TPunktMatrix& X, const TPunktMatrix& Y, ProtocolWriter& out,
                     Transformation& t) {
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

  t.R = {};
  t.R[0][0] = c;
  t.R[0][1] = -s;
  t.R[1][0] = s;
  t.R[1][1] = c;
  t.R[2][2] = 1.0;
  AddRotationMatrix(out, t.R);

  SetScale(m, false, out, t);
  SolveTranslationAndAngles(t, out);
}

}  // namespace orthavion
