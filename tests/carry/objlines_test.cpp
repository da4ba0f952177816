// The OBJ command line by line: which lines are rewritten, how a vertex line
// is read (fields, decimal commas, runs of spaces, missing and bad fields)
// and written (14-character fields, the rest of the line, the separator of
// the Z field), and the offsets with and without shortening.
#include <gtest/gtest.h>

#include <cstdio>

#include "base/decimalseparator.h"
#include "carry/objtestsupport.h"

namespace {

constexpr double kFar = 1000010.0;  // the examples' target centroid X

struct LineCase {
  const char* input;
  bool shorten;
  const char* output;
  double targetX = kFar;
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << "'";
  for (const char ch : std::string_view(c.input)) {
    if (ch >= ' ' && ch <= '~') {
      *os << ch;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(ch));
      *os << hex;
    }
  }
  *os << "'" << (c.shorten ? " shortened" : "");
  if (c.targetX != kFar) *os << ", target X " << std::fixed << c.targetX;
}

class ObjLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ObjLineTest, WritesTheLine) {
  const LineCase& c = GetParam();
  const std::string out =
      objtest::TransformBytes(objtest::ExampleState(c.targetX), std::string(c.input) + "\n",
                              c.shorten);
  EXPECT_EQ(out, std::string(c.output) + "\r\n") << "input '" << c.input << "'";
}

// Without shortening X gains 1000000 and Y 2000000; with it the offsets are
// 10 and 20, which cancel the start centroid.
const LineCase kVertexLines[] = {
    {"v 11 22 33", false, "v 1000011.000000 2000022.000000      33.000000 "},
    {"v 11 22 33", true, "v      11.000000      22.000000      33.000000 "},
    {"v  11   22   33  ", true, "v      11.000000      22.000000      33.000000 "},
    {"v 11 22 33 0.8 0.2 0.1", true, "v      11.000000      22.000000      33.000000 0.8 0.2 0.1"},
    {"v 11 22 33   1.0  0.5 ", true, "v      11.000000      22.000000      33.000000 1.0  0.5 "},
    {"v 11 22 33 # Ecke Stra\xDF" "e", true,
     "v      11.000000      22.000000      33.000000 # Ecke Stra\xDF" "e"},
    {"v 11 22", true, "v      11.000000      22.000000       0.000000 "},
    {"v 1e3 -2.5E1 .5", true, "v    1000.000000     -25.000000       0.500000 "},
    {"v -5 -10 -35", true, "v      -5.000000     -10.000000     -35.000000 "},
    {"v -0.0000001 0 0", true, "v       0.000000       0.000000       0.000000 "},
    {"v 123456789.25 22 33", false, "v 124456789.250000 2000022.000000      33.000000 "},
    // The decimal separator written is the one of the Z field.
    {"v 1,5 2,5 3,5", false, "v 1000001,500000 2000002,500000       3,500000 "},
    {"v 1,5 2,5 3.5", false, "v 1000001.500000 2000002.500000       3.500000 "},
    {"v 1.5 2.5 3,5", true, "v       1,500000       2,500000       3,500000 "},
    // Fields that are no numbers read as 0; a bad Z field with a comma still
    // chooses the comma.
    {"v abc 22 1.234,5", true, "v       0,000000      22,000000       0,000000 "},
    {"v 1,234.5 inf nan", true, "v       0.000000       0.000000       0.000000 "},
    // The shortened offset keeps the sign of the centroid.
    {"v 10 20 30", true, "v   -2345.500000      20.000000      30.000000 ", -12345.5},
    {"v 10 20 30", false, "v  -12345.500000 2000020.000000      30.000000 ", -12345.5},
    {"v 10 20 30", true, "v    4567.250000      20.000000      30.000000 ", 1234567.25},
    {"v 10 20 30", true, "v       0.000000      20.000000      30.000000 ", 20000.0},
};
INSTANTIATE_TEST_SUITE_P(Vertices, ObjLineTest, ::testing::ValuesIn(kVertexLines));

const LineCase kCopiedLines[] = {
    {"vn 0 0 1", true, "vn 0 0 1"},
    {"vt 0.5 0.5", true, "vt 0.5 0.5"},
    {"vp 0.1 0.2", true, "vp 0.1 0.2"},
    {" v 11 22 33", true, " v 11 22 33"},
    {"V 11 22 33", true, "V 11 22 33"},
    {"v\t11 22 33", true, "v\t11 22 33"},
    {"vv 11 22 33", true, "vv 11 22 33"},
    {"v", true, "v"},
    {"f 1 2 3", true, "f 1 2 3"},
    {"f 1/1/1  2/2/2  3/3/3 ", true, "f 1/1/1  2/2/2  3/3/3 "},
    {"# v 11 22 33", true, "# v 11 22 33"},
    {"usemtl wei\xDF\x80", true, "usemtl wei\xDF\x80"},
    {"", true, ""},
    {"   ", true, "   "},
};
INSTANTIATE_TEST_SUITE_P(Copied, ObjLineTest, ::testing::ValuesIn(kCopiedLines));

TEST(ObjLineTest, LeavesTheSeparatorOfTheLastZField) {
  orthavion::SetDecimalSeparator('.');
  objtest::TransformBytes(objtest::ExampleState(), "v 1 2 3,5\nf 1 2 3\n", false);
  EXPECT_EQ(orthavion::DecimalSeparator(), ',');
}

}  // namespace
