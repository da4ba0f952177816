#include "base/fpcheck.h"

#include "base/error.h"
#include "base/texts.h"

namespace orthavion {

namespace {
constexpr int kWatched = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
}

void ClearFpErrors() { std::feclearexcept(FE_ALL_EXCEPT); }

void CheckFp() {
  const int raised = std::fetestexcept(kWatched);
  if (raised == 0) return;
  std::feclearexcept(FE_ALL_EXCEPT);
  if (raised & FE_DIVBYZERO) throw Error(texts::kDivisionByZero);
  if (raised & FE_OVERFLOW) throw Error(texts::kOverflow);
  throw Error(texts::kInvalidOperation);
}

double Fp(double value) {
  CheckFp();
  return value;
}

void RaiseFpOverflow() {
  std::feclearexcept(FE_ALL_EXCEPT);
  throw Error(texts::kOverflow);
}

void RaiseFpInvalid() {
  std::feclearexcept(FE_ALL_EXCEPT);
  throw Error(texts::kInvalidOperation);
}

FpFlagsKept::FpFlagsKept() : saved_(std::fetestexcept(kWatched)) {}

FpFlagsKept::~FpFlagsKept() {
  // Testing the flags is cheap, setting them is not: act only on a change of
  // the flags that count. The exceptions are masked, so raising a flag only
  // sets it.
  const int now = std::fetestexcept(kWatched);
  if (now == saved_) return;
  if (const int added = now & ~saved_) std::feclearexcept(added);
  if (const int lost = saved_ & ~now) std::feraiseexcept(lost);
}

}  // namespace orthavion
