#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/hooks.h"
#include "estimation/estimate.h"
#include "points/runstate.h"
#include "protocol/protocolwriter.h"
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

/// The adjustment of the points `read` (entries 1 to n as read, control
/// points marked `Passpunkt`) with `options`, a function of its arguments
/// that may run on several threads at once: leaves the excluded points out
/// of the estimation (they are check points), estimates the model (with
/// data snooping, each iteration quietly: while the largest |test value| of
/// a used coordinate exceeds the critical value and more than four points
/// are used, that whole point is excluded and the model estimated again)
/// and computes the statistics. `done` hears the final estimate once its
/// parameters are complete.
///
/// `out` receives the estimation of the final set of points; when the
/// options change the estimate, the lines "Modell: ..." and "Ausgeschlossene
/// Punkte: ..." stand before it. Then the check points, the snooping steps
/// and, with `statistics`, the statistics sections. Without options the
/// lines are the plain run's, line for line. The result's file names are
/// left empty. An excluded point that is no control point, or one excluded
/// twice: `OptionError` naming it, before any line.
AdjustmentResult Adjust(const PointTable& read, const AdjustmentOptions& options,
                        ProtocolWriter& out, const ParametersDone& done = {});

/// The transformation run with the adjustment's options, the thin outer
/// layer of `Adjust` on `state`: clears the protocol, reads both point
/// files (listing them), checks the excluded points, withdraws the
/// transformation in force and adjusts, the lines going to the state's
/// protocol with the decimal separator the reading left; the final
/// estimate is in force once its parameters are complete.
///
/// Does not save the protocol (the caller saves it, with the other outputs).
/// Errors as `Error` like the plain run (the lines so far stay in the
/// protocol); a bad excluded point: `OptionError` naming it, after the
/// listings, with the transformation in force left as it was.
AdjustmentResult AdjustmentRun(RunState& state, const std::string& startFile,
                               const std::string& targetFile, const AdjustmentOptions& options,
                               const ProcessEvents& processEvents = {});

}  // namespace orthavion
