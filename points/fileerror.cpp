#include "points/fileerror.h"

#include <cerrno>
#include <filesystem>

#include "points/error.h"

namespace orthavion {

std::string IoErrorText(int err) {
  switch (err) {
    case ENOENT:
      return "Datei nicht gefunden";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return "Ungültiger Dateiname";
    case EMFILE:
    case ENFILE:
      return "Zu viele geöffnete Dateien";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
      return "Dateizugriff verweigert";
    default:
      return "E/A-Fehler " + std::to_string(err);
  }
}

void RaiseIoError(int err) { throw Error(IoErrorText(err)); }

std::string OsReasonText(int err) {
  switch (err) {
    case ENOENT:
      return "Das System kann die angegebene Datei nicht finden";
    case ENOTDIR:
      return "Das System kann den angegebenen Pfad nicht finden";
    case EACCES:
    case EPERM:
    case EISDIR:
      return "Zugriff verweigert";
    case EROFS:
      return "Das Medium ist schreibgeschützt";
    case ENOSPC:
    case EDQUOT:
      return "Auf dem Datenträger ist nicht genügend Speicherplatz verfügbar";
    case ENAMETOOLONG:
      return "Der Dateiname ist zu lang";
    case EMFILE:
    case ENFILE:
      return "Das System kann die Datei nicht öffnen";
    case EINVAL:
      return "Die Syntax für den Dateinamen ist falsch";
    default:
      return "Betriebssystemfehler " + std::to_string(err);
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

}  // namespace orthavion
