#include "statistics/adjustmentprotocol.h"

#include <cmath>

#include "statistics/statisticstexts.h"
#include "text/codepage.h"
#include "text/numformat.h"

namespace orthavion {

namespace {

// `text` right-aligned in `width` characters.
std::string RightAligned(std::string_view text, std::size_t width) {
  const std::size_t n = Utf8Length(text);
  return std::string(n < width ? width - n : 0, ' ') + std::string(text);
}

// A test value or MDB in `width` characters, "-" where there is none.
void AppendOptional(std::string& line, const std::optional<double>& value, const char* format,
                    std::size_t width) {
  if (value)
    AppendFormat(line, format, {*value});
  else
    line += RightAligned(texts::kNoTestValue, width);
}

}  // namespace

void AddCheckPoints(Protocol& protocol, const AdjustmentResult& result) {
  bool any = false;
  std::string line;
  for (const ControlPointResult& p : result.controlPoints) {
    if (p.used) continue;
    if (!any) {
      protocol.Add(texts::kCheckPointsCaption);
      protocol.Add(texts::kCheckPointsTitles);
      any = true;
    }
    const Vec3& v = p.residual;
    const double vs = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    line.clear();
    AppendFormat(line, "%-14s %14.3f %14.3f %14.3f %10.3f %10.3f %10.3f %10.3f",
                 {p.id, p.transformed[0], p.transformed[1], p.transformed[2], v[0], v[1], v[2], vs});
    protocol.Add(line);
  }
}

void AddSnooping(Protocol& protocol, const AdjustmentResult& result) {
  protocol.Add("");
  protocol.Add(Format(texts::kSnoopingHeadFormat,
                      {result.testKind == TestKind::W ? texts::kWTestLine : texts::kTauTestLine,
                       result.criticalValue}));
  if (result.snooping.empty()) protocol.Add(texts::kSnoopingNothingExcluded);
  std::int32_t step = 0;
  for (const SnoopingStep& s : result.snooping)
    protocol.Add(Format(texts::kSnoopingStepFormat, {++step, s.id, s.testValue}));
}

void AddStatistics(Protocol& protocol, const AdjustmentResult& r) {
  protocol.Add("");
  protocol.Add(texts::kParameterAccuracyCaption);
  protocol.Add(Format(texts::kUnitWeightFormat,
                      {r.sigma0 ? texts::kSigmaAprioriCaption : texts::kSigmaAposterioriCaption,
                       r.s, r.vv, r.degreesOfFreedom, r.m0}));
  protocol.Add(texts::kParameterTitles);
  const char* axis[3] = {"x", "y", "z"};
  const Vec3 translation = r.transformation.Translation();
  for (int i = 0; i < 3; ++i)
    protocol.Add(Format(texts::kTranslationSigmaFormat, {axis[i], translation[i], r.sigmaTranslation[i]}));
  for (const std::string& name : r.parameterOrder) {
    if (name[0] != 'r') continue;
    const int a = name[1] - 'X';
    protocol.Add(
        Format(texts::kAngleSigmaFormat, {name, r.rotationGon[a], r.sigmaRotationGon[a]}));
  }
  if (r.parameterOrder.back() == "m")
    protocol.Add(Format(texts::kScaleSigmaFormat, {(r.transformation.scale - 1) * 1000000, r.sigmaScalePpm}));

  protocol.Add("");
  protocol.Add(texts::kCorrelationCaption);
  std::string line = "      ";
  for (const std::string& name : r.parameterOrder) line += RightAligned(name, 8);
  protocol.Add(line);
  for (std::size_t i = 0; i < r.parameterOrder.size(); ++i) {
    line.clear();
    AppendFormat(line, "%-6s", {r.parameterOrder[i]});
    for (const double c : r.correlation[i]) AppendFormat(line, "%8.3f", {c});
    protocol.Add(line);
  }

  protocol.Add("");
  protocol.Add(texts::kControlPointTestCaption);
  protocol.Add(Format(texts::kTestLineFormat,
                      {r.testKind == TestKind::W ? texts::kWTestLine : texts::kTauTestLine,
                       r.alpha, r.criticalValue}));
  protocol.Add(texts::kControlPointTestTitles);
  for (const ControlPointResult& p : r.controlPoints) {
    if (!p.used) continue;
    line.clear();
    AppendFormat(line, "%-14s %6.3f %6.3f %6.3f",
                 {p.id, p.redundancy[0], p.redundancy[1], p.redundancy[2]});
    for (const std::optional<double>& w : p.testValue) AppendOptional(line, w, " %8.2f", 9);
    for (const std::optional<double>& m : p.mdb) AppendOptional(line, m, " %8.3f", 9);
    if (p.flagged) {
      line += " !";
      protocol.AddHighlighted(line);
    } else {
      protocol.Add(line);
    }
  }

  protocol.Add("");
  protocol.Add(texts::kNewPointAccuracyCaption);
  protocol.Add(texts::kNewPointAccuracyTitles);
  for (const NewPointResult& n : r.newPoints)
    protocol.Add(Format("%-14s %10.4f %10.4f %10.4f", {n.id, n.sigma[0], n.sigma[1], n.sigma[2]}));

  if (r.globalTest) {
    const GlobalTest& g = *r.globalTest;
    protocol.Add("");
    protocol.Add(Format(texts::kGlobalTestFormat,
                        {g.statistic, r.degreesOfFreedom, g.quantile,
                         g.accepted ? texts::kAccepted : texts::kRejected}));
  }
}

}  // namespace orthavion
