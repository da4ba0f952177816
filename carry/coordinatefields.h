#pragma once
#include <cstddef>
#include <string_view>

#include "carry/bytebuffer.h"
#include "carry/recordrule.h"
#include "transformation/transformation.h"
#include "text/tokenizer.h"

namespace orthavion {

/// Where the X, Y and Z fields of a line lie (byte offsets, end exclusive),
/// the decimal separator each is read with and its matched number form.
struct CoordinateFields {
  std::size_t begin[3], end[3];
  char separator[3];
  NumberForm form[3];
};

/// Appends `line` up to the end of its Z field with the three fields
/// replaced by the coordinates carried by `t`, each written with six
/// decimals ("%.6f") in the separator of the Z field; every byte before and
/// between them is kept. The tally takes the Z field's separator and one
/// more rewritten line. Returns the end of the Z field: the rest of the line
/// follows unchanged. Throws the floating-point errors of the reading and
/// the arithmetic.
std::size_t RewriteCoordinates(std::string_view line, const CoordinateFields& f,
                               const Transformation& t, ByteBuffer& out, RecordTally& tally);

}  // namespace orthavion
