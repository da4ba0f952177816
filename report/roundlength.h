#pragma once
// Round lengths for the scales of a plot: 1, 2 or 5 times a power of ten,
// kept as digit and exponent so that their texts are exact.

#include <string>

namespace orthavion {

/// digit · 10^exponent metres, digit 1, 2 or 5.
struct RoundLength {
  int digit;
  int exponent;

  /// The length in metres (the nearest double).
  double Metres() const;
  /// The length as the user reads it: in km from 1 km, in m from 1 m, in mm
  /// below, with only the decimals it has: "5 km", "200 m", "1 m", "50 mm",
  /// "0.5 mm", "0.02 mm".
  std::string Text() const;
};

/// The round length nearest to `metres` (1e-300 to 1e300) by ratio: the one of
/// 1, 2, 5 · 10^n for which max(l/metres, metres/l) is smallest; at a tie the
/// larger one.
RoundLength NearestRoundLength(double metres);

}  // namespace orthavion
