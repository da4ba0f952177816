#include "estimation/parameters.h"

#include <numbers>

#include "base/fpcheck.h"

namespace orthavion {

void SolveScaleAndTranslation(const TPunktMatrix& X, double lambdaMax, ProtocolWriter& out,
                              Transformation& t) {
  const std::size_t k = X.size() - 1;

  double sumxx = 0.0;
  for (std::size_t j = 1; j <= k; ++j)
    for (int c = 1; c <= 3; ++c) sumxx = sumxx + X[j][c] * X[j][c];
  CheckFp();
  SetScale(Fp(lambdaMax / sumxx), true, out, t);
  SolveTranslationAndAngles(t, out);
}

void SetScale(double M1, bool scaledHeights, ProtocolWriter& out, Transformation& t) {
  t.scale = M1;
  t.rowScale = {M1, M1, scaledHeights ? M1 : 1.0};
  out.Add("");
  out.Add("Maßstabsfaktor %10.6f : %10.3f ppm", {M1, (M1 - 1) * 1000000});
}

void SolveTranslationAndAngles(const Transformation& t, ProtocolWriter& out) {
  const Vec3 T = t.Translation();
  CheckFp();
  out.Add("Translation tx%12.3f ty%12.3f tz%12.3f", {T[0], T[1], T[2]});

  out.Add("Rotationen");
  constexpr double pi = std::numbers::pi;
  Angles a = RotationAngles(t.R);
  out.Add("rX %10.5f rY %10.5f rZ %10.5f [gon] ",
          {a.rX * 200 / pi, a.rY * 200 / pi, a.rZ * 200 / pi});
  a = RotationAngles(t.R);
  out.Add("rX %10.5f rY %10.5f rZ %10.5f [Grd]",
          {a.rX * 180 / pi, a.rY * 180 / pi, a.rZ * 180 / pi});
  a = RotationAngles(t.R);
  out.Add("rX %10.5f rY %10.5f rZ %10.5f [\"]",
          {a.rX * 180 / pi * 3600, a.rY * 180 / pi * 3600, a.rZ * 180 / pi * 3600});
}

}  // namespace orthavion
