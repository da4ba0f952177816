#include "statistics/adjustmentprotocol.h"

#include <cmath>

#include "statistics/statisticstexts.h"
#include "text/codepage.h"

namespace orthavion {

namespace {

// `text` right-aligned in `width` characters.
std::string RightAligned(std::string_view text, std::size_t width) {
  const std::size_t n = Utf8Length(text);
  return std::string(n < width ? width - n : 0, ' ') + std::string(text);
}

// A test value or MDB in `width` characters, "-" where there is none.
void AppendOptional(const ProtocolWriter& out, std::string& line,
                    const std::optional<double>& value, const char* format, std::size_t width) {
  if (value)
    out.Append(line, format, {*value});
  else
    line += RightAligned(texts::kNoTestValue, width);
}

}  // namespace

void AddCheckPoints(ProtocolWriter& out, const AdjustmentResult& result) {
  bool any = false;
  std::string line;
  for (const ControlPointResult& p : result.controlPoints) {
    if (p.used) continue;
    if (!any) {
      out.Add(texts::kCheckPointsCaption);
      out.Add(texts::kCheckPointsTitles);
      any = true;
    }
    const Vec3& v = p.residual;
    const double vs = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    line.clear();
    out.Append(line, "%-14s %14.3f %14.3f %14.3f %10.3f %10.3f %10.3f %10.3f",
                 {p.id, p.transformed[0], p.transformed[1], p.transformed[2], v[0], v[1], v[2], vs});
    out.Add(line);
  }
}

void AddSnooping(ProtocolWriter& out, const AdjustmentResult& result) {
  out.Add("");
  out.Add(texts::kSnoopingHeadFormat,
                      {result.testKind == TestKind::W ? texts::kWTestLine : texts::kTauTestLine,
                       result.criticalValue});
  if (result.snooping.empty()) out.Add(texts::kSnoopingNothingExcluded);
  std::int32_t step = 0;
  for (const SnoopingStep& s : result.snooping)
    out.Add(texts::kSnoopingStepFormat, {++step, s.id, s.testValue});
}

void AddStatistics(ProtocolWriter& out, const AdjustmentResult& r) {
  out.Add("");
  out.Add(texts::kParameterAccuracyCaption);
  out.Add(texts::kUnitWeightFormat,
                      {r.sigma0 ? texts::kSigmaAprioriCaption : texts::kSigmaAposterioriCaption,
                       r.s, r.vv, r.degreesOfFreedom, r.m0});
  out.Add(texts::kParameterTitles);
  const char* axis[3] = {"x", "y", "z"};
  const Vec3 translation = r.transformation.Translation();
  for (int i = 0; i < 3; ++i)
    out.Add(texts::kTranslationSigmaFormat, {axis[i], translation[i], r.sigmaTranslation[i]});
  for (const std::string& name : r.parameterOrder) {
    if (name[0] != 'r') continue;
    const int a = name[1] - 'X';
    out.Add(texts::kAngleSigmaFormat, {name, r.rotationGon[a], r.sigmaRotationGon[a]});
  }
  if (r.parameterOrder.back() == "m")
    out.Add(texts::kScaleSigmaFormat, {(r.transformation.scale - 1) * 1000000, r.sigmaScalePpm});

  out.Add("");
  out.Add(texts::kCorrelationCaption);
  std::string line = "      ";
  for (const std::string& name : r.parameterOrder) line += RightAligned(name, 8);
  out.Add(line);
  for (std::size_t i = 0; i < r.parameterOrder.size(); ++i) {
    line.clear();
    out.Append(line, "%-6s", {r.parameterOrder[i]});
    for (const double c : r.correlation[i]) out.Append(line, "%8.3f", {c});
    out.Add(line);
  }

  out.Add("");
  out.Add(texts::kControlPointTestCaption);
  out.Add(texts::kTestLineFormat,
                      {r.testKind == TestKind::W ? texts::kWTestLine : texts::kTauTestLine,
                       r.alpha, r.criticalValue});
  out.Add(texts::kControlPointTestTitles);
  for (const ControlPointResult& p : r.controlPoints) {
    if (!p.used) continue;
    line.clear();
    out.Append(line, "%-14s %6.3f %6.3f %6.3f",
                 {p.id, p.redundancy[0], p.redundancy[1], p.redundancy[2]});
    for (const std::optional<double>& w : p.testValue) AppendOptional(out, line, w, " %8.2f", 9);
    for (const std::optional<double>& m : p.mdb) AppendOptional(out, line, m, " %8.3f", 9);
    if (p.flagged) {
      line += " !";
      out.AddHighlighted(line);
    } else {
      out.Add(line);
    }
  }

  out.Add("");
  out.Add(texts::kNewPointAccuracyCaption);
  out.Add(texts::kNewPointAccuracyTitles);
  for (const NewPointResult& n : r.newPoints)
    out.Add("%-14s %10.4f %10.4f %10.4f", {n.id, n.sigma[0], n.sigma[1], n.sigma[2]});

  if (r.globalTest) {
    const GlobalTest& g = *r.globalTest;
    out.Add("");
    out.Add(texts::kGlobalTestFormat,
                        {g.statistic, r.degreesOfFreedom, g.quantile,
                         g.accepted ? texts::kAccepted : texts::kRejected});
  }
}

}  // namespace orthavion
