#pragma once
// Printing the protocol on a Qt printer.

#include <QFont>
#include <QPainter>
#include <string>

#include "protocol/printlayout.h"
#include "protocol/protocol.h"

class QPrinter;
class QWidget;

namespace orthavion {

/// The text of a print job that cannot start on `printer`: "Die Druckdatei
/// <name> kann nicht angelegt werden" for output to a file, "Aktuell ist
/// kein Standarddrucker ausgewählt" when no printer is installed, otherwise
/// a text naming the printer.
std::string PrintJobStartError(const QPrinter& printer);

/// The page layout's surface over a painter on a printer. The painter is
/// bound to the printer from `BeginJob` to `EndJob`, so the protocol font's
/// point size is measured and drawn at the printer's resolution. The job
/// cannot start: "Aktuell ist kein Standarddrucker ausgewählt" when no
/// printer is installed and the output is not a file, otherwise a text
/// naming the file or the printer.
class PrinterSurface final : public DrawingSurface {
public:
  /// The protocol font is the family of `viewFont` at 10 points.
  PrinterSurface(QPrinter& printer, const QFont& viewFont);

  int PrintableWidth() const override;
  int PrintableHeight() const override;
  void BeginJob() override;
  void SetTransparentTextBackground() override;
  void SetProtocolFont() override;
  int TextHeight(std::string_view text) override;
  void DrawText(int x, int y, std::string_view text) override;
  void NewPage() override;
  void SetBrushBlack() override;
  void FrameRect(const DeviceRect& rect) override;
  void EndJob() override;

private:
  QPrinter& printer_;
  QFont font_;
  QPainter painter_;
};

/// The command "Drucken": runs the print dialog ("PrintDialog1", modal over
/// `parent`) on `printer`, which keeps the user's choices from one print to
/// the next, and prints the protocol when the user confirms. Returns whether
/// it printed; a cancelled dialog prints nothing and is no error. An empty
/// protocol prints nothing and opens no dialog (the caller tells the user).
/// Throws `Error` as `PrintProtocolTo` does.
bool PrintProtocol(QWidget* parent, QPrinter& printer, const Protocol& protocol,
                   const QFont& viewFont);

/// Prints the protocol on `printer` as it is set up, without a dialog, in
/// the family of `viewFont` (the protocol view's font) at 10 points, through
/// `PrintLayout` on a `PrinterSurface`. An empty protocol prints nothing.
/// Throws `Error` when the job cannot start or fails.
void PrintProtocolTo(QPrinter& printer, const Protocol& protocol, const QFont& viewFont);

}  // namespace orthavion
