#pragma once
#include <cfenv>

namespace orthavion {

/// Floating-point errors of a command. The hardware's sticky exception flags
/// are cleared when a command starts and examined at every point where the
/// command stores a value or appends a protocol line, so a fault is reported
/// at the step where it happened, with the system's text:
///   division of a non-zero value by zero: "Gleitkommadivision durch Null"
///   overflow:                              "Gleitkommaüberlauf"
///   invalid operation (0/0, sqrt(-1)):     "Ungültige Gleitkommaoperation"
/// Underflow and inexact results pass silently.

/// Clears the flags; called when a command starts.
void ClearFpErrors();

/// Throws `Error` with the text of the first raised flag, if any. A division
/// by zero or an overflow yields an infinity, and arithmetic on it then also
/// raises "invalid"; so those two are reported ahead of "invalid".
void CheckFp();

/// Returns `value` after `CheckFp`. The value is an argument of an
/// out-of-line call, so it is computed before the flags are examined: wrap
/// each value that is stored, as in `M1 = Fp(Lambda[i] / sumxx)`.
double Fp(double value);

/// Raises the overflow error: for a number read from text that is too large
/// for a double.
[[noreturn]] void RaiseFpOverflow();

/// Raises the invalid-operation error: for a conversion that the hardware
/// would report as invalid (a value beyond the range of an integer).
[[noreturn]] void RaiseFpInvalid();

/// Keeps the flags of the enclosing command away from code that is not part
/// of its arithmetic (a library's number parser, the window's event
/// handling): the three flags that count are saved on construction and
/// restored on destruction, whatever that code raised or cleared.
class FpFlagsKept {
public:
  FpFlagsKept();
  ~FpFlagsKept();
  FpFlagsKept(const FpFlagsKept&) = delete;
  FpFlagsKept& operator=(const FpFlagsKept&) = delete;

private:
  int saved_;  // the flags that count, as raised on construction
};

}  // namespace orthavion
