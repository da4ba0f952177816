#include "text/tokenizer.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <optional>

#include "base/decimalseparator.h"
#include "base/fpcheck.h"

namespace orthavion {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view SkipSpaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

/// The magnitude of a checked number of at most 2^53 in its digits
/// (`integer` and `fraction` digits, times 10^`exponent`), when one IEEE
/// multiplication or division by an exact power of ten up to 10^22 gives it.
/// Both operands are then exact and the one rounding is the correct one, so
/// the result equals std::from_chars's, without its cost and without any
/// flag but "inexact". Empty for every other number.
std::optional<double> ExactQuotient(std::string_view integer, std::string_view fraction,
                                    std::int64_t exponent) {
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  if (integer.size() + fraction.size() > 19) return std::nullopt;
  std::uint64_t digits = 0;
  for (char c : integer) digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
  for (char c : fraction) digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
  if (digits > kExactLimit) return std::nullopt;
  const std::int64_t scale = exponent - static_cast<std::int64_t>(fraction.size());
  if (scale < -22 || scale > 22) return std::nullopt;
  const double d = static_cast<double>(digits);
  return scale >= 0 ? d * kPowersOfTen[scale] : d / kPowersOfTen[-scale];
}

// Applies a view-based reader to a string record and shortens the string by
// what the reader consumed.
template <typename Reader>
auto OnString(std::string& record, Reader read) {
  std::string_view view(record);
  auto result = read(view);
  record.erase(0, record.size() - view.size());
  return result;
}

}  // namespace

std::string_view TakeField(std::string_view& record) {
  record = SkipSpaces(record);
  const std::size_t space = record.find(' ');
  if (space == std::string_view::npos) {
    const std::string_view field = record;
    record = std::string_view();
    return field;
  }
  const std::string_view field = record.substr(0, space);
  record = SkipSpaces(record.substr(space));
  return field;
}

