// The OBJ command on whole files: line ends in and out, the end of the
// input (empty file, final line break or none, 0x1A), the status texts, the
// question and the throttled progress.
#include <gtest/gtest.h>

#include <filesystem>

#include "carry/objtestsupport.h"
#include "support/casename.h"

using objtest::Shown;

namespace {

const std::string kV = "v      11.000000      22.000000      33.000000 ";  // "v 11 22 33" shortened

struct FileCase {
  const char* name;
  std::string input;
  std::string output;
  std::int64_t lineFeeds;  // the count shown in the status text
  int vertices;            // the vertex lines transformed
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class ObjFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(ObjFileTest, WritesCrLfLinesAndShowsTheCount) {
  const FileCase& c = GetParam();
  Shown shown;
  EXPECT_EQ(objtest::TransformBytes(objtest::ExampleState(), c.input, true, &shown), c.output);
  const std::int64_t lines = std::count(c.output.begin(), c.output.end(), '\n');
  EXPECT_EQ(shown.statuses,
            (std::vector<std::string>{
                "Dateigröße ermitteln", std::to_string(c.lineFeeds) + " Datensätze, bitte warten",
                "OBJ-Datei transformiert: " + std::to_string(c.vertices) + " Eckpunkte, " +
                    std::to_string(lines) + " Datensätze"}));
  EXPECT_EQ(shown.questions, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ObjFileTest,
    ::testing::Values(
        FileCase{"Lf", "v 11 22 33\nf 1 2 3\n", kV + "\r\nf 1 2 3\r\n", 2, 1},
        FileCase{"CrLf", "v 11 22 33\r\nf 1 2 3\r\n", kV + "\r\nf 1 2 3\r\n", 2, 1},
        FileCase{"Empty", "", "\r\n", 0, 0},
        FileCase{"NoFinalLineBreak", "f 1 2 3\nv 11 22 33", "f 1 2 3\r\n" + kV + "\r\n", 1, 1},
        FileCase{"EmptyLastLine", "f 1 2 3\n\n", "f 1 2 3\r\n\r\n", 2, 0},
        FileCase{"LoneCrDropped", "f 1\r2 3\nv 11 22 33\r", "f 12 3\r\n" + kV + "\r\n", 1, 1},
        FileCase{"EndOfFileByte", std::string("f 1 2 3\nv 11 22 33\x1A\nv 1 2 3\n"),
                 "f 1 2 3\r\n" + kV + "\r\n", 3, 1},
        FileCase{"EndOfFileByteFirst", std::string("\x1A" "f 1 2 3\n"), "\r\n", 1, 0}),
    testsupport::CaseName());

TEST(ObjFileTest, AsksOnceWhenBothFilesAreOpen) {
  testsupport::TestDir dir;
  const std::string in = dir.write("in.obj", "v 11 22 33\n");
  const std::string out = dir.file("out.obj");
  Shown shown;
  orthavion::CommandView view = objtest::RecordingView(shown, false);
  view.askShorten = [&] {
    ++shown.questions;
    EXPECT_EQ(shown.statuses.size(), 2u) << "after the count";
    EXPECT_EQ(shown.progress.size(), 1u) << "after the progress is shown";
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 2) << "the input and the output being written";
    EXPECT_FALSE(std::filesystem::exists(out)) << "the output appears when complete";
    return false;
  };
  orthavion::TransformObj(objtest::ExampleState().TransformationInForce(), in, out, view);
  EXPECT_EQ(shown.questions, 1);
  EXPECT_EQ(testsupport::ReadBytes(out), "v 1000011.000000 2000022.000000      33.000000 \r\n");
}

struct ProgressCase {
  const char* name;
  std::string input;
  std::int64_t maximum;
};

void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }

class ObjProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ObjProgressTest, ReportsAFewHundredGrowingPositionsWithinTheMaximum) {
  const ProgressCase& c = GetParam();
  Shown shown;
  objtest::TransformBytes(objtest::ExampleState(), c.input, false, &shown);
  ASSERT_FALSE(shown.progress.empty());
  EXPECT_EQ(shown.progress.front(), std::make_pair(std::int64_t{0}, c.maximum));
  EXPECT_LE(shown.progress.size(), 260u);
  for (std::size_t i = 1; i < shown.progress.size(); ++i) {
    EXPECT_GT(shown.progress[i].first, shown.progress[i - 1].first);
    EXPECT_EQ(shown.progress[i].second, c.maximum);
  }
  EXPECT_LE(shown.progress.back().first, c.maximum);
  EXPECT_GE(shown.progress.back().first, c.maximum - c.maximum / 200);
}

std::string Repeated(const std::string& line, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ObjProgressTest,
    ::testing::Values(ProgressCase{"ManyLines", Repeated("v 1 2 3\nf 1 2 3\n", 50000), 100000},
                      ProgressCase{"OneLineMoreThanLineFeeds", "a\nb\nc\nd", 3}),
    testsupport::CaseName());

}  // namespace
