#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace orthavion {

/// Writes a file so that a failure part-way never leaves a truncated file
/// under the target's name and never destroys an earlier one: the bytes go
/// into a temporary file in the target's folder, which replaces the target
/// only when everything is written, flushed and closed. A target that exists
/// and is not a regular file (a device, a pipe) is written directly. A
/// symbolic link is followed, so the file it names is replaced.
///
/// Every operation returns 0 or the platform's error number. The destructor
/// removes the temporary file unless `Replace` succeeded.
class ReplacingFile {
public:
  ReplacingFile() = default;
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  /// Creates the temporary file for `target`. A missing folder of the path
  /// gives ENOTDIR.
  int Create(const std::string& target);
  /// Appends bytes (buffered).
  int Write(std::string_view bytes);
  /// Writes `bytes` over bytes already appended, from `offset` on (a header
  /// that counts what follows it); what is buffered is written first. A
  /// target that cannot seek (a pipe) gives ESPIPE.
  int Overwrite(long long offset, std::string_view bytes);
  /// Writes what is buffered, forces it to the disk and closes the file.
  int Finish();
  /// Renames the finished temporary file over the target.
  int Replace();

private:
  int Flush();

  int fd_ = -1;
  bool direct_ = false;  // writing the target itself (not a regular file)
  std::string target_;
  std::string temp_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  long long written_ = 0;  // bytes handed to the file so far
  int writeError_ = 0;  // the first write error, reported again by Finish
};

}  // namespace orthavion
