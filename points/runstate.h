#pragma once
#include <optional>

#include "points/pointtable.h"
#include "protocol/protocol.h"
#include "transformation/transformation.h"

namespace orthavion {

/// What the runs of a window (or of the batch program) leave behind for its
/// next command: the points the last run read, its protocol and the
/// transformation in force. The window owns one; it lives until the program
/// ends. This is the thin outer layer of the estimation, which itself is a
/// function of values (estimation/estimate.h).
struct RunState {
  PointTable P;  ///< entries 1 to n the points as the last run read them
  Protocol protocol;
  /// The transformation the commands that carry files apply: a run withdraws
  /// it when its estimation begins and puts its own in force once the
  /// parameters are complete; a run that fails before that leaves none.
  std::optional<Transformation> transformation;

  /// `transformation`, or `Error` "Keine Transformation vorhanden: bitte
  /// zuerst die Transformation berechnen" when there is none.
  const Transformation& TransformationInForce() const;
};

}  // namespace orthavion
