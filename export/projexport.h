#pragma once
// The estimated transformation in the forms other programs take: PROJ
// strings and the 3x4 matrix [m·R | t].

#include <string>

#include "export/projstring.h"
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

/// Saves the forward PROJ string of `r` as `fileName`, one line ended by
/// LF (temporary file, then rename). Throws `Error` "Datei "<name>" kann
/// nicht erstellt werden. <reason>" or "Stream konnte nicht gespeichert
/// werden".
void SaveProjString(const AdjustmentResult& r, const std::string& fileName);

/// target = offset + A·start with A[i][j] = R[i][j]·rowScale[i] and the
/// offset the translation at the start system's origin.
AffineParameters AffineOf(const AdjustmentResult& r);

}  // namespace orthavion
