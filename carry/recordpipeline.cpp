#include "carry/recordpipeline.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/fpcheck.h"
#include "text/fileerror.h"

namespace orthavion {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The first block is no larger than the line-by-line reader's buffer and is
// written before the next is read: the window shows the first progress as
// early, and a file changed from then on is read as it then is.
constexpr std::size_t kFirstBlock = std::size_t{1} << 16;

/// Calls `each` for the pieces of `bytes` between its CRs.
template <typename Each>
void ForEachWithoutCr(std::string_view bytes, Each each) {
  for (std::size_t from = 0; from < bytes.size();) {
    const std::size_t cr = std::min(bytes.find('\r', from), bytes.size());
    if (cr > from) each(bytes.substr(from, cr - from));
    from = cr + 1;
  }
}

void Write(ReplacingFile& out, std::string_view bytes) {
  if (const int err = out.Write(bytes)) RaiseIoError(err);
}

/// A block of records on its way through the pipeline. Its buffers keep
/// their capacity from block to block.
struct Block {
  ByteBuffer in, out;
  std::size_t from = 0;      // the first byte of `in` not yet rewritten
  bool more = false;         // records from `from` on are still to be rewritten
  RecordTally tally;
  std::exception_ptr error;  // the error that ended the block early
  bool done = false;         // rewritten; guarded by the workers' mutex
};

/// Counts `record` in `tally`, appends it rewritten by `rule` to `out` and
/// ends it with `end`.
void RewriteRecord(const RecordRule& rule, std::string_view record, std::string_view end,
                   ByteBuffer& out, RecordTally& tally) {
  ++tally.records;
  const std::size_t used = rule.Rewrite(record, true, out, tally);
  out.Append(record.substr(used));
  out.Append(end);
}

/// Cuts text lines: each without its LF and with every CR dropped.
struct LineCut {
  static constexpr std::string_view kEnd = kLineEnd;
  std::string& withoutCr;  // the line when it holds a CR
  bool anyCr;              // the block holds a CR

  /// Points `record` at the line that begins at `from`; returns where the
  /// next begins.
  std::size_t operator()(std::string_view bytes, std::size_t from, std::string_view& record) const {
    const std::size_t end = std::min(bytes.find('\n', from), bytes.size());
    record = bytes.substr(from, end - from);
    if (anyCr && record.find('\r') != std::string_view::npos) {
      withoutCr.clear();
      ForEachWithoutCr(record, [this](std::string_view piece) { withoutCr.append(piece); });
      record = withoutCr;
    }
    return end + 1;
  }
};

/// Cuts fixed-size records.
struct FixedCut {
  static constexpr std::string_view kEnd = {};
  std::size_t recordBytes;

