#pragma once
#include <string>

namespace orthavion {

/// The I/O error text for a failed open, read or write, from the platform's
/// error number: "Datei nicht gefunden", "Ungültiger Dateiname",
/// "Zu viele geöffnete Dateien", "Dateizugriff verweigert", or
/// "E/A-Fehler N" for any other cause.
std::string IoErrorText(int err);

/// Throws `Error` with `IoErrorText(err)`.
[[noreturn]] void RaiseIoError(int err);

/// The operating system's reason for a failure, in German, for messages that
/// name a file ("Datei ... kann nicht erstellt werden. <reason>").
std::string OsReasonText(int err);

/// The error number of a failed open of `fileName` (errno as the open left
/// it), refined so that a missing folder of the path is told apart from a
/// missing file: the result is ENOTDIR for a missing folder, otherwise `err`.
int RefineOpenError(const std::string& fileName, int err);

}  // namespace orthavion
