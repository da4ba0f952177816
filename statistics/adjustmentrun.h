#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/hooks.h"
#include "points/runstate.h"
#include "statistics/adjustmentresult.h"
#include "transformation/model.h"

namespace orthavion {

/// What an adjustment run estimates and reports.
struct AdjustmentOptions {
  Model model = Model::Similarity7;
  std::vector<std::string> exclude;  ///< control points left out (check points)
  bool snooping = false;             ///< iterative data snooping
  std::optional<double> sigma0;      ///< a-priori σ of a coordinate [m], > 0
  bool statistics = false;           ///< append the statistics sections
};

/// An option that does not fit the point files (a point to exclude that is
/// no control point, or one named twice); the batch program exits with 2.
class OptionError : public Error {
public:
  using Error::Error;
};

/// True when the options change the estimate (another model, excluded
/// points, snooping): the protocol then names the model and the excluded
/// points.
bool ChangesEstimate(const AdjustmentOptions& options);

/// The transformation run with the adjustment's options: clears the
/// protocol, reads both point files, leaves the excluded points out of the
/// estimation (they are check points), estimates the model (with data
/// snooping: while the largest |test value| of a used coordinate exceeds the
/// critical value and more than four points are used, that whole point is
/// excluded and the model estimated again) and computes the statistics.
///
/// The protocol holds the listings and the estimation of the final set of
/// points; when the options change the estimate, the lines "Modell: ..." and
/// "Ausgeschlossene Punkte: ..." stand before it. Then the check points, the
/// snooping steps and, with `statistics`, the statistics sections. Without
/// options the protocol is the plain run's, line for line.
///
/// Does not save the protocol (the caller saves it, with the other outputs).
/// Errors as `Error` like the plain run (the lines so far stay in the
/// protocol); an excluded point that is no control point, or one excluded
/// twice: `OptionError` naming it, after the listings.
AdjustmentResult AdjustmentRun(RunState& state, const std::string& startFile,
                               const std::string& targetFile, const AdjustmentOptions& options,
                               const ProcessEvents& processEvents = {});

}  // namespace orthavion
