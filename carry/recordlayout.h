#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>

namespace orthavion {

/// How the records of a file follow its header.
struct RecordLayout {
  /// 0: text lines under the reading rules of the system's text files (LF
  /// ends a line, every CR is dropped, a byte 0x1A ends the file, an empty
  /// file is one empty line), each written with CR LF. Otherwise the bytes
  /// of every record [bytes], read and written as they are, with no line
  /// end.
  std::size_t recordBytes = 0;
  /// With fixed-size records: the most records (the header's count). What
  /// follows them, and a last record cut short by the end of the file, is
  /// copied byte for byte after the last record.
  std::int64_t records = std::numeric_limits<std::int64_t>::max();
};

}  // namespace orthavion
