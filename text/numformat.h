#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orthavion {

/// One argument of a format: a double (%f, %e), an integer (%d) or a text (%s).
class FormatArg {
public:
  enum class Kind { Real, Integer, Text };
  FormatArg(double v) : kind_(Kind::Real), real_(v) {}
  FormatArg(std::int32_t v) : kind_(Kind::Integer), integer_(v) {}
  FormatArg(std::string_view v) : kind_(Kind::Text), text_(v) {}
  FormatArg(const std::string& v) : kind_(Kind::Text), text_(v) {}
  FormatArg(const char* v) : kind_(Kind::Text), text_(v) {}

  Kind kind() const { return kind_; }
  double real() const { return real_; }
  std::int32_t integer() const { return integer_; }
  std::string_view text() const { return text_; }

private:
  Kind kind_;
  double real_ = 0.0;
  std::int32_t integer_ = 0;
  std::string_view text_;
};

/// Appends `format` with its conversions filled from `args` to `out`.
///
/// Conversions (everything else is literal text; "%%" is a percent sign):
///   %W.Pf  fixed, P decimals, right-aligned in W characters, never cut
///   %W.Pe  P significant digits as d.ddd, 'E', exponent sign, at least three
///          exponent digits ("  5.00000E-001" for 0.5 with %14.6e)
///   %d     decimal integer; %Wd right-aligned in W
///   %-Ws   text left-aligned and padded with blanks to W characters (UTF-8
///          characters are counted, not bytes), never cut
///   %s, %1s the text unchanged
/// W (at most 9999) is optional for %f, %e and %d; P is required (0 to 40
/// for %f, 1 to 40 for %e). Rounding of %f and %e: halves go away from zero,
/// judged on the value's decimal expansion to 18 significant digits; digits
/// beyond the 18th are written as zeros; a value that rounds to zero has no
/// minus sign. NaN and infinities are written as "NAN", "INF", "-INF" in the
/// field. The decimal separator is the process-wide one at the moment of the
/// call.
/// Does not allocate unless `out` must grow, and leaves the floating-point
/// flags alone. A format that does not match its arguments, or any other
/// conversion, is a programming error and throws std::logic_error; `out` is
/// then left as it was.
void AppendFormat(std::string& out, std::string_view format,
                  std::initializer_list<FormatArg> args);

/// `AppendFormat` with `separator` as the decimal separator instead of the
/// process-wide one: safe on any thread.
void AppendFormatWith(std::string& out, char separator, std::string_view format,
                      std::initializer_list<FormatArg> args);

/// The most characters `WriteFixedField` writes.
inline constexpr std::size_t kFixedFieldRoom = 1 + 309 + 1 + 40;

/// Writes `value` at `p` as the conversion "%W.Pf" of `AppendFormat` does
/// (W = `width`, P = `precision`, both 0 to 40), but with `separator`
/// instead of the process-wide one: safe on any thread. `p` must have room
/// for `kFixedFieldRoom` characters; returns the end.
char* WriteFixedField(char* p, double value, int width, int precision, char separator);

/// `AppendFormat` into a new string.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

/// `AppendFormatWith` into a new string.
std::string FormatWith(char separator, std::string_view format,
                       std::initializer_list<FormatArg> args);

}  // namespace orthavion
