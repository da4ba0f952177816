#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

/// A fresh, empty folder under the system's temporary folder, removed with
/// everything in it when the object goes out of scope.
class TestDir {
public:
  TestDir();
  ~TestDir();
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// The full name of `name` inside the folder, as the core takes file names.
  std::string file(std::string_view name) const;
  /// Writes `bytes` to `name` inside the folder and returns the full name.
  std::string write(std::string_view name, std::string_view bytes) const;

private:
  std::filesystem::path path_;
};

/// The whole content of a file as bytes; throws when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);

/// The names in `folder`, sorted.
std::vector<std::string> Entries(const std::filesystem::path& folder);

/// Copies the shipped example point files (decimal point and decimal comma)
/// into `folder`.
void CopyExamples(const std::filesystem::path& folder);

}  // namespace testsupport
