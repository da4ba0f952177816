#pragma once
// Files of hundreds of megabytes, written and compared in pieces so that
// the test itself never holds them: a file is a sequence of texts, each
// repeated a number of times.
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace hardening {

/// `text` written `times` times in a row.
struct Piece {
  std::string text;
  std::size_t times = 1;
};

/// The bytes of `pieces`, produced a block of about `block` bytes at a time.
class PieceStream {
public:
  PieceStream(const std::vector<Piece>& pieces, std::size_t block = 1 << 20)
      : pieces_(pieces), block_(block) {}

  /// The next block; empty at the end.
  const std::string& Next() {
    out_.clear();
    while (out_.size() < block_ && piece_ < pieces_.size()) {
      const Piece& p = pieces_[piece_];
      if (done_ == p.times || p.text.empty()) {
        ++piece_;
        done_ = 0;
        continue;
      }
      const std::size_t n = std::min(p.times - done_, block_ / p.text.size() + 1);
      for (std::size_t i = 0; i < n; ++i) out_ += p.text;
      done_ += n;
    }
    return out_;
  }

private:
  const std::vector<Piece>& pieces_;
  std::size_t block_;
  std::size_t piece_ = 0, done_ = 0;
  std::string out_;
};

/// The total size of `pieces` in bytes.
inline std::size_t TotalSize(const std::vector<Piece>& pieces) {
  std::size_t n = 0;
  for (const Piece& p : pieces) n += p.text.size() * p.times;
  return n;
}

/// Writes `pieces` to `fileName`.
inline void WritePieces(const std::string& fileName, const std::vector<Piece>& pieces) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  PieceStream stream(pieces);
  for (const std::string* b = &stream.Next(); !b->empty(); b = &stream.Next())
    out.write(b->data(), static_cast<std::streamsize>(b->size()));
  if (!out) throw std::runtime_error("cannot write " + fileName);
}

/// The offset of the first byte where the file `fileName` and `pieces`
/// differ (the shorter one's size when one is a prefix of the other); -1
/// when they are equal.
inline long long FirstDifference(const std::string& fileName, const std::vector<Piece>& pieces) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return 0;
  PieceStream stream(pieces);
  std::string got;
  long long offset = 0;
  for (;;) {
    const std::string& want = stream.Next();
    got.resize(want.empty() ? 1 : want.size());
    in.read(got.data(), static_cast<std::streamsize>(got.size()));
    got.resize(static_cast<std::size_t>(in.gcount()));
    if (want.empty()) return got.empty() ? -1 : offset;
    const auto mismatch = std::mismatch(want.begin(), want.end(), got.begin(), got.end());
    if (mismatch.first != want.end()) return offset + (mismatch.first - want.begin());
    offset += static_cast<long long>(want.size());
  }
}

}  // namespace hardening
