#include "text/numformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "base/decimalseparator.h"
#include "text/codepage.h"

namespace orthavion {

namespace {

// Digits of a value that are judged and written; later ones are zeros.
constexpr int kSignificant = 18;
// Largest precision of %f and %e. The system uses at most 6; the limit keeps
// every number inside a fixed stack buffer.
constexpr int kMaxPrecision = 40;
// Largest field width, so that parsing it cannot overflow.
constexpr int kMaxWidth = 9999;
// Sign, 309 integer digits of the largest double, separator, decimals.
constexpr int kNumberBuffer = 1 + 309 + 1 + kMaxPrecision + 8;

/// The magnitude of a double as a decimal: `digits[0]` stands at
/// 10^`exponent`, followed by `count` - 1 more digits; all later digits are
/// zero. `count` == 0 is the value zero.
struct Decimal {
  char digits[kSignificant];
  int count;
  int exponent;
  bool negative;
};

/// The value's decimal expansion to 18 significant digits, correctly rounded
/// by std::to_chars ("d.ddddddddddddddddde±xx").
Decimal Expand(double value) {
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0.0) {
    d.count = 0;
    d.exponent = 0;
    return d;
  }
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, std::fabs(value),
                                 std::chars_format::scientific, kSignificant - 1).ptr;
  d.digits[0] = text[0];
  for (int i = 1; i < kSignificant; ++i) d.digits[i] = text[i + 1];
  d.count = kSignificant;
  const char* e = text + kSignificant + 2;  // the exponent's sign after 'e'
  int exponent = 0;
  for (const char* p = e + 1; p != end; ++p) exponent = exponent * 10 + (*p - '0');
  d.exponent = *e == '-' ? -exponent : exponent;
  return d;
}

/// Keeps the first `keep` digits of `d`, rounding the magnitude half away
/// from zero on the digit that follows. A carry out of the leading digit
/// (9.99 to 10.0) raises the exponent; `keep` <= 0 may round to zero.
void RoundTo(Decimal& d, int keep) {
  if (keep >= d.count) return;
  if (keep < 0) {
    d.count = 0;
    return;
  }
  const bool up = d.digits[keep] >= '5';
  d.count = keep;
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[i] == '9') --i;
  if (i < 0) {  // all kept digits were nines, or none was kept
    d.digits[0] = '1';
    d.count = 1;
    ++d.exponent;
  } else {
    ++d.digits[i];
    d.count = i + 1;  // the nines after it became zeros
  }
}

/// Writes the digits `from` to `to` - 1 of `d`, counted from its leading
/// digit; those outside the kept ones (also before the leading digit) are
/// zeros. Returns the end.
char* WriteDigits(char* p, const Decimal& d, int from, int to) {
  const int kept = std::clamp(d.count, from, to);
  const int first = std::clamp(0, from, kept);
  p = std::fill_n(p, first - from, '0');
  // Only a non-empty range is copied: when every digit lies before the
  // leading one, `first` is negative and d.digits + first would point
  // outside the array.
  if (first < kept) p = std::copy(d.digits + first, d.digits + kept, p);
  return std::fill_n(p, to - kept, '0');
}

/// Writes a NaN or an infinity; returns the end.
char* WriteNonFinite(char* p, double value) {
  const char* text = std::isnan(value) ? "NAN" : std::signbit(value) ? "-INF" : "INF";
  while (*text) *p++ = *text++;
  return p;
}

/// %.Pf: writes `value` with `precision` decimals; returns the end.
char* WriteFixed(char* p, double value, int precision, char separator) {
  if (!std::isfinite(value)) return WriteNonFinite(p, value);
  Decimal d = Expand(value);
  RoundTo(d, d.exponent + precision + 1);
  if (d.negative && d.count > 0) *p++ = '-';
  // Digit i of `d` stands at 10^(exponent - i).
  if (d.exponent < 0) {
    *p++ = '0';
  } else {
    p = WriteDigits(p, d, 0, d.exponent + 1);
  }
  if (precision == 0) return p;
  *p++ = separator;
  return WriteDigits(p, d, d.exponent + 1, d.exponent + 1 + precision);
}

/// %.Pe: writes `value` with `precision` (>= 1) significant digits as
/// d.ddd, 'E', the exponent's sign and at least three exponent digits;
/// returns the end.
char* WriteExponent(char* p, double value, int precision, char separator) {
  if (!std::isfinite(value)) return WriteNonFinite(p, value);
  Decimal d = Expand(value);
  RoundTo(d, precision);
  if (d.negative && d.count > 0) *p++ = '-';
  p = WriteDigits(p, d, 0, 1);
  if (precision > 1) {
    *p++ = separator;
    p = WriteDigits(p, d, 1, precision);
  }
  *p++ = 'E';
  *p++ = d.exponent < 0 ? '-' : '+';
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 100) *p++ = '0';
  if (magnitude < 10) *p++ = '0';
  return std::to_chars(p, p + 8, magnitude).ptr;
}

/// One conversion after its '%': flags, width, precision and letter.
struct Conversion {
  bool left = false;
  int width = -1;      // -1: none given
  int precision = -1;  // -1: none given
  char letter = 0;
};

