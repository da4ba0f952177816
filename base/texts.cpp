#include "base/texts.h"

namespace orthavion::texts {

const std::string_view kDivisionByZero = "Gleitkommadivision durch Null";
const std::string_view kOverflow = "Gleitkommaüberlauf";
const std::string_view kInvalidOperation = "Ungültige Gleitkommaoperation";

const std::string_view kFileNotFound = "Datei nicht gefunden";
const std::string_view kInvalidFileName = "Ungültiger Dateiname";
const std::string_view kTooManyOpenFiles = "Zu viele geöffnete Dateien";
const std::string_view kAccessDenied = "Dateizugriff verweigert";
const std::string_view kIoErrorPrefix = "E/A-Fehler ";
const std::string_view kStreamNotSaved = "Stream konnte nicht gespeichert werden";

const std::string_view kReasonFileNotFound = "Das System kann die angegebene Datei nicht finden";
const std::string_view kReasonPathNotFound = "Das System kann den angegebenen Pfad nicht finden";
const std::string_view kReasonAccessDenied = "Zugriff verweigert";
const std::string_view kReasonReadOnly = "Das Medium ist schreibgeschützt";
const std::string_view kReasonDiskFull =
    "Auf dem Datenträger ist nicht genügend Speicherplatz verfügbar";
const std::string_view kReasonNameTooLong = "Der Dateiname ist zu lang";
const std::string_view kReasonCannotOpen = "Das System kann die Datei nicht öffnen";
const std::string_view kReasonBadSyntax = "Die Syntax für den Dateinamen ist falsch";
const std::string_view kReasonOsErrorPrefix = "Betriebssystemfehler ";

std::string CannotCreateText(std::string_view shownName, std::string_view reason) {
  return Joined({"Datei \"", shownName, "\" kann nicht erstellt werden. ", reason});
}

std::string CannotOpenText(std::string_view shownName, std::string_view reason) {
  return Joined({"Datei ", shownName, " kann nicht geöffnet werden. ", reason});
}

const std::string_view kNoTransformation =
    "Keine Transformation vorhanden: bitte zuerst die Transformation berechnen";
const std::string_view kStatusFileSize = "Dateigröße ermitteln";
const std::string_view kAskShorten = "Koordinaten kürzen?";

std::string RecordsPleaseWaitText(long long records) {
  return Joined({std::to_string(records), " Datensätze, bitte warten"});
}

std::string ObjDoneText(long long vertices, long long records) {
  return Joined({"OBJ-Datei transformiert: ", std::to_string(vertices), " Eckpunkte, ",
                 std::to_string(records), " Datensätze"});
}

std::string PointFileDoneText(long long points, long long records) {
  return Joined({"Punktdatei transformiert: ", std::to_string(points), " Punkte, ",
                 std::to_string(records), " Datensätze"});
}

std::string PointCloudDoneText(long long points, long long records) {
  return Joined({"Punktwolke transformiert: ", std::to_string(points), " Punkte, ",
                 std::to_string(records), " Datensätze"});
}

const std::string_view kOutOfMemory = "Zu wenig Arbeitsspeicher";
const std::string_view kInternalErrorPrefix = "Interner Programmfehler: ";

const std::string_view kKeyMissing = "fehlt";
const std::string_view kKeyWrongType = "hat den falschen Typ";
const std::string_view kKeyNotFinite = "enthält keine endliche Zahl";
const std::string_view kKeyUnknownValue = "hat einen unbekannten Wert";
const std::string_view kKeyNotRotation = "ist keine Drehmatrix";
const std::string_view kKeyNotModel = "passt nicht zum Modell";

std::string InvalidResultKeyText(std::string_view key, std::string_view problem) {
  return Joined({"Ergebnisdatei ungültig: Schlüssel \"", key, "\" ", problem});
}

std::string ResultNotJsonText(std::size_t byte) {
  return Joined({"Ergebnisdatei ungültig: kein JSON (Byte ", std::to_string(byte), ")"});
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

std::string AccessDeniedText(std::string_view fileName) {
  return Joined({kAccessDenied, ": ", fileName});
}

}  // namespace orthavion::texts
