#include "carry/countlines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "text/fileerror.h"

namespace orthavion {

namespace {

// Large reads: the count is one system call per block, and small blocks
// cost more in calls than in counting.
constexpr std::size_t BUF_SIZE = std::size_t{1} << 20;

/// The number of LF bytes among `n` bytes. A comparison per byte summed in
/// 32 bits, which the compiler turns into vector code; std::count's 64-bit
/// sum is several times slower.
std::uint32_t LineFeeds(const char* bytes, std::size_t n) {
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < n; ++i) count += bytes[i] == '\n';
  return count;
}

/// Closes the file when the count ends, also on an error.
struct FileCloser {
  int fd;
  ~FileCloser() { ::close(fd); }
};

}  // namespace

std::int64_t CountLines(const std::string& fileName) {
  if (fileName.empty()) RaiseCannotOpen(fileName, EINVAL);
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseCannotOpen(fileName, errno);
  const FileCloser FS{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) RaiseCannotOpen(fileName, errno);
  if (S_ISDIR(st.st_mode)) RaiseCannotOpen(fileName, EISDIR);
  (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

  // Read to the end of the file rather than to the first short block: a
  // read may deliver less than asked for before the end (a pipe, a signal).
  const auto Buffer = std::make_unique_for_overwrite<char[]>(BUF_SIZE);
  std::int64_t result = 0;
  for (;;) {
    const ssize_t Cnt = ::read(fd, Buffer.get(), BUF_SIZE);
    if (Cnt < 0) {
      if (errno == EINTR) continue;
      RaiseIoError(errno);
    }
    if (Cnt == 0) break;
    result += LineFeeds(Buffer.get(), static_cast<std::size_t>(Cnt));
  }
  return result;
}

}  // namespace orthavion
