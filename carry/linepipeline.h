#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "carry/lineblockreader.h"
#include "carry/linerule.h"
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

/// Called on the pipeline's thread, in file order, for each block of lines
/// once it is rewritten and before its bytes are written (also for the
/// block in which a line failed, counting that line): the number of lines
/// and what they left behind.
using BlockDone = std::function<void(std::int64_t lines, const RuleTally& tally)>;

/// What the pipeline carried: lines read and lines the rule rewrote.
struct PipelineCount {
  std::int64_t lines = 0;
  std::int64_t rewritten = 0;
};

/// Carries every line of `in` through `rule` and writes it, ended by CR LF
/// and in the order of the file, to `out`. The calling thread reads blocks
/// of whole lines and writes the rewritten ones; `shape.workers` threads
/// rewrite them, at most a few blocks ahead of the writing, each block's
/// output about twice the block at most (a block whose lines grow more is
/// rewritten and written in parts), so memory is bounded by the block size,
/// not by the file or its lines. A line longer than a block
/// is rewritten on the calling thread after every earlier line is written:
/// the rule sees its start (longer only as far as the rule asks), and the
/// rest is copied piece by piece. Every CR is dropped from the lines.
///
/// The first error in file order ends the pipeline and is rethrown here:
/// the rule's error in a line (from the flags of the thread that rewrote
/// it), or a read or write error ("E/A-Fehler N", ...). Lines after it may
/// have been rewritten, but none is written.
PipelineCount RunLinePipeline(LineBlockReader& in, ReplacingFile& out, const LineRule& rule,
                              const PipelineShape& shape, const BlockDone& done);

}  // namespace orthavion
