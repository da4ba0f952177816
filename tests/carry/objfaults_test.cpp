// How the OBJ command fails: never over its own input, never leaving a
// partial model or destroying an earlier one, never without a complete
// transformation, and with the system's texts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "base/error.h"
#include "estimation/run.h"
#include "carry/objtestsupport.h"
#include "support/casename.h"
#include "support/errortext.h"

using objtest::Shown;
using testsupport::ReadBytes;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

const std::string kModel = "# Modell\nv 11 22 33\nf 1 1 1\n";

/// The names in `dir`, sorted.
std::vector<std::string> Entries(const TestDir& dir) { return testsupport::Entries(dir.path()); }

/// Runs the command and returns its error text ("" when it succeeded).
std::string ErrorOf(const orthavion::RunState& state, const std::string& in,
                    const std::string& out, Shown& shown) {
  return testsupport::ErrorText(
      [&] { orthavion::TransformObj(state.TransformationInForce(), in, out, objtest::RecordingView(shown, true)); });
}

// (a) The output names the input: refused before anything is written.
enum class Alias { SameName, OtherSpelling, HardLink, SymbolicLink };

void PrintTo(Alias a, std::ostream* os) {
  static const char* const names[] = {"SameName", "OtherSpelling", "HardLink", "SymbolicLink"};
  *os << names[static_cast<int>(a)];
}

class ObjOwnInputTest : public ::testing::TestWithParam<Alias> {};

TEST_P(ObjOwnInputTest, IsRefusedAndTheInputStaysUnchanged) {
  TestDir dir;
  const std::string in = dir.write("model.obj", kModel);
  std::string out = in;
  switch (GetParam()) {
    case Alias::SameName:
      break;
    case Alias::OtherSpelling:
      out = (dir.path() / "." / "model.obj").string();
      break;
    case Alias::HardLink:
      out = dir.file("link.obj");
      fs::create_hard_link(in, out);
      break;
    case Alias::SymbolicLink:
      out = dir.file("link.obj");
      fs::create_symlink(in, out);
      break;
  }
  const auto before = Entries(dir);
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(), in, out, shown), "Dateizugriff verweigert");
  EXPECT_EQ(ReadBytes(in), kModel);
  EXPECT_EQ(Entries(dir), before);
  EXPECT_EQ(shown.questions, 0);
}

INSTANTIATE_TEST_SUITE_P(Aliases, ObjOwnInputTest,
                         ::testing::Values(Alias::SameName, Alias::OtherSpelling,
                                           Alias::HardLink, Alias::SymbolicLink),
                         testsupport::PrintedName());

// (b) An output that cannot be created or written.
struct OutputCase {
  const char* name;
  const char* output;  // relative to the test folder unless absolute
  const char* error;
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class ObjOutputFailureTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ObjOutputFailureTest, EndsWithTheIoErrorAndLeavesNoFile) {
  const OutputCase& c = GetParam();
  TestDir dir;
  fs::create_directory(dir.path() / "folder");
  const std::string in = dir.write("model.obj", kModel);
  const std::string out = c.output[0] == '/' || c.output[0] == 0 ? c.output : dir.file(c.output);
  if (c.output[0] == '/' && !fs::exists(c.output)) GTEST_SKIP() << "no " << c.output;
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(), in, out, shown), c.error);
  EXPECT_EQ(ReadBytes(in), kModel);
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"folder", "model.obj"}));
  EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, ObjOutputFailureTest,
    ::testing::Values(OutputCase{"MissingFolder", "nowhere/out.obj", "Ungültiger Dateiname"},
                      OutputCase{"EmptyName", "", "Ungültiger Dateiname"},
                      OutputCase{"AFolder", "folder", "Dateizugriff verweigert"},
                      OutputCase{"FullDevice", "/dev/full", "E/A-Fehler 28"}),
    testsupport::CaseName());

TEST(ObjOutputTest, ADeviceIsWrittenDirectly) {
  TestDir dir;
  if (!fs::is_character_file("/dev/null")) GTEST_SKIP();
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(), dir.write("model.obj", kModel), "/dev/null", shown),
            "");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(ObjOutputTest, AReadOnlyFolderIsRefused) {
  TestDir dir;
  const std::string in = dir.write("model.obj", kModel);
  fs::create_directory(dir.path() / "locked");
  fs::permissions(dir.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  if (::access((dir.path() / "locked").c_str(), W_OK) == 0) GTEST_SKIP() << "running as root";
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(), in, dir.file("locked/out.obj"), shown),
            "Dateizugriff verweigert");
}

// (b) A failure part-way, after blocks of the model have been written.
struct PartWayCase {
  const char* name;
  const char* lastLine;
  double scale;
};

void PrintTo(const PartWayCase& c, std::ostream* os) { *os << c.name; }

class ObjPartWayTest : public ::testing::TestWithParam<PartWayCase> {};

