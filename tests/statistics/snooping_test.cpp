// Data snooping on a planted gross error, exclusion as check points, and
// the run without options equal to the plain run.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "estimation/run.h"
#include "estimation/similarity.h"
#include "protocol/protocolfile.h"
#include "statistics/adjustmentrun.h"
#include "support/random.h"
#include "support/testdir.h"

using namespace orthavion;
using namespace testsupport;

namespace {

// Twelve control points with 5 mm of normal noise (fixed seed) and a 6 cm
// error on the X of P7, and one new point.
struct PlantedCase {
  TestDir dir;
  std::string start, target;
  PlantedCase() {
    const Similarity truth{1.0000123, 0.01, -0.02, 2.5, {4512345.678, 5623456.789, 312.3}};
    auto pts = SitePoints(12, 800.0, {1000.0, 2000.0, 100.0}, false, 11);
    std::vector<Point> target;
    std::mt19937 gen(42);
    for (const Point& p : pts) {
      Eigen::Vector3d y = truth.Apply(p.x);
      for (int c = 0; c < 3; ++c) y[c] += Normal(gen, 0.0, 0.005);
      if (p.nr == "P7") y.x() += 0.06;
      target.push_back({p.nr, y});
    }
    pts.push_back({"N1", {1100.0, 2100.0, 105.0}});
    start = dir.write("s.txt", PointFileText(pts));
    this->target = dir.write("z.txt", PointFileText(target));
  }
};

// The used point with the largest |test value|.
std::string Worst(const AdjustmentResult& r) {
  std::string id;
  double largest = -1.0;
  for (const ControlPointResult& p : r.controlPoints)
    for (const auto& w : p.testValue)
      if (p.used && w && std::fabs(*w) > largest) {
        largest = std::fabs(*w);
        id = p.id;
      }
  return id;
}

TEST(SnoopingTest, ThePlantedErrorHasTheLargestTestValueAndIsTheOnlyPointExcluded) {
  for (const std::optional<double> sigma0 : {std::optional<double>(), std::optional<double>(0.005)}) {
    PlantedCase c;
    RunState state;
    AdjustmentOptions options;
    options.sigma0 = sigma0;
    const AdjustmentResult plain = AdjustmentRun(state, c.start, c.target, options);
    EXPECT_EQ(Worst(plain), "P7");

    options.snooping = true;
    const AdjustmentResult snooped = AdjustmentRun(state, c.start, c.target, options);
    ASSERT_EQ(snooped.snooping.size(), 1u) << (sigma0 ? "w" : "tau");
    EXPECT_EQ(snooped.snooping[0].id, "P7");
    EXPECT_LT(snooped.snooping[0].testValue, -snooped.criticalValue);  // v = transformed − target
    for (const ControlPointResult& p : snooped.controlPoints) {
      EXPECT_EQ(p.used, p.id != "P7") << p.id;
      EXPECT_FALSE(p.flagged) << p.id;
    }
    // The check point's residual shows the planted error.
    EXPECT_NEAR(snooped.controlPoints[6].residual[0], -0.06, 0.015);
    EXPECT_EQ(snooped.degreesOfFreedom, 3 * 11 - 7);
  }
}

TEST(SnoopingTest, SnoopingEqualsExcludingItsPoints) {
  PlantedCase c;
  RunState a, b;
  AdjustmentOptions snoop, exclude;
  snoop.snooping = true;
  exclude.exclude = {"P7"};
  const AdjustmentResult rs = AdjustmentRun(a, c.start, c.target, snoop);
  const AdjustmentResult re = AdjustmentRun(b, c.start, c.target, exclude);
  // The same estimate, bit for bit: each estimate starts from the points as read.
  EXPECT_EQ(rs.transformation.Translation(), re.transformation.Translation());
  EXPECT_EQ(rs.transformation.R, re.transformation.R);
  EXPECT_EQ(rs.transformation.scale, re.transformation.scale);
  ASSERT_EQ(a.protocol.Count() , b.protocol.Count() + 3);  // the snooping block
  EXPECT_EQ(a.protocol.Line(a.protocol.Count() - 1).substr(0, 5), "1. P7");
}

TEST(ExclusionTest, AnExcludedPointIsACheckPointAndNoNewPoint) {
  PlantedCase c;
  RunState state;
  AdjustmentOptions options;
  options.exclude = {"P7", "P3"};
  const AdjustmentResult r = AdjustmentRun(state, c.start, c.target, options);
  ASSERT_EQ(r.newPoints.size(), 1u);
  EXPECT_EQ(r.newPoints[0].id, "N1");
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < state.protocol.Count(); ++i) lines.emplace_back(state.protocol.Line(i));
  const auto at = [&](std::string_view prefix) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].starts_with(prefix)) return static_cast<int>(i);
    return -1;
  };
  EXPECT_EQ(lines[at("Modell: ")], "Modell: similarity7 (7 Parameter: 3 Translationen, 3 Rotationen, Maßstab)");
  EXPECT_EQ(lines[at("Ausgeschlossene")], "Ausgeschlossene Punkte: P7, P3");
  EXPECT_EQ(at("Ausgeschlossene") + 1, at("7 Parameter Helmerttransformation"));
  EXPECT_NE(lines[at("[vv]")].find("Freiheitsgrad= 23 "), std::string::npos);  // 3·10 − 7
  // Listed once, among the check points, with its residual.
  const int check = at("Kontrollpunkte");
  ASSERT_GT(check, at("Transformierte Neupunkte"));
  EXPECT_TRUE(lines[check + 2].starts_with("P3 ")) << lines[check + 2];
  EXPECT_TRUE(lines[check + 3].starts_with("P7 ")) << lines[check + 3];
  EXPECT_EQ(static_cast<int>(lines.size()), check + 4);
  // The centroid is that of the ten used points.
  Eigen::Vector3d centroid = Eigen::Vector3d::Zero();
  for (const ControlPointResult& p : r.controlPoints)
    if (p.used) centroid += Eigen::Vector3d(p.start[0], p.start[1], p.start[2]);
  centroid /= 10;
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.transformation.startCentroid[k], centroid[k], 1e-9);
}

