#pragma once

namespace orthavion {

/// The process-wide decimal separator, '.' or ','. Every number written by
/// the formatter uses the one current at that moment; `GetFloat` sets it from
/// each field it converts; the window sets it to '.' when it becomes active.
char DecimalSeparator();

/// Sets the decimal separator ('.' or ',').
void SetDecimalSeparator(char separator);

/// Sets the decimal separator to '.' for its lifetime and puts back the one
/// before: for texts that always carry a decimal point (the HTML report,
/// the analysis window's table), whatever the last number read was.
class DecimalPointScope {
public:
  DecimalPointScope() : kept_(DecimalSeparator()) { SetDecimalSeparator('.'); }
  ~DecimalPointScope() { SetDecimalSeparator(kept_); }
  DecimalPointScope(const DecimalPointScope&) = delete;
  DecimalPointScope& operator=(const DecimalPointScope&) = delete;

private:
  char kept_;
};

}  // namespace orthavion
