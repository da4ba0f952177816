#pragma once
#include <cstddef>
#include <string>

#include "carry/bytebuffer.h"

namespace orthavion {

/// Reads a text file in large blocks cut at line ends, for the pipeline,
/// under the reading rules of the system's text files: a line ends at LF, a
/// byte 0x1A ends the file, and a final line break adds no line (CRs are
/// left in the bytes; dropping them is the reader of the lines'). A line
/// longer than a block is handed out in pieces.
class LineBlockReader {
public:
  /// What `Next` delivered.
  enum class Piece {
    Lines,     ///< whole lines, each with its LF; the file's last line may
               ///< lack it. An empty block is the one empty line of an empty
               ///< file.
    LineStart, ///< the first `bytes` bytes of a longer line; the rest
               ///< comes from `ContinueLine`
    End,       ///< nothing is left
  };

  /// Opens `fileName` for reading; throws `Error` with the I/O error text
  /// ("Datei nicht gefunden", ...) when it cannot be opened, "Dateizugriff
  /// verweigert" for a folder.
  explicit LineBlockReader(const std::string& fileName);
  ~LineBlockReader();
  LineBlockReader(const LineBlockReader&) = delete;
  LineBlockReader& operator=(const LineBlockReader&) = delete;

  /// Replaces the bytes of `block` by the next piece of the file, at most
  /// `bytes` (at least 1). Throws `Error` with the I/O error text when
  /// reading fails.
  Piece Next(ByteBuffer& block, std::size_t bytes);

  /// After `Piece::LineStart`: replaces `piece` by the next bytes of that
  /// line (at most `bytes`, without its LF) and returns true when they end
  /// it. Throws as `Next` does.
  bool ContinueLine(ByteBuffer& piece, std::size_t bytes);

private:
  /// Reads into `to` until it holds `bytes` bytes or the file ends.
  void Fill(ByteBuffer& to, std::size_t bytes);

  int fd_ = -1;
  ByteBuffer carry_;        // bytes read after the last line handed out
  bool eof_ = false;        // the file is read to its end (or to a 0x1A byte)
  bool delivered_ = false;  // a piece of the file was handed out
};

}  // namespace orthavion
