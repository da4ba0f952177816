// End-to-end transformation runs on synthetic point files with a known
// similarity, checked against the truth and against Eigen's umeyama (the same
// least-squares problem solved by SVD) as an independent reference.
#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>
#include <Eigen/Geometry>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <vector>

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

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// The point files hold four decimals: writing moves a coordinate by up to
// half a unit of the fourth (m).
constexpr int kFileDecimals = 4;
constexpr double kFileRounding = 0.5e-4;
// The protocol prints the new points with three decimals (m).
constexpr double kPrintedRounding = 0.5e-3;
// Units of rounding, relative to the largest term, by which two codes'
// results may differ: a sum of up to 12 products gathers up to 12, a 4x4
// eigen-solution or SVD a few more, and each code has its own.
constexpr double kRoundings = 32.0;
// Standard deviations of the noise's effect in the worst-determined
// direction of the rotation: |dθ| exceeds 5 of them with a chance below
// 1.5e-5 (chi-square, 3 degrees of freedom).
constexpr double kSigmas = 5.0;

/// How the least-squares rotation and scale of start points respond to
/// errors e_i of the target points, to first order. With r_i the start
/// points about their centroid and I = sum(|r_i|^2 - r_i r_i^T) their
/// inertia, the rotation moves by dθ = I^-1 sum(r_i x e_i) / m and the scale
/// by dm = sum(r_i . e_i) / sum|r_i|^2; a shift common to all e_i moves
/// neither.
struct Leverage {
  std::vector<double> arms;  // |r_i| (m)
  double sumR2 = 0.0;        // sum |r_i|^2 (m^2)
  double inertiaMin = 0.0;   // the smallest eigenvalue of I (m^2)

  explicit Leverage(const std::vector<Point>& pts) {
    Eigen::Vector3d centroid = Eigen::Vector3d::Zero();
    for (const Point& p : pts) centroid += p.x;
    centroid /= static_cast<double>(pts.size());
    Eigen::Matrix3d inertia = Eigen::Matrix3d::Zero();
    for (const Point& p : pts) {
      const Eigen::Vector3d r = p.x - centroid;
      arms.push_back(r.norm());
      sumR2 += r.squaredNorm();
      inertia += r.squaredNorm() * Eigen::Matrix3d::Identity() - r * r.transpose();
    }
    inertiaMin = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(inertia).eigenvalues().minCoeff();
  }

  /// sum |r_i| d_i (m^2) for errors |e_i| of at most d_i metres.
  double Moment(const std::vector<double>& d) const {
    double moment = 0.0;
    for (std::size_t i = 0; i < arms.size(); ++i) moment += arms[i] * d[i];
    return moment;
  }
  /// The largest |dθ| (radians) and |dm| that errors of that moment cause.
  double WorstRotation(double moment, double scale) const { return moment / (scale * inertiaMin); }
  double WorstScale(double moment) const { return moment / sumR2; }
  /// Standard deviations of dθ, in its worst-determined direction, and of
  /// dm when the components of the e_i are independent with deviation
  /// `sigma` metres: Cov(dθ) = sigma^2 I^-1 / m^2, Var(dm) = sigma^2 / sum|r_i|^2.
  double RotationSigma(double sigma, double scale) const {
    return sigma / (scale * std::sqrt(inertiaMin));
  }
  double ScaleSigma(double sigma) const { return sigma / std::sqrt(sumR2); }
  /// How far two codes' rotations may differ by rounding alone: an
  /// eigenvector of Horn's 4x4 matrix N moves by the error of N, some
  /// kRoundings units of |N| ~ m sum|r_i|^2, over the gap to the next
  /// eigenvalue, 2 m λmin(I).
  double RoundingRotation() const { return kRoundings * kEpsilon * sumR2 / (2.0 * inertiaMin); }
};

