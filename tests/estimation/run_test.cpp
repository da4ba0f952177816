// End-to-end transformation runs on synthetic point files with a known
// similarity, checked against the truth and against Eigen's umeyama (the same
// least-squares problem solved by SVD) as an independent reference.
#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <cstdlib>
#include <fstream>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "estimation/parameters.h"
#include "estimation/run.h"
#include "estimation/similarity.h"
#include "support/casename.h"
#include "support/testdir.h"

using namespace orthavion;
using namespace testsupport;

namespace {

/// The coordinates as a point file of `digits` decimals holds them.
std::vector<Point> AsWritten(const std::vector<Point>& pts, int digits) {
  std::vector<Point> out;
  for (const Point& p : pts) {
    Eigen::Vector3d x;
    for (int c = 0; c < 3; ++c) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", digits, p.x[c]);
      x[c] = std::strtod(buf, nullptr);
    }
    out.push_back({p.nr, x});
  }
  return out;
}

Eigen::Matrix3d StateR(const RunState& s) {
  Eigen::Matrix3d R;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) R(i, j) = s.TransformationInForce().R[i][j];
  return R;
}

struct RunCase {
  const char* name;
  Similarity truth;
  int controlPoints;
  bool flat;        // all start heights equal
  double noise;     // metres
};

