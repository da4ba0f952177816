// The OBJ model changed by another program while the command runs: between
// the counting pass and the transforming pass (when the count is shown), or
// during the transforming pass. The command ends cleanly: with an I/O error
// and the earlier output unchanged, or with the transformation of what the
// file then holds; never a partial or temporary file under the output name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "hardening/hardeningsupport.h"
#include "carry/obj.h"
#include "support/casename.h"
#include "support/errortext.h"

using hardening::Entries;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

constexpr int kVertices = 20000;
const std::string kPair = "v 1250.004 2250.777 125.660\nf 1 2 3\n";

std::string Model() {
  std::string bytes;
  for (int i = 0; i < kVertices; ++i) bytes += kPair;
  return bytes;
}

const std::string kModel = Model();
const std::string kReplacement = "# ersetzt\nv 1 2 3\n";
const std::string kAppended = "v 1012.345 2034.567 101.234\n";

enum class When { AfterCount, WhileTransforming };

struct ChangeCase {
  const char* name;
  When when;
  std::function<void(const std::string& file)> change;
  const char* error;      // "" when the command succeeds
  std::string remaining;  // what the input holds afterwards (and is transformed)
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

void Truncate(const std::string& file, std::size_t size) {
  if (::truncate(file.c_str(), static_cast<off_t>(size)) != 0) throw std::runtime_error("truncate");
}

// Ten vertex and face pairs and 7 bytes: the end falls inside a vertex line.
const std::size_t kMidLine = 10 * kPair.size() + 7;
const std::size_t kHalf = kModel.size() / 2;

const ChangeCase kChanges[] = {
    {"DeletedAfterCount", When::AfterCount, [](const std::string& f) { fs::remove(f); },
     "Datei nicht gefunden", ""},
    {"EmptiedAfterCount", When::AfterCount, [](const std::string& f) { Truncate(f, 0); }, "", ""},
    {"TruncatedMidLineAfterCount", When::AfterCount,
     [](const std::string& f) { Truncate(f, kMidLine); }, "", kModel.substr(0, kMidLine)},
    {"ReplacedAfterCount", When::AfterCount,
     [](const std::string& f) {
       std::ofstream(f + ".neu") << kReplacement;
       fs::rename(f + ".neu", f);
     },
     "", kReplacement},
    {"GrownAfterCount", When::AfterCount,
     [](const std::string& f) { std::ofstream(f, std::ios::app) << kAppended; }, "",
     kModel + kAppended},
    // The open file stays readable to its end after its name is removed.
    {"DeletedWhileTransforming", When::WhileTransforming,
     [](const std::string& f) { fs::remove(f); }, "", kModel},
    // Cut at a line end far beyond what has been read so far.
    {"TruncatedWhileTransforming", When::WhileTransforming,
     [](const std::string& f) { Truncate(f, kHalf); }, "", kModel.substr(0, kHalf)},
};

/// The model that the command should write for input `bytes`: the command
/// run on a file that holds them from the start.
std::string TransformedUnchanged(const orthavion::RunState& state, const std::string& bytes) {
  TestDir dir;
  orthavion::TransformObj(state.TransformationInForce(), dir.write("m.obj", bytes), dir.file("n.obj"), {});
  return ReadBytes(dir.file("n.obj"));
}

class ChangedInputTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ChangedInputTest, EndsCleanly) {
  const ChangeCase& c = GetParam();
  ASSERT_EQ(kModel[kHalf - 1], '\n');
  const orthavion::RunState state = hardening::ExampleRun();
  TestDir dir;
  const std::string in = dir.write("modell.obj", kModel);
  const std::string out = dir.write("neu.obj", "alt\r\n");

  bool changed = false;
  std::int64_t counted = -1;
  std::vector<std::pair<std::int64_t, std::int64_t>> progress;
  orthavion::CommandView view;
  view.status = [&](const std::string& text) {
    if (!text.ends_with(" Datensätze, bitte warten")) return;
    counted = std::stoll(text);
    if (c.when == When::AfterCount) {
      c.change(in);
      changed = true;
    }
  };
  view.progress = [&](std::int64_t position, std::int64_t maximum) {
    progress.emplace_back(position, maximum);
    if (c.when == When::WhileTransforming && position > 0 && !changed) {
      c.change(in);
      changed = true;
    }
  };
  const std::string error =
      ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), in, out, view); });
  EXPECT_TRUE(changed);
  EXPECT_EQ(counted, 2 * kVertices) << "the count of the file as it was";
  EXPECT_EQ(error, c.error);
  EXPECT_EQ(ReadBytes(out), *c.error ? "alt\r\n" : TransformedUnchanged(state, c.remaining));
  const bool inputKept = fs::exists(in);
  const std::vector<std::string> names =
      inputKept ? std::vector<std::string>{"modell.obj", "neu.obj"} : std::vector<std::string>{"neu.obj"};
  EXPECT_EQ(Entries(dir.path()), names);
  if (inputKept) {
    EXPECT_EQ(ReadBytes(in), c.remaining);
  }
  for (const auto& [position, maximum] : progress) {
    EXPECT_EQ(maximum, 2 * kVertices);
    EXPECT_LE(position, maximum);
  }
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangedInputTest, ::testing::ValuesIn(kChanges),
                         testsupport::CaseName());

}  // namespace
