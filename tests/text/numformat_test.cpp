#include "text/numformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <stdexcept>
#include <string>

#include "base/decimalseparator.h"
#include "support/random.h"

namespace orthavion {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();  // 4.94e-324

struct Row {
  std::string_view format;
  std::initializer_list<FormatArg> args;
  std::string expected;  // written with '.' as the decimal separator
};

// %f. The 18-digit expansion of a double is quoted where it decides a row.
const Row kFixedRows[] = {
    {"%.3f", {0.0005}, "0.001"},
    {"%.2f", {0.125}, "0.13"},     // exact half; printf's half-even gives 0.12
    {"%.2f", {-0.125}, "-0.13"},   // halves go away from zero on both sides
    {"%.0f", {2.5}, "3"},          // no separator without decimals
    {"%.0f", {0.5}, "1"},          // the half is the leading digit
    {"%.3f", {0.0195}, "0.020"},   // below the half, but 1.95000000000000000e-2
    {"%.2f", {1000.005}, "1000.01"},     // below the half, but 1.00000500000000000e+3
    {"%.6f", {0.0000315}, "0.000032"},   // below the half, but 3.15000000000000000e-5
    {"%.2f", {2.675}, "2.67"},     // 2.67499999999999982: not a half
    {"%.3f", {0.0006}, "0.001"},   // first digit rounds up into the last decimal
    {"%.3f", {0.0004}, "0.000"},
    {"%.3f", {0.00005}, "0.000"},  // first digit beyond the rounding digit
    {"%.2f", {999.999}, "1000.00"},  // carry through all digits
    {"%.3f", {0.9996}, "1.000"},
    {"%.3f", {0.0}, "0.000"},
    {"%.3f", {-0.0}, "0.000"},
    {"%6.3f", {-0.0004}, " 0.000"},  // rounds to zero: no minus sign
    {"%.0f", {-0.4}, "0"},
    {"%.3f", {-0.0005}, "-0.001"},
    {"%10.3f", {3.14159}, "     3.142"},
    {"%5.3f", {-12345.678}, "-12345.678"},  // wider than the field: never cut
    // 19 exact digits: the 18-digit expansion rounds its own half to even
    {"%.3f", {1e15 + 0.125}, "1000000000000000.120"},  // 1.00000000000000012e+15
    {"%.3f", {1e15 + 0.375}, "1000000000000000.380"},  // 1.00000000000000038e+15
    {"%.1f", {1e20}, "100000000000000000000.0"},
    {"%.3f", {1e300}, "100000000000000005" + std::string(283, '0') + ".000"},
    {"%.40f", {-kMax}, "-179769313486231571" + std::string(291, '0') + "." + std::string(40, '0')},
    {"%.3f", {kTiny}, "0.000"},
    {"%.3f", {-kTiny}, "0.000"},
    {"%.40f", {kTiny}, "0." + std::string(40, '0')},
    {"%.3f", {1e-7}, "0.000"},
    {"%.7f", {1e-7}, "0.0000001"},
    {"%8.3f", {kNaN}, "     NAN"},
    {"%8.3f", {kInf}, "     INF"},
    {"%8.3f", {-kInf}, "    -INF"},
};

// %e: P significant digits.
const Row kExponentRows[] = {
    {"%14.6e", {0.5}, "  5.00000E-001"},
    {"%14.6e", {-0.025}, " -2.50000E-002"},
    {"%14.6e", {0.0}, "  0.00000E+000"},
    {"%14.6e", {-0.0}, "  0.00000E+000"},
    {"%14.6e", {1.0}, "  1.00000E+000"},
    {"%14.6e", {12.0}, "  1.20000E+001"},
    {"%14.6e", {1e10}, "  1.00000E+010"},
    {"%14.6e", {1e-300}, "  1.00000E-300"},
    {"%14.6e", {kMax}, "  1.79769E+308"},
    {"%14.6e", {kTiny}, "  4.94066E-324"},
    {"%14.6e", {9.999995}, "  1.00000E+001"},  // 9.99999500000000019: carry into the exponent
    {"%.6e", {123456.5}, "1.23457E+005"},   // exact half; printf's half-even gives 1.23456
    {"%.6e", {-123456.5}, "-1.23457E+005"},
    {"%.6e", {1.0000095}, "1.00001E+000"},  // below the half, but 1.00000950000000000
    {"%.6e", {100.00085}, "1.00001E+002"},  // below the half, but 1.00000850000000000e+2
    {"%.6e", {1.234565}, "1.23456E+000"},   // 1.23456499999999991: not a half
    {"%.1e", {0.96}, "1E+000"},             // one digit: no separator
    {"%.20e", {0.1}, "1.0000000000000000600E-001"},  // 1.00000000000000006, then zeros
    {"%8.6e", {0.5}, "5.00000E-001"},       // wider than the field: never cut
    {"%14.6e", {kNaN}, "           NAN"},
    {"%14.6e", {-kInf}, "          -INF"},
};

// %d, %s, %% and literal text.
const Row kOtherRows[] = {
    {"%d", {0}, "0"},
    {"%d", {-42}, "-42"},
    {"%5d", {7}, "    7"},
    {"%5d", {-42}, "  -42"},
    {"%5d", {INT32_MIN}, "-2147483648"},
    {"%5d", {INT32_MAX}, "2147483647"},
    {"%-14s", {"P1"}, "P1            "},
    {"%-14s", {"Punkt_12345678"}, "Punkt_12345678"},  // exactly 14
    {"%-14s", {"Punkt_123456789"}, "Punkt_123456789"},  // overlong: never cut
    {"%-14s", {"Maßstab"}, "Maßstab       "},  // 7 characters in 8 bytes
    {"%-4s", {"5€"}, "5€  "},                 // a three-byte character
    {"%-3s", {""}, "   "},
    {"%s", {""}, ""},
    {"%s", {"100%"}, "100%"},  // a percent sign in an argument is text
    {"%1s", {"v"}, "v"},
    {"%1s", {"vn"}, "vn"},
    {"%1s", {""}, ""},
    {"%%", {}, "%"},
    {"100%% bei %d", {5}, "100% bei 5"},
    {"Schwerpunkt", {}, "Schwerpunkt"},
    {"", {}, ""},
};

// Whole lines of the protocol and the OBJ output.
const Row kLineRows[] = {
    {"Maßstabsfaktor %10.6f : %10.3f ppm", {1.000012, 12.0},
     "Maßstabsfaktor   1.000012 :     12.000 ppm"},
    {"%1s %14.6f %14.6f %14.6f %s", {"v", 1000011.0, 2000022.0, 33.0, ""},
     "v 1000011.000000 2000022.000000      33.000000 "},
    {"%-14s %5d %12.3f %12.3f %12.3f", {"1001", 12, 5432.1, -0.0004, 100.0},
     "1001              12     5432.100        0.000      100.000"},
    {"[vv]=%10.4f Freiheitsgrad= %d m0=%10.4f mP=%10.4f Redundanz=%10.2f",
     {0.00123, 5, 0.0157, 0.0272, 0.625},
     "[vv]=    0.0012 Freiheitsgrad= 5 m0=    0.0157 mP=    0.0272 Redundanz=      0.63"},
    {"%14.6e%14.6e%14.6e", {0.99999, -0.0125, 0.0},
     "  9.99990E-001 -1.25000E-002  0.00000E+000"},
    {"%d.%d.%d.%d", {1, 0, 0, 1}, "1.0.0.1"},
};

/// Sets the process-wide decimal separator and restores '.' at the end.
class SeparatorScope {
public:
  explicit SeparatorScope(char separator) { SetDecimalSeparator(separator); }
  ~SeparatorScope() { SetDecimalSeparator('.'); }
};

/// Checks every row, with `separator` in place of '.' in the expected text.
void ExpectRows(std::span<const Row> rows, char separator = '.') {
  for (const Row& row : rows) {
    std::string expected = row.expected;
    std::replace(expected.begin(), expected.end(), '.', separator);
    EXPECT_EQ(Format(row.format, row.args), expected) << "format \"" << row.format << "\"";
  }
}

void ExpectAllRows() {
  ExpectRows(kFixedRows);
  ExpectRows(kExponentRows);
  ExpectRows(kOtherRows);
  ExpectRows(kLineRows);
}

TEST(FormatTest, Fixed) { ExpectRows(kFixedRows); }
TEST(FormatTest, Exponent) { ExpectRows(kExponentRows); }
TEST(FormatTest, IntegersAndTexts) { ExpectRows(kOtherRows); }
TEST(FormatTest, ProtocolLines) { ExpectRows(kLineRows); }

TEST(FormatTest, NumbersUseTheSeparatorCurrentAtTheCall) {
  {
    SeparatorScope comma(',');
    ExpectRows(kFixedRows, ',');
    ExpectRows(kExponentRows, ',');
    EXPECT_EQ(Format("%1s %14.6f %14.6f %14.6f %s", {"v", 1.5, -2.25, 3.0, "# Ecke"}),
              "v       1,500000      -2,250000       3,000000 # Ecke");
  }
  EXPECT_EQ(Format("%.3f", {1.5}), "1.500");
}

TEST(FormatTest, AppendsToTheText) {
  std::string out = "Z:";
  AppendFormat(out, " %.1f", {1.25});
  AppendFormat(out, " %d", {-3});
  EXPECT_EQ(out, "Z: 1.3 -3");
}

struct BadRow {
  std::string_view format;
  std::initializer_list<FormatArg> args;
};

const BadRow kBadRows[] = {
    {"%f", {}},                // too few arguments
    {"%.3f", {}},
    {"%d", {1, 2}},            // too many
    {"Text", {1}},
    {"%.3f", {1}},             // wrong kind
    {"%.3f", {"1.0"}},
    {"%14.6e", {1}},
    {"%d", {1.0}},
    {"%s", {1.0}},
    {"%-14s", {7}},
    {"%x", {1}},               // unknown or unsupported conversions
    {"%5.3g", {1.0}},
    {"%f", {1.0}},             // %f and %e need their precision
    {"%14e", {1.0}},
    {"%.0e", {1.0}},
    {"%.41f", {1.0}},          // beyond the fixed buffer
    {"%-10.3f", {1.0}},
    {"%05d", {1}},             // zero padding
    {"%-5d", {1}},
    {"%.2d", {1}},
    {"%14s", {"a"}},           // right-aligned text
    {"%-s", {"a"}},
    {"%-14.3s", {"a"}},
    {"%99999d", {1}},          // width beyond any use
    {"%.", {1.0}},             // unfinished
    {"%14", {1.0}},
    {"50%", {}},
};

TEST(FormatTest, MismatchIsALogicErrorAndLeavesTheTextAlone) {
  for (const BadRow& row : kBadRows) {
    std::string out = "kept";
    EXPECT_THROW(AppendFormat(out, row.format, row.args), std::logic_error)
        << "format \"" << row.format << "\"";
    EXPECT_EQ(out, "kept") << "format \"" << row.format << "\"";
  }
  std::string out = "kept";
  EXPECT_THROW(AppendFormat(out, "%.3f %.3f %d", {1.0, 2.0, 3.0}), std::logic_error);
  EXPECT_EQ(out, "kept");  // also after a part was written
}

// The callers check the floating-point flags after each protocol line, so the
// formatter must not raise any, whatever it is given.
TEST(FormatTest, LeavesTheFloatingPointFlagsAlone) {
  std::feclearexcept(FE_ALL_EXCEPT);
  ExpectAllRows();
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

TEST(FormatTest, IndependentOfTheLocale) {
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  struct Restore {
    ~Restore() { std::setlocale(LC_NUMERIC, "C"); }
  } restore;
  ExpectAllRows();
}

// Reference for the property tests: std::to_chars with a precision rounds the
// exact binary value correctly (half to even on exact halves). That agrees
// with rounding the 18-digit expansion y unless y is itself a half: rounding
// to 18 digits cannot move a value across a half that has fewer digits.
// When y is a half, the exact value lies within half a unit of the 18th
// digit from it, which is less than one ulp as long as at most 15 digits are
// kept; so the next double away from zero lies beyond the half and is
// correctly rounded away from zero.

/// The 18 significant digits of |value| and the power of ten of the first.
struct Expansion {
  std::string digits;
  int exponent;
};

Expansion Expansion18(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, std::fabs(value),
                                 std::chars_format::scientific, 17).ptr;
  Expansion e;
  e.digits = std::string(1, text[0]) + std::string(text + 2, text + 19);
  std::from_chars(text[20] == '+' ? text + 21 : text + 20, end, e.exponent);
  return e;
}

/// True if the 18-digit expansion of `value`, rounded to its first `keep`
/// digits, is exactly half way: a 5 followed by zeros.
bool IsHalf(const Expansion& e, int keep) {
  if (keep < 0 || keep >= 18) return false;
  return e.digits[keep] == '5' && e.digits.find_first_not_of('0', keep + 1) == std::string::npos;
}

/// |value| itself, or the next double away from zero when its 18-digit
/// expansion is a half at `keep` digits.
double Judged(double value, int keep) {
  const double magnitude = std::fabs(value);
  return IsHalf(Expansion18(value), keep) ? std::nextafter(magnitude, kInf) : magnitude;
}

std::string ReferenceFixed(double value, int precision) {
  const int keep = Expansion18(value).exponent + precision + 1;
  EXPECT_LE(keep, 15) << "value " << value << " outside the reference's range";
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, Judged(value, keep),
                                 std::chars_format::fixed, precision).ptr;
  std::string s(text, end);
  const bool zero = s.find_first_not_of("0.") == std::string::npos;
  return std::signbit(value) && !zero ? "-" + s : s;
}

