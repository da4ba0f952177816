#pragma once
// Shared set-up of the OBJ command tests: the transformation of the
// examples (identity, scale 1, centroids (10, 20, 30) and (1000010, 2000020,
// 30)) and a runner that records what the command shows.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "carry/obj.h"
#include "points/runstate.h"
#include "support/testdir.h"

namespace objtest {

/// A state as a complete run leaves it: R the identity, M1 = `scale`, start
/// centroid (10, 20, 30), target centroid (`targetX`, 2000020, 30).
inline orthavion::RunState ExampleState(double targetX = 1000010.0, double scale = 1.0) {
  orthavion::Transformation t;
  t.startCentroid = {10.0, 20.0, 30.0};
  t.targetCentroid = {targetX, 2000020.0, 30.0};
  for (int i = 0; i < 3; ++i) t.R[i][i] = 1.0;
  t.scale = scale;
  t.rowScale = {scale, scale, scale};
  orthavion::RunState s;
  s.transformation = t;
  return s;
}

/// What one command showed: status texts, progress calls, questions asked.
struct Shown {
  std::vector<std::string> statuses;
  std::vector<std::pair<std::int64_t, std::int64_t>> progress;
  int questions = 0;
};

/// A view that records into `shown` and answers the question with `shorten`.
inline orthavion::CommandView RecordingView(Shown& shown, bool shorten) {
  orthavion::CommandView v;
  v.status = [&shown](const std::string& t) { shown.statuses.push_back(t); };
  v.askShorten = [&shown, shorten] {
    ++shown.questions;
    return shorten;
  };
  v.progress = [&shown](std::int64_t p, std::int64_t m) { shown.progress.emplace_back(p, m); };
  return v;
}

/// Transforms the model `input` (bytes) in a fresh folder and returns the
/// bytes written; `shown` receives what the command showed.
inline std::string TransformBytes(const orthavion::RunState& state, const std::string& input,
                                  bool shorten, Shown* shown = nullptr) {
  testsupport::TestDir dir;
  Shown local;
  orthavion::TransformObj(state.TransformationInForce(), dir.write("in.obj", input), dir.file("out.obj"),
                          RecordingView(shown ? *shown : local, shorten));
  return testsupport::ReadBytes(dir.file("out.obj"));
}

}  // namespace objtest
