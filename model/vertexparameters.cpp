#include "model/vertexparameters.h"

#include <cstdint>

#include "base/fpcheck.h"

namespace orthavion {

namespace {

/// `c` less the whole multiples of 10000 it holds: c − 10000·trunc(c/10000),
/// the quotient truncated toward zero to a 64-bit integer. A quotient beyond
/// the 64-bit range is an invalid operation, as the conversion of the
/// hardware reports it.
double Shortened(double c) {
  const double q = c / 10000.0;
  if (!(q >= -9223372036854775808.0 && q < 9223372036854775808.0))
    RaiseFpInvalid();
  const auto whole = static_cast<std::int64_t>(q);
  return c - 10000.0 * static_cast<double>(whole);
}

}  // namespace

VertexParameters VertexParametersOf(const RunState& state, bool shorten) {
  const TPunktTyp& c = state.P[0];
  return VertexParameters{{c.XS, c.YS, c.ZS},
                          state.R,
                          {state.S[1], state.S[2], state.S[3]},
                          {shorten ? Shortened(c.XZ) : c.XZ, shorten ? Shortened(c.YZ) : c.YZ, c.ZZ}};
}

}  // namespace orthavion
