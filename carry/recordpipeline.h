#pragma once
#include <cstddef>
#include <functional>

#include "carry/blockreader.h"
#include "carry/recordlayout.h"
#include "carry/recordrule.h"
#include "carry/recordtally.h"
#include "text/replacingfile.h"

namespace orthavion {

/// The worker threads on this machine: one per hardware thread, at least 1
/// and at most 4 (more would only hold more blocks in memory for a disk that
/// cannot take their output faster).
int DefaultWorkers();

/// How the pipeline divides the work; tests force small blocks and a number
/// of workers with it.
struct PipelineShape {
  std::size_t blockBytes = std::size_t{1} << 20;  ///< bytes read per block
  int workers = DefaultWorkers();                 ///< worker threads (at least 1)
};

/// Called on the pipeline's thread, in file order, for each block of
/// records once it is rewritten and before its bytes are written (also for
/// the block in which a record failed, counting that record): what its
/// records left behind.
using BlockDone = std::function<void(const RecordTally& tally)>;

/// Carries every record of `in`, from where its header ended, through
/// `rule` and writes them in the order of the file to `out`; with
/// fixed-size records, what follows the last record is copied after it.
/// The calling thread reads blocks of whole records and writes the
/// rewritten ones; `shape.workers` threads rewrite them, at most a few
/// blocks ahead of the writing, each block's output about twice the block
/// at most (a block whose records grow more is rewritten and written in
/// parts), so memory is bounded by the block size, not by the file or its
/// records. A block holds at least one fixed-size record. A text line
/// longer than a block is rewritten on the calling thread after every
/// earlier line is written: the rule sees its start (longer only as far as
/// the rule asks), and the rest is copied piece by piece.
///
/// The first error in file order ends the pipeline and is rethrown here:
/// the rule's error in a record (from the flags of the thread that
/// rewrote it), or a read or write error ("E/A-Fehler N", ...). Records
/// after it may have been rewritten, but none is written.
void RunRecordPipeline(BlockReader& in, ReplacingFile& out, const RecordLayout& layout,
                       const RecordRule& rule, const PipelineShape& shape, const BlockDone& done);

}  // namespace orthavion
