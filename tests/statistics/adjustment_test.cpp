// The adjustment statistics against an independent generic least-squares
// solve (reference.h), per model: the closed form reaches the least-squares
// minimum, and σ, r, test values, MDB and new-point σ agree; Σr = f.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "estimation/similarity.h"
#include "statistics/adjustmentrun.h"
#include "statistics/reference.h"
#include "support/casename.h"
#include "support/testdir.h"

using namespace orthavion;
using namespace testsupport;

namespace {

struct AdjustCase {
  const char* name;
  Model model;
  Similarity truth;  // for horizontal5 only rZ, scale and t are used
  int controlPoints;
  bool flat;
  std::optional<double> sigma0;
};

// National-grid-sized translations; three points (the least), a flat site,
// rotations of all three angles, an a-priori σ0 (w-test) and none (τ-test).
const AdjustCase kCases[] = {
    {"similarity7", Model::Similarity7, {1.0000123, 0.01, -0.02, 2.5, {4512345.678, 5623456.789, 312.3}}, 12, false, {}},
    {"similarity7 three points", Model::Similarity7, {0.99998, 0.3, -0.2, 12.0, {4512345.678, 5623456.789, 312.3}}, 3, false, 0.004},
    {"similarity7 flat site", Model::Similarity7, {1.00002, 0.0, 0.0, -33.0, {600000.0, 5800000.0, 100.0}}, 7, true, {}},
    {"rigid6", Model::Rigid6, {1.0, 0.5, -0.4, 20.0, {4512345.678, 5623456.789, 312.3}}, 10, false, 0.003},
    {"rigid6 three points", Model::Rigid6, {1.0, 0.01, 0.02, 170.0, {1000.0, -2000.0, 3000.0}}, 3, false, {}},
    {"horizontal5", Model::Horizontal5, {1.00004, 0.0, 0.0, 45.0, {4512345.678, 5623456.789, 312.3}}, 9, false, {}},
    {"horizontal5 three points", Model::Horizontal5, {0.99997, 0.0, 0.0, -120.0, {32512345.0, 5623456.0, 45.0}}, 3, true, 0.005},
};

void PrintTo(const AdjustCase& c, std::ostream* os) { *os << c.name; }

// The target points of the case: the model applied exactly, then noise.
std::vector<Point> Targets(const AdjustCase& c, const std::vector<Point>& start) {
  const ReferenceModel ref(c.model);
  const Eigen::VectorXd p = ref.Start(c.truth);
  std::vector<Point> exact;
  for (const Point& x : start) exact.push_back({x.nr, ref.Apply(p, x.x)});
  return Transformed(exact, Similarity{}, 0.004, 7);
}

// Coordinates as the point file of four decimals holds them.
std::vector<Point> Written(const std::vector<Point>& pts) {
  std::vector<Point> out;
  for (const Point& p : pts) {
    Eigen::Vector3d x;
    for (int k = 0; k < 3; ++k) x[k] = std::round(p.x[k] * 1e4) / 1e4;
    out.push_back({p.nr, x});
  }
  return out;
}

class AdjustmentReferenceTest : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustmentReferenceTest, AgreesWithAGenericLeastSquaresSolve) {
  const AdjustCase& c = GetParam();
  TestDir dir;
  const auto start = Written(SitePoints(c.controlPoints, 600.0, {1500.0, 2500.0, 100.0}, c.flat, 3));
  const auto target = Written(Targets(c, start));
  std::vector<Point> withNew = start;
  const std::vector<Eigen::Vector3d> news = {{1234.5, 2345.6, 110.0}, {2100.25, 2950.75, 95.5}};
  withNew.push_back({"N1", news[0]});
  withNew.push_back({"N2", news[1]});

  RunState state;
  AdjustmentOptions options;
  options.model = c.model;
  options.sigma0 = c.sigma0;
  const AdjustmentResult r =
      AdjustmentRun(state, dir.write("s.txt", PointFileText(withNew)),
                    dir.write("z.txt", PointFileText(target)), options);

