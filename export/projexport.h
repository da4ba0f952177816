#pragma once
// The estimated transformation in the forms other programs take: PROJ
// strings and the 3x4 matrix [m·R | t].

#include <string>

#include "export/projstring.h"
#include "protocol/outputfiles.h"
#include "statistics/adjustmentresult.h"

namespace orthavion {

/// The forward and the inverse PROJ operation of a result.
struct ProjStrings {
  std::string forward, inverse;
};

/// The PROJ strings of `r`: the exact position-vector Helmert operation for
/// similarity7 and rigid6 (s = 0 for rigid6), an affine operation for
/// horizontal5, whose heights are shifted but not scaled.
ProjStrings ProjStringsOf(const AdjustmentResult& r);

/// The forward PROJ string of `result` as one line, for `SaveWithProtocol`
/// (`--export-proj`); `result` must outlive the returned value.
OutputFile ProjStringFile(const AdjustmentResult& result, const std::string& fileName);

/// target = offset + A·start with A[i][j] = R[i][j]·rowScale[i] and the
/// offset the translation at the start system's origin.
AffineParameters AffineOf(const AdjustmentResult& r);

}  // namespace orthavion
