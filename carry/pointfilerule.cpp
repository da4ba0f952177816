#include "carry/pointfilerule.h"

#include "carry/coordinatefields.h"
#include "text/tokenizer.h"

namespace orthavion {

std::size_t PointFileRule::Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                                   RecordTally& tally) const {
  // The five fields as the record tokenizer takes them: separated by blanks.
  std::size_t begin[5], end[5], i = 0;
  for (int k = 0; k < 5; ++k) {
    while (i < line.size() && line[i] == ' ') ++i;
    begin[k] = i;
    while (i < line.size() && line[i] != ' ') ++i;
    end[k] = i;
    if (i == line.size() && !whole) return kNeedMore;  // the field may go on
    if (begin[k] == end[k]) return 0;                  // too few fields
  }
  CoordinateFields f;
  for (int k = 0; k < 3; ++k) {
    const std::string_view field = line.substr(begin[k + 2], end[k + 2] - begin[k + 2]);
    f.begin[k] = begin[k + 2];
    f.end[k] = end[k + 2];
    f.separator[k] = FieldSeparator(field);
    f.form[k] = MatchNumberField(field, f.separator[k]);
    if (!f.form[k].valid) return 0;  // a heading, not a point
  }
  return RewriteCoordinates(line, f, t_, out, tally);
}

}  // namespace orthavion