  const ReferenceModel model(c.model);
  const Reference ref = model.Solve(start, target, news, model.Start(c.truth));
  const int n = c.controlPoints;
  ASSERT_EQ(r.degreesOfFreedom, ref.f);
  // The closed form is the least-squares minimum. Both sums carry the
  // rounding of national-grid coordinates (ulp 1e-9 m to 4e-9 m): allow
  // 1e-8 m per residual, |Δvv| ≤ 2·Σ|v|·1e-8 ≤ 2·√(3n·vv)·1e-8.
  EXPECT_NEAR(r.vv, ref.vv, 2 * std::sqrt(3 * c.controlPoints * ref.vv) * 1e-8);
  const double s = c.sigma0 ? *c.sigma0 : std::sqrt(ref.vv / ref.f);
  EXPECT_NEAR(r.s, s, 1e-8);

  // Parameters and their σ: translations m, angles gon, scale ppm.
  constexpr double gon = 200 / std::numbers::pi;
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(r.transformation.Translation()[k], ref.p[k], 1e-6) << k;
    EXPECT_NEAR(r.sigmaTranslation[k], s * std::sqrt(ref.Qxx(k, k)), 1e-6 * r.sigmaTranslation[k]) << k;
  }
  const int firstAngle = c.model == Model::Horizontal5 ? 2 : 0;
  for (int a = firstAngle, col = 3; a < 3; ++a, ++col)
    EXPECT_NEAR(r.sigmaRotationGon[a], s * std::sqrt(ref.Qxx(col, col)) * gon,
                1e-6 * r.sigmaRotationGon[a]) << a;
  if (c.model != Model::Rigid6) {
    const int m = model.u() - 1;
    EXPECT_NEAR(r.transformation.scale, ref.p[m], 1e-11);
    EXPECT_NEAR(r.sigmaScalePpm, s * std::sqrt(ref.Qxx(m, m)) * 1e6, 1e-6 * r.sigmaScalePpm);
  } else {
    EXPECT_EQ(r.transformation.scale, 1.0);
    EXPECT_EQ(r.sigmaScalePpm, 0.0);
  }
  for (int i = 0; i < model.u(); ++i)
    for (int j = 0; j < model.u(); ++j)
      EXPECT_NEAR(r.correlation[i][j], ref.Qxx(i, j) / std::sqrt(ref.Qxx(i, i) * ref.Qxx(j, j)), 1e-6);

  // Per coordinate: residual, r, test value, MDB; Σr = f.
  ASSERT_EQ(static_cast<int>(r.controlPoints.size()), n);
  double sumR = 0.0;
  for (int i = 0; i < n; ++i) {
    const ControlPointResult& p = r.controlPoints[i];
    for (int k = 0; k < 3; ++k) {
      const int j = 3 * i + k;
      sumR += p.redundancy[k];
      EXPECT_NEAR(p.residual[k], ref.v[j], 1e-7);
      EXPECT_NEAR(p.redundancy[k], ref.r[j], 1e-7);
      ASSERT_TRUE(p.testValue[k] && p.mdb[k]);
      EXPECT_NEAR(*p.testValue[k], ref.v[j] / (s * std::sqrt(ref.r[j])), 1e-4);
      EXPECT_NEAR(*p.mdb[k], s * 4.13 / std::sqrt(ref.r[j]), 1e-6 * *p.mdb[k]);
    }
  }
  EXPECT_NEAR(sumR, r.degreesOfFreedom, 1e-9);

  ASSERT_EQ(r.newPoints.size(), 2u);
  for (int i = 0; i < 2; ++i)
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(r.newPoints[i].sigma[k], s * ref.newSigmaUnit[i][k], 1e-6 * r.newPoints[i].sigma[k]);
  if (c.model == Model::Horizontal5) {
    EXPECT_EQ(r.transformation.rowScale[2], 1.0);  // heights are not scaled
    EXPECT_EQ(r.rotationGon[0], 0.0);
    EXPECT_EQ(r.rotationGon[1], 0.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Models, AdjustmentReferenceTest, ::testing::ValuesIn(kCases), CaseName());

}  // namespace
