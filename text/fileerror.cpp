#include "text/fileerror.h"

#include <cerrno>
#include <filesystem>

#include "base/error.h"
#include "base/texts.h"
#include "text/codepage.h"

namespace orthavion {

std::string IoErrorText(int err) {
  switch (err) {
    case ENOENT:
      return std::string(texts::kFileNotFound);
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return std::string(texts::kInvalidFileName);
    case EMFILE:
    case ENFILE:
      return std::string(texts::kTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
      return std::string(texts::kAccessDenied);
    default:
      return std::string(texts::kIoErrorPrefix) + std::to_string(err);
  }
}

void RaiseIoError(int err) { throw Error(IoErrorText(err)); }

std::string OsReasonText(int err) {
  switch (err) {
    case ENOENT:
      return std::string(texts::kReasonFileNotFound);
    case ENOTDIR:
      return std::string(texts::kReasonPathNotFound);
    case EACCES:
    case EPERM:
    case EISDIR:
      return std::string(texts::kReasonAccessDenied);
    case EROFS:
      return std::string(texts::kReasonReadOnly);
    case ENOSPC:
    case EDQUOT:
      return std::string(texts::kReasonDiskFull);
    case ENAMETOOLONG:
      return std::string(texts::kReasonNameTooLong);
    case EMFILE:
    case ENFILE:
      return std::string(texts::kReasonCannotOpen);
    case EINVAL:
      return std::string(texts::kReasonBadSyntax);
    default:
      return std::string(texts::kReasonOsErrorPrefix) + std::to_string(err);
  }
}

int RefineOpenError(const std::string& fileName, int err) {
  if (fileName.empty()) return EINVAL;
  if (err != ENOENT) return err;
  const std::filesystem::path parent = std::filesystem::path(fileName).parent_path();
  std::error_code ec;
  if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return ENOTDIR;
  return err;
}

std::string FullFileNameText(const std::string& fileName) {
  if (fileName.empty()) return fileName;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(fileName, ec);
  return FileNameText(ec ? fileName : full.lexically_normal().string());
}

void RaiseCannotOpen(const std::string& fileName, int err) {
  throw Error(texts::CannotOpenText(FullFileNameText(fileName),
                                    OsReasonText(RefineOpenError(fileName, err))));
}

void RaiseCannotCreate(const std::string& fileName, int err) {
  throw Error(texts::CannotCreateText(FullFileNameText(fileName), OsReasonText(err)));
}

}  // namespace orthavion
