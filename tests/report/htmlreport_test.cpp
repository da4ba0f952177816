// The HTML report and the plot's points of a result: the report read back
// with Python's HTML parser (htmlsummary.py) on the example with and
// without exclusion and snooping: its sections, the flagged rows exactly
// the flagged points, the check points, the snooping steps, the new points,
// one plot element per point, nothing loaded from elsewhere, hostile point
// numbers escaped, a decimal point whatever the separator, and a report
// file that replaces an earlier one only when it is complete. The parser
// tests are skipped with a message when python3 is missing.
#include "report/htmlreport.h"
#include "report/pythonreader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "report/resultplot.h"
#include "statistics/adjustmentrun.h"
#include "support/testdir.h"

namespace {

using orthavion::AdjustmentOptions;
using orthavion::AdjustmentResult;
using testsupport::TestDir;

AdjustmentResult ExampleResult(const AdjustmentOptions& options) {
  TestDir dir;
  testsupport::CopyExamples(dir.path());
  orthavion::RunState state;
  return orthavion::AdjustmentRun(state, dir.file("startsystem.txt"), dir.file("zielsystem.txt"),
                                  options);
}

using testsupport::HavePython;
using testsupport::Unhex;

struct Row {
  int table = 0;
  bool flagged = false;
  std::vector<std::string> cells;
};

struct ReportSeen {
  std::string error;  // empty when every element is closed in order
  std::vector<std::string> headings, external;
  std::vector<Row> rows;
  int plotPoints = -1;

  /// The rows, without the title row, of the `nth` table (from 0) whose
  /// title row starts with `first` and `second`.
  std::vector<Row> Table(const std::string& second, int nth = 0,
                         const std::string& first = "Punktnummer") const {
    std::vector<Row> out;
    int table = -1;
    for (const Row& r : rows) {
      if (r.cells.size() > 1 && r.cells[0] == first && r.cells[1] == second && nth-- == 0)
        table = r.table;
      else if (r.table == table)
        out.push_back(r);
    }
    return out;
  }
};

ReportSeen Read(const std::string& html) {
  TestDir dir;
  const std::string file = dir.write("r.html", html);
  const std::string cmd =
      "python3 '" ORTHAVION_SOURCE_DIR "/tests/report/htmlsummary.py' '" + file + "' 2>&1";
  const auto [status, out] = testsupport::RunCaptured(cmd);
  ReportSeen seen;
  if (status != 0) {
    seen.error = out.empty() ? "htmlsummary.py failed" : out;
    return seen;
  }
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream f(line);
    std::string kind, word;
    f >> kind;
    if (kind == "heading") {
      f >> word;
      seen.headings.push_back(Unhex(word));
    } else if (kind == "row") {
      Row r;
      int flag = 0;
      f >> r.table >> flag;
      r.flagged = flag == 1;
      while (f >> word) r.cells.push_back(Unhex(word));
      seen.rows.push_back(r);
    } else if (kind == "svg") {
      f >> seen.plotPoints;
    } else {
      seen.external.push_back(line);
    }
  }
  return seen;
}

std::vector<std::string> Ids(const std::vector<Row>& rows, bool flaggedOnly = false) {
  std::vector<std::string> ids;
  for (const Row& r : rows)
    if (!flaggedOnly || r.flagged) ids.push_back(r.cells.at(0));
  return ids;
}

using Ids_ = std::vector<std::string>;

struct ReportCase {
  const char* name;
  AdjustmentOptions options;
  Ids_ used, flagged, check, snooped;
};

