// The residual plot, read back with Python's XML parser (svgsummary.py): one
// element per point with its number, red exactly for the flagged points,
// vectors and bars that match the scale written on the plot, a scale bar
// that matches the plan, and well-formed output for degenerate and hostile
// inputs. Skipped with a message when python3 is missing.
#include "report/pythonreader.h"
#include "report/residualplot.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/texts.h"
#include "report/reporttexts.h"
#include "support/testdir.h"

namespace {

using orthavion::PlotInput;
using orthavion::PlotPoint;
using orthavion::PlotPointKind;
using orthavion::ResidualPlotSvg;
namespace texts = orthavion::texts;

constexpr PlotPointKind kUsed = PlotPointKind::Used, kCheck = PlotPointKind::Check,
                        kNew = PlotPointKind::New;

/// One point's element as the parser reads it.
struct PointSeen {
  std::string id, cls, label;
  bool red = false;
  std::string x, y;                    // where the symbol stands, as written
  std::optional<double> dx, dy, vz;    // page units, vz positive up
};

struct PlotSeen {
  std::string parseError;  // empty when the document is well-formed
  std::vector<PointSeen> points;
  std::vector<std::string> texts;
  std::vector<std::string> badNumbers;  // attributes that are not plain decimal numbers
  double scaleBar = 0;                  // the scale bar's width in page units
};

using testsupport::HavePython;
using testsupport::Unhex;

std::optional<double> Optional(const std::string& field) {
  if (field == "-") return std::nullopt;
  return std::stod(field);
}

/// `svg` read by svgsummary.py.
PlotSeen Read(const std::string& svg) {
  testsupport::TestDir dir;
  const std::string file = dir.write("plot.svg", svg);
  const std::string cmd =
      "python3 '" ORTHAVION_SOURCE_DIR "/tests/report/svgsummary.py' '" + file + "' 2>&1";
  const auto [status, out] = testsupport::RunCaptured(cmd);
  PlotSeen seen;
  if (status != 0) {
    seen.parseError = out.empty() ? "svgsummary.py failed" : out;
    return seen;
  }
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream f(line);
    std::string kind;
    f >> kind;
    if (kind == "point") {
      PointSeen p;
      std::string id, label, dx, dy, vz;
      int red = 0;
      f >> id >> p.cls;
      // The class has one or two words ("used flagged").
      std::string next;
      f >> next;
      if (next != "0" && next != "1") {
        p.cls += " " + next;
        f >> next;
      }
      red = std::stoi(next);
      f >> label >> p.x >> p.y >> dx >> dy >> vz;
      p.id = Unhex(id), p.label = Unhex(label), p.red = red == 1;
      p.dx = Optional(dx), p.dy = Optional(dy), p.vz = Optional(vz);
      seen.points.push_back(p);
    } else if (kind == "text") {
      std::string t;
      f >> t;
      seen.texts.push_back(Unhex(t));
    } else if (kind == "scalebar") {
      f >> seen.scaleBar;
    } else {
      seen.badNumbers.push_back(line);
    }
  }
  return seen;
}

bool HasText(const PlotSeen& seen, std::string_view text) {
  for (const std::string& t : seen.texts)
    if (t == text) return true;
  return false;
}

PlotPoint Used(std::string id, double x, double y, double vx = 0, double vy = 0, double vz = 0,
               bool flagged = false) {
  return {std::move(id), kUsed, x, y, vx, vy, vz, flagged};
}
PlotPoint Check(std::string id, double x, double y, double vx, double vy, double vz, bool flagged) {
  return {std::move(id), kCheck, x, y, vx, vy, vz, flagged};
}
PlotPoint New(std::string id, double x, double y) { return {std::move(id), kNew, x, y, 0, 0, 0, false}; }

/// The shipped example: eight control points in Gauss-Krüger-sized
/// coordinates with the residuals of its protocol, 105 the gross error, and
/// its three new points.
PlotInput Example() {
  return {{Used("101", 4513268.303, 5625533.579, 0.006, -0.008, 0.002),
           Used("102", 4513790.580, 5625533.666, 0.008, 0.000, -0.003),
           Used("103", 4513733.096, 5626039.890, 0.000, -0.005, -0.008),
           Used("104", 4513240.019, 5625987.866, 0.002, -0.007, 0.002),
           Used("105", 4513496.301, 5625759.950, -0.033, 0.022, -0.003, true),
           Used("106", 4513989.439, 5625820.763, 0.004, 0.004, 0.006),
           Used("107", 4513326.855, 5626262.688, 0.007, -0.002, 0.001),
           Used("108", 4513906.944, 5626232.842, 0.005, -0.004, 0.002),
           New("2001", 4513553.323, 5625611.771), New("2002", 4513651.650, 5626116.421),
           New("2003", 4513839.466, 5625924.306)}};
}

