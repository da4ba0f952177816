#include "numeric/uminmax.h"

#include <cmath>

namespace orthavion {

double FMax(double X, double Y) { return (Y > X) ? Y : X; }

std::int32_t IMin(std::int32_t X, std::int32_t Y) { return (X > Y) ? Y : X; }

double DSgn(double A, double B) { return (B >= 0.0) ? std::fabs(A) : -std::fabs(A); }

void FSwap(double& X, double& Y) {
  const double Temp = X;
  X = Y;
  Y = Temp;
}

}  // namespace orthavion
