// The vertex coordinate writer against the formatter's "%14.6f": the same
// characters for every value, with either separator, and the process-wide
// separator never read or written.
#include "text/coordinateformat.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/decimalseparator.h"
#include "support/random.h"
#include "text/numformat.h"

namespace orthavion {
namespace {

/// "%14.6f" as AppendFormat writes it with `separator`.
std::string Reference(double value, char separator) {
  SetDecimalSeparator(separator);
  std::string out;
  AppendFormat(out, "%14.6f", {value});
  SetDecimalSeparator('.');
  return out;
}

std::string Written(double value, char separator) {
  char buffer[kCoordinateRoom];
  return std::string(buffer, WriteCoordinate(buffer, value, separator));
}

/// Checks `values` and their negatives with both separators.
void ExpectAsTheFormatter(const std::vector<double>& values) {
  int failures = 0;
  for (const double v : values)
    for (const double signed_v : {v, -v})
      for (const char separator : {'.', ','}) {
        const std::string want = Reference(signed_v, separator);
        const std::string got = Written(signed_v, separator);
        if (got != want && ++failures <= 10)
          ADD_FAILURE() << std::hexfloat << signed_v << ": " << got << " instead of " << want;
      }
  EXPECT_EQ(failures, 0);
}

double Parsed(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

TEST(CoordinateFormatTest, WritesTheFormattersCharactersOnEdgeValues) {
  ExpectAsTheFormatter({
      0.0, 1e-7, 4.9e-7, 5e-7, 5.1e-7, 9.99999e-7, 1e-6, 1.5e-6, 2.5e-6, 0.0000315,
      0.5, 1.0, 2.675, 999999.9999995, 1000.0000005, 4513496.3014265, 5625759.9496125,
      312.00000050000000, 1234.5678905, 99999999999.9999, 1e11, 1e11 - 0.0001,
      123456789.123456789, 0.1 + 0.2, std::nextafter(1e-6, 0.0), std::nextafter(1e11, 0.0),
      1e15 + 0.125, 1e20, 1e300, std::numeric_limits<double>::max(),
      std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
  });
}

TEST(CoordinateFormatTest, WritesTheFormattersCharactersOnRandomValues) {
  std::mt19937_64 random(20261210);
  std::vector<double> values;
  // Every decimal magnitude from far below the last decimal to far beyond
  // the 18th digit.
  for (int exponent = -9; exponent <= 14; ++exponent)
    for (int i = 0; i < 20000; ++i)
      values.push_back(testsupport::Uniform(random, 1.0, 10.0) * std::pow(10.0, exponent));
  // Arbitrary bit patterns: every exponent, subnormals, NaNs.
  for (int i = 0; i < 20000; ++i) values.push_back(std::bit_cast<double>(random()));
  ExpectAsTheFormatter(values);
}

TEST(CoordinateFormatTest, WritesTheFormattersCharactersNearHalves) {
  // Values whose seventh decimal is a 5, with every tail that the 18-digit
  // expansion may round across the half, and their neighbours a few units
  // in the last place away.
  std::mt19937_64 random(7);
  const char* const tails[] = {"5", "50000000000001", "49999999999999", "4999999999999999999",
                               "5000000000000000001", "499999", "500001"};
  std::vector<double> values;
  for (int integerDigits = 1; integerDigits <= 11; ++integerDigits) {
    for (int i = 0; i < 400; ++i) {
      std::string text = std::to_string(1 + random() % 9);
      for (int k = 1; k < integerDigits; ++k) text += static_cast<char>('0' + random() % 10);
      text += '.';
      for (int k = 0; k < 6; ++k) text += static_cast<char>('0' + random() % 10);
      text += tails[random() % std::size(tails)];
      double v = Parsed(text);
      for (int step = 0; step < 3; ++step) v = std::nextafter(v, 0.0);
      for (int step = 0; step < 7; ++step, v = std::nextafter(v, 1e300)) values.push_back(v);
    }
  }
  // Below one: the half lies among the leading digits.
  for (const char* text : {"0.0000005", "0.0000015", "0.0000025", "0.1234565", "0.9999995",
                           "0.00000050000000000000001"}) {
    double v = Parsed(text);
    for (int step = 0; step < 3; ++step) v = std::nextafter(v, 0.0);
    for (int step = 0; step < 7; ++step, v = std::nextafter(v, 1e300)) values.push_back(v);
  }
  ExpectAsTheFormatter(values);
}

TEST(CoordinateFormatTest, LeavesTheSeparatorAndTheFlagsAlone) {
  for (const char global : {'.', ','}) {
    SetDecimalSeparator(global);
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(Written(-4513496.3014265, ','), "-4513496,301427");
    EXPECT_EQ(Written(0.5, '.'), "      0.500000");
    EXPECT_EQ(Written(-1e-7, '.'), "      0.000000");  // rounds to zero: no minus sign
    EXPECT_EQ(DecimalSeparator(), global);
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
  }
  SetDecimalSeparator('.');
}

TEST(CoordinateFormatTest, FixedFieldTakesItsOwnSeparator) {
  struct Row {
    double value;
    int width, precision;
  };
  for (const Row& row : {Row{0.125, 0, 2}, Row{-0.0004, 6, 3}, Row{2.5, 4, 0}, Row{1e300, 14, 6},
                         Row{-12345.678, 5, 3}, Row{std::numeric_limits<double>::infinity(), 14, 6}}) {
    for (const char separator : {'.', ','}) {
      SetDecimalSeparator(separator);
      std::string want;
      AppendFormat(want, "%" + std::to_string(row.width) + "." + std::to_string(row.precision) + "f",
                   {row.value});
      SetDecimalSeparator(separator == '.' ? ',' : '.');
      char buffer[kFixedFieldRoom];
      EXPECT_EQ(std::string(buffer, WriteFixedField(buffer, row.value, row.width, row.precision,
                                                    separator)),
                want);
    }
  }
  SetDecimalSeparator('.');
}

}  // namespace
}  // namespace orthavion
