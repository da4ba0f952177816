#include "numeric/uminmax.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace orthavion {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Compares value and sign bit, so that 0.0 and -0.0 are told apart.
void ExpectSame(double Actual, double Expected) {
  EXPECT_EQ(Actual, Expected);
  EXPECT_EQ(std::signbit(Actual), std::signbit(Expected)) << Actual;
}

struct PairCase {
  double X;
  double Y;
  double Expected;
};

void PrintTo(const PairCase& Case, std::ostream* Out) { *Out << "(" << Case.X << ", " << Case.Y << ")"; }

class FMaxTest : public testing::TestWithParam<PairCase> {};

TEST_P(FMaxTest, ReturnsYOnlyWhenGreater) {
  const PairCase& Case = GetParam();
  const double Result = FMax(Case.X, Case.Y);
  if (std::isnan(Case.Expected))
    EXPECT_TRUE(std::isnan(Result));
  else
    ExpectSame(Result, Case.Expected);
}

// Equal zeros of opposite sign show which argument is returned on a tie.
INSTANTIATE_TEST_SUITE_P(Cases, FMaxTest,
                         testing::Values(PairCase{1.0, 2.0, 2.0}, PairCase{2.0, 1.0, 2.0},
                                         PairCase{0.0, -0.0, 0.0}, PairCase{-0.0, 0.0, -0.0},
                                         PairCase{1.0, NaN, 1.0}, PairCase{NaN, 1.0, NaN}));

class DSgnTest : public testing::TestWithParam<PairCase> {};

TEST_P(DSgnTest, SignByComparisonNotSignBit) {
  const PairCase& Case = GetParam();
  ExpectSame(DSgn(Case.X, Case.Y), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DSgnTest,
                         testing::Values(PairCase{5.0, -0.0, 5.0}, PairCase{-5.0, 0.0, 5.0},
                                         PairCase{5.0, -1.0, -5.0}, PairCase{-5.0, -1.0, -5.0},
                                         PairCase{-5.0, 2.0, 5.0}, PairCase{5.0, NaN, -5.0},
                                         PairCase{0.0, -1.0, -0.0}));

TEST(IMin, ReturnsSmaller) {
  EXPECT_EQ(IMin(3, 3), 3);
  EXPECT_EQ(IMin(5, 2), 2);
  EXPECT_EQ(IMin(2, 5), 2);
  EXPECT_EQ(IMin(-4, 1), -4);
}

TEST(FSwap, ExchangesValues) {
  double X = 1.5;
  double Y = -2.0;
  FSwap(X, Y);
  EXPECT_EQ(X, -2.0);
  EXPECT_EQ(Y, 1.5);
  FSwap(X, X);
  EXPECT_EQ(X, -2.0);
}

}  // namespace
}  // namespace orthavion
