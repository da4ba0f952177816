#include "ui/reportprinter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTextDocument>

#include "base/error.h"
#include "ui/uitexts.h"
#include "report/htmlreport.h"
#include "report/resultplot.h"
#include "ui/protocolprinter.h"
#include "ui/qttext.h"

namespace orthavion {

void PrintReportTo(QPrinter& printer, const AdjustmentResult& result, std::string_view runTime) {
  // Everything that can fail on the result comes before the job starts, so
  // a failure leaves no half-printed job.
  const std::string html = HtmlReport(result, runTime, ReportPlot::None);
  const std::string svg = ResultPlotSvg(result);

  QPainter painter;
  if (!painter.begin(&printer)) throw Error(PrintJobStartError(printer));
  const QSizeF page(printer.width(), printer.height());

  // The document is laid out as on a screen of 96 pixels per inch, so that
  // its sizes in CSS pixels keep their meaning on paper, but at least as
  // wide as its widest table needs (the control points: 15 columns), in
  // pages of the printable area's proportions; the painter scales it to the
  // printer's resolution (on A4 portrait the text comes out at about two
  // thirds of its size). Its pagination breaks between lines and table rows.
  QTextDocument document;
  document.setHtml(ToQString(html));
  document.setTextWidth(page.width() * 96.0 / printer.resolution());
  const double width = std::max(document.textWidth(), std::ceil(document.idealWidth()));
  const double scale = page.width() / width;
  const QSizeF layoutPage(width, page.height() / scale);
  document.setPageSize(layoutPage);
  const int pages = document.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0 && !printer.newPage()) throw Error(texts::kPrintJobNotFinished);
    painter.save();
    painter.scale(scale, scale);
    painter.translate(0, -i * layoutPage.height());
    document.drawContents(&painter, QRectF(QPointF(0, i * layoutPage.height()), layoutPage));
    painter.restore();
  }

  if (!printer.newPage()) throw Error(texts::kPrintJobNotFinished);
  QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
  QSizeF size = renderer.defaultSize();
  size.scale(page, Qt::KeepAspectRatio);
  renderer.render(&painter, QRectF(QPointF(0, 0), size));
  if (!painter.end()) throw Error(texts::kPrintJobNotFinished);
}

}  // namespace orthavion
