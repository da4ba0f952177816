#include "report/htmlreport.h"

#include <cmath>
#include <initializer_list>

#include "base/error.h"
#include "report/reporttexts.h"
#include "statistics/statisticstexts.h"
#include "export/projexport.h"
#include "report/resultplot.h"
#include "report/xmltext.h"
#include "transformation/model.h"
#include "text/fileerror.h"
#include "text/numformat.h"

namespace orthavion {

namespace {

// The page's look: readable on screen and on paper, no external resource.
constexpr std::string_view kStyle =
    "body{font-family:sans-serif;font-size:14px;color:#111;margin:24px;max-width:1100px}"
    "h1{font-size:22px;margin:0 0 12px}h2{font-size:17px;margin:22px 0 8px;"
    "border-bottom:1px solid #999}"
    "table{border-collapse:collapse;margin:4px 0}"
    "th,td{border:1px solid #bbb;padding:2px 8px}"
    "th{background:#eee;text-align:left;white-space:nowrap}"
    "td.n{text-align:right;font-family:monospace;white-space:nowrap}"
    "table.head th{background:none;border:none;padding-left:0}"
    "table.head td{border:none}"
    "tr.flag td{color:#c00;font-weight:bold}"
    "svg{display:block;width:100%;max-width:960px;height:auto;border:1px solid #bbb}"
    "pre{background:#f4f4f4;padding:6px;white-space:pre-wrap;word-break:break-all}";

class Page {
public:
  void Raw(std::string_view html) { out_ += html; }
  void Text(std::string_view text) { AppendXmlEscaped(out_, text); }

  void Heading(std::string_view text) {
    Raw("<h2>");
    Text(text);
    Raw("</h2>\n");
  }
  void Paragraph(std::string_view text) {
    Raw("<p>");
    Text(text);
    Raw("</p>\n");
  }
  // A header row of column titles.
  void Titles(std::initializer_list<std::string_view> titles) {
    Raw("<tr>");
    for (std::string_view t : titles) {
      Raw("<th>");
      Text(t);
      Raw("</th>");
    }
    Raw("</tr>\n");
  }
  void Cell(std::string_view text) {
    Raw("<td>");
    Text(text);
    Raw("</td>");
  }
  // A number cell, `format` one %f conversion of the system's formatter.
  void Number(double value, std::string_view format) {
    Raw("<td class=\"n\">");
    AppendFormatWith(out_, '.', format, {value});
    Raw("</td>");
  }
  void Number(const std::optional<double>& value, std::string_view format) {
    if (value)
      Number(*value, format);
    else
      NumberText(texts::kNoTestValue);
  }
  void NumberText(std::string_view text) {
    Raw("<td class=\"n\">");
    Text(text);
    Raw("</td>");
  }
  // A row of the header table: a caption and its value.
  void HeadRow(std::string_view caption, std::string_view value) {
    Raw("<tr><th>");
    Text(caption);
    Raw("</th>");
    Cell(value);
    Raw("</tr>\n");
  }

