#include "estimation/centroid.h"

#include "base/fpcheck.h"
#include "text/numformat.h"

namespace orthavion {

void Schwerpunkt(RunState& state) {
  PointTable& P = state.P;
  TPunktTyp& c = P[0];
  state.Rewriting(TransformationPart::Centroids);
  c.NR = "Schwerpunkt";
  c.XS = c.YS = c.ZS = c.XZ = c.YZ = c.ZZ = 0.0;
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
  state.Written(TransformationPart::Centroids);
}

void Schwerpunktreduktion(RunState& state) {
  PointTable& P = state.P;
  const TPunktTyp c = P[0];
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    TPunktTyp& p = P[i];
    p.XS -= c.XS;
    p.YS -= c.YS;
    p.ZS -= c.ZS;
    p.XZ -= c.XZ;
    p.YZ -= c.YZ;
    p.ZZ -= c.ZZ;
  }
  CheckFp();
}

void OpenEstimation(RunState& state, TPunktMatrix& X, TPunktMatrix& Y) {
  Protocol& protocol = state.protocol;
  const PointTable& P = state.P;
  protocol.Add("7 Parameter Helmerttransformation mit Quaternionen");
  protocol.Add(" Y = t + mRX");

  X.assign(1, {});
  Y.assign(1, {});
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (!p.Passpunkt) continue;
    X.push_back({0.0, p.XS, p.YS, p.ZS});
    Y.push_back({0.0, p.XZ, p.YZ, p.ZZ});
  }
  X[0] = {0.0, P[0].XS, P[0].YS, P[0].ZS};
  Y[0] = {0.0, P[0].XZ, P[0].YZ, P[0].ZZ};

  protocol.Add("Schwerpunkt");
  protocol.Add(Format("%10.3f %10.3f %10.3f", {X[0][1], X[0][2], X[0][3]}));
  protocol.Add(Format("%10.3f %10.3f %10.3f", {Y[0][1], Y[0][2], Y[0][3]}));
}

}  // namespace orthavion
