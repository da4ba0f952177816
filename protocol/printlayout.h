#pragma once
// The page layout of the printed protocol, behind a small drawing surface so
// that it does not depend on a printing back end.

#include <string_view>

#include "protocol/protocol.h"

namespace orthavion {

/// A rectangle in device units: left and top inclusive, right and bottom
/// exclusive, measured from the top left corner of the printable area.
struct DeviceRect {
  int left, top, right, bottom;
  friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

/// The printer operations the protocol printout needs. All positions and
/// sizes are in device units (printer dots). Any operation may throw
/// `Error`, which ends the printout.
class DrawingSurface {
public:
  virtual ~DrawingSurface() = default;

  /// The printable area of the page, available before the job begins.
  virtual int PrintableWidth() const = 0;
  virtual int PrintableHeight() const = 0;

  /// Begins the print job on the first page; throws `Error` when the job
  /// cannot start.
  virtual void BeginJob() = 0;
  /// Text is drawn without filling its background.
  virtual void SetTransparentTextBackground() = 0;
  /// Selects the protocol font for the text that follows.
  virtual void SetProtocolFont() = 0;
  /// The height of `text` (UTF-8) in the current font.
  virtual int TextHeight(std::string_view text) = 0;
  /// Draws `text` (UTF-8) with its top left corner at (x, y).
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  /// Ends the current page and begins the next one.
  virtual void NewPage() = 0;
  /// Selects black as the brush colour.
  virtual void SetBrushBlack() = 0;
  /// Draws the outline of `rect`, one device unit wide, inside the rectangle
  /// and with the brush.
  virtual void FrameRect(const DeviceRect& rect) = 0;
  /// Ends the print job and hands it to the printing system.
  virtual void EndJob() = 0;
};

/// Lines printed on one page.
inline constexpr int kLinesPerPage = 61;
/// Distance of the text and the frame from the edges of the printable area.
inline constexpr int kPageMargin = 200;

/// Prints the protocol's lines in order onto `surface`: 61 lines a page, line
/// l of a page (0 to 60) with its top left corner at (200, 200 + l·h), h the
/// height of that line; every line is printed whole, empty ones included,
/// with no header or page number. A new page begins after every 61st line of
/// a page when a further line follows, so no page holds the frame alone. The
/// frame, from (200, 200) to (W − 200, H − 200) of the printable area W × H,
/// is drawn once, on the last page, after the last line.
///
/// An empty protocol prints nothing: no job is begun and `surface` is not
/// touched. The highlight of a line does not print.
void PrintLayout(const Protocol& protocol, DrawingSurface& surface);

}  // namespace orthavion
