#pragma once

namespace orthavion {

/// The process-wide decimal separator, '.' or ','. Every number written by
/// the formatter uses the one current at that moment; `GetFloat` sets it from
/// each field it converts; the window sets it to '.' when it becomes active.
char DecimalSeparator();

/// Sets the decimal separator ('.' or ',').
void SetDecimalSeparator(char separator);

}  // namespace orthavion
