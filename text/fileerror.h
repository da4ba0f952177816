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
/// missing file: the result is ENOTDIR for a missing folder, EINVAL for an
/// empty name, otherwise `err`.
int RefineOpenError(const std::string& fileName, int err);

/// The name of a file as the messages that name it show it: the absolute,
/// normalised path (the name as given when it has none), as text.
std::string FullFileNameText(const std::string& fileName);

/// Throws `Error` "Datei <full name> kann nicht geöffnet werden. <reason>"
/// for a failed open of `fileName` with error number `err` (refined).
[[noreturn]] void RaiseCannotOpen(const std::string& fileName, int err);

/// Throws `Error` "Datei "<full name>" kann nicht erstellt werden. <reason>"
/// for a failed create of `fileName` with error number `err`.
[[noreturn]] void RaiseCannotCreate(const std::string& fileName, int err);

}  // namespace orthavion
