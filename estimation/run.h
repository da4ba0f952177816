#pragma once
#include <string>

#include "base/hooks.h"
#include "points/runstate.h"

namespace orthavion {

/// The transformation run: clears the protocol, reads both point files,
/// forms the centroids and reduces to them, estimates the parameters and
/// saves the protocol as "Trafoprotokoll.txt" beside the start file. The
/// first error ends the run where it stands (as `Error`): the lines appended
/// so far stay in the protocol and no protocol file is written.
void TransformationRun(RunState& state, const std::string& startFile,
                       const std::string& targetFile, const ProcessEvents& processEvents = {});

}  // namespace orthavion
