#pragma once
// Printing the HTML report on a Qt printer: the tables as laid-out text,
// page by page, and the residual plot as vectors on a page of its own.

#include <string_view>

#include "statistics/adjustmentresult.h"

class QPrinter;

namespace orthavion {

/// Prints the report of `result` (run at `runTime`) on `printer` as it is
/// set up, without a dialog: the report's text and tables (`HtmlReport`
/// without the plot) laid out on the printer's pages, breaking between
/// lines and table rows, then the residual plot on a page of its own, drawn
/// by Qt SVG onto the printer's painter (vectors, not a picture), as large
/// as the page allows at its own proportions. Throws `Error` when the job
/// cannot start ("Die Druckdatei <name> kann nicht angelegt werden", "Aktuell
/// ist kein Standarddrucker ausgewählt", ...) or cannot be finished, and as
/// `ResidualPlotSvg` does.
void PrintReportTo(QPrinter& printer, const AdjustmentResult& result, std::string_view runTime);

}  // namespace orthavion