  std::string Take() { return std::move(out_); }

private:
  std::string out_;
};

double Length(const Vec3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void Header(Page& page, const AdjustmentResult& r, std::string_view runTime) {
  page.Raw("<table class=\"head\">\n");
  page.HeadRow(texts::kReportStartFile, r.startFile);
  page.HeadRow(texts::kReportTargetFile, r.targetFile);
  page.HeadRow(texts::kReportModel, ModelName(r.transformation.model));
  page.HeadRow(texts::kReportRunTime, runTime);
  page.HeadRow(texts::kReportTest, r.testKind == TestKind::W ? texts::kReportWTest
                                                              : texts::kReportTauTest);
  page.HeadRow(texts::kReportAlpha, FormatWith('.', "%.3f", {r.alpha}));
  page.HeadRow(texts::kReportCriticalValue, FormatWith('.', "%.3f", {r.criticalValue}));
  page.HeadRow(texts::kReportSigma0,
               r.sigma0 ? FormatWith('.', "%.4f", {*r.sigma0}) : std::string(texts::kReportNoSigma0));
  page.HeadRow(texts::kReportDegreesOfFreedom, FormatWith('.', "%d", {r.degreesOfFreedom}));
  page.HeadRow(texts::kTitleVv, FormatWith('.', "%.6f", {r.vv}));
  page.HeadRow(texts::kTitleM0, FormatWith('.', "%.4f", {r.m0}));
  if (r.globalTest)
    page.HeadRow(texts::kReportGlobalTest,
                 FormatWith('.', "%.3f / %.3f: %s", {r.globalTest->statistic, r.globalTest->quantile,
                                            r.globalTest->accepted ? texts::kAccepted
                                                                   : texts::kRejected}));
  page.Raw("</table>\n");
}

void Parameters(Page& page, const AdjustmentResult& r) {
  page.Heading(texts::kReportParameters);
  page.Raw("<table>\n");
  page.Titles({texts::kReportParameters, texts::kReportValue, texts::kReportSigma});
  const std::string_view translation[3] = {texts::kTitleTx, texts::kTitleTy, texts::kTitleTz};
  const Vec3 t = r.transformation.Translation();
  for (int i = 0; i < 3; ++i) {
    page.Raw("<tr>");
    page.Cell(translation[i]);
    page.Number(t[i], "%.4f");
    page.Number(r.sigmaTranslation[i], "%.4f");
    page.Raw("</tr>\n");
  }
  const std::string_view angle[3] = {texts::kTitleAngleX, texts::kTitleAngleY,
                                     texts::kTitleAngleZ};
  for (int i = 0; i < 3; ++i) {
    page.Raw("<tr>");
    page.Cell(angle[i]);
    page.Number(r.rotationGon[i], "%.6f");
    page.Number(r.sigmaRotationGon[i], "%.6f");
    page.Raw("</tr>\n");
  }
  page.Raw("<tr>");
  page.Cell(texts::kReportScale);
  page.Number(r.transformation.scale, "%.10f");
  page.NumberText("");
  page.Raw("</tr>\n<tr>");
  page.Cell(texts::kTitleScalePpm);
  page.Number((r.transformation.scale - 1) * 1000000, "%.4f");
  page.Number(r.sigmaScalePpm, "%.4f");
  page.Raw("</tr>\n</table>\n");
}

void ControlPoints(Page& page, const AdjustmentResult& r) {
  const bool w = r.testKind == TestKind::W;
  page.Heading(texts::kReportControlPoints);
  page.Raw("<table>\n");
  page.Titles({texts::kReportPointNumber, texts::kTitleVx, texts::kTitleVy, texts::kTitleVz,
               texts::kTitleVs, texts::kTitleRx, texts::kTitleRy, texts::kTitleRz,
               w ? texts::kTitleWx : texts::kTitleTauX, w ? texts::kTitleWy : texts::kTitleTauY,
               w ? texts::kTitleWz : texts::kTitleTauZ, texts::kTitleMdbX, texts::kTitleMdbY,
               texts::kTitleMdbZ, texts::kTitleFlag});
  for (const ControlPointResult& p : r.controlPoints) {
    if (!p.used) continue;
    page.Raw(p.flagged ? "<tr class=\"flag\">" : "<tr>");
    page.Cell(p.id);
    for (int i = 0; i < 3; ++i) page.Number(p.residual[i], "%.4f");
    page.Number(Length(p.residual), "%.4f");
    for (int i = 0; i < 3; ++i) page.Number(p.redundancy[i], "%.3f");
    for (int i = 0; i < 3; ++i) page.Number(p.testValue[i], "%.2f");
    for (int i = 0; i < 3; ++i) page.Number(p.mdb[i], "%.4f");
    page.Cell(p.flagged ? texts::kTitleFlag : "");
    page.Raw("</tr>\n");
  }
  page.Raw("</table>\n");
  page.Paragraph(texts::kReportFlagLegend);
}

void CheckPoints(Page& page, const AdjustmentResult& r) {
  bool any = false;
  for (const ControlPointResult& p : r.controlPoints) {
    if (p.used) continue;
    if (!any) {
      page.Heading(texts::kCheckPointsCaption);
      page.Raw("<table>\n");
      page.Titles({texts::kReportPointNumber, texts::kTitleX, texts::kTitleY, texts::kTitleZ,
                   texts::kTitleVx, texts::kTitleVy, texts::kTitleVz, texts::kTitleVs});
      any = true;
    }
    page.Raw("<tr>");
    page.Cell(p.id);
    for (int i = 0; i < 3; ++i) page.Number(p.transformed[i], "%.3f");
    for (int i = 0; i < 3; ++i) page.Number(p.residual[i], "%.4f");
    page.Number(Length(p.residual), "%.4f");
    page.Raw("</tr>\n");
  }
  if (any) page.Raw("</table>\n");
}

void Snooping(Page& page, const AdjustmentResult& r) {
  page.Heading(texts::kSnoopingCaption);
  if (r.snooping.empty()) {
    page.Paragraph(texts::kSnoopingNothingExcluded);
    return;
  }
  page.Raw("<table>\n");
  page.Titles({texts::kReportStep, texts::kReportPointNumber, texts::kReportTestValue});
  std::int32_t step = 0;
  for (const SnoopingStep& s : r.snooping) {
    page.Raw("<tr>");
    page.NumberText(FormatWith('.', "%d", {++step}));
    page.Cell(s.id);
    page.Number(s.testValue, "%.2f");
    page.Raw("</tr>\n");
  }
  page.Raw("</table>\n");
}

void NewPoints(Page& page, const AdjustmentResult& r) {
  page.Heading(texts::kNewPointAccuracyCaption);
  if (r.newPoints.empty()) {
    page.Paragraph(texts::kReportNoNewPoints);
    return;
  }
  page.Raw("<table>\n");
  page.Titles({texts::kReportPointNumber, texts::kTitleX, texts::kTitleY, texts::kTitleZ,
               texts::kTitleSx, texts::kTitleSy, texts::kTitleSz});
  for (const NewPointResult& p : r.newPoints) {
    page.Raw("<tr>");
    page.Cell(p.id);
    for (int i = 0; i < 3; ++i) page.Number(p.transformed[i], "%.3f");
    for (int i = 0; i < 3; ++i) page.Number(p.sigma[i], "%.4f");
    page.Raw("</tr>\n");
  }
  page.Raw("</table>\n");
}

void Plot(Page& page, const AdjustmentResult& r) {
  page.Heading(texts::kPlotTitle);
  std::string svg = ResultPlotSvg(r);
  // Inline SVG is part of the HTML document: no XML declaration.
  if (svg.starts_with("<?xml")) svg.erase(0, svg.find('\n') + 1);
  page.Raw(svg);
  page.Raw("\n");
}

void Proj(Page& page, const AdjustmentResult& r) {
  const ProjStrings proj = ProjStringsOf(r.transformation);
  page.Heading(texts::kReportProj);
  page.Paragraph(texts::kReportProjForward);
  page.Raw("<pre>");
  page.Text(proj.forward);
  page.Raw("</pre>\n");
  page.Paragraph(texts::kReportProjInverse);
  page.Raw("<pre>");
  page.Text(proj.inverse);
  page.Raw("</pre>\n");
}

}  // namespace

std::string RunTimeText(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[64];
  const std::string format(texts::kReportTimeFormat);
  const std::size_t n = std::strftime(text, sizeof text, format.c_str(), &local);
  return std::string(text, n);
}

std::string HtmlReport(const AdjustmentResult& result, std::string_view runTime,
                       ReportPlot plot) {
  Page page;
  page.Raw("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
  page.Text(texts::kReportTitle);
  page.Raw("</title>\n<style>");
  page.Raw(kStyle);
  page.Raw("</style>\n</head>\n<body>\n<h1>");
  page.Text(texts::kReportTitle);
  page.Raw("</h1>\n");
  Header(page, result, runTime);
  Parameters(page, result);
  ControlPoints(page, result);
  CheckPoints(page, result);
  Snooping(page, result);
  NewPoints(page, result);
  if (plot == ReportPlot::Inline) Plot(page, result);
  Proj(page, result);
  page.Raw("</body>\n</html>\n");
  return page.Take();
}

OutputFile HtmlReportFile(const AdjustmentResult& result, std::string runTime,
                          const std::string& fileName) {
  return {fileName, [&result, runTime = std::move(runTime)](
                        const std::function<void(std::string_view)>& sink) {
            sink(HtmlReport(result, runTime));
          }};
}

}  // namespace orthavion
