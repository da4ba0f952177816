// The OBJ command in blocks on worker threads against the line-by-line
// path: the same bytes, status texts, progress, question, decimal separator
// and error, for every model at hand, random models and the edge cases of
// cutting a file into blocks; the window's hooks only on the calling thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <thread>

#include "base/decimalseparator.h"
#include "hardening/hardeningsupport.h"
#include "carry/objtestsupport.h"
#include "support/casename.h"
#include "support/errortext.h"

using objtest::Shown;
using testsupport::ReadBytes;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

constexpr orthavion::PipelineShape kSequential{.blockBytes = 0, .workers = 0};

// Blocks of one byte make every line a long one; a few bytes cut lines
// everywhere; the default shape as the program runs it.
const orthavion::PipelineShape kShapes[] = {
    {.blockBytes = 1, .workers = 1},    {.blockBytes = 2, .workers = 3},
    {.blockBytes = 7, .workers = 2},    {.blockBytes = 64, .workers = 3},
    {.blockBytes = 4096, .workers = 8}, orthavion::PipelineShape(),
};

/// Everything a command leaves that the user can see.
struct Outcome {
  std::string output;  // the output file's bytes afterwards
  std::string error;
  Shown shown;
  char separator;      // the process-wide decimal separator afterwards
  std::vector<std::string> entries;  // the folder afterwards
  bool hooksOnCallingThread = true;

  bool operator==(const Outcome& o) const {
    return output == o.output && error == o.error && shown.statuses == o.shown.statuses &&
           shown.progress == o.shown.progress && shown.questions == o.shown.questions &&
           separator == o.separator && entries == o.entries &&
           hooksOnCallingThread == o.hooksOnCallingThread;
  }
};

using testsupport::Entries;

/// Runs the command on `input` over an earlier output "alt", the decimal
/// separator set to `separatorBefore`.
Outcome RunCommand(const orthavion::RunState& state, const std::string& input, bool shorten,
            const orthavion::PipelineShape& shape, char separatorBefore) {
  TestDir dir;
  const std::string in = dir.write("modell.obj", input);
  const std::string out = dir.write("neu.obj", "alt\r\n");
  Outcome o;
  const std::thread::id caller = std::this_thread::get_id();
  orthavion::CommandView view = objtest::RecordingView(o.shown, shorten);
  const auto onCaller = [&o, caller] {
    if (std::this_thread::get_id() != caller) o.hooksOnCallingThread = false;
  };
  view.status = [&o, onCaller](const std::string& t) { onCaller(), o.shown.statuses.push_back(t); };
  view.progress = [&o, onCaller](std::int64_t p, std::int64_t m) {
    onCaller(), o.shown.progress.emplace_back(p, m);
  };
  orthavion::SetDecimalSeparator(separatorBefore);
  o.error = testsupport::ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), in, out, view, shape); });
  o.separator = orthavion::DecimalSeparator();
  orthavion::SetDecimalSeparator('.');
  o.output = ReadBytes(out);
  o.entries = Entries(dir.path());
  return o;
}

void PrintTo(const Outcome& o, std::ostream* os) {
  *os << (o.error.empty() ? "success" : o.error) << ", " << o.output.size() << " bytes, "
      << o.shown.progress.size() << " progress reports, separator '" << o.separator << "'";
}

/// Every shape gives what the line-by-line path gives, with either
/// separator before the command and either answer.
void ExpectEveryShapeAsSequential(const orthavion::RunState& state, const std::string& input) {
  for (const bool shorten : {true, false})
    for (const char before : {'.', ','}) {
      const Outcome want = RunCommand(state, input, shorten, kSequential, before);
      for (const orthavion::PipelineShape& shape : kShapes) {
        SCOPED_TRACE(testing::Message() << "blocks of " << shape.blockBytes << " bytes, "
                                        << shape.workers << " workers, shorten " << shorten
                                        << ", separator '" << before << "' before");
        EXPECT_EQ(RunCommand(state, input, shorten, shape, before), want);
      }
    }
}

const orthavion::RunState& State() {
  static const orthavion::RunState state = hardening::ExampleRun();
  return state;
}

std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  if (fs::is_directory(dir))
    for (const auto& e : fs::recursive_directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ObjPipelineTest, EveryModelAtHandAsSequential) {
  // The models of tests/data/models among them.
  std::vector<fs::path> files = FilesIn(ORTHAVION_TEST_DATA);
  for (const fs::path& f : FilesIn(ORTHAVION_SOURCE_DIR "/examples")) files.push_back(f);
  ASSERT_FALSE(files.empty());
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.string());
    ExpectEveryShapeAsSequential(State(), ReadBytes(f));
  }
}

