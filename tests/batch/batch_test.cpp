// The batch program on the shipped examples: the protocol file byte for byte
// against golden files (Windows-1252, CR LF), standard output in UTF-8, and
// the exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/batchrun.h"
#include "support/casename.h"
#include "support/testdir.h"
#include "text/codepage.h"

using testsupport::CopyExamples;
using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;

namespace {

/// The golden protocol as the batch program prints it: UTF-8, LF.
std::string AsPrinted(const std::string& ansi) {
  std::string text = orthavion::DecodeAnsi(ansi), out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

struct ExampleCase {
  const char* name;
  const char* start;
  const char* target;
  const char* golden;
};

void PrintTo(const ExampleCase& c, std::ostream* os) { *os << c.name; }

class BatchExampleTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(BatchExampleTest, WritesTheGoldenProtocol) {
  const ExampleCase& c = GetParam();
  TestDir dir;
  CopyExamples(dir.path());
  const testsupport::BatchResult r = RunBatch(dir, std::string(c.start) + " " + c.target);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string golden = ReadBytes(std::string(ORTHAVION_TEST_DATA "/golden/") + c.golden);
  EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")), golden);
  EXPECT_EQ(r.out, AsPrinted(golden));
  EXPECT_NE(golden.find("Ma\xDF" "stabsfaktor"), std::string::npos) << "ß is one byte, 0xDF";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BatchExampleTest,
    ::testing::Values(ExampleCase{"DecimalPoint", "startsystem.txt", "zielsystem.txt",
                                  "example-protocol.txt"},
                      ExampleCase{"DecimalComma", "startsystem-komma.txt", "zielsystem-komma.txt",
                                  "example-komma-protocol.txt"}),
    testsupport::CaseName());

TEST(BatchTest, AFailedRunPrintsWhatItWroteAndTheErrorAndExitsWithOne) {
  TestDir dir;
  dir.write("s.txt", "A 0 1 2 3\n");
  const testsupport::BatchResult r = RunBatch(dir, "s.txt missing.txt");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Datei nicht gefunden\n");
  EXPECT_EQ(r.out,
            "Startsystem: s.txt\n"
            "Punktnummer            X            Y            Z\n"
            "A                  0        1.000        2.000        3.000\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("Trafoprotokoll.txt")));
}

TEST(BatchTest, AUsageErrorExitsWithTwo) {
  TestDir dir;
  for (const char* args : {"", "one", "one two three"}) {
    const testsupport::BatchResult r = RunBatch(dir, args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_NE(r.err.find("Aufruf: orthavion-batch"), std::string::npos) << args;
  }
}

}  // namespace
