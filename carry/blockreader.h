#pragma once
#include <cstddef>
#include <string>

#include "carry/bytebuffer.h"

namespace orthavion {

/// Reads a file for the pipeline in large blocks: a header as its bytes,
/// then records, either text lines (blocks cut at line ends) or fixed-size
/// records (blocks of whole records), then what follows the records.
///
/// Text lines are read under the reading rules of the system's text files:
/// a line ends at LF, a byte 0x1A ends the file, and a final line break adds
/// no line (CRs are left in the bytes; dropping them is the reader of the
/// lines'). A line longer than a block is handed out in pieces. Everything
/// else is read as it is.
class BlockReader {
public:
  /// What `NextLines` or `NextRecords` delivered.
  enum class Piece {
    Records,   ///< whole records; text lines each with its LF, but the
               ///< file's last line may lack it, and an empty block is the
               ///< one empty line of an empty file
    LineStart, ///< the first `bytes` bytes of a longer line; the rest
               ///< comes from `ContinueLine`
    End,       ///< nothing is left
  };

  /// Opens `fileName` for reading; throws `Error` with the I/O error text
  /// ("Datei nicht gefunden", ...) when it cannot be opened, "Dateizugriff
  /// verweigert" for a folder.
  explicit BlockReader(const std::string& fileName);
  ~BlockReader();
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  /// Replaces the bytes of `to` by the next bytes of the file as they are,
  /// at most `bytes` (fewer only at the end of the file); false when none is
  /// left. For a header and for what follows the records. Throws `Error`
  /// with the I/O error text when reading fails, as every read here does.
  bool Read(ByteBuffer& to, std::size_t bytes);

  /// Replaces the bytes of `block` by the next piece of text lines, at most
  /// `bytes` (at least 1).
  Piece NextLines(ByteBuffer& block, std::size_t bytes);

  /// After `Piece::LineStart`: replaces `piece` by the next bytes of that
  /// line (at most `bytes`, without its LF) and returns true when they end
  /// it.
  bool ContinueLine(ByteBuffer& piece, std::size_t bytes);

  /// Replaces the bytes of `block` by the next whole records of
  /// `recordBytes` bytes each, at most `records` (at least 1); `End` when
  /// not one whole record is left, whose bytes `Read` then delivers.
  Piece NextRecords(ByteBuffer& block, std::size_t records, std::size_t recordBytes);

private:
  /// Reads into `to` until it holds `bytes` bytes or the file ends (under
  /// the text rules: or a byte 0x1A is reached).
  void Fill(ByteBuffer& to, std::size_t bytes, bool text);
  /// Replaces the bytes of `to` by those read ahead and fills it to `bytes`.
  void Take(ByteBuffer& to, std::size_t bytes, bool text);

  int fd_ = -1;
  ByteBuffer carry_;        // bytes read ahead of what was handed out
  bool eof_ = false;        // the file is read to its end (or to a 0x1A byte)
  bool delivered_ = false;  // a piece of text lines was handed out
};

}  // namespace orthavion
