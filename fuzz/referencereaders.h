#pragma once
#include <locale.h>
#include <stdlib.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fuzzcheck {

/// Readers of a single field written from the grammar of the record
/// tokenizer, independently of it, to compare the tokenizer against.

/// An integer field: [+|-] then decimal digits, or a hexadecimal prefix
/// ("0x", "0X", "$", "x", "X") and hexadecimal digits; nothing else. A
/// decimal value outside the int32 range gives 0; a hexadecimal one may use
/// 32 bits (two's complement), more than 8 significant digits give 0.
inline std::int32_t ReferenceInt(std::string_view field) {
  std::string_view s = field;
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  bool hex = false;
  for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (s.starts_with(prefix)) {
      hex = true;
      s.remove_prefix(prefix.size());
      break;
    }
  }
  const std::string_view allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
  if (s.empty() || s.find_first_not_of(allowed) != std::string_view::npos) return 0;

  const std::string digits(s);  // strtoul needs a terminated text
  if (hex) {
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead != std::string::npos && digits.size() - lead > 8) return 0;
    const auto magnitude = static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
    // The sign negates modulo 2^32; the conversion to int32 is modulo 2^32.
    return static_cast<std::int32_t>(negative ? ~magnitude + 1u : magnitude);
  }
  errno = 0;
  const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, 10);
  if (errno == ERANGE) return 0;
  const unsigned long long limit = negative ? 2147483648ull : 2147483647ull;
  if (magnitude > limit) return 0;
  const long long value = static_cast<long long>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

/// The reading of a real field.
struct FloatReading {
  char separator;  ///< ',' when the field holds a comma, else '.'
  bool overflow;   ///< a number whose magnitude is beyond the largest double
  double value;    ///< the number rounded to a double; 0.0 when not a number
};

/// A real field: [+|-] digits [sep digits] [(E|e) [+|-] digits], where sep
/// is ',' when the field holds a comma and '.' otherwise, and either digit
/// run around sep may be empty but not both. The value is strtod's under
/// the "C" locale, of the field with sep replaced by '.'. A field that does
/// not match reads 0.0.
inline FloatReading ReferenceFloat(std::string_view field) {
  static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", nullptr);
  const char sep = field.find(',') == std::string_view::npos ? '.' : ',';
  const FloatReading none{sep, false, 0.0};

  std::size_t i = 0;
  const auto digitRun = [&] {
    const std::size_t begin = i;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
    return i - begin;
  };
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
  std::size_t digits = digitRun();
  if (i < field.size() && field[i] == sep) {
    ++i;
    digits += digitRun();
  }
  if (digits == 0) return none;
  if (i < field.size() && (field[i] == 'E' || field[i] == 'e')) {
    ++i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    if (digitRun() == 0) return none;
  }
  if (i != field.size()) return none;

  std::string text(field);
  for (char& c : text)
    if (c == ',') c = '.';
  errno = 0;
  char* end = nullptr;
  const double value = ::strtod_l(text.c_str(), &end, cLocale);
  if (end != text.c_str() + text.size())
    throw std::logic_error("strtod stopped early in the reference reading of " + text);
  return {sep, errno == ERANGE && std::isinf(value), value};
}

}  // namespace fuzzcheck
