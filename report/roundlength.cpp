#include "report/roundlength.h"

#include <charconv>
#include <cmath>

namespace orthavion {

double RoundLength::Metres() const {
  // 10^exponent as a literal would be: correctly rounded, where
  // digit * std::pow(10, exponent) may be off by an ulp.
  const std::string literal = std::to_string(digit) + "e" + std::to_string(exponent);
  double metres = 0;
  std::from_chars(literal.data(), literal.data() + literal.size(), metres);
  return metres;
}

std::string RoundLength::Text() const {
  // The unit: km from 1 km, m from 1 m, mm below.
  const int unit = exponent >= 3 ? 3 : exponent >= 0 ? 0 : -3;
  const char* name = unit == 3 ? " km" : unit == 0 ? " m" : " mm";
  const int shift = exponent - unit;  // digit · 10^shift units
  std::string text;
  if (shift >= 0) {
    text = std::to_string(digit) + std::string(static_cast<std::size_t>(shift), '0');
  } else {
    text = "0." + std::string(static_cast<std::size_t>(-shift - 1), '0') + std::to_string(digit);
  }
  return text + name;
}

RoundLength NearestRoundLength(double metres) {
  // The decade below: 10^n <= metres < 10^(n+1), corrected where log10
  // rounds across a power of ten.
  int n = static_cast<int>(std::floor(std::log10(metres)));
  if (RoundLength{1, n}.Metres() > metres) --n;
  if (RoundLength{1, n + 1}.Metres() <= metres) ++n;
  // The candidates 1, 2, 5, 10 of the decade; the ratio to the next one up
  // decides at their geometric mean.
  const RoundLength candidates[] = {{1, n}, {2, n}, {5, n}, {1, n + 1}};
  for (int i = 0; i < 3; ++i) {
    const double lower = candidates[i].Metres(), upper = candidates[i + 1].Metres();
    if (metres / lower < upper / metres) return candidates[i];
  }
  return candidates[3];
}

}  // namespace orthavion