/// The largest magnitude of a coordinate of `pts` (m).
double Largest(const std::vector<Point>& pts) {
  double largest = 0.0;
  for (const Point& p : pts) largest = std::max(largest, p.x.cwiseAbs().maxCoeff());
  return largest;
}

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
  const auto target = AsWritten(Transformed(start, c.truth, c.noise), kFileDecimals);
  std::vector<Point> withNew = start;
  withNew.push_back({"N1", {1234.5, 2345.6, 110.0}});
  withNew.push_back({"N2", {700.25, 1800.75, 95.5}});
  start = AsWritten(start, kFileDecimals);
  const auto startWithNew = AsWritten(withNew, kFileDecimals);

  const std::string startFile = dir.write("start.txt", PointFileText(startWithNew, kFileDecimals));
  const std::string targetFile = dir.write("ziel.txt", PointFileText(target, kFileDecimals));
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

  // Both solve the same problem on the same doubles, so they differ by
  // rounding alone. An element of R moves by at most |dθ|. The scale is
  // an eigenvalue over a sum of squares, each good to kRoundings units.
  // The translation ybar - m R xbar: each code sums n target coordinates
  // for the centroid, rounding by up to n/2 units of the largest one, and
  // R and m carry their differences over the start centroid's distance.
  const Leverage lever(start);
  const double n = static_cast<double>(start.size());
  const double sameRotation = lever.RoundingRotation();
  const double sameScale = kRoundings * kEpsilon * refScale;
  const Eigen::Vector3d startCentroid = src.rowwise().mean();
  const double sameTranslation =
      n * kEpsilon * Largest(target) +
      startCentroid.norm() * (std::sqrt(3.0) * refScale * sameRotation + sameScale);
  EXPECT_LT((StateR(state) - refR).cwiseAbs().maxCoeff(), sameRotation) << c.name;
  EXPECT_NEAR(state.TransformationInForce().scale, refScale, sameScale) << c.name;
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(state.TransformationInForce().Translation()[i], refT[i], sameTranslation) << c.name;

  // And with the truth to what the noise allows: uniform noise of +-noise
  // (deviation noise/sqrt(3)) and the files' rounding of the target and of
  // the start (carried by the scale), kSigmas deviations.
  const double m = c.truth.scale;
  const double sigma =
      std::sqrt((c.noise * c.noise + (1.0 + m * m) * kFileRounding * kFileRounding) / 3.0);
  const double rotationBound = kSigmas * lever.RotationSigma(sigma, m);
  EXPECT_LT((StateR(state) - c.truth.R()).cwiseAbs().maxCoeff(), rotationBound) << c.name;
  EXPECT_NEAR(state.TransformationInForce().scale, m, kSigmas * lever.ScaleSigma(sigma)) << c.name;

  // The reported angles are those of the true rotation, beyond 90° too. The
  // angles of R = Rx Ry Rz take up a turn dθ with |d(rX, rY, rZ)| at most
  // |dθ| / sqrt(1 - |sin rY|): their axes X, Rx Y, Rx Ry Z span the space
  // no worse than that.
  constexpr double kDegree = std::numbers::pi / 180;
  const double angleBound =
      rotationBound / std::sqrt(1.0 - std::fabs(std::sin(c.truth.ryDeg * kDegree))) / kDegree;
  const Angles a = RotationAngles(state.TransformationInForce().R);
  EXPECT_NEAR(a.rZ / kDegree, c.truth.rzDeg, angleBound) << c.name;
  EXPECT_NEAR(a.rX / kDegree, c.truth.rxDeg, angleBound) << c.name;
  EXPECT_NEAR(a.rY / kDegree, c.truth.ryDeg, angleBound) << c.name;

  // The new points of the protocol are the reference transform of theirs,
  // to the printed decimals, the two codes' difference at the point and
  // the half unit in the last place of reading the printed number back.
  const Protocol& p = state.protocol;
  ASSERT_GE(p.Count(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string line(p.Line(p.Count() - 2 + k));
    const Eigen::Vector3d& from = startWithNew[start.size() + k].x;
    const Eigen::Vector3d expect = refScale * refR * from + refT;
    const double bound =
        kPrintedRounding + sameTranslation +
        (from - startCentroid).norm() * (std::sqrt(3.0) * refScale * sameRotation + sameScale) +
        kEpsilon * expect.cwiseAbs().maxCoeff();
    double x, y, z;
    char nr[32];
    ASSERT_EQ(std::sscanf(line.c_str(), "%31s %lf %lf %lf", nr, &x, &y, &z), 4) << line;
    EXPECT_EQ(std::string(nr), startWithNew[start.size() + k].nr);
    EXPECT_NEAR(x, expect.x(), bound) << line;
    EXPECT_NEAR(y, expect.y(), bound) << line;
    EXPECT_NEAR(z, expect.z(), bound) << line;
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
  constexpr double kPlanted = 0.001;  // m: a full run needs residuals
  target[0].x.x() += kPlanted;
  constexpr int kDecimals = 6;
  const std::string s = dir.write("s.txt", PointFileText(start, kDecimals));
  const std::string t = dir.write("t.txt", PointFileText(target, kDecimals));
  RunState state;
  ASSERT_NO_THROW(TransformationRun(state, s, t));
  // Off the truth by what the planted error on A and the files' rounding
  // (half a unit of the sixth decimal in each coordinate of the start,
  // carried by the scale, and of the target) can do at worst.
  const double rounding = std::sqrt(3.0) * 0.5e-6 * (1.0 + truth.scale);
  const Leverage lever(start);
  const double moment = lever.Moment({kPlanted + rounding, rounding, rounding});
  EXPECT_LT((StateR(state) - truth.R()).cwiseAbs().maxCoeff(), lever.WorstRotation(moment, truth.scale));
  EXPECT_NEAR(state.TransformationInForce().scale, truth.scale, lever.WorstScale(moment));
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
