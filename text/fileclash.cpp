#include "text/fileclash.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "base/error.h"
#include "base/texts.h"

namespace orthavion {

namespace {

/// Which file a name stands for once its links are followed.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;  ///< empty for an existing file; else its name in that folder
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& fileName) {
  if (fileName.empty()) return std::nullopt;
  struct stat st;
  if (::stat(fileName.c_str(), &st) == 0) return FileIdentity{st.st_dev, st.st_ino, {}};
  // Not there yet: the folder it will be made in, with links resolved.
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::weakly_canonical(fileName, ec);
  if (ec) return std::nullopt;
  const std::string folder = path.parent_path().string();
  if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino, path.filename().string()};
}

}  // namespace

void RefuseFileClashes(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs) {
  std::vector<FileIdentity> taken;
  for (const std::string& in : inputs)
    if (const std::optional<FileIdentity> id = IdentityOf(in)) taken.push_back(*id);
  for (const std::string& out : outputs) {
    const std::optional<FileIdentity> id = IdentityOf(out);
    if (!id) continue;
    for (const FileIdentity& other : taken)
      if (other == *id) throw Error(texts::AccessDeniedText(out));
    taken.push_back(*id);
  }
}

}  // namespace orthavion