/// The example after 105 was excluded: a flagged check point, another
/// flagged used point, and a new point whose flag means nothing.
PlotInput GrossErrorExcluded() {
  PlotInput in = Example();
  in.points[4] = Check("105", 4513496.301, 5625759.950, -0.036, 0.025, -0.004, true);
  in.points[1].flagged = true;
  in.points[9].flagged = true;
  return in;
}

#define SKIP_WITHOUT_PYTHON() \
  if (!HavePython()) GTEST_SKIP() << "python3 is missing: the plot cannot be read back"

/// The checks that hold for every plot: well-formed, plain numbers, one
/// element per point in input order with its number as label and class,
/// red exactly for the flagged used and check points, no vector or bar for
/// a new point, and every point inside the plan's frame.
void ExpectPlotOf(const PlotInput& in, const PlotSeen& seen) {
  ASSERT_EQ(seen.parseError, "");
  EXPECT_EQ(seen.badNumbers, std::vector<std::string>());
  ASSERT_EQ(seen.points.size(), in.points.size());
  for (std::size_t i = 0; i < in.points.size(); ++i) {
    const PlotPoint& p = in.points[i];
    const PointSeen& s = seen.points[i];
    const bool red = p.flagged && p.kind != kNew;
    EXPECT_EQ(s.id, p.id) << i;
    EXPECT_EQ(s.label, p.id) << i;
    EXPECT_EQ(s.red, red) << p.id;
    const char* kind = p.kind == kUsed ? "used" : p.kind == kCheck ? "check" : "new";
    EXPECT_EQ(s.cls, red ? std::string(kind) + " flagged" : kind) << p.id;
    if (p.kind == kNew) {
      EXPECT_FALSE(s.dx || s.vz) << p.id;
    }
    // Inside the plan's frame (x 90 to 690, y 50 to 650).
    EXPECT_GE(std::stod(s.x), 90) << p.id;
    EXPECT_LE(std::stod(s.x), 690) << p.id;
    EXPECT_GE(std::stod(s.y), 50) << p.id;
    EXPECT_LE(std::stod(s.y), 650) << p.id;
  }
}

TEST(ResidualPlotTest, OnePointElementEachRedExactlyTheFlagged) {
  SKIP_WITHOUT_PYTHON();
  for (const PlotInput& in : {Example(), GrossErrorExcluded()}) {
    const PlotSeen seen = Read(ResidualPlotSvg(in));
    ExpectPlotOf(in, seen);
    for (const std::string_view t : {texts::kPlotTitle, texts::kPlotAxisX, texts::kPlotAxisY,
                                     texts::kPlotUsedPoint, texts::kPlotCheckPoint,
                                     texts::kPlotNewPoint, texts::kPlotFlagged,
                                     texts::kPlotHeightResidual})
      EXPECT_TRUE(HasText(seen, t)) << t;
  }
}

TEST(ResidualPlotTest, PointNumbersReadBackThroughAnXmlParser) {
  SKIP_WITHOUT_PYTHON();
  struct Case {
    std::string id, readBack;
  };
  const Case cases[] = {
      {"<&\"'>", "<&\"'>"}, {"&lt;", "&lt;"},    {"P\t1", "P\t1"},
      {"Ü-1€", "Ü-1€"},     {"]]>", "]]>"},      {"a\x01" "b", "a\xEF\xBF\xBD" "b"},
      {"\xFF", "\xEF\xBF\xBD"},  // not UTF-8: the replacement character
  };
  PlotInput in;
  for (std::size_t i = 0; i < std::size(cases); ++i)
    in.points.push_back(Used(cases[i].id, double(i), double(i % 2)));
  const PlotSeen seen = Read(ResidualPlotSvg(in));
  ASSERT_EQ(seen.parseError, "");
  ASSERT_EQ(seen.points.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(seen.points[i].id, cases[i].readBack) << cases[i].id;
    EXPECT_EQ(seen.points[i].label, cases[i].readBack) << cases[i].id;
  }
}

struct ScaleCase {
  const char* name;
  PlotInput in;
  std::size_t largest;   // the point with the largest residual
  double residualPerCm;  // [m] of the text
  const char* vectorScale, *scaleBar;
};

// Two points `span` metres apart in X; the first carries the residuals.
PlotInput Pair(double span, double vx, double vy, double vz) {
  return {{Used("A", 1000, 2000, vx, vy, vz), Used("B", 1000 + span, 2000)}};
}

