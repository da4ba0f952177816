#include "text/tokenizer.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/fpcheck.h"
#include "support/errortext.h"
#include "support/random.h"

namespace orthavion {
namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

using testsupport::ErrorText;

TEST(TokenizerTest, TakesTheFieldsOfARecordInTurn) {
  SetDecimalSeparator(',');
  std::string record = "  A17   3  100.5 200,25 -7 extra";

  EXPECT_EQ(GetStr(record), "A17");
  EXPECT_EQ(record, "3  100.5 200,25 -7 extra");
  EXPECT_EQ(GetInt(record), 3);
  EXPECT_EQ(record, "100.5 200,25 -7 extra");
  EXPECT_EQ(GetFloat(record), 100.5);
  EXPECT_EQ(DecimalSeparator(), '.');
  EXPECT_EQ(GetFloat(record), 200.25);
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(GetFloat(record), -7.0);
  EXPECT_EQ(DecimalSeparator(), '.');
  EXPECT_EQ(record, "extra");
}

struct FieldRow {
  std::string record;
  std::string field;
  std::string rest;
};

const FieldRow kFieldRows[] = {
    {"  A17   3", "A17", "3"},
    {"abc", "abc", ""},
    {"abc   ", "abc", ""},  // trailing spaces go with the field before them
    {"", "", ""},
    {"     ", "", ""},
    {"P1\t0\t1\t2\t3", "P1\t0\t1\t2\t3", ""},  // a tab is part of a field
    {" \tx y", "\tx", "y"},
    {"a\xA0" "b c", "a\xA0" "b", "c"},  // a no-break space (0xA0) is no separator
    {"a  b  c", "a", "b  c"},          // the spaces inside the rest stay
};

TEST(TokenizerTest, GetStrTakesOneField) {
  for (const FieldRow& row : kFieldRows) {
    SCOPED_TRACE("record '" + row.record + "'");
    std::string record = row.record;
    EXPECT_EQ(GetStr(record), row.field);
    EXPECT_EQ(record, row.rest);

    std::string_view view = row.record;
    EXPECT_EQ(TakeField(view), row.field);
    EXPECT_EQ(view, row.rest);
  }
}

TEST(TokenizerTest, NumericCallsAfterATabSeparatedLineSeeAnEmptyRecord) {
  SetDecimalSeparator(',');
  std::string record = "P1\t0\t1,5\t2\t3";
  EXPECT_EQ(GetStr(record), "P1\t0\t1,5\t2\t3");
  EXPECT_EQ(GetInt(record), 0);
  EXPECT_EQ(GetFloat(record), 0.0);
  EXPECT_EQ(DecimalSeparator(), '.');  // an empty field sets '.'
  EXPECT_EQ(record, "");
}

// The fields repeated GetStr calls take from a record are its non-space
// characters, in order, cut at the spaces.
TEST(TokenizerTest, FieldsConcatenateToTheRecordWithoutSpaces) {
  std::mt19937 random(20240611);
  for (int n = 0; n < 2000; ++n) {
    std::string record;
    for (int k = testsupport::Integer(random, 0, 60); k > 0; --k)
      record += testsupport::Chance(random, 0.3)
                    ? ' '
                    : static_cast<char>(testsupport::Integer(random, 0x20, 0x7E));
    SCOPED_TRACE("record '" + record + "'");
    std::string stripped;
    for (char c : record)
      if (c != ' ') stripped += c;

    std::string rest = record;
    std::string joined;
    std::vector<std::string> fields;
    do {
      fields.push_back(GetStr(rest));
      joined += fields.back();
    } while (!rest.empty() && fields.size() <= record.size());

    EXPECT_EQ(joined, stripped);
    for (const std::string& f : fields) {
      EXPECT_EQ(f.find(' '), std::string::npos);
      if (!stripped.empty()) {
        EXPECT_FALSE(f.empty());
      }
    }
  }
}

struct IntRow {
  std::string field;
  std::int32_t value;
};

const IntRow kIntRows[] = {
    {"007", 7},
    {"0", 0},
    {"+5", 5},
    {"-7", -7},
    {"2147483647", 2147483647},
    {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"2147483648", 0},
    {"-2147483649", 0},
    {"99999999999999999999", 0},         // beyond 64 bits
    {"18446744073709551621", 0},         // 2^64 + 5: no wrap-around to 5
    {"000000000000000000000042", 42},    // leading zeros do not count toward the range
    {"7.0", 0},
    {"7,0", 0},
    {"1e3", 0},
    {"$10", 16},
    {"0x10", 16},
    {"0X1f", 31},
    {"x1F", 31},
    {"X1f", 31},
    {"$7FFFFFFF", 2147483647},
    {"$80000000", std::numeric_limits<std::int32_t>::min()},  // all 32 bits
    {"$FFFFFFFF", -1},
    {"$FFFFFFFFF", 0},   // nine significant digits
    {"$000000010", 16},  // nine digits, but only two significant
    {"-$10", -16},
    {"+$10", 16},
    {"$", 0},
    {"0x", 0},
    {"x", 0},
    {"+", 0},
    {"-", 0},
    {"", 0},
    {"--5", 0},
    {"5-", 0},
    {"$-1", 0},
    {"0x-1", 0},
    {"$1G", 0},
    {"0$10", 0},
    {"12a", 0},
    {"\t5", 0},  // a tab is a character of the field
};

TEST(TokenizerTest, GetIntConvertsAField) {
  for (const IntRow& row : kIntRows) {
    SCOPED_TRACE("field '" + row.field + "'");
    std::string record = row.field;
    EXPECT_EQ(GetInt(record), row.value);
    EXPECT_EQ(record, "");
    EXPECT_EQ(ParseIntField(row.field), row.value);
  }
}

struct FloatRow {
  std::string field;
  double value;
  char separator;  // the decimal separator afterwards
};

const std::string k200Zeros(200, '0');
const std::string k400Zeros(400, '0');

const FloatRow kFloatRows[] = {
    {"100.5", 100.5, '.'},
    {"200,25", 200.25, ','},
    {"-7", -7.0, '.'},
    {"12,5", 12.5, ','},
    {"12.5", 12.5, '.'},
    {"00012.50", 12.5, '.'},
    {"0.1", 0.1, '.'},
    {"1.234,5", 0.0, ','},  // the comma makes ',' the separator; '.' is then foreign
    {"1,234.5", 0.0, ','},
    {"1.2.3", 0.0, '.'},
    {"1,2,3", 0.0, ','},
    {"", 0.0, '.'},
    {"1e3", 1000.0, '.'},
    {"1E+2", 100.0, '.'},
    {"1e-2", 0.01, '.'},
    {"2,5e1", 25.0, ','},
    {"1e", 0.0, '.'},
    {"1e+", 0.0, '.'},
    {"e3", 0.0, '.'},
    {"1e3.5", 0.0, '.'},
    {"1d3", 0.0, '.'},
    {"5.", 5.0, '.'},
    {"5,", 5.0, ','},
    {"5.e3", 5000.0, '.'},  // empty fraction before an exponent
    {".5", 0.5, '.'},
    {",5", 0.5, ','},
    {"-,5E1", -5.0, ','},
    {"+.5e-3", 0.0005, '.'},
    {".", 0.0, '.'},
    {",", 0.0, ','},
    {"+", 0.0, '.'},
    {"-", 0.0, '.'},
    {"+-1", 0.0, '.'},
    {"inf", 0.0, '.'},
    {"-inf", 0.0, '.'},
    {"Infinity", 0.0, '.'},
    {"nan", 0.0, '.'},
    {"0x10", 0.0, '.'},  // no hexadecimal floats
    {"1.5\t", 0.0, '.'},
    {"123456789012345678901234567890", 123456789012345678901234567890.0, '.'},
    {"1.7976931348623157e308", kMax, '.'},
    {"-1.7976931348623157e308", -kMax, '.'},
    {"1.7976931348623158e308", kMax, '.'},  // still below the half-way point to 2^1024
    {"0.00001e312", 1e307, '.'},            // leading digit far right of the point
    {"0e999999999", 0.0, '.'},              // zero stays zero at any exponent
    {"0," + k200Zeros + "e500", 0.0, ','},
    {"1" + k400Zeros + "e-100", 1e300, '.'},  // 401 digits
    {"-0." + k200Zeros + "15e300", -1.5e99, '.'},
    {"2.2250738585072009e-308", 2.2250738585072009e-308, '.'},  // largest subnormal
    {"4.9e-324", kTiny, '.'},
    {"-4.9e-324", -kTiny, '.'},
    {"2e-324", 0.0, '.'},  // below half the smallest subnormal
    {"1e-400", 0.0, '.'},
    {"-1e-400", 0.0, '.'},
    {"1e-5000", 0.0, '.'},
    {"1e-999999999999", 0.0, '.'},
};

TEST(TokenizerTest, GetFloatConvertsAFieldAndSetsTheSeparator) {
  for (const FloatRow& row : kFloatRows) {
    SCOPED_TRACE("field '" + row.field + "'");
    SetDecimalSeparator(row.separator == '.' ? ',' : '.');
    ClearFpErrors();
    std::string record = row.field;
    EXPECT_EQ(GetFloat(record), row.value);
    EXPECT_EQ(DecimalSeparator(), row.separator);
    EXPECT_EQ(record, "");
    EXPECT_EQ(std::fetestexcept(kErrorFlags), 0);
  }
}

const std::string kOverflowRows[] = {
    "1e400",
    "-1e400",
    "-1,5e400",
    "1e309",
    "1.7976931348623159e308",  // rounds to 2^1024
    "0.0001e403",              // leading digit at 10^399
    "1000e398",                // leading digit at 10^401
    "1" + k400Zeros,
    "1e500",
    "1e5000",
    "1e999999999999",
};

TEST(TokenizerTest, GetFloatRaisesOverflowBeyondTheLargestDouble) {
  for (const std::string& field : kOverflowRows) {
    SCOPED_TRACE("field '" + field + "'");
    ClearFpErrors();
    std::string record = field + " rest";
    EXPECT_EQ(ErrorText([&] { GetFloat(record); }), "Gleitkommaüberlauf");
    EXPECT_EQ(std::fetestexcept(kErrorFlags), 0);
  }
}

}  // namespace
}  // namespace orthavion
