#include "report/xmltext.h"

#include <charconv>

namespace orthavion {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

/// The length of the valid UTF-8 sequence at the front of `s` and its code
/// point, or 0 when the first byte does not begin one (overlong forms,
/// surrogates and values beyond U+10FFFF are not valid).
std::size_t DecodeUtf8(std::string_view s, char32_t& cp) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = b(0);
  std::size_t n;
  char32_t min;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    n = 2, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    n = 3, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    n = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool IsXmlChar(char32_t cp) {
  if (cp < 0x20) return cp == '\t' || cp == '\n' || cp == '\r';
  return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
  while (!text.empty()) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(text, cp);
    if (n == 0) {
      out += kReplacement;
      text.remove_prefix(1);
      continue;
    }
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default:
        if (IsXmlChar(cp))
          out.append(text.substr(0, n));
        else
          out += kReplacement;
    }
    text.remove_prefix(n);
  }
}

void AppendNumber(std::string& out, double value, int decimals) {
  char buffer[400];  // the largest double has 309 digits before the point
  std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  const std::string_view digits(buffer, static_cast<std::size_t>(r.ptr - buffer));
  // "-0.00": a negative value that rounds to zero.
  if (digits.front() == '-' && digits.find_first_not_of("-0.") == std::string_view::npos)
    out.append(digits.substr(1));
  else
    out.append(digits);
}

}  // namespace orthavion
