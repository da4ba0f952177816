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
/// "Dateizugriff verweigert: <file>": an output that is an input of the same
/// call, or another of its outputs.
std::string AccessDeniedText(std::string_view fileName);
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

// Point files and point clouds carried into the target system.
/// "Punktdatei transformiert: <p> Punkte, <n> Datensätze"
std::string PointFileDoneText(long long points, long long records);
/// "Punktwolke transformiert: <p> Punkte, <n> Datensätze"
std::string PointCloudDoneText(long long points, long long records);

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

// The adjustment: models, excluded points, statistics (protocol captions).
inline constexpr std::string_view kModelLineSimilarity7 =
    "Modell: similarity7 (7 Parameter: 3 Translationen, 3 Rotationen, Maßstab)";
inline constexpr std::string_view kModelLineRigid6 =
    "Modell: rigid6 (6 Parameter: 3 Translationen, 3 Rotationen, Maßstab fest 1)";
inline constexpr std::string_view kModelLineHorizontal5 =
    "Modell: horizontal5 (5 Parameter: Lage mit Translation, Drehung um die Lotrichtung und "
    "Maßstab; Höhe nur verschoben)";
/// "Ausgeschlossene Punkte: <a>, <b>" or "Ausgeschlossene Punkte: keine"
std::string ExcludedPointsText(const std::string& joinedIds);
inline constexpr std::string_view kNoPoints = "keine";
inline constexpr std::string_view kCheckPointsCaption = "Kontrollpunkte (nicht in der Schätzung)";
inline constexpr std::string_view kCheckPointsTitles =
    "Punktnummer              X              Y              Z         vX         vY"
    "         vZ         vS";
inline constexpr std::string_view kSnoopingCaption = "Datensnooping";
inline constexpr std::string_view kSnoopingNothingExcluded = "Kein Punkt ausgeschlossen";
inline constexpr std::string_view kParameterAccuracyCaption = "Genauigkeit der Parameter";
inline constexpr std::string_view kSigmaAprioriCaption = "s = sigma0 a priori";
inline constexpr std::string_view kSigmaAposterioriCaption = "s = m0 a posteriori";
inline constexpr std::string_view kParameterTitles = "Parameter              Wert          Sigma";
inline constexpr std::string_view kCorrelationCaption = "Korrelationsmatrix";
inline constexpr std::string_view kControlPointTestCaption =
    "Passpunkte: Redundanzanteile r, Testgrößen w und MDB";
inline constexpr std::string_view kWTestLine = "Test: w-Test (Baarda, sigma0 a priori)";
inline constexpr std::string_view kTauTestLine = "Test: Tau-Test (Pope, m0 a posteriori)";
inline constexpr std::string_view kControlPointTestTitles =
    "Punktnummer        rX     rY     rZ       wX       wY       wZ    MDB X    MDB Y    MDB Z";
inline constexpr std::string_view kNoTestValue = "-";
inline constexpr std::string_view kNewPointAccuracyCaption = "Genauigkeit der Neupunkte";
inline constexpr std::string_view kNewPointAccuracyTitles =
    "Punktnummer             sX         sY         sZ";
// Line formats of the statistics sections (text/numformat.h conversions).
inline constexpr std::string_view kSnoopingHeadFormat = "Datensnooping (%s, kritischer Wert %8.3f)";
inline constexpr std::string_view kSnoopingStepFormat = "%d. %-14s %10.2f";
inline constexpr std::string_view kUnitWeightFormat =
    "%s = %10.4f m, [vv]=%10.4f Freiheitsgrad= %d m0=%10.4f";
inline constexpr std::string_view kTranslationSigmaFormat = "t%s [m]     %16.4f %14.4f";
inline constexpr std::string_view kAngleSigmaFormat = "%s [gon]   %16.6f %14.6f";
inline constexpr std::string_view kScaleSigmaFormat = "m [ppm]    %16.4f %14.4f";
inline constexpr std::string_view kTestLineFormat = "%s, Alpha = %5.3f, kritischer Wert %8.3f";
inline constexpr std::string_view kGlobalTestFormat =
    "Globaltest: [vv]/sigma0² = %12.3f, Chi²(%d; 0.95) = %12.3f: %s";