TEST(HtmlReportTest, TheSectionsHoldTheResult) {
  if (!HavePython()) GTEST_SKIP() << "python3 missing: report not read back";
  AdjustmentOptions exclude;
  exclude.exclude = {"102"};
  AdjustmentOptions snooping;
  snooping.snooping = true;
  snooping.sigma0 = 0.01;
  const ReportCase cases[] = {
      {"plain", {}, {"101", "102", "103", "104", "105", "106", "107", "108"}, {"105"}, {}, {}},
      {"one excluded", exclude, {"101", "103", "104", "105", "106", "107", "108"}, {"105"}, {"102"}, {}},
      // Snooping leaves 105 out: it becomes a check point, nothing is flagged.
      {"snooping", snooping, {"101", "102", "103", "104", "106", "107", "108"}, {}, {"105"}, {"105"}},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.name);
    const AdjustmentResult result = ExampleResult(c.options);
    const ReportSeen seen = Read(orthavion::HtmlReport(result, "10.12.2026 12:00:00"));
    ASSERT_EQ(seen.error, "");
    Ids_ headings = {"Orthavion – Transformationsbericht", "Parameter",
                     "Passpunkte: Restklaffen, Redundanzanteile r, Testgrößen und MDB"};
    if (!c.check.empty()) headings.push_back("Kontrollpunkte (nicht in der Schätzung)");
    for (const char* h : {"Datensnooping", "Genauigkeit der Neupunkte", "Lageplan der Restklaffen",
                          "PROJ-Zeichenketten"})
      headings.push_back(h);
    EXPECT_EQ(seen.headings, headings);
    EXPECT_TRUE(seen.external.empty()) << seen.external[0];

    const std::vector<Row> used = seen.Table("vX [m]");
    EXPECT_EQ(Ids(used), c.used);
    EXPECT_EQ(Ids(used, true), c.flagged);
    for (const Row& r : used) {
      ASSERT_EQ(r.cells.size(), 15u);
      EXPECT_EQ(r.cells[14], r.flagged ? "!" : "");
    }
    // The check points' table comes before the new points'.
    EXPECT_EQ(Ids(seen.Table("X [m]", 0)), c.check.empty() ? Ids_({"2001", "2002", "2003"}) : c.check);
    std::size_t plotted = result.controlPoints.size() + result.newPoints.size();
    EXPECT_EQ(seen.plotPoints, static_cast<int>(plotted));
    Ids_ snooped;
    for (const Row& r : seen.Table("Punktnummer", 0, "Schritt")) snooped.push_back(r.cells[1]);
    EXPECT_EQ(snooped, c.snooped);
  }
}

TEST(HtmlReportTest, NumbersMatchTheResultWithADecimalPointWhateverTheSeparator) {
  if (!HavePython()) GTEST_SKIP() << "python3 missing: report not read back";
  const AdjustmentResult result = ExampleResult({});
  orthavion::SetDecimalSeparator(',');
  const std::string html = orthavion::HtmlReport(result, "t");
  EXPECT_EQ(orthavion::DecimalSeparator(), ',');  // put back
  orthavion::SetDecimalSeparator('.');
  const ReportSeen seen = Read(html);
  ASSERT_EQ(seen.error, "");
  const std::vector<Row> used = seen.Table("vX [m]");
  ASSERT_EQ(used.size(), result.controlPoints.size());
  for (std::size_t i = 0; i < used.size(); ++i) {
    const orthavion::ControlPointResult& p = result.controlPoints[i];
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(std::stod(used[i].cells[1 + k]), p.residual[k], 0.5e-4) << p.id;
      EXPECT_NEAR(std::stod(used[i].cells[5 + k]), p.redundancy[k], 0.5e-3) << p.id;
      EXPECT_NEAR(std::stod(used[i].cells[8 + k]), *p.testValue[k], 0.5e-2) << p.id;
      EXPECT_NEAR(std::stod(used[i].cells[11 + k]), *p.mdb[k], 0.5e-4) << p.id;
    }
  }
  // The PROJ strings and the time as given.
  EXPECT_NE(html.find("<pre>+proj=helmert +convention=position_vector +exact "), std::string::npos);
  EXPECT_NE(html.find("<td>t</td>"), std::string::npos);
  EXPECT_EQ(html.find("<?xml"), std::string::npos);
}

