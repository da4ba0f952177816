#pragma once
// The report of an adjustment run as one self-contained HTML page: what
// `orthavion-batch --report` writes and the analysis window exports.

#include <ctime>
#include <string>
#include <string_view>

#include "statistics/adjustmentresult.h"
#include "text/replacingfile.h"

namespace orthavion {

/// Whether the report holds the residual plot.
enum class ReportPlot {
  Inline,  ///< inline SVG, for a browser
  None,    ///< without: the printed report draws the plot on a page of its own
};

/// `time` as local time in the report's form "dd.mm.yyyy hh:mm:ss".
std::string RunTimeText(std::time_t time);

/// The report of `result` as an HTML5 document (UTF-8, no external
/// resource: CSS and the residual plot's SVG inline): the files, the model,
/// `runTime` (the time of the run, as text), the test, the parameters with
/// their σ, per used control point the residuals, redundancy numbers, test
/// values and MDB (flagged rows red), the check points, the snooping steps,
/// the new points with their σ, the residual plot and the PROJ strings.
/// Every text from the result is escaped; numbers are written by the
/// system's formatter with a decimal point, whatever the separator of the
/// last number read. Throws as `ResidualPlotSvg` does.
std::string HtmlReport(const AdjustmentResult& result, std::string_view runTime,
                       ReportPlot plot = ReportPlot::Inline);

/// The report written into a temporary file beside its name, so that it can
/// take the name after the run's other outputs are saved: an error before
/// `Replace` leaves an earlier file of that name as it was.
class PendingReport {
public:
  /// Writes `HtmlReport(result, runTime)` for `fileName`. Throws `Error`
  /// "Datei "<name>" kann nicht erstellt werden. <reason>" when the file
  /// cannot be created, "Stream konnte nicht gespeichert werden" when
  /// writing fails.
  PendingReport(const std::string& fileName, const AdjustmentResult& result,
                std::string_view runTime);
  /// Renames the report over its name; throws "Stream konnte nicht
  /// gespeichert werden" on failure.
  void Replace();

private:
  ReplacingFile file_;
};

/// Writes the report as `fileName` at once (a `PendingReport` replaced).
void SaveHtmlReport(const std::string& fileName, const AdjustmentResult& result,
                    std::string_view runTime);

}  // namespace orthavion
