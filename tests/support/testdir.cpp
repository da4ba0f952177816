#include "support/testdir.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TestDir::TestDir() {
  std::random_device rd;
  for (;;) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("orthavion-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

TestDir::~TestDir() {
  std::error_code ec;
  // Tests may leave folders without write permission; give it back first.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

std::string TestDir::file(std::string_view name) const { return (path_ / name).string(); }

std::string TestDir::write(std::string_view name, std::string_view bytes) const {
  const std::string full = file(name);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + full);
  return full;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

void CopyExamples(const std::filesystem::path& folder) {
  for (const auto& e : std::filesystem::directory_iterator(ORTHAVION_SOURCE_DIR "/examples"))
    std::filesystem::copy_file(e.path(), folder / e.path().filename());
}

}  // namespace testsupport
