#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "carry/bytebuffer.h"

namespace orthavion {

/// What the lines of one block left behind: the lines a rule rewrote and
/// the decimal separator that the last number it read chose (0 while none
/// was read), which the sequential reading would have left process-wide.
struct RuleTally {
  std::int64_t rewritten = 0;
  char separator = 0;
};

/// A rule that rewrites the lines of a text file, one line at a time: it
/// writes the rewritten start of a line, and the rest of the line follows
/// byte for byte. The pipeline calls one rule from several threads at once,
/// so a rule keeps no state of its own and touches nothing process-wide:
/// what a line leaves behind goes into the tally of its block.
class LineRule {
public:
  /// Returned by `Rewrite` for the start of a line that is too short to
  /// decide on.
  static constexpr std::size_t kNeedMore = static_cast<std::size_t>(-1);

  virtual ~LineRule() = default;

  /// Appends the rewritten start of `line` (without its line end, every CR
  /// removed) to `out` and returns how many bytes of `line` it stands for;
  /// the caller copies the rest of the line after it (0: the line is copied
  /// unchanged). `whole` is false when `line` is only the start of a line
  /// longer than a block: then `kNeedMore` (with nothing appended) asks for
  /// a longer start, which comes, at the latest, as the whole line.
  /// Throws `Error`, the floating-point errors from the calling thread's
  /// flags, which its caller clears before the first line.
  virtual std::size_t Rewrite(std::string_view line, bool whole, ByteBuffer& out,
                              RuleTally& tally) const = 0;
};

}  // namespace orthavion
