#include "statistics/sigma0.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "base/fpcheck.h"

namespace orthavion {

std::optional<double> ParseSigma0(std::string_view text, DecimalMark mark) {
  std::string field(text);
  if (mark == DecimalMark::PointOrComma) std::replace(field.begin(), field.end(), ',', '.');
  double value = 0.0;
  FpFlagsKept keep;  // the parser's flags are not the command's
  const char* const end = field.data() + field.size();
  const auto [stop, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || stop != end || !std::isfinite(value) || !(value > 0.0))
    return std::nullopt;
  return value;
}

}  // namespace orthavion
