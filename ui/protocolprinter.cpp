#include "ui/protocolprinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "base/error.h"
#include "ui/qttext.h"
#include "ui/uitexts.h"

namespace orthavion {

namespace {

/// The protocol view's 13 pixels at 96 pixels per inch, in whole points.
constexpr int kPrintPointSize = 10;

}  // namespace

std::string PrintJobStartError(const QPrinter& printer) {
  if (!printer.outputFileName().isEmpty())
    return texts::PrintFileNotCreatedText(printer.outputFileName().toStdString());
  if (QPrinterInfo::availablePrinters().isEmpty()) return std::string(texts::kNoDefaultPrinter);
  if (printer.printerName().isEmpty()) return std::string(texts::kPrintJobNotStarted);
  return texts::PrinterJobNotStartedText(printer.printerName().toStdString());
}

PrinterSurface::PrinterSurface(QPrinter& printer, const QFont& viewFont)
    : printer_(printer), font_(viewFont) {
  font_.setPointSize(kPrintPointSize);
}

int PrinterSurface::PrintableWidth() const { return printer_.width(); }
int PrinterSurface::PrintableHeight() const { return printer_.height(); }

void PrinterSurface::BeginJob() {
  if (!painter_.begin(&printer_)) throw Error(PrintJobStartError(printer_));
}

void PrinterSurface::SetTransparentTextBackground() {
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void PrinterSurface::SetProtocolFont() { painter_.setFont(font_); }

int PrinterSurface::TextHeight(std::string_view) { return painter_.fontMetrics().height(); }

void PrinterSurface::DrawText(int x, int y, std::string_view text) {
  // Qt places text by its baseline; the layout gives the top left corner.
  painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), ToQString(text));
}

void PrinterSurface::NewPage() {
  if (!printer_.newPage()) throw Error(texts::kPrintJobNotFinished);
}

void PrinterSurface::SetBrushBlack() { painter_.setBrush(Qt::black); }

void PrinterSurface::FrameRect(const DeviceRect& r) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  // Four strips of one unit along the inside of the rectangle, filled with
  // the brush: a pen's width would be scaled by the paint engine.
  const QBrush brush = painter_.brush();
  painter_.fillRect(r.left, r.top, width, 1, brush);
  painter_.fillRect(r.left, r.bottom - 1, width, 1, brush);
  painter_.fillRect(r.left, r.top, 1, height, brush);
  painter_.fillRect(r.right - 1, r.top, 1, height, brush);
}

void PrinterSurface::EndJob() {
  if (!painter_.end()) throw Error(texts::kPrintJobNotFinished);
}

bool PrintProtocol(QWidget* parent, QPrinter& printer, const Protocol& protocol,
                   const QFont& viewFont) {
  if (protocol.Count() == 0) return false;
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName("PrintDialog1");
  // The printout always holds the whole protocol: no page range to offer.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  PrintProtocolTo(printer, protocol, viewFont);
  return true;
}

void PrintProtocolTo(QPrinter& printer, const Protocol& protocol, const QFont& viewFont) {
  PrinterSurface surface(printer, viewFont);
  PrintLayout(protocol, surface);
}

}  // namespace orthavion
