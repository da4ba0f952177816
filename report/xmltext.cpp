#include "report/xmltext.h"

#include <charconv>

#include "text/codepage.h"

namespace orthavion {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsXmlChar(char32_t cp) {
  if (cp < 0x20) return cp == '\t' || cp == '\n' || cp == '\r';
  return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
  while (!text.empty()) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8At(text, 0, cp);
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
