// Point files and point clouds carried into the target system: which lines
// are rewritten and how, line by line in a table, and the same bytes
// whatever the blocks and workers.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "carry/objtestsupport.h"
#include "carry/pointcloud.h"
#include "carry/pointfile.h"
#include "support/casename.h"
#include "support/errortext.h"
#include "support/random.h"
#include "support/testdir.h"

using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

enum class Kind { PointFile, PointCloud };

/// Carries `input` with the example state (R the identity, start centroid
/// (10, 20, 30), target centroid (1000010, 2000020, 30), scale 1), so each
/// coordinate moves by (1000000, 2000000, 0).
std::string Carry(Kind kind, const std::string& input,
                  const orthavion::PipelineShape& shape = orthavion::PipelineShape()) {
  TestDir dir;
  const orthavion::RunState state = objtest::ExampleState();
  const std::string in = dir.write("in.txt", input), out = dir.file("out.txt");
  if (kind == Kind::PointFile)
    orthavion::TransformPointFile(state.TransformationInForce(), in, out, {}, shape);
  else
    orthavion::TransformPointCloud(state.TransformationInForce(), in, out, {}, shape);
  return ReadBytes(out);
}

struct LineCase {
  const char* name;
  Kind kind;
  const char* in;
  const char* out;
};

const LineCase kLines[] = {
    {"PointRecord", Kind::PointFile, "101 0 12.5 -3 4", "101 0 1000012.500000 1999997.000000 4.000000"},
    {"PointRestKept", Kind::PointFile, "  P7   12 1 2 3   Mauer alt", "  P7   12 1000001.000000 2000002.000000 3.000000   Mauer alt"},
    {"PointCommaOfZ", Kind::PointFile, "A 0 1.5 2.5 3,25", "A 0 1000001,500000 2000002,500000 3,250000"},
    {"PointTabIsPartOfAField", Kind::PointFile, "A 0 1\t2 3 4", "A 0 1\t2 3 4"},
    {"PointTooFewFields", Kind::PointFile, "A 0 1 2", "A 0 1 2"},
    {"PointHeading", Kind::PointFile, "PNR NIV X Y Z", "PNR NIV X Y Z"},
    {"PointEmpty", Kind::PointFile, "", ""},
    {"CloudBlanks", Kind::PointCloud, "1 2 3 255 0 0", "1000001.000000 2000002.000000 3.000000 255 0 0"},
    {"CloudTabsAndLeadingBlanks", Kind::PointCloud, "  1\t2\t3\t0.5", "  1000001.000000\t2000002.000000\t3.000000\t0.5"},
    {"CloudCommas", Kind::PointCloud, "1.5,2,3,7", "1000001.500000,2000002.000000,3.000000,7"},
    {"CloudCommasAndBlanks", Kind::PointCloud, "1 , 2 ,3 ,x", "1000001.000000 , 2000002.000000 ,3.000000 ,x"},
    {"CloudSemicolonsWithDecimalCommas", Kind::PointCloud, "1,5;2;3,5;a,b", "1000001,500000;2000002,000000;3,500000;a,b"},
    {"CloudExponents", Kind::PointCloud, "-1e1 2E0 +3", "999990.000000 2000002.000000 3.000000"},
    {"CloudPointCount", Kind::PointCloud, "125000", "125000"},
    {"CloudTwoNumbers", Kind::PointCloud, "1 2", "1 2"},
    {"CloudHeader", Kind::PointCloud, "X,Y,Z,R,G,B", "X,Y,Z,R,G,B"},
    {"CloudDecimalCommaWithBlanks", Kind::PointCloud, "1,5 2,5 3,5", "1,5 2,5 3,5"},
    {"CloudComment", Kind::PointCloud, "# 1 2 3", "# 1 2 3"},
};

class PointLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(PointLineTest, IsRewrittenOrCopied) {
  EXPECT_EQ(Carry(GetParam().kind, std::string(GetParam().in) + "\n"),
            std::string(GetParam().out) + "\r\n");
}

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

INSTANTIATE_TEST_SUITE_P(Lines, PointLineTest, ::testing::ValuesIn(kLines), testsupport::CaseName());

TEST(PointTransformTest, TheBytesDoNotDependOnBlocksOrWorkers) {
  std::mt19937 gen(7);
  // X, Y and (a tenth as far) Z on a site of 10 km, drawn in that order.
  const auto site = [&gen] {
    std::array<double, 3> x{};
    for (double& c : x) c = testsupport::Uniform(gen, -5000.0, 5000.0);
    x[2] /= 10;
    return x;
  };
  std::string cloud = "// x y z r g b\n", points;
  char line[160];
  for (int i = 0; i < 3000; ++i) {
    const char* format = i % 3 == 0 ? "%.4f %.4f %.3f %d 0 9\n" : i % 3 == 1 ? "%.4f,%.4f,%.3f,%d\n"
                                                                            : "%.4f;%.4f;%.3f;%d\n";
    auto x = site();
    std::snprintf(line, sizeof line, format, x[0], x[1], x[2], i % 256);
    cloud += line;
    x = site();
    std::snprintf(line, sizeof line, "P%d 0 %.3f %.3f %.3f\n", i, x[0], x[1], x[2]);
    points += line;
  }
  cloud += std::string(5000, 'x') + " 1 2 long first field\n1 2 3";  // no final line end
  const std::string cloudOut = Carry(Kind::PointCloud, cloud);
  const std::string pointsOut = Carry(Kind::PointFile, points);
  for (const orthavion::PipelineShape shape :
       {orthavion::PipelineShape{.blockBytes = 1, .workers = 1},
        orthavion::PipelineShape{.blockBytes = 13, .workers = 3},
        orthavion::PipelineShape{.blockBytes = 4096, .workers = 2}}) {
    SCOPED_TRACE(shape.blockBytes);
    EXPECT_EQ(Carry(Kind::PointCloud, cloud, shape), cloudOut);
    EXPECT_EQ(Carry(Kind::PointFile, points, shape), pointsOut);
  }
  EXPECT_NE(cloudOut.find("\r\n1000001.000000 2000002.000000 3.000000\r\n"), std::string::npos);
}

TEST(PointTransformTest, AnOverflowInTheMiddleLeavesTheEarlierOutput) {
  TestDir dir;
  const orthavion::RunState state = objtest::ExampleState();
  std::string cloud;
  for (int i = 0; i < 5000; ++i) cloud += "1 2 3\n";
  cloud += "1 2 1e400\n1 2 3\n";
  const std::string in = dir.write("in.xyz", cloud), out = dir.write("out.xyz", "alt");
  EXPECT_EQ(testsupport::ErrorText([&] {
              orthavion::TransformPointCloud(state.TransformationInForce(), in, out, {},
                                             {.blockBytes = 64, .workers = 2});
            }),
            "Gleitkommaüberlauf");
  EXPECT_EQ(ReadBytes(out), "alt");
  EXPECT_EQ(testsupport::Entries(dir.path()), (std::vector<std::string>{"in.xyz", "out.xyz"}));
}

TEST(PointTransformTest, TheHeightsOfTheHorizontalModelAreShiftedOnly) {
  orthavion::RunState state = objtest::ExampleState(1000010.0, 2.0);
  state.transformation->rowScale = {2.0, 2.0, 1.0};  // (m, m, 1)
  TestDir dir;
  const std::string in = dir.write("in.txt", "A 0 11 21 35\n"), out = dir.file("out.txt");
  orthavion::TransformPointFile(state.TransformationInForce(), in, out, {});
  EXPECT_EQ(ReadBytes(out), "A 0 1000012.000000 2000022.000000 35.000000\r\n");
}

}  // namespace
