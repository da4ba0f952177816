// Round lengths: the nearest of 1, 2, 5 · 10^n by ratio, and their texts.
#include "report/roundlength.h"

#include <gtest/gtest.h>

namespace {

using orthavion::NearestRoundLength;
using orthavion::RoundLength;

struct NearestCase {
  double metres;
  int digit, exponent;
};

// The boundaries lie at the geometric means: √2 (1|2), √10 (2|5), √50 (5|10).
const NearestCase kNearest[] = {
    {1.0, 1, 0},        {1.41, 1, 0},    {1.42, 2, 0},    {3.16, 2, 0},   {3.17, 5, 0},
    {7.07, 5, 0},       {7.08, 1, 1},    {9.99, 1, 1},    {1000, 1, 3},   {0.001, 1, -3},
    {0.1, 1, -1},       {157.5, 2, 2},   {0.0265, 2, -2}, {1e-4, 1, -4},  {0.00015, 2, -4},
    // Exact powers of ten whose log10 lies a rounding below the integer.
    {1e-300, 1, -300},  {1e300, 1, 300}, {1e23, 1, 23},   {3e-5, 2, -5},
};

TEST(RoundLengthTest, NearestByRatio) {
  for (const NearestCase& c : kNearest) {
    const RoundLength r = NearestRoundLength(c.metres);
    EXPECT_EQ(r.digit, c.digit) << c.metres;
    EXPECT_EQ(r.exponent, c.exponent) << c.metres;
  }
}

TEST(RoundLengthTest, MetresIsTheCorrectlyRoundedValue) {
  EXPECT_EQ((RoundLength{2, -2}.Metres()), 0.02);
  EXPECT_EQ((RoundLength{5, -4}.Metres()), 0.0005);
  EXPECT_EQ((RoundLength{1, 23}.Metres()), 1e23);
  EXPECT_EQ((RoundLength{1, -300}.Metres()), 1e-300);
}

struct TextCase {
  RoundLength length;
  const char* text;
};

const TextCase kTexts[] = {
    {{5, 3}, "5 km"},     {{1, 4}, "10 km"},      {{2, 2}, "200 m"},
    {{1, 0}, "1 m"},      {{5, -1}, "500 mm"},    {{5, -2}, "50 mm"},
    {{1, -3}, "1 mm"},    {{5, -4}, "0.5 mm"},    {{2, -5}, "0.02 mm"},
    {{1, -6}, "0.001 mm"}, {{2, 6}, "2000 km"},
};

TEST(RoundLengthTest, TextInTheUnitOfItsSize) {
  for (const TextCase& c : kTexts) EXPECT_EQ(c.length.Text(), c.text) << c.text;
}

}  // namespace