inline constexpr std::string_view kAccepted = "angenommen";
inline constexpr std::string_view kRejected = "abgelehnt";

// Options of the batch program that are wrong (exit code 2).
/// "Unbekanntes Modell: <name> (similarity7, rigid6 oder horizontal5)"
std::string UnknownModelText(std::string_view name);
/// "Ungültiger Wert für --sigma0: <value> (eine positive Zahl in Metern)"
std::string BadSigma0Text(std::string_view value);
/// "Kein Passpunkt: <id> (--exclude)"
std::string NotAControlPointText(std::string_view id);
/// "Punkt doppelt ausgeschlossen: <id> (--exclude)"
std::string ExcludedTwiceText(std::string_view id);
/// "Fehlender Wert für <option>"
std::string MissingValueText(std::string_view option);
/// "orthavion-batch <major>.<minor>.<patch>.<tweak>"
std::string BatchVersionText();
inline constexpr std::string_view kBatchUsage =
    "Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM [--obj OBJ-DATEI ZIELDATEI [--shorten]]\n"
    "                       [--model MODELL] [--exclude PNR[,PNR...]] [--snooping]\n"
    "                       [--sigma0 METER] [--statistics] [--json DATEI] [--report DATEI]\n"
    "                       [--export-proj DATEI] [--points PUNKTDATEI ZIELDATEI]\n"
    "                       [--xyz PUNKTWOLKE ZIELDATEI]\n"
    "       orthavion-batch --apply ERGEBNIS.json (--obj OBJ-DATEI ZIELDATEI [--shorten] |\n"
    "                       --points PUNKTDATEI ZIELDATEI | --xyz PUNKTWOLKE ZIELDATEI)\n"
    "       orthavion-batch --help | --version\n"
    "  STARTSYSTEM, ZIELSYSTEM  Punktdateien (Textdatei PNR NIV X Y Z)\n"
    "  --obj OBJ-DATEI ZIELDATEI  transformiert danach das Wavefront-OBJ-Modell\n"
    "  --shorten                Koordinaten kürzen (X und Y ohne volle 10000)\n"
    "  --points PUNKTDATEI ZIELDATEI  transformiert eine Punktdatei (PNR NIV X Y Z ...)\n"
    "  --xyz PUNKTWOLKE ZIELDATEI  transformiert eine ASCII-Punktwolke (.xyz, .txt, .pts, .csv:\n"
    "                           X Y Z und weitere Felder, getrennt durch Leerzeichen, Tabulatoren,\n"
    "                           Kommas oder Semikolons)\n"
    "  --apply ERGEBNIS.json    die Transformation eines früheren Laufs (--json) anwenden\n"
    "  --model MODELL           similarity7 (Voreinstellung, 7 Parameter), rigid6 (Maßstab 1)\n"
    "                           oder horizontal5 (Lage mit Drehung um die Lotrichtung, Höhe verschoben)\n"
    "  --exclude PNR[,PNR...]   diese Passpunkte nicht schätzen, nur als Kontrollpunkte prüfen\n"
    "                           (auch mehrfach)\n"
    "  --snooping               Datensnooping: den Punkt mit der größten Testgröße über dem\n"
    "                           kritischen Wert ausschließen und neu schätzen\n"
    "  --sigma0 METER           Standardabweichung a priori einer Koordinate (w-Test, Globaltest);\n"
    "                           ohne sie gilt m0 (Tau-Test)\n"
    "  --statistics             Genauigkeit, Korrelation, Redundanzanteile, Testgrößen und MDB\n"
    "                           im Protokoll\n"
    "  --json DATEI             das vollständige Ergebnis als JSON\n"
    "  --export-proj DATEI      die Transformation als PROJ-Zeichenkette (cct, QGIS, GDAL, PDAL)\n"
    "  --report DATEI.html      der Bericht als HTML-Datei (Lageplan, Tabellen, PROJ)\n"
    "  --help                   dieser Text;  --version  die Version\n"
    "Schreibt Trafoprotokoll.txt neben STARTSYSTEM und das Protokoll auf die Standardausgabe.\n";

