#pragma once
// The catalogue of the system's own texts: every message, status text and
// question that reaches the user, in UTF-8 and exactly as shown. Stored
// protocols, scripts and users rely on them character for character, so a
// text is written here once and used by name everywhere else.

#include <string>
#include <string_view>

namespace orthavion::texts {

// Floating-point errors of a command.
inline constexpr std::string_view kDivisionByZero = "Gleitkommadivision durch Null";
inline constexpr std::string_view kOverflow = "Gleitkommaüberlauf";
inline constexpr std::string_view kInvalidOperation = "Ungültige Gleitkommaoperation";

// I/O errors of a failed open, read or write ("E/A-Fehler N" otherwise).
inline constexpr std::string_view kFileNotFound = "Datei nicht gefunden";
inline constexpr std::string_view kInvalidFileName = "Ungültiger Dateiname";
inline constexpr std::string_view kTooManyOpenFiles = "Zu viele geöffnete Dateien";
inline constexpr std::string_view kAccessDenied = "Dateizugriff verweigert";
inline constexpr std::string_view kIoErrorPrefix = "E/A-Fehler ";

// The operating system's reasons, appended to the messages that name a file
// ("Betriebssystemfehler N" otherwise).
inline constexpr std::string_view kReasonFileNotFound = "Das System kann die angegebene Datei nicht finden";
inline constexpr std::string_view kReasonPathNotFound = "Das System kann den angegebenen Pfad nicht finden";
inline constexpr std::string_view kReasonAccessDenied = "Zugriff verweigert";
inline constexpr std::string_view kReasonReadOnly = "Das Medium ist schreibgeschützt";
inline constexpr std::string_view kReasonDiskFull =
    "Auf dem Datenträger ist nicht genügend Speicherplatz verfügbar";
inline constexpr std::string_view kReasonNameTooLong = "Der Dateiname ist zu lang";
inline constexpr std::string_view kReasonCannotOpen = "Das System kann die Datei nicht öffnen";
inline constexpr std::string_view kReasonBadSyntax = "Die Syntax für den Dateinamen ist falsch";
inline constexpr std::string_view kReasonOsErrorPrefix = "Betriebssystemfehler ";

// The protocol.
inline constexpr std::string_view kProtocolFull = "Fehler beim Einfügen einer Zeile in RichEdit";
inline constexpr std::string_view kStreamNotSaved = "Stream konnte nicht gespeichert werden";
inline constexpr std::string_view kProtocolFileName = "Trafoprotokoll.txt";

// The OBJ command.
inline constexpr std::string_view kNoTransformation =
    "Keine Transformation vorhanden: bitte zuerst die Transformation berechnen";
inline constexpr std::string_view kStatusFileSize = "Dateigröße ermitteln";
inline constexpr std::string_view kAskShorten = "Koordinaten kürzen?";
/// "<n> Datensätze, bitte warten"
std::string RecordsPleaseWaitText(long long records);
/// "OBJ-Datei transformiert: <v> Eckpunkte, <n> Datensätze"
std::string ObjDoneText(long long vertices, long long records);

// Failures outside the system's own errors, caught once per command.
inline constexpr std::string_view kOutOfMemory = "Zu wenig Arbeitsspeicher";
inline constexpr std::string_view kInternalErrorPrefix = "Interner Programmfehler: ";

// Printing.
inline constexpr std::string_view kNothingToPrint = "Das Protokoll ist leer: nichts zu drucken";
inline constexpr std::string_view kPrintJobNotFinished = "Der Druckauftrag konnte nicht abgeschlossen werden";
inline constexpr std::string_view kNoDefaultPrinter = "Aktuell ist kein Standarddrucker ausgewählt";
inline constexpr std::string_view kPrintJobNotStarted = "Der Druckauftrag konnte nicht gestartet werden";
/// "Die Druckdatei <name> kann nicht angelegt werden"
std::string PrintFileNotCreatedText(std::string_view fileName);
/// "Der Druckauftrag für den Drucker <name> konnte nicht gestartet werden"
std::string PrinterJobNotStartedText(std::string_view printerName);

/// The message for a file that cannot be created:
/// "Datei "<name>" kann nicht erstellt werden. <reason>".
std::string CannotCreateText(std::string_view shownName, std::string_view reason);
/// The message for a file that cannot be opened:
/// "Datei <name> kann nicht geöffnet werden. <reason>".
std::string CannotOpenText(std::string_view shownName, std::string_view reason);

// The residual plot.
inline constexpr std::string_view kPlotTitle = "Lageplan der Restklaffen";
inline constexpr std::string_view kPlotAxisX = "X [m]";
inline constexpr std::string_view kPlotAxisY = "Y [m]";
inline constexpr std::string_view kPlotUsedPoint = "Passpunkt";
inline constexpr std::string_view kPlotCheckPoint = "Kontrollpunkt (nicht verwendet)";
inline constexpr std::string_view kPlotNewPoint = "Neupunkt";
inline constexpr std::string_view kPlotFlagged = "Testgröße über dem kritischen Wert";
inline constexpr std::string_view kPlotHeightResidual = "vZ (Balken, positiv nach oben)";
/// "Restklaffen vX, vY: 1 cm ≙ <length>", e.g. "Restklaffen vX, vY: 1 cm ≙ 5 mm"
std::string PlotVectorScaleText(std::string_view length);
/// "Maßstab: <length>", the label of the scale bar, e.g. "Maßstab: 100 m"
std::string PlotScaleBarText(std::string_view length);

}  // namespace orthavion::texts