// National-grid-sized translations, scales a few ppm off 1, and rotations
// that exercise the eigenvector choice and the angles beyond 90°.
const RunCase kRunCases[] = {
    {"small rotations", {1.0000123, 0.01, -0.02, 2.5, {4512345.678, 5623456.789, 312.3}}, 8, false, 0.002},
    {"150 degrees about Z", {0.9999871, 0.0, 0.0, 150.0, {32512345.0, 5623456.0, 45.0}}, 6, false, 0.002},
    {"three control points", {1.0000123, 0.3, -0.2, 12.0, {4512345.678, 5623456.789, 312.3}}, 3, false, 0.001},
    {"constant start heights", {1.00002, 0.05, 0.04, -33.0, {4512345.678, 5623456.789, 312.3}}, 7, true, 0.002},
    {"nearly flat, noisy", {1.0, 0.001, 0.002, 95.0, {600000.0, 5800000.0, 100.0}}, 10, true, 0.01},
    {"rotated about all axes", {1.5, 30.0, -40.0, 120.0, {1000.0, -2000.0, 3000.0}}, 12, false, 0.001},
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class RunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunTest, ReproducesTheSimilarityAndTheUmeyamaSolution) {
  const RunCase& c = GetParam();
  TestDir dir;
  auto start = SitePoints(c.controlPoints, 800.0, {1000.0, 2000.0, 100.0}, c.flat);
  const auto target = AsWritten(Transformed(start, c.truth, c.noise), 4);
  std::vector<Point> withNew = start;
  withNew.push_back({"N1", {1234.5, 2345.6, 110.0}});
  withNew.push_back({"N2", {700.25, 1800.75, 95.5}});
  start = AsWritten(start, 4);
  const auto startWithNew = AsWritten(withNew, 4);

  const std::string startFile = dir.write("start.txt", PointFileText(startWithNew));
  const std::string targetFile = dir.write("ziel.txt", PointFileText(target));
  RunState state;
  ASSERT_NO_THROW(TransformationRun(state, startFile, targetFile));

  // Independent reference on the same (rounded) coordinates.
  Eigen::Matrix3Xd src(3, start.size()), dst(3, start.size());
  for (std::size_t i = 0; i < start.size(); ++i) {
    src.col(static_cast<Eigen::Index>(i)) = start[i].x;
    dst.col(static_cast<Eigen::Index>(i)) = target[i].x;
  }
  const Eigen::Matrix4d ref = Eigen::umeyama(src, dst, true);
  const double refScale = ref.block<3, 3>(0, 0).col(0).norm();
  const Eigen::Matrix3d refR = ref.block<3, 3>(0, 0) / refScale;
  const Eigen::Vector3d refT = ref.block<3, 1>(0, 3);

  // Rotation and scale agree with the reference to rounding of the sums;
  // the translation (millions of metres) to a micrometre.
  EXPECT_LT((StateR(state) - refR).cwiseAbs().maxCoeff(), 1e-9) << c.name;
  EXPECT_NEAR(state.TransformationInForce().scale, refScale, 1e-10) << c.name;
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(state.TransformationInForce().Translation()[i], refT[i], 1e-6) << c.name;
  // And with the truth to what the noise allows.
  EXPECT_LT((StateR(state) - c.truth.R()).cwiseAbs().maxCoeff(), 50 * c.noise / 800.0) << c.name;

  // The reported angles are those of the true rotation, beyond 90° too.
  const Angles a = RotationAngles(state.TransformationInForce().R);
  EXPECT_NEAR(a.rZ * 180 / std::numbers::pi, c.truth.rzDeg, 1e-2) << c.name;
  EXPECT_NEAR(a.rX * 180 / std::numbers::pi, c.truth.rxDeg, 1e-2) << c.name;
  EXPECT_NEAR(a.rY * 180 / std::numbers::pi, c.truth.ryDeg, 1e-2) << c.name;

  // The new points of the protocol are the reference transform of theirs.
  const Protocol& p = state.protocol;
  ASSERT_GE(p.Count(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string line(p.Line(p.Count() - 2 + k));
    const Eigen::Vector3d expect = refScale * refR * startWithNew[start.size() + k].x + refT;
    double x, y, z;
    char nr[32];
    ASSERT_EQ(std::sscanf(line.c_str(), "%31s %lf %lf %lf", nr, &x, &y, &z), 4) << line;
    EXPECT_EQ(std::string(nr), startWithNew[start.size() + k].nr);
    EXPECT_NEAR(x, expect.x(), 0.0006) << line;
    EXPECT_NEAR(y, expect.y(), 0.0006) << line;
    EXPECT_NEAR(z, expect.z(), 0.0006) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Similarities, RunTest, ::testing::ValuesIn(kRunCases),
                         testsupport::CaseName());

TEST(RunTest, ThreeExactlyPlacedControlPointsGiveTheRotation) {
  // Three control points always lie in one plane: the 4x4 matrix has a
  // pair of eigenvalues of equal magnitude and opposite sign at the top.
  TestDir dir;
  const Similarity truth{1.00001, 0.2, 0.1, 40.0, {4512345.0, 5623456.0, 300.0}};
  const std::vector<Point> start = {
      {"A", {0.0, 0.0, 0.0}}, {"B", {500.0, 0.0, 10.0}}, {"C", {100.0, 400.0, -5.0}}};
  std::vector<Point> target = Transformed(start, truth, 0.0);
  target[0].x.x() += 0.001;  // a full run needs residuals
  const std::string s = dir.write("s.txt", PointFileText(start, 6));
  const std::string t = dir.write("t.txt", PointFileText(target, 6));
  RunState state;
  ASSERT_NO_THROW(TransformationRun(state, s, t));
  EXPECT_LT((StateR(state) - truth.R()).cwiseAbs().maxCoeff(), 5e-6);
  EXPECT_NEAR(state.TransformationInForce().scale, truth.scale, 5e-6);
}

TEST(RunTest, TwoRunsWriteIdenticalFiles) {
  TestDir dir;
  const auto start = SitePoints(6, 300.0, {100.0, 200.0, 50.0}, false);
  const auto target = Transformed(start, {1.00003, 0.1, 0.2, 5.0, {5000.0, 6000.0, 70.0}}, 0.003);
  const std::string s = dir.write("s.txt", PointFileText(start));
  const std::string t = dir.write("t.txt", PointFileText(target));
  RunState state;
  TransformationRun(state, s, t);
  const std::string first = ReadBytes(dir.file("Trafoprotokoll.txt"));
  TransformationRun(state, s, t);
  EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")), first);
}

TEST(RunTest, DecimalCommaFilesWriteTheEstimationWithCommas) {
  TestDir dir;
  const auto start = SitePoints(5, 300.0, {100.0, 200.0, 50.0}, false);
  const auto target = Transformed(start, {1.00003, 0.1, 0.2, 5.0, {5000.0, 6000.0, 70.0}}, 0.003);
  const std::string s = dir.write("s.txt", PointFileText(start, 3, true));
  const std::string t = dir.write("t.txt", PointFileText(target, 3, true));
  RunState state;
  TransformationRun(state, s, t);
  const Protocol& p = state.protocol;
  std::size_t from = 0;
  while (p.Line(from) != "Schwerpunkt") ++from;
  for (std::size_t i = from; i < p.Count(); ++i) {
    const std::string line(p.Line(i));
    if (line.find_first_of("0123456789") == std::string::npos) continue;
    if (line.rfind("Maximaler", 0) == 0 || line.rfind("[vv]", 0) == 0) {
      EXPECT_NE(line.find(','), std::string::npos) << line;
      continue;
    }
    // No number of the estimation is written with a decimal point (point
    // names like "P1" contain none either).
    EXPECT_EQ(line.find('.'), std::string::npos) << line;
  }
  EXPECT_EQ(DecimalSeparator(), ',');
  SetDecimalSeparator('.');
}

}  // namespace
