// The PROJ strings are checked with PROJ itself: its `cct` program applies the
// forward string to start coordinates and must give the transformation's
// target coordinates within 1 µm, and the inverse string must bring them back.
// Skipped with a message when cct (Debian's proj-bin) is missing.

#include "export/projstring.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "export/cct.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace {

using orthavion::AffineParameters;
using orthavion::HelmertParameters;
using testsupport::Cct;
using testsupport::HaveCct;
using Point = testsupport::CctPoint;
using Matrix = std::array<std::array<double, 3>, 3>;
constexpr double kDeg = std::numbers::pi / 180;

/// R = Rx(a)·Ry(b)·Rz(c), each an active rotation.
Matrix RotationXYZ(double a, double b, double c) {
  const Matrix Rx = {{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}};
  const Matrix Ry = {{{std::cos(b), 0, std::sin(b)}, {0, 1, 0}, {-std::sin(b), 0, std::cos(b)}}};
  const Matrix Rz = {{{std::cos(c), -std::sin(c), 0}, {std::sin(c), std::cos(c), 0}, {0, 0, 1}}};
  const auto times = [](const Matrix& A, const Matrix& B) {
    Matrix C{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 3; ++k) C[i][j] += A[i][k] * B[k][j];
    return C;
  };
  return times(times(Rx, Ry), Rz);
}

/// offset + A·x in long double.
Point Apply(const Matrix& A, const Point& offset, const Point& x) {
  Point y;
  for (int i = 0; i < 3; ++i) {
    long double s = offset[i];
    for (int j = 0; j < 3; ++j) s += static_cast<long double>(A[i][j]) * x[j];
    y[i] = static_cast<double>(s);
  }
  return y;
}

struct HelmertCase {
  const char* name;
  HelmertParameters p;
  Point around;  ///< the start points lie within 500 m of here
};

const HelmertCase kHelmertCases[] = {
    {"Turned150DegreesAboutZ", {{4'500'000.25, 5'500'000.5, 45.0}, {0, 0, 150 * kDeg}, 1.0000123},
     {1000, 2000, 100}},
    {"Turned120DegreesAboutX", {{-12.5, 300.0, 7.25}, {120 * kDeg, 0, 0}, 0.9999871},
     {500, -800, 50}},
    {"EveryAxisTurned", {{100, 200, 300}, {-35 * kDeg, 80 * kDeg, 120 * kDeg}, 1.5}, {0, 0, 0}},
    // Geocentric coordinates near Kassel, a datum shift of a few arc seconds.
    {"Geocentric", {{-598.1, -73.7, -418.2}, {0.202e-5, 0.045e-5, -2.455e-5}, 1 + 6.7e-6},
     {4'033'000, 670'000, 4'880'000}},
    {"NationalGridRigid", {{3'500'000, 5'700'000, 0}, {0, 0, -3 * kDeg}, 1.0}, {3'000, 1'500, 250}},
};

void PrintTo(const HelmertCase& c, std::ostream* out) { *out << c.name; }

class HelmertProjTest : public ::testing::TestWithParam<HelmertCase> {};

TEST_P(HelmertProjTest, PrjAppliesTheSimilarityAndItsInverse) {
  if (!HaveCct()) GTEST_SKIP() << "cct (Debian's proj-bin) is not installed";
  const HelmertCase& c = GetParam();
  const Matrix R = RotationXYZ(c.p.rotation[0], c.p.rotation[1], c.p.rotation[2]);
  Matrix mR;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) mR[i][j] = c.p.scale * R[i][j];
  std::vector<Point> start, expected;
  for (const Point d : {Point{0, 0, 0}, Point{500, 0, 0}, Point{0, -500, 20}, Point{-300, 400, -50}}) {
    start.push_back({c.around[0] + d[0], c.around[1] + d[1], c.around[2] + d[2]});
    expected.push_back(Apply(mR, c.p.t, start.back()));
  }
  const std::string forward = orthavion::HelmertProjString(c.p);
  testsupport::ExpectCctCarries(forward, orthavion::InverseProjString(forward), start, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, HelmertProjTest, ::testing::ValuesIn(kHelmertCases),
                         testsupport::CaseName());

TEST(AffineProjTest, PrjAppliesAPlaneSimilarityWithUnscaledHeights) {
  if (!HaveCct()) GTEST_SKIP() << "cct (Debian's proj-bin) is not installed";
  const double m = 1.0000321, a = 150 * kDeg;
  const AffineParameters p{{{{m * std::cos(a), -m * std::sin(a), 0},
                             {m * std::sin(a), m * std::cos(a), 0},
                             {0, 0, 1}}},
                           {4'500'123.5, 5'600'321.25, 12.5}};
  std::vector<Point> start, expected;
  for (const Point x : {Point{1000, 2000, 100}, Point{1500, 1800, 95}, Point{700, 2400, 130}}) {
    start.push_back(x);
    expected.push_back(Apply(p.A, p.offset, x));
  }
  const std::string forward = orthavion::AffineProjString(p);
  testsupport::ExpectCctCarries(forward, orthavion::InverseProjString(forward), start, expected);
}

TEST(ProjStringTest, NumbersReadBackExactlyWhateverTheLocale) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{0.1, "0.1"},
                        {4500000.25, "4500000.25"},
                        {-1.0 / 3, "-0.3333333333333333"},
                        {12.299999999999999, "12.299999999999999"},
                        {0.0, "0"},
                        {1e-300, "1e-300"}};
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a decimal comma must not show
  for (const Case& c : cases) {
    EXPECT_EQ(orthavion::RoundTripNumber(c.value), c.text);
    const std::string text = orthavion::RoundTripNumber(c.value);
    double back = -1;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, c.value) << text;
  }
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(orthavion::HelmertProjString({{1, 2, 3}, {0, 0, 0}, 1}),
            "+proj=helmert +convention=position_vector +exact +x=1 +y=2 +z=3 +rx=0 +ry=0 +rz=0 +s=0");
  EXPECT_EQ(orthavion::InverseProjString("+proj=affine +xoff=1"), "+proj=affine +xoff=1 +inv");
}

}  // namespace
