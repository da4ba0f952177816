// The transformation taken elsewhere by the batch program: --export-proj,
// --points and --xyz after a run, and a saved result applied again with
// --apply, byte for byte what the run itself carries.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/batchrun.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;
namespace fs = std::filesystem;

const char* const kModels[] = {"similarity7", "rigid6", "horizontal5"};

const std::string kModel =
    "# Gel\xE4nde\nv 1250.004 2250.777 125.660 0.5\nv 1012,345 2034,567 101,234\nvn 0 0 1\n"
    "f 1//1 2//1 1//1\n";

/// A folder with the examples, a model and a point cloud.
struct Survey {
  TestDir dir;
  Survey() {
    testsupport::CopyExamples(dir.path());
    dir.write("model.obj", kModel);
  }
  nlohmann::json Result(const std::string& name = "r.json") const {
    return nlohmann::json::parse(ReadBytes(dir.file(name)));
  }
};

/// Splits `text` at CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t crlf; (crlf = text.find("\r\n", at)) != std::string::npos; at = crlf + 2)
    lines.push_back(text.substr(at, crlf - at));
  EXPECT_EQ(at, text.size()) << "every line ends with CR LF";
  return lines;
}

/// The transformation of a result applied to `x` in long double.
std::array<double, 3> Carried(const nlohmann::json& r, const std::array<double, 3>& x) {
  std::array<double, 3> y;
  for (int i = 0; i < 3; ++i) {
    long double s = 0;
    for (int j = 0; j < 3; ++j)
      s += static_cast<long double>(r["rotation_matrix"][i][j].get<double>()) *
           (x[j] - r["start_centroid_m"][j].get<double>());
    y[i] = static_cast<double>(s * r["row_scale"][i].get<double>() +
                               r["target_centroid_m"][i].get<double>());
  }
  return y;
}

class ApplyModelTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ApplyModelTest, ASavedResultCarriesTheModelAsTheRunDid) {
  const std::string model = GetParam();
  for (const bool shorten : {false, true}) {
    SCOPED_TRACE(shorten ? "shortened" : "not shortened");
    Survey s;
    const std::string flag = shorten ? " --shorten" : "";
    const auto run = RunBatch(s.dir, "startsystem.txt zielsystem.txt --model " + model +
                                         " --json r.json --obj model.obj run.obj" + flag);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto applied = RunBatch(s.dir, "--apply r.json --obj model.obj applied.obj" + flag);
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_EQ(applied.out, "");
    EXPECT_EQ(ReadBytes(s.dir.file("applied.obj")), ReadBytes(s.dir.file("run.obj")));
  }
}

TEST_P(ApplyModelTest, PointFilesCarryTheResultsPoints) {
  Survey s;
  const std::string model = GetParam();
  const auto run = RunBatch(s.dir, "startsystem.txt zielsystem.txt --model " + model +
                                       " --json r.json --points startsystem.txt run.txt");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json r = s.Result();
  // Every start point, control point or new point, as the result has it.
  std::vector<std::string> expected;
  for (const char* list : {"control_points", "new_points"})
    for (const auto& p : r[list]) {
      char line[200];
      std::snprintf(line, sizeof line, "%s 0 %.6f %.6f %.6f", p["id"].get<std::string>().c_str(),
                    p["transformed_m"][0].get<double>(), p["transformed_m"][1].get<double>(),
                    p["transformed_m"][2].get<double>());
      expected.push_back(line);
    }
  std::vector<std::string> lines = Lines(ReadBytes(s.dir.file("run.txt")));
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);

  const auto applied = RunBatch(s.dir, "--apply r.json --points startsystem.txt applied.txt");
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_EQ(ReadBytes(s.dir.file("applied.txt")), ReadBytes(s.dir.file("run.txt")));
}

TEST_P(ApplyModelTest, ThePrjStringIsTheResultsForwardString) {
  Survey s;
  const auto run = RunBatch(s.dir, std::string("startsystem.txt zielsystem.txt --model ") +
                                       GetParam() + " --json r.json --export-proj helmert.txt");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(s.dir.file("helmert.txt")), s.Result()["proj"]["forward"].get<std::string>() + "\n");
}

INSTANTIATE_TEST_SUITE_P(Models, ApplyModelTest, ::testing::ValuesIn(kModels));