// A saved result read back ("Ergebnisdatei ungültig: ...").
inline constexpr std::string_view kKeyMissing = "fehlt";
inline constexpr std::string_view kKeyWrongType = "hat den falschen Typ";
inline constexpr std::string_view kKeyNotFinite = "enthält keine endliche Zahl";
inline constexpr std::string_view kKeyUnknownValue = "hat einen unbekannten Wert";
inline constexpr std::string_view kKeyNotRotation = "ist keine Drehmatrix";
inline constexpr std::string_view kKeyNotModel = "passt nicht zum Modell";
/// "Ergebnisdatei ungültig: Schlüssel "<key>" <problem>"
std::string InvalidResultKeyText(std::string_view key, std::string_view problem);
/// "Ergebnisdatei ungültig: kein JSON (Byte <n>)"
std::string ResultNotJsonText(std::size_t byte);

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

// The HTML report (orthavion-batch --report, the analysis window).
inline constexpr std::string_view kReportTitle = "Orthavion – Transformationsbericht";
inline constexpr std::string_view kReportStartFile = "Startsystem";
inline constexpr std::string_view kReportTargetFile = "Zielsystem";
inline constexpr std::string_view kReportModel = "Modell";
inline constexpr std::string_view kReportRunTime = "Berechnet am";
inline constexpr std::string_view kReportTest = "Test";
inline constexpr std::string_view kReportWTest = "w-Test (Baarda, sigma0 a priori)";
inline constexpr std::string_view kReportTauTest = "Tau-Test (Pope, m0 a posteriori)";
inline constexpr std::string_view kReportAlpha = "Irrtumswahrscheinlichkeit Alpha";
inline constexpr std::string_view kReportCriticalValue = "kritischer Wert";
inline constexpr std::string_view kReportDegreesOfFreedom = "Freiheitsgrade";
inline constexpr std::string_view kReportSigma0 = "sigma0 a priori [m]";
inline constexpr std::string_view kReportNoSigma0 = "keines (m0 a posteriori)";
inline constexpr std::string_view kReportGlobalTest = "Globaltest [vv]/sigma0² gegen Chi²(f; 0.95)";
inline constexpr std::string_view kReportParameters = "Parameter";
inline constexpr std::string_view kReportValue = "Wert";
inline constexpr std::string_view kReportSigma = "Sigma";
inline constexpr std::string_view kReportScale = "Maßstab m";
inline constexpr std::string_view kReportControlPoints =
    "Passpunkte: Restklaffen, Redundanzanteile r, Testgrößen und MDB";
inline constexpr std::string_view kReportPointNumber = "Punktnummer";
inline constexpr std::string_view kReportFlagLegend = "! Testgröße über dem kritischen Wert";
inline constexpr std::string_view kReportStep = "Schritt";
inline constexpr std::string_view kReportTestValue = "Testgröße";
inline constexpr std::string_view kReportNoNewPoints = "Keine Neupunkte";
inline constexpr std::string_view kReportProj = "PROJ-Zeichenketten";
inline constexpr std::string_view kReportProjForward = "vorwärts (Start- nach Zielsystem)";
inline constexpr std::string_view kReportProjInverse = "rückwärts (Ziel- nach Startsystem)";
// Column titles and captions of figures (report and analysis window).
inline constexpr std::string_view kTitleVx = "vX [m]", kTitleVy = "vY [m]", kTitleVz = "vZ [m]",
                                  kTitleVs = "vS [m]";
