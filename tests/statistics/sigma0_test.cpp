// σ0 as it is typed on the command line (a decimal point) and in the
// analysis window's field (a decimal point or comma): which texts are a
// positive, finite number of metres, their values against strtod, and the
// floating-point flags of the command left alone.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdlib>
#include <string>
#include <utility>

#include "statistics/sigma0.h"
#include "support/casename.h"

namespace orthavion {
namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

struct Sigma0Case {
  const char* name;
  const char* text;
  bool withPoint;  ///< accepted with DecimalMark::Point
  bool withComma;  ///< accepted with DecimalMark::PointOrComma
};

const Sigma0Case kCases[] = {
    {"plain", "0.005", true, true},
    {"exponent", "5e-3", true, true},
    {"capital exponent", "1E-2", true, true},
    {"leading point", ".5", true, true},
    {"trailing point", "5.", true, true},
    {"largest double", "1.7976931348623157e308", true, true},
    {"smallest normal", "2.2250738585072014e-308", true, true},
    {"decimal comma", "0,005", false, true},
    {"decimal comma and exponent", "1,5e-3", false, true},
    {"leading comma", ",5", false, true},
    {"comma and point", "1,2.3", false, false},
    {"two commas", "1,2,3", false, false},
    {"zero", "0", false, false},
    {"zero with a comma", "0,0", false, false},
    {"negative zero", "-0", false, false},
    {"negative", "-0.01", false, false},
    {"plus sign", "+0.01", false, false},
    {"leading blank", " 0.01", false, false},
    {"trailing blank", "0.01 ", false, false},
    {"unit", "0.01m", false, false},
    {"empty", "", false, false},
    {"infinity", "inf", false, false},
    {"not a number", "nan", false, false},
    {"too large", "1e999", false, false},
    {"underflow", "1e-400", false, false},
    {"hexadecimal", "0x1p-3", false, false},
};

/// The text's value by strtod, the comma read as a point.
double ByStrtod(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  return std::strtod(text.c_str(), nullptr);
}

class Sigma0Test : public ::testing::TestWithParam<Sigma0Case> {};

TEST_P(Sigma0Test, AcceptsAPositiveNumberOfMetresInTheWholeText) {
  const Sigma0Case& c = GetParam();
  for (const auto& [mark, accepted] : {std::pair{DecimalMark::Point, c.withPoint},
                                       std::pair{DecimalMark::PointOrComma, c.withComma}}) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const std::optional<double> value = ParseSigma0(c.text, mark);
    EXPECT_EQ(std::fetestexcept(kErrorFlags), 0) << "the parser's flags are not the command's";
    ASSERT_EQ(value.has_value(), accepted) << (mark == DecimalMark::Point ? "point" : "comma");
    if (value) {
      EXPECT_EQ(*value, ByStrtod(c.text));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, Sigma0Test, ::testing::ValuesIn(kCases), testsupport::CaseName());

TEST(Sigma0FlagsTest, AFlagOfTheCommandRaisedBeforeStaysRaised) {
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_INVALID);
  EXPECT_EQ(ParseSigma0("0.01", DecimalMark::Point), 0.01);
  EXPECT_FALSE(ParseSigma0("1e999", DecimalMark::PointOrComma));
  EXPECT_EQ(std::fetestexcept(kErrorFlags), FE_INVALID);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace orthavion
