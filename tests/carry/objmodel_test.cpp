// Real models carried by a transformation from a real run: every line that
// is not a vertex line comes out unchanged, and every vertex agrees with the
// similarity computed independently in long double.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "base/fpcheck.h"
#include "estimation/run.h"
#include "estimation/similarity.h"
#include "carry/objtestsupport.h"

using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

const std::filesystem::path kModels = ORTHAVION_TEST_DATA "/models";

std::vector<std::string> Split(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
    lines.push_back(text.substr(from, at - from));
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

/// The three coordinates of a vertex line read with strtold, and what
/// follows them without the spaces before it.
struct Vertex {
  long double x[3];
  std::string rest;
};

Vertex ReadVertex(const std::string& line) {
  Vertex v;
  const char* p = line.c_str() + 1;  // after the "v"
  for (long double& c : v.x) {
    char* end;
    c = std::strtold(p, &end);
    EXPECT_NE(end, p) << line;
    p = end;
  }
  while (*p == ' ') ++p;
  v.rest = p;
  return v;
}

/// A state from a real run: the site of a model of about a metre carried
/// into a national grid with a turn about every axis and a scale off 1.
orthavion::RunState RealRun(const TestDir& dir) {
  const testsupport::Similarity truth{1.0000123, 1.5, -2.0, 35.0, {4512345.678, 5623456.789, 312.3}};
  const auto start = testsupport::SitePoints(8, 2.0, Eigen::Vector3d(0.1, -0.2, 0.3), false);
  const auto target = testsupport::Transformed(start, truth, 0.0005);
  orthavion::RunState state;
  orthavion::TransformationRun(state, dir.write("start.txt", testsupport::PointFileText(start, 6)),
                               dir.write("target.txt", testsupport::PointFileText(target, 6)));
  return state;
}

struct ModelCase {
  const char* file;
  bool shorten;
};

void PrintTo(const ModelCase& c, std::ostream* os) {
  *os << c.file << (c.shorten ? " shortened" : "");
}

class ObjModelTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ObjModelTest, CopiesEveryOtherLineAndCarriesEveryVertex) {
  const ModelCase& c = GetParam();
  ASSERT_TRUE(std::filesystem::exists(kModels / c.file)) << kModels / c.file;
  TestDir dir;
  const orthavion::RunState state = RealRun(dir);
  const orthavion::Transformation& t = state.TransformationInForce();
  ASSERT_GT(std::abs(t.R[0][1]), 0.5) << "a rotation, not the identity";
  std::filesystem::copy_file(kModels / c.file, dir.path() / c.file);
  orthavion::TransformObj(state.TransformationInForce(), dir.file(c.file), dir.file("out.obj"),
                          {.status = {}, .askShorten = [&] { return c.shorten; }, .progress = {}});

  const std::string input = ReadBytes(dir.path() / c.file);
  ASSERT_EQ(input.find('\r'), std::string::npos) << "the models have LF line ends";
  const std::vector<std::string> in = Split(input, "\n"),
                                 out = Split(ReadBytes(dir.file("out.obj")), "\r\n");
  ASSERT_EQ(out.size(), in.size());

  const long double startCentroid[3] = {t.startCentroid[0], t.startCentroid[1],
                                       t.startCentroid[2]};
  long double offset[3] = {t.targetCentroid[0], t.targetCentroid[1], t.targetCentroid[2]};
  if (c.shorten)
    for (int k = 0; k < 2; ++k) offset[k] -= 10000.0L * std::truncl(offset[k] / 10000.0L);
  int vertices = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i].rfind("v ", 0) != 0) {
      EXPECT_EQ(out[i], in[i]) << "line " << i + 1;
      continue;
    }
    ++vertices;
    const Vertex v = ReadVertex(in[i]), w = ReadVertex(out[i]);
    EXPECT_EQ(out[i].rfind("v ", 0), 0u);
    EXPECT_EQ(w.rest, v.rest) << "line " << i + 1;
    for (int r = 0; r < 3; ++r) {
      long double sum = 0.0L;
      for (int k = 0; k < 3; ++k) sum += t.R[r][k] * (v.x[k] - startCentroid[k]);
      EXPECT_NEAR(static_cast<double>(w.x[r]),
                  static_cast<double>(t.scale * sum + offset[r]), 1e-6)
          << "line " << i + 1 << ", coordinate " << r + 1;
    }
  }
  EXPECT_GT(vertices, 0);
}

INSTANTIATE_TEST_SUITE_P(Models, ObjModelTest,
                         ::testing::Values(ModelCase{"spot.obj", false},
                                           ModelCase{"spot.obj", true},
                                           ModelCase{"cube-vertex-w-component.obj", false},
                                           ModelCase{"cube-vertex-w-component.obj", true}));

}  // namespace
