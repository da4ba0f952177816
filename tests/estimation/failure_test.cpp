// Runs that end in an error: the error's text, the protocol lines that must
// and must not exist afterwards, and the protocol file left as it was.
#include <gtest/gtest.h>

#include "base/error.h"
#include "estimation/run.h"
#include "support/casename.h"
#include "support/errortext.h"
#include "support/testdir.h"

using namespace orthavion;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

struct FailureCase {
  const char* name;
  const char* start;   // file contents; nullptr: the file does not exist
  const char* target;
  const char* error;
  const char* lastLine;  // how the protocol's last line ends ("": the protocol is empty)
};

// Four points not in one plane, and a fifth one for the new-point list.
#define FOUR "A 0 0 0 0\nB 0 100 0 0\nC 0 0 100 0\nD 0 0 0 100\n"

const FailureCase kFailures[] = {
    {"missing start file", nullptr, "A 0 1 2 3\n", "Datei nicht gefunden", ""},
    {"missing target file", "A 0 1 2 3\n", nullptr, "Datei nicht gefunden",
     "A                  0        1.000        2.000        3.000"},
    // No control point: the centroid is 0/0, before any estimation line.
    {"no control point", "A 0 1 2 3\n", "B 0 1 2 3\n", "Ungültige Gleitkommaoperation",
     "Punktnummer            X            Y            Z"},
    // One control point: all reduced coordinates are 0, the scale is 0/0;
    // neither the empty line nor the scale line is written.
    {"one control point", "A 0 1 2 3\n", "A 0 11 12 13\n", "Ungültige Gleitkommaoperation",
     "  0.00000E+000  0.00000E+000  1.00000E+000"},
    // Two control points: f = -1, the root of a negative number fails
    // before the accuracy block.
    {"two control points", "A 0 0 0 0\nB 0 10 0 0\n", "A 0 5 5 5\nB 0 15 5.001 5\n",
     "Ungültige Gleitkommaoperation", "[\"]"},
    // An exact fit: m0 = 0, and the first test value is 0/0 after the
    // column titles of the control-point list.
    {"exact fit", FOUR, "A 0 10 10 10\nB 0 110 10 10\nC 0 10 110 10\nD 0 10 10 110\n",
     "Ungültige Gleitkommaoperation",
     "Punktnummer              X              Y              Z         vX          vY         vZ"
     "         vS       TG"},
    {"coordinate too large", "A 0 1e400 2 3\n", "A 0 1 2 3\n", "Gleitkommaüberlauf",
     "Punktnummer            X            Y            Z"},
    {"target coordinate too large", FOUR, "A 0 1 2 -1e309\n", "Gleitkommaüberlauf",
     "Punktnummer            X            Y            Z"},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, EndsWithItsErrorAndKeepsTheEarlierProtocolFile) {
  const FailureCase& c = GetParam();
  TestDir dir;
  const std::string start = c.start ? dir.write("s.txt", c.start) : dir.file("s.txt");
  const std::string target = c.target ? dir.write("t.txt", c.target) : dir.file("t.txt");
  const std::string earlier = dir.write("Trafoprotokoll.txt", "earlier protocol\r\n");

  RunState state;
  try {
    TransformationRun(state, start, target);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), c.error);
  }
  const Protocol& p = state.protocol;
  if (*c.lastLine == '\0') {
    EXPECT_EQ(p.Count(), 0u);
  } else {
    ASSERT_GT(p.Count(), 0u);
    EXPECT_TRUE(p.Line(p.Count() - 1).ends_with(c.lastLine)) << p.Line(p.Count() - 1);
  }
  EXPECT_EQ(ReadBytes(earlier), "earlier protocol\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
            1 + (c.start != nullptr) + (c.target != nullptr))
      << "no other file is left in the folder";
}

INSTANTIATE_TEST_SUITE_P(Runs, FailureTest, ::testing::ValuesIn(kFailures),
                         testsupport::CaseName());

TEST(FailureTest, ARunThatFailsBeforeTheScaleLeavesNoTransformation) {
  TestDir dir;
  RunState state;
  TransformationRun(state, dir.write("s.txt", FOUR "E 0 5 5 5\n"),
                    dir.write("t.txt", "A 0 10 10 10\nB 0 110 10 10.001\nC 0 10 110 10\n"
                                       "D 0 10 10 110\n"));
  ASSERT_TRUE(state.transformation.has_value());
  const Transformation first = *state.transformation;

  // A missing file changes nothing: the previous transformation stays in force.
  EXPECT_THROW(TransformationRun(state, dir.file("none.txt"), dir.file("none.txt")), Error);
  ASSERT_TRUE(state.transformation.has_value());
  EXPECT_EQ(state.transformation->targetCentroid, first.targetCentroid);
  EXPECT_EQ(state.transformation->scale, first.scale);

  // One control point: the centroids and R are formed, but the scale fails,
  // and the earlier transformation is no longer in force either.
  EXPECT_THROW(TransformationRun(state, dir.write("s1.txt", "A 0 1 2 3\n"),
                                 dir.write("t1.txt", "A 0 4 5 6\n")),
               Error);
  EXPECT_FALSE(state.transformation.has_value());
  EXPECT_EQ(ErrorText([&] { state.TransformationInForce(); }),
            "Keine Transformation vorhanden: bitte zuerst die Transformation berechnen");
}

TEST(ProtocolFileTest, CannotBeCreated) {
  TestDir dir;
  std::filesystem::create_directory(dir.path() / "Trafoprotokoll.txt");
  RunState state;
  try {
    TransformationRun(state, dir.write("s.txt", FOUR "E 0 5 5 5\n"),
                      dir.write("t.txt", "A 0 10 10 10\nB 0 110 10 10.001\nC 0 10 110 10\n"
                                         "D 0 10 10 110\n"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Datei \"" + dir.file("Trafoprotokoll.txt") +
                                         "\" kann nicht erstellt werden. Zugriff verweigert");
  }
  // The protocol on screen is complete.
  EXPECT_EQ(state.protocol.Line(state.protocol.Count() - 1),
            "E                      15.000         15.000         15.000");
}

TEST(ProtocolFileTest, AWriteFailureLeavesNoFileBehind) {
  // The protocol's name is a link to a full device: every write fails.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TestDir dir;
  std::filesystem::create_symlink("/dev/full", dir.path() / "Trafoprotokoll.txt");
  RunState state;
  try {
    TransformationRun(state, dir.write("s.txt", FOUR), dir.write("t.txt",
                      "A 0 10 10 10\nB 0 110 10 10.001\nC 0 10 110 10\nD 0 10 10 110\n"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Stream konnte nicht gespeichert werden");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

}  // namespace
