// Reading a number field with its own separator: the value of GetFloat (and
// of a correctly rounding strtod) for every field, without touching the
// process-wide separator.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/decimalseparator.h"
#include "base/fpcheck.h"
#include "support/errortext.h"
#include "text/tokenizer.h"

namespace orthavion {
namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

/// The field's value by strtod, which rounds correctly (glibc), with '.'.
double ByStrtod(std::string field) {
  for (char& c : field)
    if (c == ',') c = '.';
  return std::strtod(field.c_str(), nullptr);
}

// Fields on both sides of the limits of the exact one-operation reading:
// 2^53 in the digits, 19 digits, 10^±22.
const std::string kEdgeFields[] = {
    "9007199254740992",      "9007199254740993",     "9007199254740991",
    "900719925474099.3",     "1234567890123456789",  "12345678901234567890",
    "0.000000000000000000001234", "00000000000000000000012.5",
    "1e22",                  "1e23",                 "4.5e22",
    "1e-22",                 "1e-23",                "123456789e-30",
    "1,5e-22",               "-0",                   "+0,0",
    "0.1",                   "-2.675",               "4513496.3014265",
    ",5",                    "5,",                   "1.7976931348623157e308",
    "2.2250738585072014e-308", "4.9e-324",           "1e-400",
    "+12,345",               "-1234.5678e2",         "0.30000000000000004",
};

TEST(FieldParseTest, ReadsWhatGetFloatAndStrtodRead) {
  std::vector<std::string> fields(std::begin(kEdgeFields), std::end(kEdgeFields));
  std::mt19937_64 random(53);
  for (int i = 0; i < 100000; ++i) {
    std::string f = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 24);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int k = 0; k < digits; ++k) {
      if (k == point) f += random() % 2 ? ',' : '.';
      f += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0) f += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
    fields.push_back(f);
  }
  int failures = 0;
  for (const std::string& field : fields) {
    const char separator = FieldSeparator(field);
    SetDecimalSeparator(separator == '.' ? ',' : '.');
    std::feclearexcept(FE_ALL_EXCEPT);
    const double value = ParseFloatFieldWith(field, separator);
    const bool same = std::bit_cast<std::uint64_t>(value) ==
                      std::bit_cast<std::uint64_t>(ByStrtod(field)) &&
                      std::bit_cast<std::uint64_t>(value) ==
                      std::bit_cast<std::uint64_t>(ParseFloatField(field));
    // The conversion by GetFloat sets the separator; the other one did not.
    if ((!same || DecimalSeparator() != separator || std::fetestexcept(kErrorFlags) != 0) &&
        ++failures <= 10)
      ADD_FAILURE() << "field '" << field << "': " << value;
  }
  EXPECT_EQ(failures, 0);
  SetDecimalSeparator('.');
}

TEST(FieldParseTest, OverflowIsTheSystemsError) {
  SetDecimalSeparator(',');
  EXPECT_EQ(testsupport::ErrorText([] { ParseFloatFieldWith("1e400", '.'); }), "Gleitkommaüberlauf");
  EXPECT_EQ(DecimalSeparator(), ',');
  SetDecimalSeparator('.');
}

}  // namespace
}  // namespace orthavion