TEST_P(ObjPartWayTest, KeepsTheEarlierOutputAndLeavesNoTemporaryFile) {
  const PartWayCase& c = GetParam();
  TestDir dir;
  std::string model;
  for (int i = 0; i < 100000; ++i) model += "v 11 22 33\nf 1 2 3\n";
  model += c.lastLine;
  const std::string in = dir.write("model.obj", model);
  const std::string out = dir.write("out.obj", "alt\r\n");
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(1000010.0, c.scale), in, out, shown),
            "Gleitkommaüberlauf");
  EXPECT_EQ(ReadBytes(out), "alt\r\n");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"model.obj", "out.obj"}));
  EXPECT_EQ(shown.statuses.back(), "200000 Datensätze, bitte warten") << "no completion";
}

INSTANTIATE_TEST_SUITE_P(
    Overflows, ObjPartWayTest,
    ::testing::Values(PartWayCase{"Computed", "v 1e308 1e308 1e308", 10.0},
                      PartWayCase{"Read", "v 1 2 1e400", 1.0}),
    testsupport::CaseName());

// The input cannot be opened: the count fails before either file is opened.
struct InputCase {
  const char* name;
  const char* input;  // relative to the test folder
  const char* reason;
};

void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class ObjInputFailureTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(ObjInputFailureTest, NamesTheFullPathAndTheReason) {
  const InputCase& c = GetParam();
  TestDir dir;
  fs::create_directory(dir.path() / "folder");
  const std::string in = c.input[0] ? dir.file(c.input) : "";
  Shown shown;
  EXPECT_EQ(ErrorOf(objtest::ExampleState(), in, dir.file("out.obj"), shown),
            "Datei " + in + " kann nicht geöffnet werden. " + c.reason);
  EXPECT_EQ(shown.statuses, std::vector<std::string>{"Dateigröße ermitteln"});
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"folder"});
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ObjInputFailureTest,
    ::testing::Values(
        InputCase{"Missing", "model.obj", "Das System kann die angegebene Datei nicht finden"},
        InputCase{"MissingFolder", "nowhere/model.obj",
                  "Das System kann den angegebenen Pfad nicht finden"},
        InputCase{"AFolder", "folder", "Zugriff verweigert"},
        InputCase{"EmptyName", "", "Die Syntax für den Dateinamen ist falsch"}),
    testsupport::CaseName());

// (c) No complete transformation: refused before anything is shown or written.
orthavion::RunState Fresh() { return orthavion::RunState(); }
// A state that held a transformation, then a run that stopped at its scale
// (one control point: the centroids and R are formed, the scale is 0/0).
orthavion::RunState StoppedBeforeTheScale() {
  orthavion::RunState s = objtest::ExampleState();
  TestDir dir;
  EXPECT_THROW(orthavion::TransformationRun(s, dir.write("s.txt", "A 0 1 2 3\n"),
                                            dir.write("t.txt", "A 0 4 5 6\n")),
               orthavion::Error);
  return s;
}
// The same before the centroids (no control point at all).
orthavion::RunState StoppedAtTheCentroids() {
  orthavion::RunState s = objtest::ExampleState();
  TestDir dir;
  EXPECT_THROW(orthavion::TransformationRun(s, dir.write("s.txt", "A 0 1 2 3\n"),
                                            dir.write("t.txt", "B 0 4 5 6\n")),
               orthavion::Error);
  return s;
}

struct StateCase {
  const char* name;
  orthavion::RunState (*make)();
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class ObjNoTransformationTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(ObjNoTransformationTest, IsRefusedAndNothingIsWritten) {
  TestDir dir;
  const std::string in = dir.write("model.obj", kModel);
  Shown shown;
  EXPECT_EQ(ErrorOf(GetParam().make(), in, dir.file("out.obj"), shown),
            "Keine Transformation vorhanden: bitte zuerst die Transformation berechnen");
  EXPECT_TRUE(shown.statuses.empty());
  EXPECT_TRUE(shown.progress.empty());
  EXPECT_EQ(shown.questions, 0);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"model.obj"});
}

INSTANTIATE_TEST_SUITE_P(States, ObjNoTransformationTest,
                         ::testing::Values(StateCase{"Fresh", &Fresh},
                                           StateCase{"StoppedBeforeTheScale", &StoppedBeforeTheScale},
                                           StateCase{"StoppedAtTheCentroids", &StoppedAtTheCentroids}),
                         testsupport::CaseName());

TEST(ObjNoTransformationTest, ARunThatFailsBeforeChangingTheStateKeepsTheLastOne) {
  TestDir dir;
  for (const char* f : {"startsystem.txt", "zielsystem.txt"})
    fs::copy_file(fs::path(ORTHAVION_SOURCE_DIR "/examples") / f, dir.path() / f);
  orthavion::RunState state;
  orthavion::TransformationRun(state, dir.file("startsystem.txt"), dir.file("zielsystem.txt"));
  const std::string in = dir.write("model.obj", "v 1250 2250 120\n");
  orthavion::TransformObj(state.TransformationInForce(), in, dir.file("first.obj"), {});
  EXPECT_THROW(orthavion::TransformationRun(state, dir.file("startsystem.txt"),
                                            dir.file("missing.txt")),
               orthavion::Error);
  orthavion::TransformObj(state.TransformationInForce(), in, dir.file("second.obj"), {});
  EXPECT_EQ(ReadBytes(dir.file("second.obj")), ReadBytes(dir.file("first.obj")));
  EXPECT_EQ(ReadBytes(dir.file("first.obj")).rfind("v 4513", 0), 0u);
}

}  // namespace
