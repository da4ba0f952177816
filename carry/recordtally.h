#pragma once
#include <cstdint>

#include "carry/bounds.h"

namespace orthavion {

/// What the records of one block leave behind that reading the file record
/// by record would have left: the blocks' tallies are merged in file order,
/// so the merge of all of them is what the sequential reading leaves.
struct RecordTally {
  std::int64_t records = 0;    ///< records read (counted by the pipeline)
  std::int64_t rewritten = 0;  ///< records the rule rewrote (vertices, points)
  /// The decimal separator that the last number read chose (0 while none
  /// was read), which the sequential reading leaves process-wide.
  char separator = 0;
  Bounds bounds;  ///< of the carried points, for a header that holds them

  /// Merges the tally of the block that follows this one in the file.
  void Merge(const RecordTally& next) {
    records += next.records;
    rewritten += next.rewritten;
    if (next.separator != 0) separator = next.separator;
    bounds.Add(next.bounds);
  }
};

}  // namespace orthavion
