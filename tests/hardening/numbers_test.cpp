// Hostile numbers in the NIV and coordinate fields of a whole run: what the
// listing line shows, or the overflow error with the lines before it kept
// and no protocol file written.
#include <gtest/gtest.h>

#include <tuple>

#include "hardening/hardeningsupport.h"
#include "points/pointfiles.h"
#include "support/errortext.h"

using hardening::Lines;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

struct NumberCase {
  const char* name;
  const char* field;
  const char* asNiv;         // the NIV column it gives (5 characters or more)
  const char* asCoordinate;  // the coordinate column it gives; nullptr: overflow
};

const NumberCase kNumbers[] = {
    {"Overflow", "1e400", "    0", nullptr},
    {"NegativeOverflow", "-1e400", "    0", nullptr},
    {"Underflow", "1e-400", "    0", "       0.000"},
    {"NegativeUnderflow", "-1e-400", "    0", "       0.000"},  // no "-0.000"
    {"NaN", "nan", "    0", "       0.000"},
    {"Infinity", "inf", "    0", "       0.000"},
    {"NegativeInfinity", "-INF", "    0", "       0.000"},
    {"HexInt32Max", "0x7FFFFFFF", "2147483647", "       0.000"},  // no hexadecimal reals
    {"NineHexDigits", "$FFFFFFFFF", "    0", "       0.000"},
};

enum class Position { Niv, X, Y, Z, TargetZ };
const char* const kPositionNames[] = {"Niv", "X", "Y", "Z", "TargetZ"};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(Position p, std::ostream* os) { *os << kPositionNames[static_cast<int>(p)]; }

using Case = std::tuple<NumberCase, Position>;

class NumberFieldTest : public ::testing::TestWithParam<Case> {};

// The start file holds the four control points and the new point
// "E 5 1 2 3"; the field replaces one of E's fields, or the Z of the
// control point A in the target file.
TEST_P(NumberFieldTest, GivesItsListingLineOrEndsTheRun) {
  const auto& [number, position] = GetParam();
  std::string e[] = {"5", "1", "2", "3"};
  if (position != Position::TargetZ) e[static_cast<int>(position)] = number.field;
  const std::string targetA =
      position == Position::TargetZ ? std::string("A 0 10 10 ") + number.field : "A 0 10 10 10";

  TestDir dir;
  const std::string startBytes =
      std::string(hardening::kFourStart) + "E " + e[0] + " " + e[1] + " " + e[2] + " " + e[3] + "\n";
  const std::string targetBytes =
      targetA + std::string(hardening::kFourTarget).substr(std::string_view("A 0 10 10 10").size());
  const std::string start = dir.write("start.txt", startBytes);
  const std::string target = dir.write("ziel.txt", targetBytes);
  const std::string earlier = dir.write("Trafoprotokoll.txt", "alt\r\n");

  const bool overflow = position != Position::Niv && number.asCoordinate == nullptr;
  orthavion::RunState state;
  const std::string error =
      ErrorText([&] { orthavion::TransformationRun(state, start, target); });
  const std::vector<std::string> lines = Lines(state.protocol);
  EXPECT_EQ(ReadBytes(start), startBytes);
  EXPECT_EQ(ReadBytes(target), targetBytes);

  if (overflow) {
    EXPECT_EQ(error, "Gleitkommaüberlauf");
    // The record with the field is not listed; the lines before it stay.
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), position == Position::TargetZ
                                ? std::string(orthavion::kPointHeader)
                                : "D                  0        0.000        0.000      100.000");
    EXPECT_EQ(lines.size(), position == Position::TargetZ ? 9u : 6u);
    EXPECT_EQ(ReadBytes(earlier), "alt\r\n");
    return;
  }

  EXPECT_EQ(error, "");
  const auto column = [&number = number, &position = position](Position p, const char* normal) {
    return p == position ? std::string(number.asCoordinate) : std::string(normal);
  };
  std::string listing;
  std::size_t index;
  if (position == Position::TargetZ) {
    listing = "A                  0       10.000       10.000 " + column(Position::TargetZ, "");
    index = 9;  // after the start listing and the target title and header
  } else {
    listing = "E              " + (position == Position::Niv ? number.asNiv : std::string("    5")) +
              " " + column(Position::X, "       1.000") + " " + column(Position::Y, "       2.000") +
              " " + column(Position::Z, "       3.000");
    index = 6;
  }
  ASSERT_GT(lines.size(), index);
  EXPECT_EQ(lines[index], listing);
  EXPECT_TRUE(lines.back().starts_with("E ")) << "the run went on to the new point";
  // The protocol file holds the same line (ASCII: the same bytes).
  EXPECT_NE(ReadBytes(earlier).find("\r\n" + listing + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NumberFieldTest,
    ::testing::Combine(::testing::ValuesIn(kNumbers),
                       ::testing::Values(Position::Niv, Position::X, Position::Y, Position::Z,
                                         Position::TargetZ)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "In" +
             kPositionNames[static_cast<int>(std::get<1>(info.param))];
    });

}  // namespace