TEST(ResidualPlotTest, ScaleTextsMatchTheDrawing) {
  SKIP_WITHOUT_PYTHON();
  const ScaleCase cases[] = {
      // |v| = 39.7 mm: 1 cm for 26.4 mm, rounded to 20 mm; 749 m wide: a
      // fifth is 150 m, nearer to 200 m than to 100 m by ratio.
      {"example", Example(), 4, 0.02, "20 mm", "200 m"},
      {"vZ decides", Pair(500, 0.001, 0, -0.9), 0, 0.5, "500 mm", "100 m"},
      {"metres", Pair(12000, 3, 0, 0), 0, 2, "2 m", "2 km"},
      // Nothing finer than 0.1 mm per cm: an exact fit's noise stays a dot.
      {"exact fit noise", Pair(10, 1e-10, 2e-10, 0), 0, 1e-4, "0.1 mm", "2 m"},
      {"all zero", Pair(0.3, 0, 0, 0), 0, 1e-4, "0.1 mm", "200 mm"},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const PlotSeen seen = Read(ResidualPlotSvg(c.in));
    ExpectPlotOf(c.in, seen);
    EXPECT_TRUE(HasText(seen, texts::PlotVectorScaleText(c.vectorScale)));
    EXPECT_TRUE(HasText(seen, texts::PlotScaleBarText(c.scaleBar)));

    // The largest residual drawn at the written scale, 1 cm = 40 units.
    const PlotPoint& p = c.in.points[c.largest];
    const PointSeen& s = seen.points[c.largest];
    const double residual = std::max(std::hypot(p.vx, p.vy), std::abs(p.vz));
    const double drawn = std::max(s.dx ? std::hypot(*s.dx, *s.dy) : 0.0, s.vz ? std::abs(*s.vz) : 0.0);
    EXPECT_NEAR(drawn, residual / c.residualPerCm * 40, 0.02);
    // About a tenth of the 600-unit plan, unless the scale is at its finest.
    if (c.residualPerCm > 1e-4) {
      EXPECT_GT(drawn, 60 / 1.6);
      EXPECT_LT(drawn, 60 * 1.6);
    }

    // The scale bar at the plan's scale: the page distance of the first two
    // points over their distance in metres.
    const PlotPoint &a = c.in.points[0], &b = c.in.points[1];
    const double page = std::hypot(std::stod(seen.points[1].x) - std::stod(seen.points[0].x),
                                   std::stod(seen.points[1].y) - std::stod(seen.points[0].y));
    const double metres = std::hypot(b.x - a.x, b.y - a.y);
    const double barMetres = std::string(c.scaleBar).ends_with(" km")   ? std::stod(c.scaleBar) * 1000
                             : std::string(c.scaleBar).ends_with(" mm") ? std::stod(c.scaleBar) / 1000
                                                                         : std::stod(c.scaleBar);
    EXPECT_NEAR(seen.scaleBar / barMetres, page / metres, 0.02 * page / metres);
  }
}

TEST(ResidualPlotTest, VectorsAlongTheResidualBarsUpForPositiveVz) {
  SKIP_WITHOUT_PYTHON();
  // vX to the right, vY up (page y grows downwards), vZ up when positive;
  // check points carry theirs as well.
  const PlotInput in = {{Used("east", 0, 0, 0.01, 0, 0), Used("north", 100, 0, 0, 0.01, 0),
                         Used("southwest", 0, 100, -0.006, -0.008, 0.004),
                         Check("down", 100, 100, 0, 0, -0.005, false), Used("still", 50, 50)}};
  const PlotSeen seen = Read(ResidualPlotSvg(in));
  ExpectPlotOf(in, seen);
  const auto& p = seen.points;
  ASSERT_TRUE(p[0].dx && p[1].dx && p[2].dx && p[2].vz && p[3].vz);
  EXPECT_GT(*p[0].dx, 0);
  EXPECT_NEAR(*p[0].dy, 0, 0.01);
  EXPECT_NEAR(*p[1].dx, 0, 0.01);
  EXPECT_LT(*p[1].dy, 0);
  EXPECT_NEAR(*p[0].dx, -*p[1].dy, 0.02);  // equal residuals, equal lengths
  // 6 mm, 8 mm: a 3-4-5 triangle pointing down left, its length 10 mm.
  EXPECT_NEAR(*p[2].dx / *p[2].dy, -0.75, 0.01);
  EXPECT_NEAR(std::hypot(*p[2].dx, *p[2].dy), *p[0].dx, 0.02);
  EXPECT_GT(*p[2].vz, 0);
  EXPECT_NEAR(*p[2].vz, 0.4 * *p[0].dx, 0.02);
  EXPECT_LT(*p[3].vz, 0);
  EXPECT_FALSE(p[3].dx);  // no horizontal residual, no arrow
  EXPECT_FALSE(p[4].dx || p[4].vz);
}

