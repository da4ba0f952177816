#include "points/fpcheck.h"

#include "points/error.h"

namespace orthavion {

namespace {
constexpr int kWatched = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
}

void ClearFpErrors() { std::feclearexcept(FE_ALL_EXCEPT); }

void CheckFp() {
  const int raised = std::fetestexcept(kWatched);
  if (raised == 0) return;
  std::feclearexcept(FE_ALL_EXCEPT);
  if (raised & FE_DIVBYZERO) throw Error("Gleitkommadivision durch Null");
  if (raised & FE_OVERFLOW) throw Error("Gleitkommaüberlauf");
  throw Error("Ungültige Gleitkommaoperation");
}

double Fp(double value) {
  CheckFp();
  return value;
}

void RaiseFpOverflow() {
  std::feclearexcept(FE_ALL_EXCEPT);
  throw Error("Gleitkommaüberlauf");
}

FpFlagsKept::FpFlagsKept() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }
FpFlagsKept::~FpFlagsKept() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }

}  // namespace orthavion
