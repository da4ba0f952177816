#include "estimation/residuals.h"

#include <cmath>

#include "base/fpcheck.h"
#include "text/numformat.h"

namespace orthavion {

Transformed TransformControlPoint(const RunState& s, const TPunktTyp& p) {
  const TMat3& R = s.R;
  Transformed t;
  t.xn = ((R[1][1] * p.XS + R[1][2] * p.YS) + R[1][3] * p.ZS) * s.S[1] + s.T[1];
  t.yn = ((R[2][1] * p.XS + R[2][2] * p.YS) + R[2][3] * p.ZS) * s.S[2] + s.T[2];
  t.zn = ((R[3][1] * p.XS + R[3][2] * p.YS) + R[3][3] * p.ZS) * s.S[3] + s.T[3];
  t.vx = t.xn - (p.XZ + s.T[1]);
  t.vy = t.yn - (p.YZ + s.T[2]);
  t.vz = t.zn - (p.ZZ + s.T[3]);
  return t;
}

std::array<double, 3> TransformAboutTargetCentroid(const RunState& s, const TPunktTyp& p) {
  const TMat3& R = s.R;
  const TPunktTyp& c = s.P[0];
  return {((R[1][1] * p.XS + R[1][2] * p.YS) + R[1][3] * p.ZS) * s.S[1] + c.XZ,
          ((R[2][1] * p.XS + R[2][2] * p.YS) + R[2][3] * p.ZS) * s.S[2] + c.YZ,
          ((R[3][1] * p.XS + R[3][2] * p.YS) + R[3][3] * p.ZS) * s.S[3] + c.ZZ};
}

void ListResiduals(RunState& state, const TPunktMatrix& X, const TPunktMatrix& Y,
                   std::int32_t parameters) {
  Protocol& protocol = state.protocol;
  const PointTable& P = state.P;
  const std::int32_t k = static_cast<std::int32_t>(X.size()) - 1;

  // Pass 1: accuracy figures.
  double vv = 0.0;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    if (!P[i].Passpunkt) continue;
    const Transformed t = TransformControlPoint(state, P[i]);
    vv = ((vv + t.vx * t.vx) + t.vy * t.vy) + t.vz * t.vz;
  }
  const std::int32_t f = 3 * k - parameters;
  // The redundancy figure is evaluated left to right: f / 3, then times k.
  const double Red = static_cast<double>(f) / 3 * k;
  const double m0 = std::sqrt(vv / f);
  const double mp = std::sqrt(3.0) * m0;
  protocol.Add("");
  protocol.Add(Format("[vv]=%10.4f Freiheitsgrad= %d m0=%10.4f mP=%10.4f Redundanz=%10.2f",
                      {vv, f, m0, mp, Red}));
  protocol.Add("");

  // Pass 2: the control points with residuals and test values.
  protocol.Add("Transformierte Passpunkte");
  protocol.Add(
      "Punktnummer              X              Y              Z         vX          vY"
      "         vZ         vS       TG");
  std::string line;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (!p.Passpunkt) continue;
    const Transformed t = TransformControlPoint(state, p);
    const double vs = std::sqrt(t.vx * t.vx + t.vy * t.vy + t.vz * t.vz);
    const double TG = Fp(vs / m0);
    const double x = (t.xn - state.T[1]) + Y[0][1];
    const double y = (t.yn - state.T[2]) + Y[0][2];
    const double z = (t.zn - state.T[3]) + Y[0][3];
    line.clear();
    AppendFormat(line, "%-14s %14.3f %14.3f %14.3f %10.3f %10.3f %10.3f %10.3f %7.1f",
                 {p.NR, x, y, z, t.vx, t.vy, t.vz, vs, TG});
    if (TG < 3.0) {
      protocol.Add(line);
    } else {
      line += " !";  // a conspicuous point: a gross error is likely
      protocol.AddHighlighted(line);
    }
  }

  // Pass 3: the new points, transformed about the target centroid.
  protocol.Add("Transformierte Neupunkte");
  protocol.Add("Punktnummer              X              Y              Z");
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (p.Passpunkt || !p.IstStartsystem || p.Kontrollpunkt) continue;
    const std::array<double, 3> n = TransformAboutTargetCentroid(state, p);
    line.clear();
    AppendFormat(line, "%-14s %14.3f %14.3f %14.3f", {p.NR, n[0], n[1], n[2]});
    protocol.Add(line);
  }
}

}  // namespace orthavion
