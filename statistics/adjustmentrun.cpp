#include "statistics/adjustmentrun.h"

#include <cmath>
#include <unordered_set>
#include <utility>

#include "base/fpcheck.h"
#include "statistics/statisticstexts.h"
#include "estimation/centroid.h"
#include "points/pointfiles.h"
#include "statistics/adjustment.h"
#include "statistics/adjustmentprotocol.h"
#include "estimation/estimate.h"
#include "text/codepage.h"

namespace orthavion {

namespace {

// The control points named by `exclude` as table entries; throws
// `OptionError` for a name that is no control point or that comes twice.
std::vector<std::int32_t> ExcludedEntries(PointTable& P, const std::vector<std::string>& exclude) {
  std::unordered_set<std::string_view> seen;
  std::vector<std::int32_t> entries;
  for (const std::string& id : exclude) {
    if (!seen.insert(id).second) throw OptionError(texts::ExcludedTwiceText(id));
    const std::int32_t before = P.size();
    const std::int32_t i = P.SuchPunkt(id);
    // SuchPunkt appends an unknown number; the table is restored from the
    // copy as read before every estimate, so such an entry does no harm.
    if (i >= before || !P[i].Passpunkt) throw OptionError(texts::NotAControlPointText(id));
    entries.push_back(i);
  }
  return entries;
}

// Reduces the table (as read) to the centroids of the control points that
// are not excluded; the excluded ones become check points.
void ReduceWithout(RunState& state, const std::vector<std::int32_t>& out) {
  for (const std::int32_t i : out) {
    state.P[i].Passpunkt = false;
    state.P[i].Kontrollpunkt = true;
  }
  Schwerpunkt(state);
  Schwerpunktreduktion(state);
}

// Runs a snooping estimate into a protocol of its own; the run's protocol
// (and its listener) is put back whatever happens.
class ScratchProtocol {
public:
  explicit ScratchProtocol(RunState& state) : state_(state), kept_(std::move(state.protocol)) {
    state_.protocol = Protocol();
  }
  ~ScratchProtocol() { state_.protocol = std::move(kept_); }
  ScratchProtocol(const ScratchProtocol&) = delete;
  ScratchProtocol& operator=(const ScratchProtocol&) = delete;

private:
  RunState& state_;
  Protocol kept_;
};

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

AdjustmentResult AdjustmentRun(RunState& state, const std::string& startFile,
                               const std::string& targetFile, const AdjustmentOptions& options,
                               const ProcessEvents& processEvents) {
  ClearFpErrors();
  state.BeginRun();
  state.protocol.Clear();
  LiesStartsystem(state, startFile);
  LiesZielsystem(state, targetFile, processEvents);
  std::vector<std::int32_t> out = ExcludedEntries(state.P, options.exclude);
  // The points as read: every estimate starts from them, and the result
  // lists their coordinates exactly as read.
  const PointTable read = state.P;

  std::vector<SnoopingStep> steps;
  if (options.snooping) {
    ScratchProtocol scratch(state);
    for (;;) {
      state.P = read;
      ReduceWithout(state, out);
      EstimateModel(state, options.model);
      const AdjustmentResult r = ComputeAdjustment(state, read, options.model, options.sigma0);
      const std::optional<SnoopingStep> worst = WorstPoint(r);
      if (!worst || UsedPoints(r) <= 4) break;
      out.push_back(state.P.SuchPunkt(worst->id));
      steps.push_back(*worst);
    }
  }

  if (options.snooping) state.P = read;
  ReduceWithout(state, out);
  if (ChangesEstimate(options)) {
    state.protocol.Add(ModelLine(options.model));
    state.protocol.Add(texts::ExcludedPointsText(JoinedIds(out, state.P)));
  }
  EstimateModel(state, options.model);
  AdjustmentResult result = ComputeAdjustment(state, read, options.model, options.sigma0);
  result.startFile = FileNameText(startFile);
  result.targetFile = FileNameText(targetFile);
  result.snooping = std::move(steps);

  AddCheckPoints(state.protocol, result);
  if (options.snooping) AddSnooping(state.protocol, result);
  if (options.statistics) AddStatistics(state.protocol, result);
  return result;
}

}  // namespace orthavion