TEST(HtmlReportTest, HostilePointNumbersAndFileNamesAreEscaped) {
  if (!HavePython()) GTEST_SKIP() << "python3 missing: report not read back";
  AdjustmentResult result = ExampleResult({});
  const std::string hostile[] = {"</td></tr></table><script>x</script>", "a&b\"c'd<e>",
                                 "Ü\tß\x01"};
  for (std::size_t i = 0; i < std::size(hostile); ++i) result.controlPoints[i].id = hostile[i];
  result.newPoints[0].id = "<!--";
  result.startFile = "<img src=x>.txt";
  const ReportSeen seen = Read(orthavion::HtmlReport(result, "<b>"));
  ASSERT_EQ(seen.error, "");
  EXPECT_TRUE(seen.external.empty()) << seen.external[0];
  const std::vector<Row> used = seen.Table("vX [m]");
  ASSERT_EQ(used.size(), 8u);
  EXPECT_EQ(used[0].cells[0], hostile[0]);
  EXPECT_EQ(used[1].cells[0], hostile[1]);
  EXPECT_EQ(used[2].cells[0], "Ü\tß\xEF\xBF\xBD");  // a control character XML cannot carry: U+FFFD
  EXPECT_EQ(seen.Table("X [m]").at(0).cells[0], "<!--");
  EXPECT_EQ(seen.rows.at(0).cells.at(1), "<img src=x>.txt");
  EXPECT_EQ(seen.plotPoints, 11);
}

TEST(HtmlReportTest, ThePlotShowsEveryPointAsTheResultHasIt) {
  AdjustmentOptions options;
  options.exclude = {"103"};
  const AdjustmentResult result = ExampleResult(options);
  const orthavion::PlotInput input = orthavion::PlotInputOf(result);
  ASSERT_EQ(input.points.size(), 11u);
  for (std::size_t i = 0; i < 8; ++i) {
    const orthavion::ControlPointResult& p = result.controlPoints[i];
    const orthavion::PlotPoint& q = input.points[i];
    EXPECT_EQ(q.id, p.id);
    EXPECT_EQ(q.kind, p.used ? orthavion::PlotPointKind::Used : orthavion::PlotPointKind::Check);
    EXPECT_EQ(q.flagged, p.id == "105");
    EXPECT_EQ(q.x, p.target[0]);
    EXPECT_EQ(q.y, p.target[1]);
    EXPECT_EQ((std::array{q.vx, q.vy, q.vz}), p.residual);
  }
  EXPECT_EQ(input.points[2].kind, orthavion::PlotPointKind::Check);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(input.points[8 + i].kind, orthavion::PlotPointKind::New);
    EXPECT_EQ(input.points[8 + i].x, result.newPoints[i].transformed[0]);
    EXPECT_FALSE(input.points[8 + i].flagged);
  }
}

TEST(HtmlReportTest, AReportFileReplacesAnEarlierOneOnlyWhenComplete) {
  const AdjustmentResult result = ExampleResult({});
  TestDir dir;
  const std::string file = dir.write("r.html", "earlier");
  // A later output that cannot be created: the report written before it
  // does not take its name, and no temporary file is left.
  EXPECT_THROW(orthavion::SaveOutputFiles({orthavion::HtmlReportFile(result, "t", file),
                                           orthavion::HtmlReportFile(result, "t", dir.file("fehlt/r.html"))}),
               orthavion::Error);
  EXPECT_EQ(testsupport::ReadBytes(file), "earlier");
  EXPECT_EQ(testsupport::Entries(dir.path()), std::vector<std::string>{"r.html"});
  orthavion::SaveOutputFiles({orthavion::HtmlReportFile(result, "t", file)});
  EXPECT_EQ(testsupport::ReadBytes(file), orthavion::HtmlReport(result, "t"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("fehlt")));
}

}  // namespace
