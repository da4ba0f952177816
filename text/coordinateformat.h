#pragma once

namespace orthavion {

/// The most characters `WriteCoordinate` writes (a double's 309 integer
/// digits, its sign, the separator and six decimals).
inline constexpr int kCoordinateRoom = 1 + 309 + 1 + 6;

/// Writes `value` at `p` exactly as `AppendFormat`'s "%14.6f" does (halves
/// away from zero judged on 18 significant digits, no minus sign on a value
/// that rounds to zero, NAN/INF), with `separator` ('.' or ',') instead of
/// the process-wide one: safe on any thread. Map coordinates take a fast
/// path that does not expand the value's decimal digits. `p` must have room
/// for `kCoordinateRoom` characters; returns the end. Leaves the
/// floating-point flags alone.
char* WriteCoordinate(char* p, double value, char separator);

/// Writes `value` as `WriteCoordinate` does but without the blanks that pad
/// it to 14 characters ("%.6f"). Same room, same end rule.
char* WritePlainCoordinate(char* p, double value, char separator);

}  // namespace orthavion
