#pragma once
#include "carry/recordrule.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The rule of a point file carried into the target system: a record
/// "PNR NIV X Y Z rest" (fields separated by blanks, as the point files are
/// read) whose X, Y and Z are numbers keeps its point number, its NIV, the
/// blanks around X, Y and Z and everything after Z byte for byte; X, Y and
/// Z are carried by the parameters and written with six decimals ("%.6f")
/// in the decimal separator of that line's Z field. Every other line (too
/// few fields, a field that is no number: a heading) is copied.
///
/// Throws `Error` "Gleitkommaüberlauf" for a coordinate too large for a
/// double, read or computed, and the other floating-point errors.
class PointFileRule final : public RecordRule {
public:
  explicit PointFileRule(const Transformation& transformation) : t_(transformation) {}

  std::size_t Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                      RecordTally& tally) const override;

private:
  Transformation t_;
};

}  // namespace orthavion