struct EdgeCase {
  const char* name;
  std::string input;
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

std::string Repeated(const std::string& unit, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += unit;
  return s;
}

const std::string kPairs = Repeated("v 1250.004 2250.777 125.660\nf 1 2 3\n", 3000);
const std::string kCommaPairs = Repeated("v 1250,004 2250,777 125,660 0,5\nvt 0,1 0,2\n", 3000);
// A line far longer than a block of 4096 bytes, in each part a vertex line
// has: the blanks between the fields, a field, the rest.
const std::string kLongBlanks(10000, ' ');
const std::string kLongDigits(10000, '7');

class ObjPipelineEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(ObjPipelineEdgeTest, AsSequential) { ExpectEveryShapeAsSequential(State(), GetParam().input); }

INSTANTIATE_TEST_SUITE_P(
    Edges, ObjPipelineEdgeTest,
    ::testing::Values(
        EdgeCase{"Empty", ""}, EdgeCase{"OnlyALineFeed", "\n"}, EdgeCase{"OnlyACr", "\r"},
        EdgeCase{"LastLineWithoutLineEnd", kPairs + "v 1 2 3 ohne Zeilenende"},
        EdgeCase{"CrLfAndLoneCrs", "v 1\r2 3\r\nv\r 4 5 6\r\n\r\r\nf 1 2 3\r"},
        EdgeCase{"EndOfFileByteInTheMiddle", kPairs + "v 1 2 3\x1A" "v 4 5 6\n" + kPairs},
        EdgeCase{"EndOfFileByteAfterALineFeed", kPairs + "\x1A" "v 4 5 6\n"},
        EdgeCase{"CommaSeparatorsLast", kPairs + kCommaPairs},
        EdgeCase{"PointSeparatorLast", kCommaPairs + kPairs},
        EdgeCase{"NoVertexLine", Repeated("f 1 2 3\n# Kommentar\n", 2000)},
        EdgeCase{"LongFaceLine", kPairs + "f" + Repeated(" 1/2/3", 5000) + "\n" + kPairs},
        EdgeCase{"LongVertexRest", kPairs + "v 1 2 3" + Repeated(" 0.5", 5000) + "\n" + kPairs},
        EdgeCase{"LongBlanksBetweenFields",
                 "v 1" + kLongBlanks + "2 3\nv 1 2" + kLongBlanks + "3" + kLongBlanks + "x\n" + kPairs},
        EdgeCase{"LongBlanksToTheEnd", kPairs + "v 1 2 3" + kLongBlanks},
        EdgeCase{"LongNumberField", "v 0." + kLongDigits + " 2 1" + kLongDigits + "e-10000 rest\n"},
        EdgeCase{"LongLineOfCrs", kPairs + std::string(10000, '\r') + "v 1 2 3\n"},
        EdgeCase{"LongLineWithCrs", Repeated("v 1250.004 2250.777 125.660\r", 1000)},
        EdgeCase{"LongLineWithoutLineEnd", kPairs + "f" + Repeated(" 1", 8000)}),
    testsupport::CaseName());

/// A random model: vertex lines with numbers of every form and separator,
/// other records, blanks, CRs, empty lines, an occasional 0x1A, a final line
/// break or none.
std::string RandomModel(std::mt19937_64& random) {
  const auto number = [&random]() -> std::string {
    switch (random() % 8) {
      case 0: return std::to_string(static_cast<int>(random() % 2000000) - 1000000);
      case 1: return "1e" + std::to_string(static_cast<int>(random() % 40) - 20);
      case 2: return "-0";
      case 3: return "abc";
      case 4: {
        std::string s = std::to_string(random() % 100000) + (random() % 2 ? "," : ".");
        return s + std::to_string(random() % 10000000);
      }
      default: return std::to_string(random() % 1000000) + "." + std::to_string(random() % 100000);
    }
  };
  std::string model;
  const int lines = 1 + static_cast<int>(random() % 600);
  for (int i = 0; i < lines; ++i) {
    switch (random() % 7) {
      case 0: case 1: case 2:
        model += "v " + number() + std::string(1 + random() % 3, ' ') + number() + " " + number();
        if (random() % 3 == 0) model += " " + number();
        break;
      case 3: model += "f 1 2 3"; break;
      case 4: model += random() % 2 ? "" : "v"; break;
      case 5: model += "vn 0.1 0.2 " + number(); break;
      default: model += "v  " + number(); break;
    }
    if (random() % 50 == 0) model += '\r';
    if (random() % 500 == 0) model += '\x1A';
    model += random() % 10 == 0 ? "\r\n" : "\n";
  }
  if (random() % 2) model.pop_back();
  return model;
}

TEST(ObjPipelineTest, RandomModelsAsSequential) {
  std::mt19937_64 random(1312);
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE("random model " + std::to_string(i));
    ExpectEveryShapeAsSequential(State(), RandomModel(random));
  }
}

struct FailureCase {
  const char* name;
  std::string input;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ObjPipelineFailureTest : public ::testing::TestWithParam<FailureCase> {};

// The first error in file order ends the command as the line-by-line path
// ends it: the same text, progress and separator, the earlier output kept,
// no temporary file.
TEST_P(ObjPipelineFailureTest, EndsAsSequential) {
  // Scale 10: a vertex of 1e308 overflows.
  const orthavion::RunState state = objtest::ExampleState(1000010.0, 10.0);
  const Outcome want = RunCommand(state, GetParam().input, true, kSequential, '.');
  ASSERT_EQ(want.error, "Gleitkommaüberlauf");
  ASSERT_EQ(want.output, "alt\r\n");
  ASSERT_EQ(want.entries, (std::vector<std::string>{"modell.obj", "neu.obj"}));
  ExpectEveryShapeAsSequential(state, GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ObjPipelineFailureTest,
    ::testing::Values(
        FailureCase{"ReadInTheMiddle", kPairs + "v 1 2 1e400\n" + kPairs},
        FailureCase{"ReadInTheXFieldWithAComma", kPairs + "v 1,5e400 2 3\n" + kPairs},
        FailureCase{"ComputedInTheMiddle", kPairs + "v 1e308 1e308 1e308\n" + kPairs},
        // Only the first counts: the separators and the progress tell them apart.
        FailureCase{"TwoErrors", kPairs + "v 1 2,5 1e999\n" + kPairs + kCommaPairs + "v 1e400 2 3\n"},
        FailureCase{"InALongLine", kPairs + "v 1 2 1e400" + Repeated(" 0.5", 5000) + "\n" + kPairs}),
    testsupport::CaseName());

}  // namespace
