#pragma once
// The report of an adjustment run as one self-contained HTML page: what
// `orthavion-batch --report` writes and the analysis window exports.

#include <ctime>
#include <string>
#include <string_view>

#include "text/outputfiles.h"
#include "statistics/adjustmentresult.h"

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

/// The report as a file written with the run's other outputs
/// (`SaveWithProtocol`, `SaveOutputFiles`): `HtmlReport(result, runTime)`.
/// `result` must outlive the returned value.
OutputFile HtmlReportFile(const AdjustmentResult& result, std::string runTime,
                          const std::string& fileName);

}  // namespace orthavion
