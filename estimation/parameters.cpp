#include "estimation/parameters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/fpcheck.h"
#include "text/numformat.h"

namespace orthavion {

Mat3 RowsOf(const TMat3& R) {
  Mat3 rows;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) rows[i][j] = R[i + 1][j + 1];
  return rows;
}

Angles RotationAngles(const TMat3& R) { return RotationAngles(RowsOf(R)); }

void SolveScaleAndTranslation(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y,
                              double lambdaMax) {
  const std::size_t k = X.size() - 1;

  double sumxx = 0.0;
  for (std::size_t j = 1; j <= k; ++j)
    for (int c = 1; c <= 3; ++c) sumxx = sumxx + X[j][c] * X[j][c];
  CheckFp();
  state.Rewriting(TransformationPart::Scale);
  SetScale(state, Fp(lambdaMax / sumxx), true);
  SolveTranslationAndAngles(state, X, Y);
}

void SetScale(RunState& state, double M1, bool scaledHeights) {
  state.Rewriting(TransformationPart::Scale);
  state.M1 = M1;
  state.S = {0.0, M1, M1, scaledHeights ? M1 : 1.0};
  state.Written(TransformationPart::Scale);
  state.protocol.Add("");
  state.protocol.Add(Format("Maßstabsfaktor %10.6f : %10.3f ppm", {M1, (M1 - 1) * 1000000}));
}

void SolveTranslationAndAngles(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y) {
  Protocol& protocol = state.protocol;
  const TMat3& R = state.R;
  for (int c = 1; c <= 3; ++c)
    state.T[c] = Fp(Y[0][c] -
                    state.S[c] * ((R[c][1] * X[0][1] + R[c][2] * X[0][2]) + R[c][3] * X[0][3]));
  protocol.Add(Format("Translation tx%12.3f ty%12.3f tz%12.3f",
                      {state.T[1], state.T[2], state.T[3]}));

  protocol.Add("Rotationen");
  constexpr double pi = std::numbers::pi;
  Angles a = RotationAngles(R);
  protocol.Add(Format("rX %10.5f rY %10.5f rZ %10.5f [gon] ",
                      {a.rX * 200 / pi, a.rY * 200 / pi, a.rZ * 200 / pi}));
  a = RotationAngles(R);
  protocol.Add(Format("rX %10.5f rY %10.5f rZ %10.5f [Grd]",
                      {a.rX * 180 / pi, a.rY * 180 / pi, a.rZ * 180 / pi}));
  a = RotationAngles(R);
  protocol.Add(Format("rX %10.5f rY %10.5f rZ %10.5f [\"]",
                      {a.rX * 180 / pi * 3600, a.rY * 180 / pi * 3600, a.rZ * 180 / pi * 3600}));
}

}  // namespace orthavion
