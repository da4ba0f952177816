// The PROJ strings of real runs, checked with PROJ's cct: for sites turned
// far (150° about Z, 120° about X), national-grid and geocentric
// coordinates and every model, the forward string carries the start
// coordinates of the control points and new points to the run's transformed
// coordinates within 1 µm, and the inverse string carries them back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "estimation/similarity.h"
#include "export/cct.h"
#include "export/projexport.h"
#include "statistics/adjustmentrun.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace {

using namespace testsupport;
using orthavion::Model;

struct SiteCase {
  const char* name;
  Similarity truth;
  Eigen::Vector3d origin;  ///< the start points lie around here
  double size;             ///< ... within this many metres
};

const SiteCase kSites[] = {
    {"Turned150AboutZIntoNationalGrid", {1.00002, 0.0, 0.0, 150.0, {4512345.678, 5623456.789, 312.3}},
     {1000.0, 2000.0, 100.0}, 600.0},
    {"Turned120AboutX", {0.99998, 120.0, 0.0, 0.0, {-250.0, 1300.0, 45.0}}, {500.0, -800.0, 50.0}, 400.0},
    {"TurnedAboutEveryAxis", {1.3, -35.0, 70.0, 120.0, {100.0, 200.0, 300.0}}, {0.0, 0.0, 0.0}, 300.0},
    // Geocentric coordinates near Kassel and a datum shift of a few arc seconds.
    {"Geocentric", {1 + 6.7e-6, 0.0004, 0.0001, -0.0068, {-598.1, -73.7, -418.2}},
     {4033000.0, 670000.0, 4880000.0}, 40000.0},
    // Both systems national grids: the start coordinates themselves are large.
    {"NationalGridToNationalGrid", {1.0, 0.0, 0.0, -3.0, {-290000.0, 180000.0, 0.5}},
     {3512000.0, 5621000.0, 250.0}, 2500.0},
};

struct ModelCase {
  SiteCase site;
  Model model;
};

std::vector<ModelCase> Cases() {
  std::vector<ModelCase> cases;
  for (const SiteCase& s : kSites)
    for (const Model m : {Model::Similarity7, Model::Rigid6, Model::Horizontal5}) cases.push_back({s, m});
  return cases;
}

void PrintTo(const ModelCase& c, std::ostream* os) {
  *os << c.site.name << "_" << orthavion::ModelName(c.model);
}

class ProjRunTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ProjRunTest, CctCarriesThePointsAsTheRunDoes) {
  if (!HaveCct()) GTEST_SKIP() << "cct (Debian's proj-bin) is not installed";
  const ModelCase& c = GetParam();
  TestDir dir;
  std::vector<Point> start = SitePoints(9, c.site.size, c.site.origin, false, 3);
  const std::vector<Point> target = Transformed(start, c.site.truth, 0.004, 4);
  start.push_back({"N1", c.site.origin + Eigen::Vector3d(0.3, -0.2, 0.05) * c.site.size});
  orthavion::RunState state;
  orthavion::AdjustmentOptions options;
  options.model = c.model;
  const orthavion::AdjustmentResult r =
      orthavion::AdjustmentRun(state, dir.write("s.txt", PointFileText(start, 4)),
                               dir.write("z.txt", PointFileText(target, 4)), options);

  std::vector<CctPoint> from, to;
  for (const auto& p : r.controlPoints) {
    from.push_back(p.start);
    to.push_back(p.transformed);
  }
  for (const auto& p : r.newPoints) {
    from.push_back(p.start);
    to.push_back(p.transformed);
  }
  ASSERT_EQ(from.size(), 10u);
  const orthavion::ProjStrings proj = orthavion::ProjStringsOf(r.transformation);
  EXPECT_EQ(proj.forward.rfind(c.model == Model::Horizontal5 ? "+proj=affine" : "+proj=helmert", 0), 0u);
  ExpectCctCarries(proj.forward, proj.inverse, from, to);
}

INSTANTIATE_TEST_SUITE_P(Sites, ProjRunTest, ::testing::ValuesIn(Cases()), PrintedName());

}  // namespace
