#include "numeric/utrigo.h"

#include <cmath>

#include "numeric/utypes.h"

namespace orthavion {

double Pythag(double X, double Y) {
  SetErrCode(FOk);
  const double AbsX = std::fabs(X);
  const double AbsY = std::fabs(Y);
  // The comparison fails when either magnitude is a NaN; the NaN then
  // propagates through the first branch.
  if (!(AbsY >= AbsX)) {
    const double Ratio = AbsY / AbsX;
    return AbsX * std::sqrt(1.0 + Ratio * Ratio);
  }
  // Both arguments are zero: no division.
  if (AbsY == 0.0) return 0.0;
  const double Ratio = AbsX / AbsY;
  return AbsY * std::sqrt(1.0 + Ratio * Ratio);
}

}  // namespace orthavion
