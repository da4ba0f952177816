#pragma once
#include "carry/recordrule.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The rule of an ASCII point cloud (.xyz, .txt, .pts, .csv) carried into
/// the target system. A line's delimiter is the semicolon when it holds one,
/// else the comma when it holds one, else blanks and tabs. A line whose
/// first three fields are numbers (blanks around a field are allowed; with
/// commas or blanks the decimal separator is the point, with semicolons a
/// decimal comma is allowed) is transformed: X, Y and Z carried by the
/// parameters and written with six decimals ("%.6f") in the separator of its
/// Z field, every byte around them (leading blanks, the delimiters, the
/// other fields: colour, intensity, normals) kept as it was. Every other
/// line (a header, a point count, a comment) is copied.
///
/// Throws `Error` "Gleitkommaüberlauf" for a coordinate too large for a
/// double, read or computed, and the other floating-point errors.
class PointCloudRule final : public RecordRule {
public:
  explicit PointCloudRule(const Transformation& transformation) : t_(transformation) {}

  std::size_t Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                      RecordTally& tally) const override;

private:
  Transformation t_;
};

}  // namespace orthavion
