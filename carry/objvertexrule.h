#pragma once
#include <string_view>

#include "carry/recordrule.h"
#include "transformation/transformation.h"

namespace orthavion {

/// True for a line that the OBJ command rewrites: one beginning "v ".
inline bool IsVertexLine(std::string_view line) {
  return line.size() >= 2 && line[0] == 'v' && line[1] == ' ';
}

/// The OBJ command's rule: a vertex line "v X Y Z rest" becomes
/// "%1s %14.6f %14.6f %14.6f %s" of "v", the vertex carried by the
/// parameters and the rest, in the decimal separator of its Z field; every
/// other line is copied. Each field is read as `GetFloat` reads it, each
/// number written as `AppendFormat` writes it, but with the field's own
/// separator, so the rule runs on any thread.
///
/// Throws `Error` "Gleitkommaüberlauf" for a coordinate too large for a
/// double, read or computed, and the other floating-point errors of the
/// arithmetic.
class ObjVertexRule final : public RecordRule {
public:
  explicit ObjVertexRule(const Transformation& transformation) : t_(transformation) {}

  std::size_t Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                      RecordTally& tally) const override;

private:
  Transformation t_;
};

}  // namespace orthavion
