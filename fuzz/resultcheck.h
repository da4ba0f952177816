#pragma once
// The property of reading a saved result (export/savedtransformation.h) on
// arbitrary bytes: it ends either with a transformation that can be applied
// (every value finite, R a rotation, the row scales those of its model) or
// with one of the reader's own German errors, never with another exception,
// a crash or a hang.

#include <cmath>
#include <exception>
#include <string>
#include <string_view>

#include "base/error.h"
#include "result/resultreader.h"
#include "fuzz/outcome.h"

namespace fuzzcheck {

inline Outcome CheckResult(std::string_view bytes) {
  Outcome out;
  orthavion::Transformation t;
  try {
    t = orthavion::ParseResultTransformation(std::string(bytes));
  } catch (const orthavion::Error& e) {
    out.error = e.what();
    const bool ownText = out.error.starts_with("Ergebnisdatei ungültig: ");
    if (!ownText) out.violation = "an error that is not the reader's: " + out.error;
    return out;
  } catch (const std::exception& e) {
    out.violation = std::string("an exception that is not the system's: ") + e.what();
    return out;
  }
  const auto finite = [](const auto& values) {
    for (const double v : values)
      if (!std::isfinite(v)) return false;
    return true;
  };
  if (!finite(t.startCentroid) || !finite(t.targetCentroid) || !finite(t.rowScale) ||
      !finite(t.R[0]) || !finite(t.R[1]) || !finite(t.R[2]) || !std::isfinite(t.scale))
    out.violation = "a value that is not finite was accepted";
  // RᵀR = I, judged in long double.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      long double dot = 0;
      for (int k = 0; k < 3; ++k) dot += static_cast<long double>(t.R[k][i]) * t.R[k][j];
      if (std::fabs(dot - (i == j ? 1.0L : 0.0L)) > 2e-9L)
        out.violation = "a matrix that is not orthonormal was accepted";
    }
  const bool heightsScaled = t.model != orthavion::Model::Horizontal5;
  if (!(t.scale > 0) || t.rowScale[0] != t.scale || t.rowScale[1] != t.scale ||
      t.rowScale[2] != (heightsScaled ? t.scale : 1.0))
    out.violation = "row scales that do not belong to the model";
  return out;
}

}  // namespace fuzzcheck
