#pragma once
// The texts that cross the layers: the errors any command may end with
// (floating point, files, memory), the refusals, the status texts and the
// question of the carrying commands, and the errors of a saved result read
// back. Every layer keeps the texts that only it speaks in a catalogue of
// its own in the same namespace (estimation/estimationtexts.h,
// protocol/protocoltexts.h, statistics/statisticstexts.h,
// report/reporttexts.h, ui/uitexts.h, batch/batchtexts.h).
//
// The texts are UTF-8 and exactly as shown: stored protocols, scripts and
// users rely on them character for character, so each is written once, in
// the catalogue's .cpp file (the estimation's few, which only one file
// includes, in its header), and used by name everywhere else; changing one
// recompiles that file alone.

#include <initializer_list>
#include <string>
#include <string_view>

namespace orthavion::texts {

// Floating-point errors of a command.
extern const std::string_view kDivisionByZero, kOverflow, kInvalidOperation;

// I/O errors of a failed open, read or write ("E/A-Fehler N" otherwise), and
// the failed save of a written file.
extern const std::string_view kFileNotFound, kInvalidFileName, kTooManyOpenFiles, kAccessDenied,
    kIoErrorPrefix, kStreamNotSaved;
/// "Dateizugriff verweigert: <file>": an output that is an input of the same
/// call, or another of its outputs.
std::string AccessDeniedText(std::string_view fileName);

// The operating system's reasons, appended to the messages that name a file
// ("Betriebssystemfehler N" otherwise).
extern const std::string_view kReasonFileNotFound, kReasonPathNotFound, kReasonAccessDenied,
    kReasonReadOnly, kReasonDiskFull, kReasonNameTooLong, kReasonCannotOpen, kReasonBadSyntax,
    kReasonOsErrorPrefix;

/// The message for a file that cannot be created:
/// "Datei "<name>" kann nicht erstellt werden. <reason>".
std::string CannotCreateText(std::string_view shownName, std::string_view reason);
/// The message for a file that cannot be opened:
/// "Datei <name> kann nicht geöffnet werden. <reason>".
std::string CannotOpenText(std::string_view shownName, std::string_view reason);

// The carrying commands (OBJ model, point file, point cloud): the refusal
// without a transformation, the status texts and the question.
extern const std::string_view kNoTransformation, kStatusFileSize, kAskShorten;
/// "<n> Datensätze, bitte warten"
std::string RecordsPleaseWaitText(long long records);
/// "OBJ-Datei transformiert: <v> Eckpunkte, <n> Datensätze"
std::string ObjDoneText(long long vertices, long long records);
/// "Punktdatei transformiert: <p> Punkte, <n> Datensätze"
std::string PointFileDoneText(long long points, long long records);
/// "Punktwolke transformiert: <p> Punkte, <n> Datensätze"
std::string PointCloudDoneText(long long points, long long records);

// Failures outside the system's own errors, caught once per command.
extern const std::string_view kOutOfMemory, kInternalErrorPrefix;

// A saved result read back ("Ergebnisdatei ungültig: ..."): what is wrong
// with a key.
extern const std::string_view kKeyMissing, kKeyWrongType, kKeyNotFinite, kKeyUnknownValue,
    kKeyNotRotation, kKeyNotModel;
/// "Ergebnisdatei ungültig: Schlüssel "<key>" <problem>"
std::string InvalidResultKeyText(std::string_view key, std::string_view problem);
/// "Ergebnisdatei ungültig: kein JSON (Byte <n>)"
std::string ResultNotJsonText(std::size_t byte);

/// The parts one after the other: how the catalogues build their texts.
std::string Joined(std::initializer_list<std::string_view> parts);

}  // namespace orthavion::texts
