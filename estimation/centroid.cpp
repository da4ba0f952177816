#include "estimation/centroid.h"

#include <cmath>

#include "base/fpcheck.h"

namespace orthavion {

TPunktTyp Schwerpunkt(const PointTable& P) {
  TPunktTyp c;
  c.NR = "Schwerpunkt";
  int n = 0;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (!p.Passpunkt) continue;
    c.XS += p.XS;
    c.YS += p.YS;
    c.ZS += p.ZS;
    c.XZ += p.XZ;
    c.YZ += p.YZ;
    c.ZZ += p.ZZ;
    ++n;
  }
  CheckFp();  // an overflowing sum
  // No test of n: without control points each average is 0/0.
  c.XS = Fp(c.XS / n);
  c.YS = Fp(c.YS / n);
  c.ZS = Fp(c.ZS / n);
  c.XZ = Fp(c.XZ / n);
  c.YZ = Fp(c.YZ / n);
  c.ZZ = Fp(c.ZZ / n);
  return c;
}

void Schwerpunktreduktion(const PointTable& P, const TPunktTyp& c) {
  const Vec3 start{c.XS, c.YS, c.ZS}, target{c.XZ, c.YZ, c.ZZ};
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const ReducedPoint r = Reduced(P[i], start, target);
    // The difference of two doubles is finite unless it overflowed.
    if (!std::isfinite(r.XS) || !std::isfinite(r.YS) || !std::isfinite(r.ZS) ||
        !std::isfinite(r.XZ) || !std::isfinite(r.YZ) || !std::isfinite(r.ZZ))
      RaiseFpOverflow();
  }
  CheckFp();
}

void SetCentroids(const TPunktTyp& c, Transformation& t) {
  t.startCentroid = {c.XS, c.YS, c.ZS};
  t.targetCentroid = {c.XZ, c.YZ, c.ZZ};
}

void OpenEstimation(const PointTable& P, const Transformation& t, ProtocolWriter& out,
                    TPunktMatrix& X, TPunktMatrix& Y) {
  out.Add("7 Parameter Helmerttransformation mit Quaternionen");
  out.Add(" Y = t + mRX");

  X.assign(1, {});
  Y.assign(1, {});
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (!p.Passpunkt) continue;
    const ReducedPoint r = Reduced(p, t.startCentroid, t.targetCentroid);
    X.push_back({0.0, r.XS, r.YS, r.ZS});
    Y.push_back({0.0, r.XZ, r.YZ, r.ZZ});
  }
  X[0] = {0.0, t.startCentroid[0], t.startCentroid[1], t.startCentroid[2]};
  Y[0] = {0.0, t.targetCentroid[0], t.targetCentroid[1], t.targetCentroid[2]};

  out.Add("Schwerpunkt");
  out.Add("%10.3f %10.3f %10.3f", {X[0][1], X[0][2], X[0][3]});
  out.Add("%10.3f %10.3f %10.3f", {Y[0][1], Y[0][2], Y[0][3]});
}

}  // namespace orthavion
