#pragma once
// The a-priori σ0 of a coordinate as it is typed: on the batch program's
// command line (--sigma0) and in the analysis window's field.

#include <optional>
#include <string_view>

namespace orthavion {

/// The decimal separators a typed number may use.
enum class DecimalMark {
  Point,         ///< "0.005" only (the command line)
  PointOrComma,  ///< "0.005" or "0,005" (a field of the window)
};

/// σ0 in metres from `text`: a positive, finite number in the plain form
/// "0.005" or "5e-3" that fills the whole text (no blanks, no "+", no hex
/// form); nothing otherwise. Leaves the floating-point flags of the command
/// as they were.
std::optional<double> ParseSigma0(std::string_view text, DecimalMark mark);

}  // namespace orthavion
