#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace fuzzcheck {

/// `bytes` as printable text for a report: printable ASCII as it is, every
/// other byte as \xHH; cut after `limit` bytes.
inline std::string Shown(std::string_view bytes, std::size_t limit = 200) {
  std::string out = "'";
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  out += bytes.size() > limit ? "'..." : "'";
  return out;
}

/// A double with all its digits.
inline std::string Shown(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace fuzzcheck
