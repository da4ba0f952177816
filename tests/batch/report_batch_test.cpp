// orthavion-batch --report: the report written beside the other outputs
// and the same bytes as the report of the result (but for the time of the
// run), nothing written on any error, an earlier report kept, and the
// option in the usage text.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/batchrun.h"
#include "support/testdir.h"

using testsupport::CopyExamples;
using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;

namespace {

const std::string kRun = "startsystem.txt zielsystem.txt ";

TEST(ReportBatchTest, TheReportIsWrittenWithTheOtherOutputs) {
  TestDir dir;
  CopyExamples(dir.path());
  const testsupport::BatchResult r =
      RunBatch(dir, kRun + "--exclude 105 --json r.json --report r.html");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string html = ReadBytes(dir.file("r.html"));
  EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n"));
  EXPECT_NE(html.find("<tr><th>Berechnet am</th><td>"), std::string::npos);
  EXPECT_NE(html.find("<tr><th>Startsystem</th><td>startsystem.txt</td></tr>"), std::string::npos);
  EXPECT_NE(html.find("data-point=\"105\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.file("r.json")));
  // --report alone does not change the plain run's protocol.
  TestDir plain;
  CopyExamples(plain.path());
  ASSERT_EQ(RunBatch(plain, kRun + "--report r.html").exitCode, 0);
  EXPECT_EQ(ReadBytes(plain.file("Trafoprotokoll.txt")),
            ReadBytes(ORTHAVION_TEST_DATA "/golden/example-protocol.txt"));
}

TEST(ReportBatchTest, AnErrorWritesNoReportAndKeepsAnEarlierOne) {
  struct Case {
    const char* name;
    const char* args;
    int exitCode;
  };
  const Case cases[] = {
      {"run fails: target missing", "startsystem.txt fehlt.txt --report r.html", 1},
      {"report into a missing folder", "startsystem.txt zielsystem.txt --report fehlt/r.html", 1},
      {"json into a missing folder", "startsystem.txt zielsystem.txt --json fehlt/r.json --report r.html", 1},
      {"bad option", "startsystem.txt zielsystem.txt --exclude 999 --report r.html", 2},
      {"missing value", "startsystem.txt zielsystem.txt --report", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDir dir;
    CopyExamples(dir.path());
    dir.write("r.html", "earlier");
    const testsupport::BatchResult r = RunBatch(dir, c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(ReadBytes(dir.file("r.html")), "earlier");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Trafoprotokoll.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("fehlt")));
    // No temporary file left behind.
    EXPECT_EQ(testsupport::Entries(dir.path()).size(), 5u);
  }
}

TEST(ReportBatchTest, TheUsageNamesTheOption) {
  TestDir dir;
  const testsupport::BatchResult help = RunBatch(dir, "--help");
  EXPECT_NE(help.out.find("[--report DATEI]"), std::string::npos);
  EXPECT_NE(help.out.find("  --report DATEI.html "), std::string::npos);
  EXPECT_EQ(RunBatch(dir, "a b --report").err.rfind("Fehlender Wert für --report\n", 0), 0u);
}

}  // namespace
