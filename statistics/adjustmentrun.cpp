#include "statistics/adjustmentrun.h"

#include <cmath>
#include <unordered_set>
#include <utility>

#include "base/decimalseparator.h"
#include "base/fpcheck.h"
#include "estimation/estimate.h"
#include "estimation/residuals.h"
#include "points/pointfiles.h"
#include "statistics/adjustment.h"
#include "statistics/adjustmentprotocol.h"
#include "statistics/statisticstexts.h"
#include "text/codepage.h"

namespace orthavion {

namespace {

// The control points named by `exclude` as table entries; throws
// `OptionError` for a name that is no control point or that comes twice.
std::vector<std::int32_t> ExcludedEntries(const PointTable& P,
                                          const std::vector<std::string>& exclude) {
  std::unordered_set<std::string_view> seen;
  std::vector<std::int32_t> entries;
  for (const std::string& id : exclude) {
    if (!seen.insert(id).second) throw OptionError(texts::ExcludedTwiceText(id));
    const std::int32_t i = P.Find(id);
    if (i == 0 || !P[i].Passpunkt) throw OptionError(texts::NotAControlPointText(id));
    entries.push_back(i);
  }
  return entries;
}

// Leaves the control point `i` out of the estimation: it becomes a check point.
void Exclude(PointTable& P, std::int32_t i) {
  P[i].Passpunkt = false;
  P[i].Kontrollpunkt = true;
}

// The used control point with the largest |test value| above the critical
// value, as a snooping step, or nothing.
std::optional<SnoopingStep> WorstPoint(const AdjustmentResult& r) {
  std::optional<SnoopingStep> worst;
  double largest = r.criticalValue;
  for (const ControlPointResult& p : r.controlPoints) {
    if (!p.used) continue;
    for (const std::optional<double>& w : p.testValue)
      if (w && std::fabs(*w) > largest) {
        largest = std::fabs(*w);
        worst = SnoopingStep{p.id, *w};
      }
  }
  return worst;
}

std::int32_t UsedPoints(const AdjustmentResult& r) {
  std::int32_t n = 0;
  for (const ControlPointResult& p : r.controlPoints) n += p.used ? 1 : 0;
  return n;
}

std::string JoinedIds(const std::vector<std::int32_t>& entries, const PointTable& P) {
  std::string text;
  for (const std::int32_t i : entries) {
    if (!text.empty()) text += ", ";
    text += P[i].NR;
  }
  return text.empty() ? std::string(texts::kNoPoints) : text;
}

}  // namespace

bool ChangesEstimate(const AdjustmentOptions& options) {
  return options.model != Model::Similarity7 || !options.exclude.empty() || options.snooping;
}

AdjustmentResult Adjust(const PointTable& read, const AdjustmentOptions& options,
                        ProtocolWriter& out, const ParametersDone& done) {
  PointTable P = read;
  std::vector<std::int32_t> excluded = ExcludedEntries(P, options.exclude);
  for (const std::int32_t i : excluded) Exclude(P, i);

  std::vector<SnoopingStep> steps;
  if (options.snooping) {
    // Each iteration is estimated quietly; only the final estimate is
    // written.
    ProtocolWriter quiet;
    for (;;) {
      const Transformation t = Estimate(P, options.model, quiet);
      const AdjustmentResult r = ComputeAdjustment(P, t, options.sigma0);
      const std::optional<SnoopingStep> worst = WorstPoint(r);
      if (!worst || UsedPoints(r) <= 4) break;
      excluded.push_back(P.Find(worst->id));
      Exclude(P, excluded.back());
      steps.push_back(*worst);
    }
  }

  const TPunktTyp c = ReduceToCentroids(P);
  if (ChangesEstimate(options)) {
    out.Add(ModelLine(options.model));
    out.Add(texts::ExcludedPointsText(JoinedIds(excluded, P)));
  }
  const Transformation t = EstimateParameters(P, c, options.model, out);
  if (done) done(t);
  ListResiduals(P, t, out);
  AdjustmentResult result = ComputeAdjustment(P, t, options.sigma0);
  result.snooping = std::move(steps);

  AddCheckPoints(out, result);
  if (options.snooping) AddSnooping(out, result);
  if (options.statistics) AddStatistics(out, result);
  return result;
}

AdjustmentResult AdjustmentRun(RunState& state, const std::string& startFile,
                               const std::string& targetFile, const AdjustmentOptions& options,
                               const ProcessEvents& processEvents) {
  ClearFpErrors();
  state.protocol.Clear();
  LiesStartsystem(state, startFile);
  LiesZielsystem(state, targetFile, processEvents);
  ExcludedEntries(state.P, options.exclude);  // a bad option leaves the transformation in force
  state.transformation.reset();
  ProtocolWriter out(state.protocol, DecimalSeparator());
  AdjustmentResult result = Adjust(state.P, options, out, [&state](const Transformation& t) {
    state.transformation = t;
  });
  result.startFile = FileNameText(startFile);
  result.targetFile = FileNameText(targetFile);
  return result;
}

}  // namespace orthavion
