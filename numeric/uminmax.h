#pragma once
#include <cstdint>

namespace orthavion {

/// Returns Y if Y > X, otherwise X: equal values and a pair with a NaN on
/// either side yield X.
double FMax(double X, double Y);

/// Returns Y if X > Y, otherwise X.
std::int32_t IMin(std::int32_t X, std::int32_t Y);

/// Returns |A| if B >= 0, otherwise -|A|. An ordinary comparison decides, not
/// the sign bit: B = -0.0 gives +|A|, a NaN B gives -|A|.
double DSgn(double A, double B);

/// Exchanges the values of X and Y.
void FSwap(double& X, double& Y);

}  // namespace orthavion
