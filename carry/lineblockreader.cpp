#include "carry/lineblockreader.h"

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

LineBlockReader::LineBlockReader(const std::string& fileName) : fd_(OpenTextFile(fileName)) {
  (void)::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

LineBlockReader::~LineBlockReader() {
  if (fd_ >= 0) ::close(fd_);
}

void LineBlockReader::Fill(ByteBuffer& to, std::size_t bytes) {
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
    if (const void* stop = std::memchr(p, kEndOfFile, n)) {
      to.Commit(static_cast<const char*>(stop));
      eof_ = true;
    } else {
      to.Commit(p + n);
    }
  }
}

LineBlockReader::Piece LineBlockReader::Next(ByteBuffer& block, std::size_t limit) {
  block.Clear();
  block.Append(carry_.view());
  carry_.Clear();
  Fill(block, std::max<std::size_t>(limit, 1));
  // Fill stops short only at the end of the file. Nothing read at all is
  // the one empty line of an empty file.
  if (block.size() == 0 && delivered_) return Piece::End;
  delivered_ = true;
  const std::string_view bytes = block.view();
  const std::size_t lastLf = bytes.rfind('\n');
  if (lastLf != std::string_view::npos) {
    carry_.Append(bytes.substr(lastLf + 1));
    block.Truncate(lastLf + 1);
    return Piece::Lines;
  }
  return eof_ ? Piece::Lines : Piece::LineStart;
}

bool LineBlockReader::ContinueLine(ByteBuffer& piece, std::size_t limit) {
  piece.Clear();
  Fill(piece, std::max<std::size_t>(limit, 1));
  const std::string_view bytes = piece.view();
  const std::size_t lf = bytes.find('\n');
  if (lf == std::string_view::npos) return eof_;
  carry_.Append(bytes.substr(lf + 1));
  piece.Truncate(lf);
  return true;
}

}  // namespace orthavion
