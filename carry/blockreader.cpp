#include "carry/blockreader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/fileerror.h"
#include "text/textfile.h"

namespace orthavion {

namespace {
constexpr char kEndOfFile = '\x1A';
}

BlockReader::BlockReader(const std::string& fileName) : fd_(OpenTextFile(fileName)) {
  (void)::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

BlockReader::~BlockReader() {
  if (fd_ >= 0) ::close(fd_);
}

void BlockReader::Fill(ByteBuffer& to, std::size_t bytes, bool text) {
  while (!eof_ && to.size() < bytes) {
    const std::size_t want = bytes - to.size();
    char* p = to.Room(want);
    ssize_t got;
    do {
      got = ::read(fd_, p, want);
    } while (got < 0 && errno == EINTR);
    if (got < 0) RaiseIoError(errno);
    if (got == 0) {
      eof_ = true;
      break;
    }
    const auto n = static_cast<std::size_t>(got);
    const void* stop = text ? std::memchr(p, kEndOfFile, n) : nullptr;
    if (stop != nullptr) {
      to.Commit(static_cast<const char*>(stop));
      eof_ = true;
    } else {
      to.Commit(p + n);
    }
  }
}

void BlockReader::Take(ByteBuffer& to, std::size_t bytes, bool text) {
  to.Clear();
  to.Append(carry_.view());
  carry_.Clear();
  Fill(to, std::max<std::size_t>(bytes, 1), text);
}

bool BlockReader::Read(ByteBuffer& to, std::size_t bytes) {
  Take(to, bytes, false);
  if (to.size() > bytes) {  // more was read ahead than asked for
    carry_.Append(to.view().substr(bytes));
    to.Truncate(bytes);
  }
  return to.size() > 0;
}

BlockReader::Piece BlockReader::NextLines(ByteBuffer& block, std::size_t limit) {
  Take(block, limit, true);
  // Fill stops short only at the end of the file. Nothing read at all is
  // the one empty line of an empty file.
  if (block.size() == 0 && delivered_) return Piece::End;
  delivered_ = true;
  const std::string_view bytes = block.view();
  const std::size_t lastLf = bytes.rfind('\n');
  if (lastLf != std::string_view::npos) {
    carry_.Append(bytes.substr(lastLf + 1));
    block.Truncate(lastLf + 1);
    return Piece::Records;
  }
  return eof_ ? Piece::Records : Piece::LineStart;
}

bool BlockReader::ContinueLine(ByteBuffer& piece, std::size_t limit) {
  piece.Clear();
  Fill(piece, std::max<std::size_t>(limit, 1), true);
  const std::string_view bytes = piece.view();
  const std::size_t lf = bytes.find('\n');
  if (lf == std::string_view::npos) return eof_;
  carry_.Append(bytes.substr(lf + 1));
  piece.Truncate(lf);
  return true;
}

BlockReader::Piece BlockReader::NextRecords(ByteBuffer& block, std::size_t records, std::size_t recordBytes) {
  const std::size_t most = std::max<std::size_t>(records, 1) * recordBytes;
  Take(block, most, false);
  const std::size_t whole = std::min(block.size() - block.size() % recordBytes, most);
  carry_.Append(block.view().substr(whole));
  block.Truncate(whole);
  return whole > 0 ? Piece::Records : Piece::End;
}

}  // namespace orthavion
