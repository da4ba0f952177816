#pragma once
// The window program's own texts: the analysis window "Auswertung" and the
// errors of printing. Written once in uitexts.cpp (see base/texts.h); the
// analysis table's column titles that it shares with the report are the
// report's (report/reporttexts.h).

#include <string>
#include <string_view>

namespace orthavion::texts {

// The analysis window: title, column titles and hints of its table, its
// controls (with their "&" accelerators), the file filters of the export,
// the check box's "ja"/"nein" in copied text, and the status text of
// statistics that could not be computed.
extern const std::string_view kAnalysisHint, kAnalysisTitle, kAnalysisUse, kAnalysisRedundancy,
    kAnalysisRedundancyHint, kAnalysisTestValueHint, kAnalysisMdb, kAnalysisMdbHint,
    kAnalysisModel, kAnalysisSigma0, kAnalysisSigma0Hint, kAnalysisRecompute, kAnalysisSnooping,
    kAnalysisExport, kAnalysisPrint, kAnalysisExportJson, kAnalysisExportProj, kAnalysisCopyProj,
    kAnalysisExportHtml, kAnalysisJsonFilter, kAnalysisProjFilter, kAnalysisHtmlFilter,
    kAnalysisZoomHint, kAnalysisUsedYes, kAnalysisUsedNo, kAnalysisStatisticsFailedPrefix;
/// "Ungültiger Wert für sigma0: <value> (eine positive Zahl in Metern)"
std::string BadSigma0FieldText(std::string_view value);

// Printing.
extern const std::string_view kNothingToPrint, kPrintJobNotFinished, kNoDefaultPrinter,
    kPrintJobNotStarted;
/// "Die Druckdatei <name> kann nicht angelegt werden"
std::string PrintFileNotCreatedText(std::string_view fileName);
/// "Der Druckauftrag für den Drucker <name> konnte nicht gestartet werden"
std::string PrinterJobNotStartedText(std::string_view printerName);

}  // namespace orthavion::texts
