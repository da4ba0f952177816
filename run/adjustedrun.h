#pragma once
// An adjusted run together with the files it writes: what orthavion-batch
// does with the adjustment's options and what the analysis window's "Neu
// berechnen" and "Datensnooping" do, in one place, so that both write the
// same files.

#include <optional>
#include <string>

#include "base/hooks.h"
#include "points/runstate.h"
#include "statistics/adjustmentresult.h"
#include "statistics/adjustmentrun.h"

namespace orthavion {

/// The files an adjusted run writes besides its protocol: each the name of
/// the file, or nothing.
struct RunOutputs {
  std::optional<std::string> json;    ///< the whole result as JSON
  std::optional<std::string> report;  ///< the HTML report
  std::optional<std::string> proj;    ///< the forward PROJ string, one line
};

/// What an adjusted run leaves besides its protocol and files.
struct AdjustedRun {
  AdjustmentResult result;
  std::string runTime;  ///< when it started, as the report states it
};

/// `AdjustmentRun` with `options` on the two point files, then its protocol
/// saved as the protocol file beside `startFile` together with `outputs`
/// (`SaveWithProtocol`): every file is written completely before any is
/// renamed over its name, so an error leaves all of them as they were.
/// Throws as `AdjustmentRun` and `SaveWithProtocol` do.
AdjustedRun RunAdjustment(RunState& state, const std::string& startFile,
                          const std::string& targetFile, const AdjustmentOptions& options,
                          const RunOutputs& outputs, const ProcessEvents& processEvents = {});

}  // namespace orthavion
