#pragma once
#include <cstddef>
#include <string_view>

#include "carry/bytebuffer.h"
#include "carry/recordtally.h"

namespace orthavion {

/// A rule that rewrites the records of a file, one record at a time: it
/// writes the rewritten start of a record, and the rest of the record
/// follows byte for byte. The pipeline calls one rule from several threads
/// at once, so a rule keeps no state of its own and touches nothing
/// process-wide: what a record leaves behind goes into the tally of its
/// block.
class RecordRule {
public:
  /// Returned by `Rewrite` for the start of a line that is too short to
  /// decide on.
  static constexpr std::size_t kNeedMore = static_cast<std::size_t>(-1);

  virtual ~RecordRule() = default;

  /// Appends the rewritten start of `record` (a text line without its line
  /// end and with every CR removed, or a fixed-size record's bytes) to `out`
  /// and returns how many bytes of `record` it stands for; the caller copies
  /// the rest of the record after it (0: the record is copied unchanged).
  /// `whole` is false when `record` is only the start of a line longer than
  /// a block: then `kNeedMore` (with nothing appended) asks for a longer
  /// start, which comes, at the latest, as the whole line. Throws `Error`,
  /// the floating-point errors from the calling thread's flags, which its
  /// caller clears before the first record.
  virtual std::size_t Rewrite(std::string_view record, bool whole, ByteBuffer& out,
                              RecordTally& tally) const = 0;
};

}  // namespace orthavion
