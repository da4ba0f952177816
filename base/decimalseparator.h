#pragma once

namespace orthavion {

/// The decimal separator of the formatter's process-wide form, '.' or ','.
/// `AppendFormat` writes every number with the one current at that moment;
/// `GetFloat` sets it from each field it converts; the window sets it to '.'
/// when it becomes active. It is held per thread, so that a reader or an
/// estimation on another thread neither sees nor changes the window's; code
/// that knows its separator passes it (`AppendFormatWith`) instead.
char DecimalSeparator();

/// Sets the calling thread's decimal separator ('.' or ',').
void SetDecimalSeparator(char separator);

}  // namespace orthavion
