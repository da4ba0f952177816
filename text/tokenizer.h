#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orthavion {

/// The record tokenizer. Each call takes the next field off the front of a
/// record: leading spaces are removed, the field runs to the next space (or
/// to the end), and the spaces after it are removed as well, so the record
/// then begins with the following field. Only the space character separates
/// fields; a tab is part of a field. On an empty or all-space record the
/// field is empty and the record is left empty.

/// The next field as text.
std::string GetStr(std::string& s);

/// The next field as a signed 32-bit integer: an optional sign, then decimal
/// digits, or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and
/// hexadecimal digits (up to 8 significant ones, read as two's complement:
/// "$FFFFFFFF" is -1). Anything else, and a decimal value outside the int32
/// range, gives 0.
std::int32_t GetInt(std::string& Satz);

/// The next field as a double. Sets the process-wide decimal separator to ','
/// when the field contains a comma and to '.' otherwise, then reads the form
///   [+|-] digits [sep digits] [(E|e) [+|-] digits]
/// (either digit run before or after the separator may be empty, not both).
/// A field that does not match gives 0.0. A number whose magnitude is beyond
/// the largest double throws `Error` "Gleitkommaüberlauf"; one too small
/// becomes a subnormal value or zero.
double GetFloat(std::string& Satz);

/// The same three on a view of the record, which is advanced past the field;
/// for callers that read many records without copying them.
std::string_view TakeField(std::string_view& record);
std::int32_t GetInt(std::string_view& record);
double GetFloat(std::string_view& record);

/// Converts one field (already taken off its record) as `GetFloat` does,
/// setting the decimal separator.
double ParseFloatField(std::string_view field);

/// The decimal separator `GetFloat` reads `field` with: ',' when the field
/// contains a comma, '.' otherwise.
char FieldSeparator(std::string_view field);

/// Converts one field as `ParseFloatField` does with `separator` (which
/// must be `FieldSeparator(field)`), leaving the process-wide separator
/// alone: safe on any thread. Throws `Error` "Gleitkommaüberlauf" as
/// `GetFloat` does.
double ParseFloatFieldWith(std::string_view field, char separator);

/// Where the parts of a number field lie, for the form that `GetFloat`
/// reads as a number with the decimal separator `sep`:
///   [+|-] digits [sep digits] [(E|e) [+|-] digits]
/// (either digit run before or after the separator may be empty, not both).
struct NumberForm {
  bool valid = false;  ///< the whole field has the form
  bool negative = false;
  std::size_t intBegin = 0, intEnd = 0, fracBegin = 0, fracEnd = 0;
  std::int64_t exponent = 0;  ///< saturated at ±1e9
};

/// The form of `field` read with the decimal separator `separator`.
NumberForm MatchNumberField(std::string_view field, char separator);

/// The value of `field`, whose form `form` (valid) was matched, as
/// `ParseFloatFieldWith` gives it: safe on any thread. Throws `Error`
/// "Gleitkommaüberlauf" for a number beyond the largest double.
double ConvertNumberField(std::string_view field, const NumberForm& form);

/// Converts one field as `GetInt` does.
std::int32_t ParseIntField(std::string_view field);

}  // namespace orthavion