  std::size_t operator()(std::string_view bytes, std::size_t from, std::string_view& record) const {
    record = bytes.substr(from, recordBytes);
    return from + recordBytes;
  }
};

/// Rewrites the records of `b.in` from `b.from` on into `b.out`, stopping
/// after the record that makes the output reach `outLimit` bytes (records
/// that grow much, such as short vertex lines, would otherwise make the
/// output of one block many times the block).
template <typename Cut>
void RewriteRecords(const RecordRule& rule, Block& b, std::size_t outLimit, const Cut& cut) {
  const std::string_view bytes = b.in.view();
  for (std::size_t from = b.from; from < bytes.size();) {
    std::string_view record;
    from = cut(bytes, from, record);
    RewriteRecord(rule, record, Cut::kEnd, b.out, b.tally);
    if (from < bytes.size() && b.out.size() >= outLimit) {
      b.from = from;
      b.more = true;
      return;
    }
  }
}

/// Rewrites the block `b` (or its next records) as `RewriteRecords` does.
/// An error ends the block and is kept in it, with the failing record
/// counted.
void RewriteBlock(const RecordRule& rule, const RecordLayout& layout, Block& b,
                  std::size_t outLimit, std::string& withoutCr) {
  b.out.Clear();
  b.tally = RecordTally();
  b.error = nullptr;
  b.more = false;
  try {
    const std::string_view bytes = b.in.view();
    if (layout.recordBytes != 0) {
      RewriteRecords(rule, b, outLimit, FixedCut{layout.recordBytes});
    } else if (bytes.empty()) {  // the one empty line of an empty file
      RewriteRecord(rule, bytes, kLineEnd, b.out, b.tally);
    } else {
      const bool anyCr = bytes.find('\r', b.from) != std::string_view::npos;
      RewriteRecords(rule, b, outLimit, LineCut{withoutCr, anyCr});
    }
  } catch (...) {
    b.error = std::current_exception();
  }
}

/// The worker threads: each takes the oldest waiting block, rewrites it (or
/// its next records) with its own floating-point flags and marks it done.
/// Joined on destruction.
class Workers {
public:
  Workers(const RecordRule& rule, const RecordLayout& layout, std::size_t outLimit, int count)
      : rule_(rule), layout_(layout), outLimit_(outLimit) {
    try {
      for (int i = 0; i < count; ++i) threads_.emplace_back([this] { Run(); });
    } catch (...) {
      Stop();
      throw;
    }
  }
  ~Workers() { Stop(); }
  Workers(const Workers&) = delete;
  Workers& operator=(const Workers&) = delete;

  /// Hands `b` to a worker, after the blocks already waiting or, when
  /// `first`, before them.
  void Submit(Block& b, bool first = false) {
    {
      const std::lock_guard lock(mutex_);
      b.done = false;
      if (first) {
        waiting_.push_front(&b);
      } else {
        waiting_.push_back(&b);
      }
    }
    work_.notify_one();
  }
  bool IsDone(const Block& b) {
    const std::lock_guard lock(mutex_);
    return b.done;
  }
  void Await(const Block& b) {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&b] { return b.done; });
  }

private:
  void Run() {
    ClearFpErrors();  // this thread's own flags
    std::string withoutCr;
    for (;;) {
      Block* b;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [this] { return stop_ || !waiting_.empty(); });
        if (stop_) return;
        b = waiting_.front();
        waiting_.pop_front();
      }
      RewriteBlock(rule_, layout_, *b, outLimit_, withoutCr);
      {
        const std::lock_guard lock(mutex_);
        b->done = true;
      }
      finished_.notify_all();
    }
  }

  void Stop() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    work_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  const RecordRule& rule_;
  const RecordLayout layout_;
  const std::size_t outLimit_;
  std::mutex mutex_;
  std::condition_variable work_, finished_;
  std::deque<Block*> waiting_;
  bool stop_ = false;
  std::vector<std::thread> threads_;
};

/// Rewrites a line longer than a block, whose first bytes are in `piece`,
/// on this thread: its start as far as the rule asks, then the rest copied
/// piece by piece.
void RewriteLongLine(BlockReader& in, std::size_t blockBytes, ByteBuffer& piece,
                     ReplacingFile& out, const RecordRule& rule, const BlockDone& done) {
  std::string start;
  const auto appendToStart = [&start](std::string_view bytes) { start.append(bytes); };
  ForEachWithoutCr(piece.view(), appendToStart);
  bool whole = false;
  ByteBuffer head;
  RecordTally tally;
  tally.records = 1;
  std::size_t used;
  try {
    while ((used = rule.Rewrite(start, whole, head, tally)) == RecordRule::kNeedMore) {
      whole = in.ContinueLine(piece, blockBytes);
      ForEachWithoutCr(piece.view(), appendToStart);
    }
  } catch (...) {
    done(tally);
    throw;
  }
  done(tally);
  Write(out, head.view());
  Write(out, std::string_view(start).substr(used));
  while (!whole) {
    whole = in.ContinueLine(piece, blockBytes);
    ForEachWithoutCr(piece.view(), [&out](std::string_view bytes) { Write(out, bytes); });
  }
  Write(out, kLineEnd);
}

