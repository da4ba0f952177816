#pragma once
// What a command line of orthavion-batch asks for.

#include <optional>
#include <string>

#include "run/adjustedrun.h"
#include "statistics/adjustmentrun.h"

namespace orthavion::batch {

/// An input file and the file its transformed copy is written to.
struct FilePair {
  std::string in, out;
};

/// A command line, read.
struct Arguments {
  std::string start, target;                 ///< the point files of a run
  std::optional<std::string> apply;          ///< a saved result instead of a run
  std::optional<FilePair> obj, points, xyz;  ///< the files carried into the target system
  bool shorten = false;  ///< answers "Koordinaten kürzen?" with Yes
  bool help = false, version = false;
  bool adjusted = false;  ///< an option of the adjustment is given
  AdjustmentOptions options;
  RunOutputs outputs;
};

}  // namespace orthavion::batch
