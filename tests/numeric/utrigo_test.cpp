#include "numeric/utrigo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "numeric/utypes.h"

namespace orthavion {
namespace {

struct PythagCase {
  double X;
  double Y;
  double Expected;
  bool Exact;  // the result must be the exact value, not just within 4 ulp
};

void PrintTo(const PythagCase& Case, std::ostream* Out) { *Out << "(" << Case.X << ", " << Case.Y << ")"; }

class PythagTest : public testing::TestWithParam<PythagCase> {};

TEST_P(PythagTest, HypotenuseWithoutOverflowOrUnderflow) {
  const PythagCase& Case = GetParam();
  const double Result = Pythag(Case.X, Case.Y);
  if (Case.Exact)
    EXPECT_EQ(Result, Case.Expected);
  else
    EXPECT_DOUBLE_EQ(Result, Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PythagTest,
    testing::Values(PythagCase{3.0, 4.0, 5.0, true}, PythagCase{4.0, 3.0, 5.0, true},
                    PythagCase{-3.0, -4.0, 5.0, true}, PythagCase{0.0, 0.0, 0.0, true},
                    PythagCase{-2.5, 0.0, 2.5, true}, PythagCase{0.0, -2.5, 2.5, true},
                    PythagCase{1e200, 1e200, 1e200 * std::sqrt(2.0), false},
                    PythagCase{1e-200, 1e-200, 1e-200 * std::sqrt(2.0), false},
                    PythagCase{1e300, -1e300, 1e300 * std::sqrt(2.0), false},
                    PythagCase{1e-300, 3e-300, 1e-300 * std::sqrt(10.0), false}));

TEST(Pythag, NaNPropagates) {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(Pythag(NaN, 1.0)));
  EXPECT_TRUE(std::isnan(Pythag(1.0, NaN)));
}

TEST(Pythag, ClearsTheErrorCode) {
  SetErrCode(-1);
  Pythag(1.0, 2.0);
  EXPECT_EQ(MathErr(), FOk);
  SetErrCode(-3);
  Pythag(0.0, 0.0);
  EXPECT_EQ(MathErr(), FOk);
}

}  // namespace
}  // namespace orthavion