/// Reads the next block of records of at most `bytes` (but at least one
/// fixed-size record) into `block`; `left` counts down the fixed-size
/// records still to be read.
BlockReader::Piece ReadBlock(BlockReader& in, const RecordLayout& layout, std::int64_t& left,
                             ByteBuffer& block, std::size_t bytes) {
  if (layout.recordBytes == 0) return in.NextLines(block, bytes);
  if (left <= 0) return BlockReader::Piece::End;
  const std::size_t records = std::clamp<std::int64_t>(
      static_cast<std::int64_t>(bytes / layout.recordBytes), 1, left);
  const BlockReader::Piece piece = in.NextRecords(block, records, layout.recordBytes);
  left -= static_cast<std::int64_t>(block.size() / layout.recordBytes);
  return piece;
}

}  // namespace

int DefaultWorkers() {
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
}

void RunRecordPipeline(BlockReader& in, ReplacingFile& out, const RecordLayout& layout,
                       const RecordRule& rule, const PipelineShape& shape, const BlockDone& done) {
  ClearFpErrors();  // the long lines are rewritten on this thread
  const int workers = std::max(shape.workers, 1);
  const std::size_t blockBytes = std::max<std::size_t>(shape.blockBytes, 1);
  // Blocks read ahead of the writing once the first is written: enough to
  // keep every worker busy while this thread reads and writes, few enough
  // to bound the memory.
  const std::size_t fullAhead = static_cast<std::size_t>(workers) + 2;
  std::size_t ahead = 1;
  std::int64_t left = layout.records;

  // Declared before the workers, so that the workers are joined before
  // the blocks they may still be rewriting go.
  std::deque<std::unique_ptr<Block>> flight;  // in file order
  std::vector<std::unique_ptr<Block>> spare;
  Workers pool(rule, layout, 2 * blockBytes, workers);

  // Writes the oldest block once it is rewritten, or ends with its error;
  // a block with records still to be rewritten stays the oldest.
  const auto writeOldest = [&] {
    Block& b = *flight.front();
    pool.Await(b);
    done(b.tally);
    if (b.error) std::rethrow_exception(b.error);
    Write(out, b.out.view());
    ahead = fullAhead;
    if (b.more) {
      pool.Submit(b, true);  // the writing waits for it
      return;
    }
    spare.push_back(std::move(flight.front()));
    flight.pop_front();
  };

  bool reading = true;
  std::exception_ptr readError;  // reported after the blocks before it
  while (reading || !flight.empty()) {
    while (!flight.empty() && pool.IsDone(*flight.front())) writeOldest();
    if (!reading || flight.size() >= ahead) {
      if (!flight.empty()) writeOldest();
      continue;
    }
    std::unique_ptr<Block> b;
    if (spare.empty()) {
      b = std::make_unique<Block>();
    } else {
      b = std::move(spare.back());
      spare.pop_back();
    }
    BlockReader::Piece piece;
    try {
      piece = ReadBlock(in, layout, left, b->in, ahead == 1 ? std::min(blockBytes, kFirstBlock) : blockBytes);
    } catch (...) {
      readError = std::current_exception();
      reading = false;
      continue;
    }
    switch (piece) {
      case BlockReader::Piece::Records:
        b->from = 0;
        pool.Submit(*b);
        flight.push_back(std::move(b));
        break;
      case BlockReader::Piece::LineStart:
        while (!flight.empty()) writeOldest();
        RewriteLongLine(in, blockBytes, b->in, out, rule, done);
        ahead = fullAhead;
        spare.push_back(std::move(b));
        break;
      case BlockReader::Piece::End:
        reading = false;
        break;
    }
  }
  if (readError) std::rethrow_exception(readError);
  if (layout.recordBytes == 0) return;
  ByteBuffer rest;
  while (in.Read(rest, blockBytes)) Write(out, rest.view());
}

}  // namespace orthavion
