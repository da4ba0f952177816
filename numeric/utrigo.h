#pragma once

namespace orthavion {

/// sqrt(X^2 + Y^2) without overflow or destructive underflow: the larger
/// magnitude is factored out, so only a ratio of at most 1 is squared.
/// Sets the error code to FOk first, erasing any earlier code.
double Pythag(double X, double Y);

}  // namespace orthavion
