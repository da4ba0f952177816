#include "carry/objvertexrule.h"

#include "base/fpcheck.h"
#include "text/coordinateformat.h"
#include "text/tokenizer.h"

namespace orthavion {

namespace {

/// Reads one coordinate field; the tally takes its separator first, as
/// `GetFloat` sets the process-wide one before it may fail.
double ReadCoordinate(std::string_view field, RecordTally& tally) {
  tally.separator = FieldSeparator(field);
  return ParseFloatFieldWith(field, tally.separator);
}

}  // namespace

std::size_t ObjVertexRule::Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                                   RecordTally& tally) const {
  if (!IsVertexLine(line)) return !whole && line.size() < 2 ? kNeedMore : 0;
  std::string_view rest = line;
  TakeField(rest);  // "v"
  const std::string_view fx = TakeField(rest), fy = TakeField(rest), fz = TakeField(rest);
  // In the start of a long line, the last field or the blanks after it may
  // go on beyond it; a byte of the rest after them settles both.
  if (!whole && rest.empty()) return kNeedMore;

  const double X = ReadCoordinate(fx, tally);
  const double Y = ReadCoordinate(fy, tally);
  const double Z = ReadCoordinate(fz, tally);
  const Vec3 c = t_.Apply(X, Y, Z);
  CheckFp();

  const char separator = tally.separator;  // the Z field's
  char* p = out.Room(4 + 3 * (kCoordinateRoom + 1));
  *p++ = 'v';
  for (const double value : c) {
    *p++ = ' ';
    p = WriteCoordinate(p, value, separator);
  }
  *p++ = ' ';
  out.Commit(p);
  ++tally.rewritten;
  return line.size() - rest.size();
}

}  // namespace orthavion