TEST(ApplyCloudTest, CloudsKeepEveryOtherFieldAndTheirDelimiters) {
  Survey s;
  ASSERT_EQ(RunBatch(s.dir, "startsystem.txt zielsystem.txt --json r.json").exitCode, 0);
  const nlohmann::json r = s.Result();
  struct Row {
    std::string in;
    std::array<double, 3> x;
    std::string before, between1, between2, after;  // the bytes kept around X, Y, Z
    char separator = '.';                            // of the numbers written
  };
  const std::vector<Row> rows = {
      {"1012.345 2034.567 101.234 255 128 0", {1012.345, 2034.567, 101.234}, "", " ", " ",
       " 255 128 0"},
      {"\t1534.12\t2011.87\t98.456\t0.75", {1534.12, 2011.87, 98.456}, "\t", "\t", "\t", "\t0.75"},
      {"1498.776,2520.114,104.87,12,34,56", {1498.776, 2520.114, 104.87}, "", ",", ",", ",12,34,56"},
      {"1000, 2000.5 , 100,intensity", {1000, 2000.5, 100}, "", ", ", " , ", ",intensity"},
      {"1000,5;2000;100,25;x", {1000.5, 2000, 100.25}, "", ";", ";", ";x", ','},
      {"-1e3 2.5E2 +0.5", {-1000, 250, 0.5}, "", " ", " ", ""},
  };
  const std::vector<std::string> copied = {
      "// X Y Z R G B", "6", "", "X,Y,Z", "1 2", "1 2 three 4", "1,5 2,5 3,5"};
  std::string cloud;
  for (const Row& row : rows) cloud += row.in + "\n";
  for (const std::string& line : copied) cloud += line + "\r\n";
  s.dir.write("scan.xyz", cloud);

  const auto applied = RunBatch(s.dir, "--apply r.json --xyz scan.xyz ziel.xyz");
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_NE(applied.err.find("Punktwolke transformiert: 6 Punkte, 13 Datensätze"), std::string::npos)
      << applied.err;
  const std::vector<std::string> out = Lines(ReadBytes(s.dir.file("ziel.xyz")));
  ASSERT_EQ(out.size(), rows.size() + copied.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.in);
    const std::array<double, 3> y = Carried(r, row.x);
    std::string expected = row.before;
    const std::string* gaps[] = {&row.between1, &row.between2, &row.after};
    for (int c = 0; c < 3; ++c) {
      char number[64];
      std::snprintf(number, sizeof number, "%.6f", y[c]);
      std::string text = number;
      if (row.separator == ',') std::replace(text.begin(), text.end(), '.', ',');
      expected += text + *gaps[c];
    }
    EXPECT_EQ(out[i], expected);
  }
  for (std::size_t i = 0; i < copied.size(); ++i) EXPECT_EQ(out[rows.size() + i], copied[i]);
}

struct UsageCase {
  const char* name;
  const char* args;
};

const UsageCase kUsage[] = {
    {"NothingToCarry", "--apply r.json"},
    {"TwoThingsToCarry", "--apply r.json --obj model.obj a.obj --points startsystem.txt a.txt"},
    {"ARunAsWell", "startsystem.txt zielsystem.txt --apply r.json --obj model.obj a.obj"},
    {"AnAdjustmentOption", "--apply r.json --model rigid6 --obj model.obj a.obj"},
    {"NoResultFile", "--obj model.obj a.obj --apply"},
    {"PointsTwice", "startsystem.txt zielsystem.txt --points a b --points c d"},
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class ApplyUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ApplyUsageTest, IsAUsageErrorThatWritesNothing) {
  Survey s;
  s.dir.write("r.json", "{}");
  const auto before = testsupport::Entries(s.dir.path());
  const auto r = RunBatch(s.dir, GetParam().args);
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_NE(r.err.find("Aufruf: orthavion-batch"), std::string::npos);
  EXPECT_EQ(testsupport::Entries(s.dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ApplyUsageTest, ::testing::ValuesIn(kUsage),
                         testsupport::CaseName());

TEST(ApplyFailureTest, AHostileResultOrAnOutputThatIsTheInputWritesNothing) {
  Survey s;
  ASSERT_EQ(RunBatch(s.dir, "startsystem.txt zielsystem.txt --json r.json").exitCode, 0);
  std::string text = ReadBytes(s.dir.file("r.json"));
  text.replace(text.find("\"rotation_matrix\""), 17, "\"rotation_matrik\"");
  s.dir.write("broken.json", text);
  s.dir.write("old.obj", "earlier");
  auto r = RunBatch(s.dir, "--apply broken.json --obj model.obj old.obj");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Ergebnisdatei ungültig: Schlüssel \"rotation_matrix\" fehlt\n");
  EXPECT_EQ(ReadBytes(s.dir.file("old.obj")), "earlier");

  r = RunBatch(s.dir, "--apply missing.json --xyz model.obj x.xyz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Datei nicht gefunden\n");
  EXPECT_FALSE(fs::exists(s.dir.file("x.xyz")));

  const std::string cloud = ReadBytes(s.dir.file("startsystem.txt"));
  r = RunBatch(s.dir, "--apply r.json --xyz startsystem.txt ./startsystem.txt");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Dateizugriff verweigert"), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(s.dir.file("startsystem.txt")), cloud);
}

}  // namespace