[[noreturn]] void Fail(const char* what, std::string_view format) {
  throw std::logic_error(std::string("AppendFormat: ") + what + " in \"" + std::string(format) +
                         "\"");
}

/// Reads an unsigned decimal number at `i`, at most `limit`; -1 if there is
/// no digit. A leading zero (the zero-padding flag of printf) is refused.
int ParseNumber(std::string_view format, std::size_t& i, int limit) {
  if (i >= format.size() || format[i] < '0' || format[i] > '9') return -1;
  if (format[i] == '0' && i + 1 < format.size() && format[i + 1] >= '0' && format[i + 1] <= '9')
    Fail("leading zero in a width or precision", format);
  int n = 0;
  while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
    n = n * 10 + (format[i++] - '0');
    if (n > limit) Fail("width or precision too large", format);
  }
  return n;
}

/// Parses the conversion whose '%' stands before `i`; leaves `i` after its
/// letter.
Conversion ParseConversion(std::string_view format, std::size_t& i) {
  Conversion c;
  if (i < format.size() && format[i] == '-') {
    c.left = true;
    ++i;
  }
  c.width = ParseNumber(format, i, kMaxWidth);
  if (i < format.size() && format[i] == '.') {
    ++i;
    c.precision = ParseNumber(format, i, kMaxPrecision);
    if (c.precision < 0) Fail("precision without digits", format);
  }
  if (i >= format.size()) Fail("unfinished conversion", format);
  c.letter = format[i++];
  return c;
}

void AppendPadding(std::string& out, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - length, ' ');
}

/// Appends one converted argument; throws if `c` is not one of the system's
/// conversions or does not fit `arg`.
void AppendConversion(std::string& out, const Conversion& c, const FormatArg& arg,
                      std::string_view format, char separator) {
  char buffer[kNumberBuffer];
  char* end = buffer;
  switch (c.letter) {
    case 'f':
    case 'e':
      if (c.left || c.precision < 0 || (c.letter == 'e' && c.precision < 1))
        Fail("unsupported number conversion", format);
      if (arg.kind() != FormatArg::Kind::Real) Fail("%f or %e without a double", format);
      end = c.letter == 'f' ? WriteFixed(buffer, arg.real(), c.precision, separator)
                            : WriteExponent(buffer, arg.real(), c.precision, separator);
      break;
    case 'd':
      if (c.left || c.precision >= 0) Fail("unsupported integer conversion", format);
      if (arg.kind() != FormatArg::Kind::Integer) Fail("%d without an integer", format);
      end = std::to_chars(buffer, buffer + sizeof buffer, arg.integer()).ptr;
      break;
    case 's':
      if (c.precision >= 0 || (c.left ? c.width < 0 : c.width > 1))
        Fail("unsupported text conversion", format);
      if (arg.kind() != FormatArg::Kind::Text) Fail("%s without a text", format);
      out.append(arg.text());
      if (c.left) AppendPadding(out, Utf8Length(arg.text()), c.width);
      return;
    default:
      Fail("unknown conversion", format);
  }
  const auto length = static_cast<std::size_t>(end - buffer);
  AppendPadding(out, length, c.width);
  out.append(buffer, length);
}

void AppendAll(std::string& out, char separator, std::string_view format,
               std::initializer_list<FormatArg> args) {
  const FormatArg* next = args.begin();
  std::size_t i = 0;
  for (;;) {
    const std::size_t percent = format.find('%', i);
    const std::size_t literalEnd = percent == std::string_view::npos ? format.size() : percent;
    out.append(format.data() + i, literalEnd - i);
    if (percent == std::string_view::npos) break;
    i = percent + 1;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    const Conversion c = ParseConversion(format, i);
    if (next == args.end()) Fail("too few arguments", format);
    AppendConversion(out, c, *next++, format, separator);
  }
  if (next != args.end()) Fail("too many arguments", format);
}

}  // namespace

void AppendFormat(std::string& out, std::string_view format,
                  std::initializer_list<FormatArg> args) {
  AppendFormatWith(out, DecimalSeparator(), format, args);
}

void AppendFormatWith(std::string& out, char separator, std::string_view format,
                      std::initializer_list<FormatArg> args) {
  const std::size_t start = out.size();
  try {
    AppendAll(out, separator, format, args);
  } catch (...) {
    out.resize(start);
    throw;
  }
}

char* WriteFixedField(char* p, double value, int width, int precision, char separator) {
  char buffer[kNumberBuffer];
  const char* end = WriteFixed(buffer, value, precision, separator);
  const auto length = static_cast<int>(end - buffer);
  if (length < width) p = std::fill_n(p, width - length, ' ');
  return std::copy(static_cast<const char*>(buffer), end, p);
}

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  AppendFormat(out, format, args);
  return out;
}

std::string FormatWith(char separator, std::string_view format,
                       std::initializer_list<FormatArg> args) {
  std::string out;
  AppendFormatWith(out, separator, format, args);
  return out;
}

}  // namespace orthavion
