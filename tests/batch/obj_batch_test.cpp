// The batch program with --obj: the run, then the model carried with the
// same code as the window's command; no model after a failed run; usage.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "estimation/run.h"
#include "carry/obj.h"
#include "support/batchrun.h"
#include "support/testdir.h"

using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

const std::string kModel =
    "# Gel\xE4nde\nmtllib m.mtl\nv 1250.004 2250.777 125.660 0.5\nv 1012,345 2034,567 101,234\n"
    "vn 0 0 1\nf 1//1 2//1 1//1\n";

void CopyExamplesAndModel(const TestDir& dir) {
  testsupport::CopyExamples(dir.path());
  dir.write("model.obj", kModel);
}

class ObjBatchTest : public ::testing::TestWithParam<bool> {};

TEST_P(ObjBatchTest, WritesTheModelAsTheCommandDoes) {
  const bool shorten = GetParam();
  TestDir dir;
  CopyExamplesAndModel(dir);
  const testsupport::BatchResult plain = RunBatch(dir, "startsystem.txt zielsystem.txt");
  const testsupport::BatchResult r = RunBatch(dir, std::string("startsystem.txt zielsystem.txt --obj model.obj out.obj") +
                                     (shorten ? " --shorten" : ""));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, plain.out) << "the protocol as without --obj";
  EXPECT_EQ(r.err, std::string("Dateigröße ermitteln\n"
                               "6 Datensätze, bitte warten\n"
                               "Koordinaten kürzen? ") +
                       (shorten ? "Ja" : "Nein") +
                       "\nOBJ-Datei transformiert: 2 Eckpunkte, 6 Datensätze\n");

  orthavion::RunState state;
  orthavion::TransformationRun(state, dir.file("startsystem.txt"), dir.file("zielsystem.txt"));
  orthavion::TransformObj(state.TransformationInForce(), dir.file("model.obj"), dir.file("expected.obj"),
                          {.status = {}, .askShorten = [=] { return shorten; }, .progress = {}});
  const std::string expected = ReadBytes(dir.file("expected.obj"));
  EXPECT_EQ(ReadBytes(dir.file("out.obj")), expected);
  EXPECT_NE(expected.find(shorten ? "\r\nv    3496.30" : "\r\nv 4513496.30"), std::string::npos)
      << "point 105 near its target coordinates";
}

INSTANTIATE_TEST_SUITE_P(Shortening, ObjBatchTest, ::testing::Bool());

TEST(ObjBatchTest, AFailedRunWritesNoModel) {
  TestDir dir;
  CopyExamplesAndModel(dir);
  const testsupport::BatchResult r = RunBatch(dir, "startsystem.txt missing.txt --obj model.obj out.obj");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Datei nicht gefunden\n");
  EXPECT_FALSE(fs::exists(dir.file("out.obj")));
}

TEST(ObjBatchTest, AFailedModelEndsWithItsError) {
  TestDir dir;
  CopyExamplesAndModel(dir);
  const testsupport::BatchResult r =
      RunBatch(dir, "startsystem.txt zielsystem.txt --obj model.obj nowhere/out.obj");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1), "Ungültiger Dateiname\n");
  EXPECT_EQ(ReadBytes(dir.file("model.obj")), kModel);
  EXPECT_TRUE(fs::exists(dir.file("Trafoprotokoll.txt"))) << "the run itself succeeded";
}

TEST(ObjBatchTest, AModelWrittenOverItselfRefusesTheWholeCall) {
  TestDir dir;
  CopyExamplesAndModel(dir);
  const testsupport::BatchResult r = RunBatch(dir, "startsystem.txt zielsystem.txt --obj model.obj model.obj");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Dateizugriff verweigert: model.obj\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(ReadBytes(dir.file("model.obj")), kModel);
  EXPECT_FALSE(fs::exists(dir.file("Trafoprotokoll.txt"))) << "nothing is written";
}

TEST(ObjBatchTest, AUsageErrorExitsWithTwoBeforeAnyRun) {
  TestDir dir;
  CopyExamplesAndModel(dir);
  for (const char* args :
       {"a b --obj", "a b --obj x", "a b --shorten", "a --obj x y", "a b c --obj x y",
        "a b --obj x y --obj x y"}) {
    const testsupport::BatchResult r = RunBatch(dir, args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_NE(r.err.find("Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM [--obj"),
              std::string::npos)
        << args;
  }
  EXPECT_FALSE(fs::exists(dir.file("Trafoprotokoll.txt")));
}

}  // namespace
