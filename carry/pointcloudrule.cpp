#include "carry/pointcloudrule.h"

#include "carry/coordinatefields.h"
#include "text/tokenizer.h"

namespace orthavion {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::size_t PointCloudRule::Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                                    RecordTally& tally) const {
  // The delimiter depends on the whole line; a line longer than a block is
  // judged when it is whole.
  if (!whole) return kNeedMore;
  const char delimiter = line.find(';') != std::string_view::npos   ? ';'
                         : line.find(',') != std::string_view::npos ? ','
                                                                    : ' ';
  CoordinateFields f;
  std::size_t i = 0;
  for (int k = 0; k < 3; ++k) {
    if (delimiter == ' ') {
      while (i < line.size() && IsBlank(line[i])) ++i;
      f.begin[k] = i;
      while (i < line.size() && !IsBlank(line[i])) ++i;
      f.end[k] = i;
    } else {
      if (k > 0) {
        if (i == line.size()) return 0;  // too few fields
        ++i;                             // the delimiter
      }
      std::size_t fieldEnd = line.find(delimiter, i);
      if (fieldEnd == std::string_view::npos) fieldEnd = line.size();
      while (i < fieldEnd && IsBlank(line[i])) ++i;
      f.begin[k] = i;
      std::size_t e = fieldEnd;
      while (e > i && IsBlank(line[e - 1])) --e;
      f.end[k] = e;
      i = fieldEnd;
    }
    const std::string_view field = line.substr(f.begin[k], f.end[k] - f.begin[k]);
    // Commas and blanks delimit fields in decimal-point numbers; only with
    // semicolons may a number carry a decimal comma.
    f.separator[k] = delimiter == ';' ? FieldSeparator(field) : '.';
    f.form[k] = MatchNumberField(field, f.separator[k]);
    if (!f.form[k].valid) return 0;
  }
  return RewriteCoordinates(line, f, t_, out, tally);
}

}  // namespace orthavion