std::string ReferenceExponent(double value, int precision) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, Judged(value, precision),
                                 std::chars_format::scientific, precision - 1).ptr;
  const std::string s(text, end);  // d.ddde-05
  const std::size_t e = s.find('e');
  std::string exponent = s.substr(e + 2);
  exponent.insert(0, 3 - std::min<std::size_t>(3, exponent.size()), '0');
  return (std::signbit(value) ? "-" : "") + s.substr(0, e) + "E" + s[e + 1] + exponent;
}

/// A double near the half a + 5 * 10^(scale - 1), where a has `digits`
/// random digits and its last one stands at 10^scale.
double NearHalf(std::mt19937_64& random, int digits, int scale) {
  std::string text = "0";
  for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + random() % 10);
  text += "5e" + std::to_string(scale - 1);
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return random() % 2 ? -value : value;
}

/// A random double m * 10^exponent with m in [1, 10) and a random sign.
double RandomValue(std::mt19937_64& random, int exponent) {
  const double m = testsupport::Uniform(random, 1.0, 10.0);
  const double value = m * std::pow(10.0, exponent);
  return random() % 2 ? -value : value;
}

constexpr int kSamples = 100000;

TEST(FormatPropertyTest, FixedMatchesReference) {
  std::mt19937_64 random(20240611);
  int halves = 0;
  for (int i = 0; i < kSamples; ++i) {
    const int precision = static_cast<int>(random() % 7);
    // At most 15 digits kept: exponents from -precision - 3 to 13 - precision.
    const double value =
        i % 2 ? RandomValue(random, static_cast<int>(random() % 17) - precision - 3)
              : NearHalf(random, 1 + static_cast<int>(random() % 14), -precision);
    const std::string expected = ReferenceFixed(value, precision);
    const std::string format = "%." + std::to_string(precision) + "f";
    ASSERT_EQ(Format(format, {value}), expected) << format << " of " << value;
    halves += IsHalf(Expansion18(value), Expansion18(value).exponent + precision + 1);
  }
  EXPECT_GT(halves, kSamples / 100);  // the half case is really exercised
}

TEST(FormatPropertyTest, ExponentMatchesReference) {
  std::mt19937_64 random(20240612);
  int halves = 0;
  for (int i = 0; i < kSamples; ++i) {
    const int precision = 1 + static_cast<int>(random() % 15);
    const int scale = static_cast<int>(random() % 601) - 300;
    const double value = i % 2 ? RandomValue(random, scale)
                               : NearHalf(random, precision, scale - precision + 1);
    const std::string format = "%." + std::to_string(precision) + "e";
    ASSERT_EQ(Format(format, {value}), ReferenceExponent(value, precision))
        << format << " of " << value;
    halves += IsHalf(Expansion18(value), precision);
  }
  EXPECT_GT(halves, kSamples / 100);
}

}  // namespace
}  // namespace orthavion
