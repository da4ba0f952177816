#include "ui/uitexts.h"

#include "base/texts.h"

namespace orthavion::texts {

const std::string_view kAnalysisHint = "Auswertung";
const std::string_view kAnalysisTitle = "Orthavion - Auswertung";
const std::string_view kAnalysisUse = "verwenden";
const std::string_view kAnalysisRedundancy = "r";
const std::string_view kAnalysisRedundancyHint = "kleinster Redundanzanteil der drei Koordinaten";
const std::string_view kAnalysisTestValueHint = "betragsgrößte Testgröße der drei Koordinaten";
const std::string_view kAnalysisMdb = "MDB [m]";
const std::string_view kAnalysisMdbHint =
    "größte minimal aufdeckbare Verfälschung der drei Koordinaten [m]";
const std::string_view kAnalysisModel = "&Modell:";
const std::string_view kAnalysisSigma0 = "&sigma0 a priori [m]:";
const std::string_view kAnalysisSigma0Hint =
    "Standardabweichung a priori einer Koordinate in Metern (w-Test); leer: m0 (Tau-Test)";
const std::string_view kAnalysisRecompute = "&Neu berechnen";
const std::string_view kAnalysisSnooping = "&Datensnooping";
const std::string_view kAnalysisExport = "&Exportieren…";
const std::string_view kAnalysisPrint = "&Bericht drucken…";
const std::string_view kAnalysisExportJson = "&JSON-Ergebnis…";
const std::string_view kAnalysisExportProj = "&PROJ-Zeichenkette…";
const std::string_view kAnalysisCopyProj = "PROJ-Zeichenkette in die &Zwischenablage";
const std::string_view kAnalysisExportHtml = "&HTML-Bericht…";
const std::string_view kAnalysisJsonFilter = "JSON-Ergebnis (*.json)";
const std::string_view kAnalysisProjFilter = "PROJ-Zeichenkette (*.txt)";
const std::string_view kAnalysisHtmlFilter = "HTML-Bericht (*.html *.htm)";
const std::string_view kAnalysisZoomHint = "Lageplan: Mausrad oder + und - zoomen, 0 passt ihn ein";
const std::string_view kAnalysisUsedYes = "ja";
const std::string_view kAnalysisUsedNo = "nein";
const std::string_view kAnalysisStatisticsFailedPrefix = "Auswertung nicht verfügbar: ";

std::string BadSigma0FieldText(std::string_view value) {
  return Joined({"Ungültiger Wert für sigma0: ", value, " (eine positive Zahl in Metern)"});
}

const std::string_view kNothingToPrint = "Das Protokoll ist leer: nichts zu drucken";
const std::string_view kPrintJobNotFinished = "Der Druckauftrag konnte nicht abgeschlossen werden";
const std::string_view kNoDefaultPrinter = "Aktuell ist kein Standarddrucker ausgewählt";
const std::string_view kPrintJobNotStarted = "Der Druckauftrag konnte nicht gestartet werden";

std::string PrintFileNotCreatedText(std::string_view fileName) {
  return Joined({"Die Druckdatei ", fileName, " kann nicht angelegt werden"});
}

std::string PrinterJobNotStartedText(std::string_view printerName) {
  return Joined({"Der Druckauftrag für den Drucker ", printerName, " konnte nicht gestartet werden"});
}

}  // namespace orthavion::texts
