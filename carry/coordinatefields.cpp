#include "carry/coordinatefields.h"

#include "base/fpcheck.h"
#include "text/coordinateformat.h"
#include "text/tokenizer.h"

namespace orthavion {

std::size_t RewriteCoordinates(std::string_view line, const CoordinateFields& f,
                               const Transformation& t, ByteBuffer& out, RecordTally& tally) {
  double read[3];
  for (int i = 0; i < 3; ++i) {
    tally.separator = f.separator[i];  // as GetFloat sets it before it may fail
    read[i] = ConvertNumberField(line.substr(f.begin[i], f.end[i] - f.begin[i]), f.form[i]);
  }
  const Vec3 c = t.Apply(read[0], read[1], read[2]);
  CheckFp();

  std::size_t copied = 0;
  for (int i = 0; i < 3; ++i) {
    out.Append(line.substr(copied, f.begin[i] - copied));
    char* p = out.Room(kCoordinateRoom);
    out.Commit(WritePlainCoordinate(p, c[i], f.separator[2]));
    copied = f.end[i];
  }
  ++tally.rewritten;
  return copied;
}

}  // namespace orthavion
