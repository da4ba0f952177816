// An adjusted run with its files, as both programs run it: the protocol
// file beside the start file as the adjustment left the protocol, each
// requested output with the bytes of that run's result and nothing else,
// the time of the run, the window's event hook, and nothing written on an
// error.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "export/projexport.h"
#include "protocol/protocolfile.h"
#include "report/htmlreport.h"
#include "result/resultjson.h"
#include "run/adjustedrun.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace orthavion {
namespace {

using testsupport::ReadBytes;
using testsupport::TestDir;

/// The bytes an output file holds.
std::string Content(const OutputFile& file) {
  std::string bytes;
  file.content([&bytes](std::string_view piece) { bytes.append(piece); });
  return bytes;
}

AdjustmentOptions Options() {
  AdjustmentOptions options;
  options.model = Model::Rigid6;
  options.exclude = {"105"};
  options.statistics = true;
  return options;
}

struct OutputsCase {
  const char* name;
  bool json, report, proj;
};

const OutputsCase kCases[] = {
    {"protocol only", false, false, false}, {"json", true, false, false},
    {"report", false, true, false},         {"proj", false, false, true},
    {"every output", true, true, true},
};

class AdjustedRunTest : public ::testing::TestWithParam<OutputsCase> {};

TEST_P(AdjustedRunTest, SavesTheProtocolAndTheRequestedOutputsOfTheRun) {
  const OutputsCase& c = GetParam();
  TestDir dir;
  testsupport::CopyExamples(dir.path());
  const std::vector<std::string> examples = testsupport::Entries(dir.path());
  const std::string start = dir.file("startsystem.txt"), target = dir.file("zielsystem.txt");
  RunOutputs outputs;
  if (c.json) outputs.json = dir.file("r.json");
  if (c.report) outputs.report = dir.file("r.html");
  if (c.proj) outputs.proj = dir.file("proj.txt");

  RunState state;
  int events = 0;
  const std::time_t before = std::time(nullptr);
  const AdjustedRun run =
      RunAdjustment(state, start, target, Options(), outputs, [&events] { ++events; });
  const std::time_t after = std::time(nullptr);

  // The same adjustment on its own, its protocol saved elsewhere.
  TestDir other;
  RunState reference;
  const AdjustmentResult result = AdjustmentRun(reference, start, target, Options());
  SaveProtocol(reference.protocol, other.file("Trafoprotokoll.txt"));

  EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")), ReadBytes(other.file("Trafoprotokoll.txt")));
  EXPECT_EQ(Content(ResultJsonFile(run.result, "")), Content(ResultJsonFile(result, "")));
  std::vector<std::string> written = examples;
  written.push_back("Trafoprotokoll.txt");
  if (c.json) {
    EXPECT_EQ(ReadBytes(*outputs.json), Content(ResultJsonFile(result, "")));
    written.push_back("r.json");
  }
  if (c.report) {
    EXPECT_EQ(ReadBytes(*outputs.report), HtmlReport(result, run.runTime));
    written.push_back("r.html");
  }
  if (c.proj) {
    EXPECT_EQ(ReadBytes(*outputs.proj), Content(ProjStringFile(result, "")));
    written.push_back("proj.txt");
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(testsupport::Entries(dir.path()), written) << "nothing else, no temporary file";
  EXPECT_TRUE(run.runTime == RunTimeText(before) || run.runTime == RunTimeText(after))
      << run.runTime;
  EXPECT_GT(events, 0) << "the window's events run while the target file is read";
}

INSTANTIATE_TEST_SUITE_P(Outputs, AdjustedRunTest, ::testing::ValuesIn(kCases),
                         testsupport::CaseName());

TEST(AdjustedRunFailureTest, AnErrorWritesNothingAndKeepsAnEarlierProtocol) {
  struct Case {
    const char* name;
    std::vector<std::string> exclude;
    const char* report;  // relative to the folder
  };
  const Case cases[] = {
      {"a report into a missing folder", {}, "fehlt/r.html"},
      {"a point to exclude that is no control point", {"999"}, "r.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDir dir;
    testsupport::CopyExamples(dir.path());
    dir.write("Trafoprotokoll.txt", "earlier");
    const std::vector<std::string> before = testsupport::Entries(dir.path());
    AdjustmentOptions options;
    options.exclude = c.exclude;
    RunOutputs outputs;
    outputs.json = dir.file("r.json");
    outputs.report = dir.file(c.report);
    RunState state;
    EXPECT_THROW(RunAdjustment(state, dir.file("startsystem.txt"), dir.file("zielsystem.txt"),
                               options, outputs),
                 Error);
    EXPECT_EQ(testsupport::Entries(dir.path()), before);
    EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")), "earlier");
  }
}

}  // namespace
}  // namespace orthavion
