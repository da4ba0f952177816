#include "statistics/adjustment.h"

#include <cmath>
#include <numbers>

#include "base/fpcheck.h"
#include "estimation/parameters.h"
#include "estimation/residuals.h"
#include "numeric/cholesky.h"
#include "statistics/quantiles.h"

namespace orthavion {

namespace {

constexpr int kMaxParameters = 7;
constexpr double kAlpha = 0.001;
constexpr double kGlobalTestLevel = 0.05;
// Baarda's factor for the minimal detectable bias (α = 0.001, power 80 %).
constexpr double kMdbFactor = 4.13;
// A redundancy number below this: nothing checks the coordinate.
constexpr double kUnchecked = 1e-9;
constexpr double kGonPerRadian = 200 / std::numbers::pi;

using M3 = std::array<std::array<double, 3>, 3>;
using Row = std::array<double, kMaxParameters>;
using Square = SquareMatrix<kMaxParameters>;

M3 Product(const M3& a, const M3& b) {
  M3 c{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) c[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
  return c;
}

// The parameters of a model and the derivatives of its rotation at the
// estimate: R = Rx(rX)·Ry(rY)·Rz(rZ), D[k] = ∂R/∂(angle k).
struct Design {
  std::int32_t u = 0;
  int firstAngle = 0;  // 0 (rX, rY, rZ) or 2 (rZ only)
  bool scale = false;  // m estimated
  M3 R{};
  std::array<M3, 3> D{};
  Vec3 S{};       // row scales
  Vec3 scaled{};  // 1 for the rows that m scales
};

Design MakeDesign(const Transformation& t) {
  const Model model = t.model;
  Design d;
  d.u = ModelParameters(model);
  d.firstAngle = model == Model::Horizontal5 ? 2 : 0;
  d.scale = model != Model::Rigid6;
  d.S = t.rowScale;
  d.R = t.R;
  for (int i = 0; i < 3; ++i) d.scaled[i] = model == Model::Horizontal5 && i == 2 ? 0.0 : 1.0;
  const Angles a = RotationAngles(t.R);
  const double ca = std::cos(a.rX), sa = std::sin(a.rX);
  const double cb = std::cos(a.rY), sb = std::sin(a.rY);
  const double cc = std::cos(a.rZ), sc = std::sin(a.rZ);
  const M3 Rx{{{1, 0, 0}, {0, ca, -sa}, {0, sa, ca}}};
  const M3 Ry{{{cb, 0, sb}, {0, 1, 0}, {-sb, 0, cb}}};
  const M3 Rz{{{cc, -sc, 0}, {sc, cc, 0}, {0, 0, 1}}};
  const M3 dRx{{{0, 0, 0}, {0, -sa, -ca}, {0, ca, -sa}}};
  const M3 dRy{{{-sb, 0, cb}, {0, 0, 0}, {-cb, 0, -sb}}};
  const M3 dRz{{{-sc, -cc, 0}, {cc, -sc, 0}, {0, 0, 0}}};
  d.D[0] = Product(Product(dRx, Ry), Rz);
  d.D[1] = Product(Product(Rx, dRy), Rz);
  d.D[2] = Product(Product(Rx, Ry), dRz);
  return d;
}

// The three rows (X, Y, Z) of the Jacobian of a point's transformed
// coordinates t + S·R·x with respect to (t, angles, m), x relative to the
// point about which the translation is taken.
void Jacobian(const Design& d, const Vec3& x, std::array<Row, 3>& A) {
  for (int i = 0; i < 3; ++i) {
    Row& a = A[i];
    a.fill(0.0);
    a[i] = 1.0;
    int col = 3;
    for (int k = d.firstAngle; k < 3; ++k)
      a[col++] = d.S[i] * (d.D[k][i][0] * x[0] + d.D[k][i][1] * x[1] + d.D[k][i][2] * x[2]);
    if (d.scale) a[col] = d.scaled[i] * (d.R[i][0] * x[0] + d.R[i][1] * x[1] + d.R[i][2] * x[2]);
  }
}

// a·Q·aᵀ for a row a of u elements.
double Quadratic(const Square& Q, const Row& a, std::int32_t u) {
  double sum = 0.0;
  for (int i = 0; i < u; ++i) {
    double qi = 0.0;
    for (int j = 0; j < u; ++j) qi += Q[i][j] * a[j];
    sum += a[i] * qi;
  }
  return sum;
}

// The inverse of the normal matrix; a matrix that is not positive definite
// (control points on one line) ends with a floating-point error at the
// first faulty element of its factor.
Square Inverse(const Square& N, std::int32_t u) {
  const Square Q = CholeskyInverse(N, static_cast<std::size_t>(u), [](double v) { return Fp(v); });
  CheckFp();
  return Q;
}

Vec3 Start(const TPunktTyp& p) { return {p.XS, p.YS, p.ZS}; }
Vec3 Start(const ReducedPoint& p) { return {p.XS, p.YS, p.ZS}; }
Vec3 Target(const TPunktTyp& p) { return {p.XZ, p.YZ, p.ZZ}; }

}  // namespace

AdjustmentResult ComputeAdjustment(const PointTable& P, const Transformation& t,
                                   std::optional<double> sigma0) {
  const Model model = t.model;
  const Design d = MakeDesign(t);
  const Vec3 T = t.Translation();
  const auto reduced = [&t](const TPunktTyp& p) {
    return Reduced(p, t.startCentroid, t.targetCentroid);
  };
  const std::int32_t u = d.u;
  AdjustmentResult r;
  r.transformation = t;
  r.sigma0 = sigma0;
  r.alpha = kAlpha;

  // Normal equations of the parameters at the start centroid, and [vv] in
  // the order of the protocol's accuracy line.
  Square N{};
  std::array<Row, 3> A;
  double vv = 0.0;
  std::int32_t k = 0;
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    if (!P[i].Passpunkt) continue;
    ++k;
    const ReducedPoint p = reduced(P[i]);
    const Transformed v = TransformControlPoint(t, T, p);
    vv = ((vv + v.vx * v.vx) + v.vy * v.vy) + v.vz * v.vz;
    Jacobian(d, Start(p), A);
    for (const Row& a : A)
      for (int j = 0; j < u; ++j)
        for (int l = 0; l < u; ++l) N[j][l] += a[j] * a[l];
  }
  CheckFp();
  const Square Qc = Inverse(N, u);
  r.degreesOfFreedom = 3 * k - u;
  r.vv = vv;
  r.m0 = Fp(std::sqrt(vv / r.degreesOfFreedom));
  r.s = sigma0 ? *sigma0 : r.m0;
  r.testKind = sigma0 ? TestKind::W : TestKind::Tau;
  r.criticalValue = sigma0 ? WTestCriticalValue(kAlpha)
                           : TauTestCriticalValue(kAlpha, r.degreesOfFreedom);
  const double s = r.s;

