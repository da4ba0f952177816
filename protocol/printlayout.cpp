#include "protocol/printlayout.h"

namespace orthavion {

void PrintLayout(const Protocol& protocol, DrawingSurface& surface) {
  if (protocol.Count() == 0) return;
  const DeviceRect frame{kPageMargin, kPageMargin, surface.PrintableWidth() - kPageMargin,
                         surface.PrintableHeight() - kPageMargin};
  surface.BeginJob();
  surface.SetTransparentTextBackground();
  surface.SetProtocolFont();
  int l = 0;  // lines already on the current page
  for (std::size_t i = 0; i < protocol.Count(); ++i) {
    if (l == kLinesPerPage) {
      // Only here, with a line still to come: a page never holds the frame alone.
      surface.NewPage();
      l = 0;
    }
    const std::string_view t = protocol.Line(i);
    const int h = surface.TextHeight(t);
    surface.DrawText(kPageMargin, kPageMargin + l * h, t);
    ++l;
  }
  surface.SetBrushBlack();
  surface.FrameRect(frame);
  surface.EndJob();
}

}  // namespace orthavion
