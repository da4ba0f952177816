#include "text/replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "text/fileerror.h"
#include "text/temporaryfiles.h"

namespace orthavion {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

int CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<int>(mask);
}

}  // namespace

ReplacingFile::~ReplacingFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) {
    const InterruptsHeld held;
    ::unlink(temp_.c_str());
    UnregisterTemporaryFile(temp_.c_str());
  }
}

int ReplacingFile::Create(const std::string& target) {
  if (target.empty()) return EINVAL;
  target_ = target;
  std::error_code ec;
  if (std::filesystem::is_symlink(target_, ec)) {
    const auto resolved = std::filesystem::canonical(target_, ec);
    if (!ec) target_ = resolved.string();
  }

  struct stat st;
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return EISDIR;
  if (exists && !S_ISREG(st.st_mode)) {
    direct_ = true;
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd_ < 0) return errno;
  } else {
    const std::filesystem::path path(target_);
    if (path.filename().empty()) return EISDIR;
    std::string hidden(".");
    hidden.append(path.filename().string()).append(".XXXXXX");
    std::string pattern = (path.parent_path() / hidden).string();
    {
      const InterruptsHeld held;  // made and registered as one step
      fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
      if (fd_ < 0) return RefineOpenError(target_, errno);
      temp_ = std::move(pattern);
      RegisterTemporaryFile(temp_.c_str());
    }
    // The new file gets the permissions that replacing the old one keeps, or
    // those of any newly created file.
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    (void)::fchmod(fd_, mode);
  }
  // Not zero-filled: only what Write copied in is ever written out.
  buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  used_ = 0;
  return 0;
}

int ReplacingFile::Flush() {
  std::size_t done = 0;
  while (done < used_) {
    const ssize_t n = ::write(fd_, buffer_.get() + done, used_ - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  if (!direct_) {
    // Start writing the block to the disk now, so that the final fsync of a
    // large file finds little left to do.
    (void)::sync_file_range(fd_, static_cast<off_t>(written_), static_cast<off_t>(used_), SYNC_FILE_RANGE_WRITE);
    written_ += static_cast<long long>(used_);
  }
  used_ = 0;
  return 0;
}

int ReplacingFile::Write(std::string_view bytes) {
  if (writeError_) return writeError_;
  while (!bytes.empty()) {
    if (used_ == kBufferSize && (writeError_ = Flush())) return writeError_;
    const std::size_t take = std::min(bytes.size(), kBufferSize - used_);
    std::memcpy(buffer_.get() + used_, bytes.data(), take);
    used_ += take;
    bytes.remove_prefix(take);
  }
  return 0;
}

int ReplacingFile::Overwrite(long long offset, std::string_view bytes) {
  if (writeError_ || (writeError_ = Flush())) return writeError_;
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return writeError_ = errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return 0;
}

int ReplacingFile::Finish() {
  if (writeError_) return writeError_;
  if (int err = Flush()) return err;
  if (!direct_ && ::fsync(fd_) != 0) return errno;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return errno;
  return 0;
}

int ReplacingFile::Replace() {
  if (direct_) return 0;
  const InterruptsHeld held;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return errno;
  UnregisterTemporaryFile(temp_.c_str());
  temp_.clear();
  return 0;
}

}  // namespace orthavion
