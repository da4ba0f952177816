#pragma once
#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/fpcheck.h"
#include "fuzz/referencereaders.h"
#include "fuzz/shown.h"
#include "text/tokenizer.h"

namespace fuzzcheck {

namespace detail {

/// What a call of `GetFloat` gave: a value, or the text of the `Error` it threw.
struct FloatResult {
  bool threw = false;
  std::string error;
  double value = 0.0;
};

template <typename Read>
FloatResult ReadFloat(Read read) {
  FloatResult r;
  try {
    r.value = read();
  } catch (const orthavion::Error& e) {
    r.threw = true;
    r.error = e.what();
  }
  return r;
}

/// "" when `got` is what the reference reading `want` of `field` says: the
/// same double (bit for bit, so also the sign of a zero), or the overflow
/// error for a number beyond the largest double.
inline std::string CompareFloat(std::string_view field, const FloatResult& got,
                                const FloatReading& want) {
  if (got.threw && got.error != "Gleitkommaüberlauf")
    return "GetFloat threw '" + got.error + "' for " + Shown(field);
  if (got.threw != want.overflow)
    return std::string(want.overflow ? "no overflow error" : "an overflow error") + " for " +
           Shown(field) + ", which reads " + Shown(want.value);
  if (!got.threw &&
      std::bit_cast<std::uint64_t>(got.value) != std::bit_cast<std::uint64_t>(want.value))
    return "GetFloat gives " + Shown(got.value) + " for " + Shown(field) + ", the reference " +
           Shown(want.value);
  return {};
}

/// Checks the conversions of one field: the integer against the reference
/// reader; the real number against the reference reader, with the decimal
/// separator left behind, and no floating-point flag raised for the command
/// by a conversion that succeeds.
inline std::string CheckField(std::string_view field) {
  using namespace orthavion;
  if (const std::int32_t got = ParseIntField(field), want = ReferenceInt(field); got != want)
    return "GetInt gives " + std::to_string(got) + " for " + Shown(field) + ", the reference " +
           std::to_string(want);

  const FloatReading want = ReferenceFloat(field);
  ClearFpErrors();
  SetDecimalSeparator(want.separator == '.' ? ',' : '.');  // so that a missed setting shows
  const FloatResult got = ReadFloat([field] { return ParseFloatField(field); });
  if (DecimalSeparator() != want.separator)
    return "GetFloat leaves the separator '" + std::string(1, DecimalSeparator()) + "' for " +
           Shown(field);
  if (std::string v = CompareFloat(field, got, want); !v.empty()) return v;
  if (!got.threw) {
    const FloatResult flags = ReadFloat([] {
      CheckFp();
      return 0.0;
    });
    if (flags.threw)
      return "GetFloat of " + Shown(field) + " leaves the floating-point error '" + flags.error +
             "' to the command";
  }
  return {};
}

}  // namespace detail

/// Checks the record tokenizer on `bytes` taken as one record. Returns ""
/// when every property holds, else a description of the first that fails:
/// - `TakeField` and `GetStr`, called until the record is empty, give the
///   same fields, none holding a space, none empty unless the record is all
///   spaces, with the same rest after each call, and the fields joined give
///   the record with its spaces removed;
/// - every field converts as the reference readers say (`ParseIntField`,
///   `ParseFloatField`);
/// - `GetStr`, `GetInt` and `GetFloat`, on a string and on a view, in the
///   order of a point record (text, integer, three reals, and again), give
///   those values and rests; `GetFloat` throws nothing but the overflow error.
inline std::string CheckRecord(std::string_view bytes) {
  using namespace orthavion;
  const std::string record(bytes);

  std::vector<std::string_view> fields, rests;
  std::string_view view(record);
  do {
    const std::string_view field = TakeField(view);
    if (field.find(' ') != std::string_view::npos)
      return "the field " + Shown(field) + " holds a space";
    if (view.starts_with(' ')) return "the rest " + Shown(view) + " begins with a space";
    if (field.empty() && !(fields.empty() && view.empty()))
      return "an empty field before the rest " + Shown(view);
    fields.push_back(field);
    rests.push_back(view);
  } while (!view.empty());

  std::string joined, withoutSpaces;
  for (const std::string_view f : fields) joined += f;
  std::copy_if(record.begin(), record.end(), std::back_inserter(withoutSpaces),
               [](char c) { return c != ' '; });
  if (joined != withoutSpaces) return "the fields join up to " + Shown(joined);

  std::string s = record;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (const std::string got = GetStr(s); got != fields[k])
      return "GetStr gives " + Shown(got) + " where TakeField gave " + Shown(fields[k]);
    if (s != rests[k]) return "GetStr leaves " + Shown(s) + ", TakeField " + Shown(rests[k]);
  }

  for (const std::string_view field : fields)
    if (std::string v = detail::CheckField(field); !v.empty()) return v;

  std::string text = record;
  std::string_view rest(record);
  for (std::size_t k = 0; k < fields.size(); ++k) {
    const std::string_view field = fields[k];
    if (k % 5 == 0) {
      const std::string a = GetStr(text);
      const std::string_view b = TakeField(rest);
      if (a != field || b != field)
        return "GetStr/TakeField in turn miss the field " + Shown(field);
    } else if (k % 5 == 1) {
      const std::int32_t a = GetInt(text), b = GetInt(rest), want = ReferenceInt(field);
      if (a != want || b != want) return "GetInt in turn misreads " + Shown(field);
    } else {
      const FloatReading want = ReferenceFloat(field);
      const detail::FloatResult a = detail::ReadFloat([&] { return GetFloat(text); });
      const detail::FloatResult b = detail::ReadFloat([&] { return GetFloat(rest); });
      for (const auto* got : {&a, &b})
        if (std::string v = detail::CompareFloat(field, *got, want); !v.empty()) return v;
      if (a.threw) break;  // the overflow ends the command that reads the record
    }
    if (text != rests[k] || rest != rests[k])
      return "the readers in turn leave " + Shown(text) + " and " + Shown(rest) + ", not " +
             Shown(rests[k]);
  }
  return {};
}

}  // namespace fuzzcheck