  // Qxx of the parameters at the origin: t = t_c − S·R·x_c, so the
  // translation rows take minus the Jacobian at the start centroid.
  Jacobian(d, t.startCentroid, A);
  Square G{};
  for (int i = 0; i < u; ++i) G[i][i] = 1.0;
  for (int i = 0; i < 3; ++i)
    for (int j = 3; j < u; ++j) G[i][j] = -A[i][j];
  Square Q{};
  for (int i = 0; i < u; ++i)
    for (int j = 0; j < u; ++j) {
      double sum = 0.0;
      for (int a = 0; a < u; ++a)
        for (int b = 0; b < u; ++b) sum += G[i][a] * Qc[a][b] * G[j][b];
      Q[i][j] = sum;
    }
  CheckFp();

  for (int i = 0; i < 3; ++i) {
    r.sigmaTranslation[i] = Fp(s * std::sqrt(Q[i][i]));
  }
  const Angles angles = RotationAngles(t.R);
  r.rotationGon = {angles.rX * kGonPerRadian, angles.rY * kGonPerRadian,
                   angles.rZ * kGonPerRadian};
  if (model == Model::Horizontal5) r.rotationGon = {0.0, 0.0, angles.rZ * kGonPerRadian};
  r.parameterOrder = {"tx", "ty", "tz"};
  int col = 3;
  for (int a = d.firstAngle; a < 3; ++a, ++col) {
    r.parameterOrder.push_back(a == 0 ? "rX" : a == 1 ? "rY" : "rZ");
    r.sigmaRotationGon[a] = Fp(s * std::sqrt(Q[col][col]) * kGonPerRadian);
  }
  if (d.scale) {
    r.parameterOrder.push_back("m");
    r.sigmaScalePpm = Fp(s * std::sqrt(Q[col][col]) * 1000000);
  }
  r.correlation.assign(u, std::vector<double>(u));
  for (int i = 0; i < u; ++i)
    for (int j = 0; j < u; ++j) r.correlation[i][j] = Fp(Q[i][j] / std::sqrt(Q[i][i] * Q[j][j]));

  // The control points in table order, used ones with their tests, check
  // points with their residuals only; then the new points.
  for (std::int32_t i = 1; i <= P.High(); ++i) {
    const TPunktTyp& read = P[i];
    const ReducedPoint p = reduced(read);
    const bool isNew = !read.Passpunkt && !read.Kontrollpunkt;
    if (isNew) {
      if (!read.IstStartsystem) continue;
      NewPointResult n;
      n.id = read.NR;
      n.start = Start(read);
      n.transformed = TransformAboutTargetCentroid(t, p);
      Jacobian(d, Start(p), A);
      for (int j = 0; j < 3; ++j) n.sigma[j] = Fp(s * std::sqrt(Quadratic(Qc, A[j], u)));
      r.newPoints.push_back(std::move(n));
      continue;
    }
    ControlPointResult cp;
    cp.id = read.NR;
    cp.used = read.Passpunkt;
    cp.start = Start(read);
    cp.target = Target(read);
    const Transformed v = TransformControlPoint(t, T, p);
    const Vec3& c = t.targetCentroid;
    cp.transformed = {(v.xn - T[0]) + c[0], (v.yn - T[1]) + c[1], (v.zn - T[2]) + c[2]};
    cp.residual = {v.vx, v.vy, v.vz};
    if (cp.used) {
      Jacobian(d, Start(p), A);
      for (int j = 0; j < 3; ++j) {
        const double rj = 1.0 - Quadratic(Qc, A[j], u);
        cp.redundancy[j] = rj;
        if (rj < kUnchecked) continue;
        const double w = Fp(cp.residual[j] / (s * std::sqrt(rj)));
        cp.testValue[j] = w;
        cp.mdb[j] = Fp(s * kMdbFactor / std::sqrt(rj));
        if (std::fabs(w) > r.criticalValue) cp.flagged = true;
      }
    }
    r.controlPoints.push_back(std::move(cp));
  }

  if (sigma0) {
    GlobalTest g;
    g.statistic = Fp(vv / (*sigma0 * *sigma0));
    g.quantile = ChiSquareUpperQuantile(kGlobalTestLevel, r.degreesOfFreedom);
    g.accepted = g.statistic <= g.quantile;
    r.globalTest = g;
  }
  return r;
}

}  // namespace orthavion