TEST(ExclusionTest, NamesThatAreNoControlPointsOrComeTwiceAreOptionErrors) {
  PlantedCase c;
  const struct {
    std::vector<std::string> exclude;
    const char* text;
  } cases[] = {
      {{"P99"}, "Kein Passpunkt: P99 (--exclude)"},
      {{"N1"}, "Kein Passpunkt: N1 (--exclude)"},  // a new point
      {{"P1", "P2", "P1"}, "Punkt doppelt ausgeschlossen: P1 (--exclude)"},
  };
  for (const auto& k : cases) {
    RunState state;
    AdjustmentOptions options;
    options.exclude = k.exclude;
    try {
      AdjustmentRun(state, c.start, c.target, options);
      ADD_FAILURE() << k.text;
    } catch (const OptionError& e) {
      EXPECT_STREQ(e.what(), k.text);
    }
  }
}

TEST(ExclusionTest, FewerThanThreeUsedPointsIsTheRunsError) {
  PlantedCase c;
  std::vector<std::string> nine;
  for (int i = 1; i <= 10; ++i) nine.push_back("P" + std::to_string(i));
  for (const Model model : {Model::Similarity7, Model::Rigid6, Model::Horizontal5}) {
    RunState state;
    AdjustmentOptions options;
    options.model = model;
    options.exclude = nine;
    try {
      AdjustmentRun(state, c.start, c.target, options);
      ADD_FAILURE() << ModelName(model);
    } catch (const OptionError&) {
      ADD_FAILURE() << ModelName(model);
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Ungültige Gleitkommaoperation") << ModelName(model);
    }
  }
}

TEST(PlainEquivalenceTest, WithoutOptionsTheProtocolIsThePlainRuns) {
  for (const char* suffix : {"", "-komma"}) {
    const std::string examples = ORTHAVION_SOURCE_DIR "/examples/";
    const std::string start = examples + "startsystem" + suffix + ".txt";
    const std::string target = examples + "zielsystem" + suffix + ".txt";
    TestDir dir;  // the runs save no protocol file: the copy keeps the examples' folder clean
    RunState plain, adjusted;
    const std::string startCopy = dir.write("startsystem.txt", ReadBytes(start));
    const std::string targetCopy = dir.write("zielsystem.txt", ReadBytes(target));
    TransformationRun(plain, startCopy, targetCopy);
    AdjustmentOptions options;
    options.sigma0 = 0.01;  // changes nothing in the protocol without statistics
    AdjustmentRun(adjusted, startCopy, targetCopy, options);
    ASSERT_EQ(plain.protocol.Count(), adjusted.protocol.Count());
    for (std::size_t i = 0; i < plain.protocol.Count(); ++i) {
      EXPECT_EQ(plain.protocol.Line(i), adjusted.protocol.Line(i));
      EXPECT_EQ(plain.protocol.Highlighted(i), adjusted.protocol.Highlighted(i));
    }
    const Transformation& p = plain.TransformationInForce();
    const Transformation& a = adjusted.TransformationInForce();
    EXPECT_EQ(p.R, a.R);
    EXPECT_EQ(p.scale, a.scale);
    EXPECT_EQ(p.rowScale, a.rowScale);
    EXPECT_EQ(p.startCentroid, a.startCentroid);
    EXPECT_EQ(p.targetCentroid, a.targetCentroid);
  }
}

}  // namespace
