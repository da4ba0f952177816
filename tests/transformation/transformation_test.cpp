// The transformation value: applying it, its translation, Helmert and
// affine forms against an independent computation in long double, and the
// shortening of national-grid coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "base/error.h"
#include "support/casename.h"
#include "support/errortext.h"
#include "transformation/transformation.h"

namespace {

using orthavion::Mat3;
using orthavion::Model;
using orthavion::Transformation;
using orthavion::Vec3;

// R = Rx(a)·Ry(b)·Rz(c), each an active rotation about its axis.
Mat3 Rotation(double a, double b, double c) {
  const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b),
               cc = std::cos(c), sc = std::sin(c);
  return {{{cb * cc, -cb * sc, sb},
           {ca * sc + sa * sb * cc, ca * cc - sa * sb * sc, -sa * cb},
           {sa * sc - ca * sb * cc, sa * cc + ca * sb * sc, ca * cb}}};
}

struct ValueCase {
  std::string name;
  Transformation t;
  double rx, ry, rz;  // the angles R was built from [rad]
};

Transformation Make(Model model, Mat3 R, double m, Vec3 rowScale) {
  Transformation t;
  t.model = model;
  t.startCentroid = {1012.345, 2034.567, 101.234};
  t.targetCentroid = {4513268.303, 5625533.579, 414.186};
  t.R = R;
  t.scale = m;
  t.rowScale = rowScale;
  return t;
}

std::vector<ValueCase> Values() {
  const double m = 1.0000150694;
  return {
      {"SimilarityTurnedFarBeyondNinetyDegrees",
       Make(Model::Similarity7, Rotation(0.01, -0.02, 2.5), m, {m, m, m}), 0.01, -0.02, 2.5},
      {"Rigid", Make(Model::Rigid6, Rotation(-0.3, 0.4, -1.1), 1.0, {1, 1, 1}), -0.3, 0.4, -1.1},
      {"HorizontalHeightsShiftedOnly", Make(Model::Horizontal5, Rotation(0, 0, 0.7), m, {m, m, 1}),
       0, 0, 0.7},
  };
}

class TransformationValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(TransformationValueTest, AppliesAsItsFormsDo) {
  const Transformation& t = GetParam().t;
  const Vec3 T = t.Translation();
  const orthavion::AffineParameters affine = t.Affine();
  const orthavion::HelmertParameters helmert = t.Helmert();
  EXPECT_NEAR(helmert.rotation[0], GetParam().rx, 1e-15);
  EXPECT_NEAR(helmert.rotation[1], GetParam().ry, 1e-15);
  EXPECT_NEAR(helmert.rotation[2], GetParam().rz, 1e-15);
  EXPECT_EQ(helmert.t, T);
  EXPECT_EQ(helmert.scale, t.scale);

  for (const Vec3 x : {Vec3{1012.345, 2034.567, 101.234}, Vec3{0, 0, 0}, Vec3{-250.5, 4000.25, 17}}) {
    const Vec3 y = t.Apply(x[0], x[1], x[2]);
    for (int i = 0; i < 3; ++i) {
      long double reduced = 0, atOrigin = 0;
      for (int j = 0; j < 3; ++j) {
        reduced += static_cast<long double>(t.R[i][j]) * (x[j] - t.startCentroid[j]);
        atOrigin += static_cast<long double>(affine.A[i][j]) * x[j];
      }
      const long double expected = reduced * t.rowScale[i] + t.targetCentroid[i];
      // Coordinates of some 5e6 m carry about 1e-9 m of rounding each way.
      EXPECT_NEAR(y[i], static_cast<double>(expected), 1e-8) << GetParam().name << " row " << i;
      EXPECT_NEAR(y[i], static_cast<double>(atOrigin + affine.offset[i]), 1e-8);
    }
  }
  // The start centroid lands on the target centroid exactly.
  EXPECT_EQ(t.Apply(t.startCentroid[0], t.startCentroid[1], t.startCentroid[2]), t.targetCentroid);
}

INSTANTIATE_TEST_SUITE_P(Models, TransformationValueTest, ::testing::ValuesIn(Values()),
                         testsupport::CaseName());

struct ShortenCase {
  std::string name;
  double x, y;
  double shortX, shortY;
};

class ShortenedTest : public ::testing::TestWithParam<ShortenCase> {};

TEST_P(ShortenedTest, RemovesWholeTenThousandsFromXAndYOnly) {
  Transformation t;
  t.targetCentroid = {GetParam().x, GetParam().y, 414.186};
  const Transformation s = t.Shortened();
  EXPECT_EQ(s.targetCentroid[0], GetParam().shortX);
  EXPECT_EQ(s.targetCentroid[1], GetParam().shortY);
  EXPECT_EQ(s.targetCentroid[2], 414.186);
  EXPECT_EQ(s.startCentroid, t.startCentroid);
}

INSTANTIATE_TEST_SUITE_P(
    Centroids, ShortenedTest,
    ::testing::Values(ShortenCase{"NationalGrid", 4513268.5, 5625533.25, 3268.5, 5533.25},
                      ShortenCase{"NegativeTowardZero", -4513268.5, -10000.0, -3268.5, 0.0},
                      ShortenCase{"BelowTenThousand", 9999.75, 0.5, 9999.75, 0.5}),
    testsupport::CaseName());

TEST(ShortenedTest, ACentroidBeyondSixtyFourBitsIsAnInvalidOperation) {
  Transformation t;
  t.targetCentroid = {1e30, 0.0, 0.0};
  EXPECT_EQ(testsupport::ErrorText([&] { t.Shortened(); }), "Ungültige Gleitkommaoperation");
}

}  // namespace
