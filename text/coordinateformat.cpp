#include "text/coordinateformat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "text/numformat.h"

namespace orthavion {

namespace {

using Wide = unsigned __int128;

constexpr int kWidth = 14;
constexpr int kDecimals = 6;
constexpr std::uint64_t kMillion = 1000000;

constexpr std::array<std::uint64_t, 18> kTenToThe = [] {
  std::array<std::uint64_t, 18> t{};
  t[0] = 1;
  for (std::size_t i = 1; i < t.size(); ++i) t[i] = t[i - 1] * 10;
  return t;
}();

// The 18-digit expansion keeps s = 18 - (integer digits of value·10^6)
// digits of the fraction f that decides the rounding; rounded to s digits,
// f can fall on the other side of one half only when |f - 1/2| <= 10^-s/2.
// kNearHalf[s] is twice that distance in units of 2^-64, plus two units for
// the fraction's own truncation to 64 bits: within it the fast path leaves
// the value to the full expansion.
constexpr std::array<std::uint64_t, 18> kNearHalf = [] {
  std::array<std::uint64_t, 18> t{};
  for (std::size_t s = 1; s < t.size(); ++s)
    t[s] = static_cast<std::uint64_t>((Wide{1} << 64) / kTenToThe[s]) + 2;
  return t;
}();

}  // namespace

char* WriteCoordinate(char* p, double value, char separator) {
  const double magnitude = std::fabs(value);
  // Outside this range (and for zero, NaN, infinities) the value has
  // integer digits beyond the 18th or none before the sixth decimal.
  if (!(magnitude >= 1e-6 && magnitude < 1e11))
    return WriteFixedField(p, value, kWidth, kDecimals, separator);

  // magnitude = mantissa · 2^-shift exactly, with 16 <= shift <= 72 here,
  // so magnitude · 10^6 = whole + fraction / 2^64 needs 73 bits.
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - static_cast<int>(bits >> 52);
  const Wide scaled = Wide{mantissa} * kMillion;
  const auto whole = static_cast<std::uint64_t>(scaled >> shift);
  const Wide rest = scaled & ((Wide{1} << shift) - 1);
  const auto fraction = static_cast<std::uint64_t>(shift <= 64 ? rest << (64 - shift)
                                                               : rest >> (shift - 64));
  if (whole == 0) return WriteFixedField(p, value, kWidth, kDecimals, separator);
  int digits = 1;
  while (digits < 17 && whole >= kTenToThe[static_cast<std::size_t>(digits)]) ++digits;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
  const std::uint64_t distance = fraction >= kHalf ? fraction - kHalf : kHalf - fraction;
  if (distance <= kNearHalf[static_cast<std::size_t>(18 - digits)])
    return WriteFixedField(p, value, kWidth, kDecimals, separator);

  // Away from a half, the rounding of the 18 digits agrees with that of
  // the exact value; whole >= 1, so the result is never zero.
  std::uint64_t rounded = whole + (fraction >= kHalf ? 1 : 0);
  char text[32];
  char* const end = text + sizeof text;
  char* q = end;
  for (int i = 0; i < kDecimals; ++i, rounded /= 10) *--q = static_cast<char>('0' + rounded % 10);
  *--q = separator;
  do {
    *--q = static_cast<char>('0' + rounded % 10);
    rounded /= 10;
  } while (rounded != 0);
  if (std::signbit(value)) *--q = '-';
  const auto length = static_cast<int>(end - q);
  if (length < kWidth) p = std::fill_n(p, kWidth - length, ' ');
  return std::copy(q, end, p);
}

char* WritePlainCoordinate(char* p, double value, char separator) {
  char* end = WriteCoordinate(p, value, separator);
  char* first = p;
  while (first < end && *first == ' ') ++first;
  if (first == p) return end;
  std::memmove(p, first, static_cast<std::size_t>(end - first));
  return p + (end - first);
}

}  // namespace orthavion