std::int32_t ParseIntField(std::string_view f) {
  std::size_t i = 0;
  bool negative = false;
  if (i < f.size() && (f[i] == '+' || f[i] == '-')) negative = f[i++] == '-';
  if (i == f.size()) return 0;

  std::size_t digits = i;
  bool hex = false;
  if (f[i] == '$' || f[i] == 'x' || f[i] == 'X') {
    hex = true;
    digits = i + 1;
  } else if (f[i] == '0' && i + 1 < f.size() && (f[i + 1] == 'x' || f[i + 1] == 'X')) {
    hex = true;
    digits = i + 2;
  }
  if (digits == f.size()) return 0;

  if (hex) {
    std::uint32_t value = 0;
    int significant = 0;
    for (std::size_t k = digits; k < f.size(); ++k) {
      const int h = HexValue(f[k]);
      if (h < 0) return 0;
      if (significant > 0 || h != 0) ++significant;
      if (significant > 8) return 0;
      value = (value << 4) | static_cast<std::uint32_t>(h);
    }
    // Two's complement of 32 bits; the sign negates modulo 2^32.
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
  }

  std::int64_t value = 0;
  for (std::size_t k = digits; k < f.size(); ++k) {
    if (!IsDigit(f[k])) return 0;
    value = value * 10 + (f[k] - '0');
    if (value > std::int64_t{1} << 31) return 0;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(value);
}

char FieldSeparator(std::string_view field) {
  return field.find(',') != std::string_view::npos ? ',' : '.';
}

double ParseFloatField(std::string_view f) {
  const char sep = FieldSeparator(f);
  SetDecimalSeparator(sep);
  return ParseFloatFieldWith(f, sep);
}

NumberForm MatchNumberField(std::string_view f, char sep) {
  NumberForm m;
  std::size_t i = 0;
  if (i < f.size() && (f[i] == '+' || f[i] == '-')) m.negative = f[i++] == '-';
  m.intBegin = i;
  while (i < f.size() && IsDigit(f[i])) ++i;
  m.intEnd = m.fracBegin = m.fracEnd = i;
  if (i < f.size() && f[i] == sep) {
    m.fracBegin = ++i;
    while (i < f.size() && IsDigit(f[i])) ++i;
    m.fracEnd = i;
  }
  if (m.intEnd == m.intBegin && m.fracEnd == m.fracBegin) return m;
  if (i < f.size() && (f[i] == 'E' || f[i] == 'e')) {
    ++i;
    bool expNegative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) expNegative = f[i++] == '-';
    const std::size_t expBegin = i;
    while (i < f.size() && IsDigit(f[i])) {
      // Saturate: an exponent of a billion is as far out of range as any.
      if (m.exponent < 1'000'000'000) m.exponent = m.exponent * 10 + (f[i] - '0');
      ++i;
    }
    if (i == expBegin) return m;
    if (expNegative) m.exponent = -m.exponent;
  }
  m.valid = i == f.size();
  return m;
}

double ParseFloatFieldWith(std::string_view f, char sep) {
  const NumberForm m = MatchNumberField(f, sep);
  return m.valid ? ConvertNumberField(f, m) : 0.0;
}

double ConvertNumberField(std::string_view f, const NumberForm& m) {
  // The decimal exponent of the leading significant digit tells an
  // overflow from an underflow below.
  const bool negative = m.negative;
  const std::size_t intBegin = m.intBegin, intEnd = m.intEnd;
  const std::size_t fracBegin = m.fracBegin, fracEnd = m.fracEnd;
  const std::int64_t exponent = m.exponent;

  // Position of the first non-zero digit as a power of ten.
  std::int64_t leading = 0;
  bool zero = true;
  for (std::size_t k = intBegin; k < intEnd; ++k)
    if (f[k] != '0') { leading = static_cast<std::int64_t>(intEnd - k) - 1; zero = false; break; }
  if (zero)
    for (std::size_t k = fracBegin; k < fracEnd; ++k)
      if (f[k] != '0') { leading = -static_cast<std::int64_t>(k - fracBegin) - 1; zero = false; break; }
  if (zero) return negative ? -0.0 : 0.0;
  leading += exponent;
  if (leading > 400) RaiseFpOverflow();
  if (leading < -400) return negative ? -0.0 : 0.0;
  if (const auto fast = ExactQuotient(f.substr(intBegin, intEnd - intBegin),
                                      f.substr(fracBegin, fracEnd - fracBegin), exponent)) {
    return negative ? -*fast : *fast;
  }

  // Hand the checked number to std::from_chars in its own syntax: digits,
  // '.', 'e', no '+' sign.
  char small[128];
  std::string large;  // only for fields of more than a hundred characters
  const std::string_view text = f.substr(negative || f[0] == '+' ? 1 : 0);
  char* buffer = small;
  if (text.size() + 1 > sizeof small) {
    large.resize(text.size() + 1);
    buffer = large.data();
  }
  std::size_t n = 0;
  if (negative) buffer[n++] = '-';
  for (char c : text) buffer[n++] = (c == ',') ? '.' : c;

  double value = 0.0;
  std::from_chars_result r;
  {
    FpFlagsKept keep;  // the parser's own inexact/underflow flags are not the command's
    r = std::from_chars(buffer, buffer + n, value, std::chars_format::general);
  }
  if (r.ec == std::errc::result_out_of_range) {
    if (leading > 0) RaiseFpOverflow();
    return negative ? -0.0 : 0.0;
  }
  return value;
}

std::int32_t GetInt(std::string_view& record) { return ParseIntField(TakeField(record)); }
double GetFloat(std::string_view& record) { return ParseFloatField(TakeField(record)); }

std::string GetStr(std::string& s) {
  return OnString(s, [](std::string_view& v) { return std::string(TakeField(v)); });
}
std::int32_t GetInt(std::string& Satz) {
  return OnString(Satz, [](std::string_view& v) { return GetInt(v); });
}
double GetFloat(std::string& Satz) {
  return OnString(Satz, [](std::string_view& v) { return GetFloat(v); });
}

}  // namespace orthavion
