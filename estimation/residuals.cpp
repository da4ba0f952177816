#include "estimation/residuals.h"

#include <cmath>

#include "base/fpcheck.h"

namespace orthavion {

Transformed TransformControlPoint(const Transformation& t, const Vec3& T, const ReducedPoint& p) {
  const Mat3& R = t.R;
  const Vec3& S = t.rowScale;
  Transformed r;
  r.xn = ((R[0][0] * p.XS + R[0][1] * p.YS) + R[0][2] * p.ZS) * S[0] + T[0];
  r.yn = ((R[1][0] * p.XS + R[1][1] * p.YS) + R[1][2] * p.ZS) * S[1] + T[1];
  r.zn = ((R[2][0] * p.XS + R[2][1] * p.YS) + R[2][2] * p.ZS) * S[2] + T[2];
  r.vx = r.xn - (p.XZ + T[0]);
  r.vy = r.yn - (p.YZ + T[1]);
  r.vz = r.zn - (p.ZZ + T[2]);
  return r;
}

Vec3 TransformAboutTargetCentroid(const Transformation& t, const ReducedPoint& p) {
  const Mat3& R = t.R;
  const Vec3& S = t.rowScale;
  const Vec3& c = t.targetCentroid;
  return {((R[0][0] * p.XS + R[0][1] * p.YS) + R[0][2] * p.ZS) * S[0] + c[0],
          ((R[1][0] * p.XS + R[1][1] * p.YS) + R[1][2] * p.ZS) * S[1] + c[1],
          ((R[2][0] * p.XS + R[2][1] * p.YS) + R[2][2] * p.ZS) * S[2] + c[2]};
}

void ListResiduals(const PointTable& P, const Transformation& t, ProtocolWriter& out) {
  const Vec3 T = t.Translation();
  const auto reduced = [&t](const TPunktTyp& p) {
    return Reduced(p, t.startCentroid, t.targetCentroid);
  };

  // Pass 1: accuracy figures.
  std::int32_t k = 0;
  double vv = 0.0;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    if (!P[i].Passpunkt) continue;
    ++k;
    const Transformed r = TransformControlPoint(t, T, reduced(P[i]));
    vv = ((vv + r.vx * r.vx) + r.vy * r.vy) + r.vz * r.vz;
  }
  // With fewer parameters two points would leave degrees of freedom, but
  // the run needs three control points whatever the model.
  if (t.model != Model::Similarity7 && k < 3) RaiseFpInvalid();
  const std::int32_t f = 3 * k - ModelParameters(t.model);
  // The redundancy figure is evaluated left to right: f / 3, then times k.
  const double Red = static_cast<double>(f) / 3 * k;
  const double m0 = std::sqrt(vv / f);
  const double mp = std::sqrt(3.0) * m0;
  out.Add("");
  out.Add("[vv]=%10.4f Freiheitsgrad= %d m0=%10.4f mP=%10.4f Redundanz=%10.2f",
          {vv, f, m0, mp, Red});
  out.Add("");

  // Pass 2: the control points with residuals and test values.
  out.Add("Transformierte Passpunkte");
  out.Add(
      "Punktnummer              X              Y              Z         vX          vY"
      "         vZ         vS       TG");
  std::string line;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (!p.Passpunkt) continue;
    const Transformed r = TransformControlPoint(t, T, reduced(p));
    const double vs = std::sqrt(r.vx * r.vx + r.vy * r.vy + r.vz * r.vz);
    const double TG = Fp(vs / m0);
    const double x = (r.xn - T[0]) + t.targetCentroid[0];
    const double y = (r.yn - T[1]) + t.targetCentroid[1];
    const double z = (r.zn - T[2]) + t.targetCentroid[2];
    line.clear();
    out.Append(line, "%-14s %14.3f %14.3f %14.3f %10.3f %10.3f %10.3f %10.3f %7.1f",
               {p.NR, x, y, z, r.vx, r.vy, r.vz, vs, TG});
    if (TG < 3.0) {
      out.Add(line);
    } else {
      line += " !";  // a conspicuous point: a gross error is likely
      out.AddHighlighted(line);
    }
  }

  // Pass 3: the new points, transformed about the target centroid.
  out.Add("Transformierte Neupunkte");
  out.Add("Punktnummer              X              Y              Z");
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& p = P[i];
    if (p.Passpunkt || !p.IstStartsystem || p.Kontrollpunkt) continue;
    const Vec3 n = TransformAboutTargetCentroid(t, reduced(p));
    line.clear();
    out.Append(line, "%-14s %14.3f %14.3f %14.3f", {p.NR, n[0], n[1], n[2]});
    out.Add(line);
  }
}

}  // namespace orthavion
