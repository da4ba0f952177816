#include "carry/linepipeline.h"

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

/// A block of lines on its way through the pipeline. Its buffers keep their
/// capacity from block to block.
struct Block {
  ByteBuffer in, out;
  std::size_t from = 0;      // the first byte of `in` not yet rewritten
  bool more = false;         // lines from `from` on are still to be rewritten
  std::int64_t lines = 0;
  RuleTally tally;
  std::exception_ptr error;  // the error that ended the block early
  bool done = false;         // rewritten; guarded by the workers' mutex
};

void RewriteLine(const LineRule& rule, std::string_view line, ByteBuffer& out, RuleTally& tally) {
  const std::size_t used = rule.Rewrite(line, true, out, tally);
  out.Append(line.substr(used));
  out.Append(kLineEnd);
}

/// Rewrites the lines of `b.in` from `b.from` on into `b.out`, stopping
/// after the line that makes the output reach `outLimit` bytes (lines that
/// grow much, such as short vertex lines, would otherwise make the output of
/// one block many times the block). An error ends the block and is kept in
/// it, with the failing line counted.
void RewriteBlock(const LineRule& rule, Block& b, std::size_t outLimit, std::string& withoutCr) {
  b.out.Clear();
  b.lines = 0;
  b.tally = RuleTally();
  b.error = nullptr;
  b.more = false;
  try {
    const std::string_view bytes = b.in.view();
    if (bytes.empty()) {  // the one empty line of an empty file
      ++b.lines;
      RewriteLine(rule, bytes, b.out, b.tally);
      return;
    }
    const bool anyCr = bytes.find('\r', b.from) != std::string_view::npos;
    for (std::size_t from = b.from; from < bytes.size();) {
      const std::size_t end = std::min(bytes.find('\n', from), bytes.size());
      std::string_view line = bytes.substr(from, end - from);
      if (anyCr && line.find('\r') != std::string_view::npos) {
        withoutCr.clear();
        ForEachWithoutCr(line, [&](std::string_view piece) { withoutCr.append(piece); });
        line = withoutCr;
      }
      ++b.lines;
      RewriteLine(rule, line, b.out, b.tally);
      from = end + 1;
      if (from < bytes.size() && b.out.size() >= outLimit) {
        b.from = from;
        b.more = true;
        return;
      }
    }
  } catch (...) {
    b.error = std::current_exception();
  }
}

/// The worker threads: each takes the oldest waiting block, rewrites it (or
/// its next lines) with its own floating-point flags and marks it done.
/// Joined on destruction.
class Workers {
public:
  Workers(const LineRule& rule, std::size_t outLimit, int count) : rule_(rule), outLimit_(outLimit) {
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
      RewriteBlock(rule_, *b, outLimit_, withoutCr);
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

  const LineRule& rule_;
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
void RewriteLongLine(LineBlockReader& in, std::size_t blockBytes, ByteBuffer& piece,
                     ReplacingFile& out, const LineRule& rule, const BlockDone& done,
                     PipelineCount& count) {
  std::string start;
  const auto appendToStart = [&start](std::string_view bytes) { start.append(bytes); };
  ForEachWithoutCr(piece.view(), appendToStart);
  bool whole = false;
  ByteBuffer head;
  RuleTally tally;
  std::size_t used;
  ++count.lines;
  try {
    while ((used = rule.Rewrite(start, whole, head, tally)) == LineRule::kNeedMore) {
      whole = in.ContinueLine(piece, blockBytes);
      ForEachWithoutCr(piece.view(), appendToStart);
    }
  } catch (...) {
    done(1, tally);
    throw;
  }
  count.rewritten += tally.rewritten;
  done(1, tally);
  Write(out, head.view());
  Write(out, std::string_view(start).substr(used));
  while (!whole) {
    whole = in.ContinueLine(piece, blockBytes);
    ForEachWithoutCr(piece.view(), [&out](std::string_view bytes) { Write(out, bytes); });
  }
  Write(out, kLineEnd);
}

}  // namespace

int DefaultWorkers() {
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
}

PipelineCount RunLinePipeline(LineBlockReader& in, ReplacingFile& out, const LineRule& rule,
                              const PipelineShape& shape, const BlockDone& done) {
  ClearFpErrors();  // the long lines are rewritten on this thread
  const int workers = std::max(shape.workers, 1);
  const std::size_t blockBytes = std::max<std::size_t>(shape.blockBytes, 1);
  // Blocks read ahead of the writing once the first is written: enough to
  // keep every worker busy while this thread reads and writes, few enough
  // to bound the memory.
  const std::size_t fullAhead = static_cast<std::size_t>(workers) + 2;
  std::size_t ahead = 1;

  // Declared before the workers, so that the workers are joined before
  // the blocks they may still be rewriting go.
  std::deque<std::unique_ptr<Block>> flight;  // in file order
  std::vector<std::unique_ptr<Block>> spare;
  Workers pool(rule, 2 * blockBytes, workers);
  PipelineCount count;

  // Writes the oldest block once it is rewritten, or ends with its error;
  // a block with lines still to be rewritten stays the oldest.
  const auto writeOldest = [&] {
    Block& b = *flight.front();
    pool.Await(b);
    count.lines += b.lines;
    count.rewritten += b.tally.rewritten;
    done(b.lines, b.tally);
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
    LineBlockReader::Piece piece;
    try {
      piece = in.Next(b->in, ahead == 1 ? std::min(blockBytes, kFirstBlock) : blockBytes);
    } catch (...) {
      readError = std::current_exception();
      reading = false;
      continue;
    }
    switch (piece) {
      case LineBlockReader::Piece::Lines:
        b->from = 0;
        pool.Submit(*b);
        flight.push_back(std::move(b));
        break;
      case LineBlockReader::Piece::LineStart:
        while (!flight.empty()) writeOldest();
        RewriteLongLine(in, blockBytes, b->in, out, rule, done, count);
        ahead = fullAhead;
        spare.push_back(std::move(b));
        break;
      case LineBlockReader::Piece::End:
        reading = false;
        break;
    }
  }
  if (readError) std::rethrow_exception(readError);
  return count;
}

}  // namespace orthavion