TEST(ResidualPlotTest, DegenerateInputsGiveAWellFormedPlot) {
  SKIP_WITHOUT_PYTHON();
  const struct {
    const char* name;
    PlotInput in;
  } cases[] = {
      {"no point", {}},
      {"one point", {{Used("1", 4513268.303, 5625533.579, 0.004, 0.003, 0.001)}}},
      {"one new point", {{New("N", 10, 20)}}},
      {"on a line in Y", {{Used("1", 7, 0, 0.01), Used("2", 7, 300, -0.01), New("3", 7, 150)}}},
      {"on a line in X", {{Used("1", 0, 7, 0.01), Used("2", 300, 7, -0.01)}}},
      {"on a diagonal", {{Used("1", 0, 0, 0.01), Used("2", 100, 100, -0.01), Used("3", 50, 50)}}},
      {"all in one place", {{Used("1", 5, 5, 0.01), Used("2", 5, 5, -0.01), New("3", 5, 5)}}},
      {"residuals zero, no new points",
       {{Used("1", 0, 0), Used("2", 100, 0), Used("3", 0, 100), Check("4", 50, 50, 0, 0, 0, false)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PlotSeen seen = Read(ResidualPlotSvg(c.in));
    ExpectPlotOf(c.in, seen);
    EXPECT_TRUE(HasText(seen, texts::kPlotTitle));
    EXPECT_GT(seen.scaleBar, 0);
  }
  // With all residuals zero, nothing but symbols and labels.
  const PlotSeen zero = Read(ResidualPlotSvg(cases[7].in));
  for (const PointSeen& p : zero.points) EXPECT_FALSE(p.dx || p.vz) << p.id;
}

TEST(ResidualPlotTest, NationalGridCoordinatesKeepTheirPrecision) {
  SKIP_WITHOUT_PYTHON();
  // A 2 m site with two points 1 mm apart, once near the origin and once
  // shifted into Gauss-Krüger coordinates: the page shows the same picture
  // (the shift is exact in binary, so to the digit), and the millimetre
  // stays visible.
  const auto site = [](double x0, double y0) {
    return PlotInput{{Used("1", x0 + 0.125, y0 + 0.25, 0.001, 0, 0), Used("1a", x0 + 0.126, y0 + 0.25),
                      Used("2", x0 + 2.125, y0 + 1.75, 0, -0.002, 0.001), New("3", x0 + 1, y0 + 1)}};
  };
  const PlotSeen local = Read(ResidualPlotSvg(site(0, 0)));
  const PlotInput grid = site(4513000, 5625000);
  const PlotSeen shifted = Read(ResidualPlotSvg(grid));
  ExpectPlotOf(grid, shifted);
  ASSERT_EQ(local.points.size(), shifted.points.size());
  for (std::size_t i = 0; i < local.points.size(); ++i) {
    EXPECT_EQ(local.points[i].x, shifted.points[i].x) << i;
    EXPECT_EQ(local.points[i].y, shifted.points[i].y) << i;
    EXPECT_EQ(local.points[i].dx, shifted.points[i].dx) << i;
    EXPECT_EQ(local.points[i].vz, shifted.points[i].vz) << i;
  }
  // 250 units per metre: 1 mm is a quarter unit.
  EXPECT_NEAR(std::stod(shifted.points[1].x) - std::stod(shifted.points[0].x), 0.25, 0.011);
  EXPECT_TRUE(HasText(shifted, "4513001.0"));  // the grid's labels carry the coordinates
}

TEST(ResidualPlotTest, NonFiniteAndAbsurdInputsRaiseTheSystemsErrors) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  const struct {
    const char* name;
    PlotPoint point;
    std::string_view error;
  } cases[] = {
      {"NaN coordinate", Used("1", nan, 0), texts::kInvalidOperation},
      {"NaN residual", Used("1", 0, 0, 0, nan), texts::kInvalidOperation},
      {"infinite coordinate", Used("1", 0, -inf), texts::kOverflow},
      {"infinite vZ", Used("1", 0, 0, 0, 0, inf), texts::kOverflow},
      {"points 1.2e300 m apart", Used("1", 6e299, 0), texts::kOverflow},
      {"points spread beyond the doubles", Used("1", 1.7e308, 0), texts::kOverflow},
      {"residual of 1e301 m", Used("1", 0, 0, 1e301), texts::kOverflow},
  };
  for (const auto& c : cases) {
    const PlotInput in = {{Used("0", -6e299 * (c.point.x > 1e299), 0), c.point}};
    try {
      ResidualPlotSvg(in);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const orthavion::Error& e) {
      EXPECT_EQ(e.what(), std::string(c.error)) << c.name;
    }
  }
}

TEST(ResidualPlotTest, TheLocaleNeverShows) {
  const std::string plain = ResidualPlotSvg(GrossErrorExcluded());
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  const std::string german = ResidualPlotSvg(GrossErrorExcluded());
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(german, plain);
}

}  // namespace
