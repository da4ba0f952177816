// The batch program's adjustment options: the protocol unchanged where no
// option changes the estimate, --help and --version, and the table of bad
// input with exit codes, messages and nothing written.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/batchrun.h"
#include "support/casename.h"
#include "support/testdir.h"

using testsupport::CopyExamples;
using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;

namespace {

const std::string kRun = "startsystem.txt zielsystem.txt ";

TEST(AdjustmentBatchTest, OptionsThatKeepTheEstimateKeepTheGoldenProtocol) {
  for (const char* options : {"--json r.json", "--sigma0 0.01 --json r.json", "--model similarity7"}) {
    TestDir dir;
    CopyExamples(dir.path());
    const testsupport::BatchResult r = RunBatch(dir, kRun + options);
    EXPECT_EQ(r.exitCode, 0) << options << r.err;
    EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")),
              ReadBytes(ORTHAVION_TEST_DATA "/golden/example-protocol.txt"))
        << options;
  }
}

TEST(AdjustmentBatchTest, HelpAndVersion) {
  TestDir dir;
  const testsupport::BatchResult help = RunBatch(dir, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM"));
  for (const char* option : {"--model", "--exclude", "--snooping", "--sigma0", "--statistics", "--json"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  const testsupport::BatchResult version = RunBatch(dir, "--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "orthavion-batch 1.0.0.1\n");
}

TEST(AdjustmentBatchTest, StatisticsSectionsAndTheModelLines) {
  TestDir dir;
  CopyExamples(dir.path());
  const testsupport::BatchResult r =
      RunBatch(dir, kRun + "--model rigid6 --exclude 105 --sigma0 0.01 --statistics");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* line :
       {"Modell: rigid6 (6 Parameter: 3 Translationen, 3 Rotationen, Maßstab fest 1)\n"
        "Ausgeschlossene Punkte: 105\n7 Parameter Helmerttransformation mit Quaternionen\n",
        "Maßstabsfaktor   1.000000 :      0.000 ppm\n", "Freiheitsgrad= 15 ",
        "\nKontrollpunkte (nicht in der Schätzung)\n", "\nGenauigkeit der Parameter\n",
        "\nKorrelationsmatrix\n", "Test: w-Test (Baarda, sigma0 a priori), Alpha = 0.001",
        "\nGenauigkeit der Neupunkte\n", "\nGlobaltest: "})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  EXPECT_EQ(r.out.find("\nm [ppm]"), std::string::npos);  // the scale is not estimated
}

struct BadCase {
  const char* name;
  const char* options;
  int exitCode;
  const char* message;  // the first line of standard error
};

const BadCase kBad[] = {
    {"unknown model", "--model other", 2, "Unbekanntes Modell: other (similarity7, rigid6 oder horizontal5)"},
    {"negative sigma0", "--sigma0 -1", 2, "Ungültiger Wert für --sigma0: -1 (eine positive Zahl in Metern)"},
    {"zero sigma0", "--sigma0 0", 2, "Ungültiger Wert für --sigma0: 0 (eine positive Zahl in Metern)"},
    {"text sigma0", "--sigma0 abc", 2, "Ungültiger Wert für --sigma0: abc (eine positive Zahl in Metern)"},
    {"infinite sigma0", "--sigma0 inf", 2, "Ungültiger Wert für --sigma0: inf (eine positive Zahl in Metern)"},
    {"missing value", "--json", 2, "Fehlender Wert für --json"},
    {"empty name", "--exclude 101,,102", 2, "Fehlender Wert für --exclude"},
    {"unknown point", "--exclude 101,999", 2, "Kein Passpunkt: 999 (--exclude)"},
    {"new point", "--exclude 2001", 2, "Kein Passpunkt: 2001 (--exclude)"},
    {"same point twice", "--exclude 101 --exclude 101", 2, "Punkt doppelt ausgeschlossen: 101 (--exclude)"},
    {"json into a missing folder", "--statistics --json missing/r.json", 1,
     "Datei \"%DIR%/missing/r.json\" kann nicht erstellt werden. Das System kann den angegebenen Pfad nicht finden"},
    {"too few used points", "--model horizontal5 --exclude 101,102,103,104,105,106 --json r.json", 1,
     "Ungültige Gleitkommaoperation"},
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class AdjustmentBadInputTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(AdjustmentBadInputTest, NamesTheProblemAndWritesNothing) {
  const BadCase& c = GetParam();
  TestDir dir;
  CopyExamples(dir.path());
  const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  const testsupport::BatchResult r = RunBatch(dir, kRun + c.options);
  EXPECT_EQ(r.exitCode, c.exitCode);
  std::string message = c.message;
  if (const std::size_t at = message.find("%DIR%"); at != std::string::npos)
    message.replace(at, 5, std::filesystem::canonical(dir.path()).string());
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), message);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before)
      << "no protocol, no JSON, no temporary file";
  if (c.exitCode == 2) {
    EXPECT_EQ(r.out, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Options, AdjustmentBadInputTest, ::testing::ValuesIn(kBad),
                         testsupport::CaseName());

}  // namespace
