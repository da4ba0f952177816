#include "text/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/fileerror.h"

namespace orthavion {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
constexpr char kEndOfFile = '\x1A';
}  // namespace

int OpenTextFile(const std::string& fileName) {
  if (fileName.empty()) RaiseIoError(RefineOpenError(fileName, ENOENT));
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseIoError(RefineOpenError(fileName, errno));
  struct stat st;
  const int statError = ::fstat(fd, &st) != 0 ? errno : 0;
  if (statError != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    RaiseIoError(statError != 0 ? statError : EISDIR);
  }
  return fd;
}

std::string ReadFileBytes(const std::string& fileName) {
  const int fd = OpenTextFile(fileName);
  std::string bytes;
  std::size_t size = 0;
  for (;;) {
    bytes.resize(size + kBufferSize);
    const ssize_t got = ::read(fd, bytes.data() + size, kBufferSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      RaiseIoError(err);
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  bytes.resize(size);
  return bytes;
}

TextFileReader::TextFileReader(const std::string& fileName)
    : fd_(OpenTextFile(fileName)), buffer_(kBufferSize) {}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool TextFileReader::Fill() {
  if (eof_) return false;
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got < 0) RaiseIoError(errno);
  pos_ = 0;
  end_ = static_cast<std::size_t>(got);
  if (got == 0) {
    eof_ = true;
    return false;
  }
  if (const void* stop = std::memchr(buffer_.data(), kEndOfFile, end_)) {
    end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - buffer_.data());
    eof_ = true;
  }
  return end_ > 0;
}

bool TextFileReader::AtEnd() {
  while (pos_ == end_) {
    if (!Fill()) return true;
  }
  return false;
}

void TextFileReader::ReadLine(std::string& line) {
  line.clear();
  for (;;) {
    if (pos_ == end_ && !Fill()) return;
    const char* begin = buffer_.data() + pos_;
    const std::size_t avail = end_ - pos_;
    const void* lf = std::memchr(begin, '\n', avail);
    const std::size_t take = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : avail;
    // Copy the piece, leaving out every CR.
    for (const char* p = begin; p < begin + take;) {
      const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(begin + take - p));
      const char* stop = cr ? static_cast<const char*>(cr) : begin + take;
      line.append(p, stop);
      p = cr ? stop + 1 : stop;
    }
    pos_ += take;
    if (lf) {
      ++pos_;
      return;
    }
  }
}

}  // namespace orthavion
