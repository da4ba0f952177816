#pragma once
// The estimated transformation as PROJ strings.

#include <string>

#include "export/projstring.h"
#include "statistics/adjustmentresult.h"
#include "text/outputfiles.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The forward and the inverse PROJ operation of a transformation.
struct ProjStrings {
  std::string forward, inverse;
};

/// The PROJ strings of `t`: the exact position-vector Helmert operation for
/// similarity7 and rigid6 (s = 0 for rigid6), an affine operation for
/// horizontal5, whose heights are shifted but not scaled.
ProjStrings ProjStringsOf(const Transformation& t);

/// The forward PROJ string of `result` as one line, for `SaveWithProtocol`
/// (`--export-proj`); `result` must outlive the returned value.
OutputFile ProjStringFile(const AdjustmentResult& result, const std::string& fileName);

}  // namespace orthavion