inline constexpr std::string_view kTitleX = "X [m]", kTitleY = "Y [m]", kTitleZ = "Z [m]";
inline constexpr std::string_view kTitleSx = "sX [m]", kTitleSy = "sY [m]", kTitleSz = "sZ [m]";
inline constexpr std::string_view kTitleRx = "rX", kTitleRy = "rY", kTitleRz = "rZ";
inline constexpr std::string_view kTitleWx = "wX", kTitleWy = "wY", kTitleWz = "wZ";
inline constexpr std::string_view kTitleTauX = "τX", kTitleTauY = "τY", kTitleTauZ = "τZ";
inline constexpr std::string_view kTitleMdbX = "MDB X [m]", kTitleMdbY = "MDB Y [m]",
                                  kTitleMdbZ = "MDB Z [m]";
inline constexpr std::string_view kTitleFlag = "!";
inline constexpr std::string_view kTitleTx = "tx [m]", kTitleTy = "ty [m]", kTitleTz = "tz [m]";
inline constexpr std::string_view kTitleAngleX = "rX [gon]", kTitleAngleY = "rY [gon]",
                                  kTitleAngleZ = "rZ [gon]";
inline constexpr std::string_view kTitleScalePpm = "m [ppm]";
inline constexpr std::string_view kTitleVv = "[vv] [m²]";
inline constexpr std::string_view kTitleM0 = "m0 [m]";
/// The time of a run as the report states it: "dd.mm.yyyy hh:mm:ss".
inline constexpr std::string_view kReportTimeFormat = "%d.%m.%Y %H:%M:%S";

// The analysis window "Auswertung".
inline constexpr std::string_view kAnalysisHint = "Auswertung";
inline constexpr std::string_view kAnalysisTitle = "Orthavion - Auswertung";
inline constexpr std::string_view kAnalysisUse = "verwenden";
inline constexpr std::string_view kAnalysisRedundancy = "r";
inline constexpr std::string_view kAnalysisRedundancyHint = "kleinster Redundanzanteil der drei Koordinaten";
inline constexpr std::string_view kAnalysisTestValueHint =
    "betragsgrößte Testgröße der drei Koordinaten";
inline constexpr std::string_view kAnalysisMdb = "MDB [m]";
inline constexpr std::string_view kAnalysisMdbHint =
    "größte minimal aufdeckbare Verfälschung der drei Koordinaten [m]";
inline constexpr std::string_view kAnalysisModel = "&Modell:";
inline constexpr std::string_view kAnalysisSigma0 = "&sigma0 a priori [m]:";
inline constexpr std::string_view kAnalysisSigma0Hint =
    "Standardabweichung a priori einer Koordinate in Metern (w-Test); leer: m0 (Tau-Test)";
inline constexpr std::string_view kAnalysisRecompute = "&Neu berechnen";
inline constexpr std::string_view kAnalysisSnooping = "&Datensnooping";
inline constexpr std::string_view kAnalysisExport = "&Exportieren…";
inline constexpr std::string_view kAnalysisPrint = "&Bericht drucken…";
inline constexpr std::string_view kAnalysisExportJson = "&JSON-Ergebnis…";
inline constexpr std::string_view kAnalysisExportProj = "&PROJ-Zeichenkette…";
inline constexpr std::string_view kAnalysisCopyProj = "PROJ-Zeichenkette in die &Zwischenablage";
inline constexpr std::string_view kAnalysisExportHtml = "&HTML-Bericht…";
inline constexpr std::string_view kAnalysisJsonFilter = "JSON-Ergebnis (*.json)";
inline constexpr std::string_view kAnalysisProjFilter = "PROJ-Zeichenkette (*.txt)";
inline constexpr std::string_view kAnalysisHtmlFilter = "HTML-Bericht (*.html *.htm)";
inline constexpr std::string_view kAnalysisZoomHint =
    "Lageplan: Mausrad oder + und - zoomen, 0 passt ihn ein";
inline constexpr std::string_view kAnalysisUsedYes = "ja";
inline constexpr std::string_view kAnalysisUsedNo = "nein";
inline constexpr std::string_view kAnalysisStatisticsFailedPrefix =
    "Auswertung nicht verfügbar: ";
/// "Ungültiger Wert für sigma0: <value> (eine positive Zahl in Metern)"
std::string BadSigma0FieldText(std::string_view value);

}  // namespace orthavion::texts
