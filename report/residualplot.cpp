#include "report/residualplot.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/fpcheck.h"
#include "report/reporttexts.h"
#include "report/roundlength.h"
#include "report/xmltext.h"

namespace orthavion {

namespace {

// The page in user units, 4 to the millimetre.
constexpr double kUnitsPerCm = 40;
constexpr double kWidth = 960, kHeight = 720;
// The plan's frame, and the margin inside it that the points keep from its
// edges (room for labels and for the vectors of the outer points).
constexpr double kFrameLeft = 90, kFrameTop = 50, kFrameSize = 600;
constexpr double kInset = 50;
constexpr double kDrawn = kFrameSize - 2 * kInset;
// The legend's column right of the frame.
constexpr double kLegendLeft = 706;
// The smallest extent of the plan [m] and the finest vector scale [m/cm].
constexpr double kMinSpan = 1;
constexpr double kMinResidualPerCm = 1e-4;
// No run produces larger figures [m]: their squares overflow.
constexpr double kLargest = 1e300;
constexpr int kMaxGridLines = 20;

constexpr std::string_view kBlack = "#000000";
constexpr std::string_view kRed = "#d00000";
constexpr std::string_view kGrey = "#606060";
constexpr std::string_view kVectorBlue = "#0050b0";
constexpr std::string_view kBarGreen = "#2e7d32";
constexpr std::string_view kGridGrey = "#d8d8d8";

/// Appends ` name="value"` with the value in user units.
void Attr(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNumber(out, value, 2);
  out += '"';
}

/// Appends ` name="text"`.
void Attr(std::string& out, std::string_view name, std::string_view text) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendXmlEscaped(out, text);
  out += '"';
}

/// Appends a <text> element at (x, y).
void Text(std::string& out, double x, double y, std::string_view text, std::string_view anchor,
          std::string_view colour, std::string_view extra = {}) {
  out += "<text";
  Attr(out, "x", x);
  Attr(out, "y", y);
  if (anchor != "start") Attr(out, "text-anchor", anchor);
  Attr(out, "fill", colour);
  out += extra;
  out += '>';
  AppendXmlEscaped(out, text);
  out += "</text>\n";
}

void Line(std::string& out, double x1, double y1, double x2, double y2, std::string_view colour,
          double width, std::string_view extra = {}) {
  out += "<line";
  Attr(out, "x1", x1);
  Attr(out, "y1", y1);
  Attr(out, "x2", x2);
  Attr(out, "y2", y2);
  Attr(out, "stroke", colour);
  Attr(out, "stroke-width", width);
  out += extra;
  out += "/>\n";
}

void Rect(std::string& out, double x, double y, double w, double h, std::string_view fill,
          std::string_view stroke = "none", std::string_view extra = {}) {
  out += "<rect";
  out += extra;
  Attr(out, "x", x);
  Attr(out, "y", y);
  Attr(out, "width", w);
  Attr(out, "height", h);
  Attr(out, "fill", fill);
  if (stroke != "none") Attr(out, "stroke", stroke);
  out += "/>\n";
}

/// A polygon through the given corners.
void Polygon(std::string& out, std::initializer_list<double> xy, std::string_view fill) {
  out += "<polygon points=\"";
  bool first = true;
  for (const double v : xy) {
    if (!first) out += ' ';
    AppendNumber(out, v, 2);
    first = false;
  }
  out += '"';
  Attr(out, "fill", fill);
  out += "/>\n";
}

/// The symbol of a kind of point, drawn around (0, 0) and moved to (x, y).
void Symbol(std::string& out, PlotPointKind kind, double x, double y, std::string_view colour) {
  out += "<g class=\"symbol\" transform=\"translate(";
  AppendNumber(out, x, 2);
  out += ',';
  AppendNumber(out, y, 2);
  out += ")\">\n";
  switch (kind) {
    case PlotPointKind::Used:  // a triangle with its centroid at the point
      Polygon(out, {0, -6, 5.2, 3, -5.2, 3}, colour);
      break;
    case PlotPointKind::Check:
      out += "<circle r=\"5\" fill=\"none\"";
      Attr(out, "stroke", colour);
      Attr(out, "stroke-width", 1.5);
      out += "/>\n";
      break;
    case PlotPointKind::New:
      Line(out, -4, 0, 4, 0, colour, 1.2);
      Line(out, 0, -4, 0, 4, colour, 1.2);
      break;
  }
  out += "</g>\n";
}

/// An arrow from (x, y) by (dx, dy) user units; nothing when it has no
/// length.
void Arrow(std::string& out, double x, double y, double dx, double dy, std::string_view colour,
           bool dashed) {
  const double length = std::hypot(dx, dy);
  if (length < 0.01) return;
  const double ux = dx / length, uy = dy / length;
  const double head = std::min(7.0, 0.5 * length), half = 0.45 * head;
  const double tipX = x + dx, tipY = y + dy;
  const double baseX = tipX - ux * head, baseY = tipY - uy * head;
  out += "<g class=\"vector\">\n";
  Line(out, x, y, baseX, baseY, colour, 1.5, dashed ? " stroke-dasharray=\"4 2\"" : "");
  // The head's tip first.
  Polygon(out, {tipX, tipY, baseX - uy * half, baseY + ux * half, baseX + uy * half, baseY - ux * half},
          colour);
  out += "</g>\n";
}

/// A vertical bar for vZ beside (x, y), left of it or (`right`) right of it:
/// up for positive values.
void HeightBar(std::string& out, double x, double y, double height, std::string_view colour,
               bool right = false) {
  if (std::abs(height) < 0.01) return;
  Rect(out, right ? x + 8 : x - 11, height > 0 ? y - height : y, 3, std::abs(height), colour, "none",
       height > 0 ? " class=\"vz up\"" : " class=\"vz down\"");
}

/// Raises the system's error for a value that is not finite.
void RequireFinite(double value) {
  if (std::isnan(value)) RaiseFpInvalid();
  if (std::isinf(value)) RaiseFpOverflow();
}

/// The number of decimals that the multiples of `step` need.
int Decimals(const RoundLength& step) { return std::max(0, -step.exponent); }

/// The layout of the plan: the page position of a point of the target
/// system.
struct Plan {
  double centreX, centreY;  // the target-system point at the frame's centre [m]
  double unitsPerMetre;     // the one scale of both axes

  double PageX(double x) const { return kFrameLeft + kFrameSize / 2 + (x - centreX) * unitsPerMetre; }
  double PageY(double y) const { return kFrameTop + kFrameSize / 2 - (y - centreY) * unitsPerMetre; }
};

Plan PlanOf(const std::vector<PlotPoint>& points) {
  if (points.empty()) return {0, 0, kDrawn / kMinSpan};
  double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
  for (const PlotPoint& p : points) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double spanX = maxX - minX, spanY = maxY - minY;
  if (!(spanX <= kLargest && spanY <= kLargest)) RaiseFpOverflow();
  return {minX + spanX / 2, minY + spanY / 2,
          std::min(kDrawn / std::max(spanX, kMinSpan), kDrawn / std::max(spanY, kMinSpan))};
}

/// Grid lines at the multiples of `step` inside the frame, labelled with
/// their coordinates below and left of the frame.
void Grid(std::string& out, const Plan& plan, const RoundLength& step) {
  const double metres = step.Metres();
  const double half = kFrameSize / 2 / plan.unitsPerMetre;
  const double right = kFrameLeft + kFrameSize, bottom = kFrameTop + kFrameSize;
  const int decimals = Decimals(step);
  for (int axis = 0; axis < 2; ++axis) {
    const double centre = axis == 0 ? plan.centreX : plan.centreY;
    // The step is about a fifth of the drawn extent, so a few lines only;
    // the bound keeps the loop finite where the coordinates are too large
    // for the multiples of the step to differ.
    const double first = std::ceil((centre - half) / metres);
    for (int n = 0; n < kMaxGridLines; ++n) {
      const double value = (first + n) * metres;
      if (value > centre + half) break;
      std::string label;
      AppendNumber(label, value, decimals);
      if (axis == 0) {
        const double x = plan.PageX(value);
        Line(out, x, kFrameTop, x, bottom, kGridGrey, 1);
        Text(out, x, bottom + 16, label, "middle", kBlack);
      } else {
        const double y = plan.PageY(value);
        Line(out, kFrameLeft, y, right, y, kGridGrey, 1);
        Text(out, kFrameLeft - 6, y + 4, label, "end", kBlack);
      }
    }
  }
  Text(out, right, bottom + 38, texts::kPlotAxisX, "end", kBlack, " font-weight=\"bold\"");
  Text(out, kFrameLeft - 6, kFrameTop - 10, texts::kPlotAxisY, "end", kBlack, " font-weight=\"bold\"");
}

/// One point's group: vector, bar, symbol and label. Label and bar stand on
/// the side away from the vector (right when it has no X part), the label
/// above or below away from the bar (or, without a bar, from the vector).
void Point(std::string& out, const PlotPoint& p, const Plan& plan, double unitsPerResidualMetre) {
  const bool residuals = p.kind != PlotPointKind::New;
  const bool red = residuals && p.flagged;
  const double x = plan.PageX(p.x), y = plan.PageY(p.y);
  const double dx = residuals ? p.vx * unitsPerResidualMetre : 0;
  const double dy = residuals ? -p.vy * unitsPerResidualMetre : 0;
  const double dz = residuals ? p.vz * unitsPerResidualMetre : 0;
  const bool left = dx > 0, labelBelow = dz != 0 ? dz > 0 : dy < 0;
  out += "<g";
  Attr(out, "data-point", p.id);
  out += " class=\"";
  out += p.kind == PlotPointKind::Used ? "used" : p.kind == PlotPointKind::Check ? "check" : "new";
  out += red ? " flagged\">\n" : "\">\n";
  const std::string_view ink = red ? kRed : p.kind == PlotPointKind::New ? kGrey : kBlack;
  if (residuals) {
    Arrow(out, x, y, dx, dy, red ? kRed : kVectorBlue, p.kind == PlotPointKind::Check);
    HeightBar(out, x, y, dz, red ? kRed : kBarGreen, !left);
  }
  Symbol(out, p.kind, x, y, ink);
  Text(out, left ? x - 7 : x + 7, labelBelow ? y + 16 : y - 7, p.id, left ? "end" : "start",
       ink, p.kind == PlotPointKind::New ? " class=\"label\" font-size=\"10\"" : " class=\"label\"");
  out += "</g>\n";
}

/// The legend: symbols, the vector scale with a 1 cm arrow, the scale bar.
void Legend(std::string& out, const RoundLength& residualPerCm, const RoundLength& bar,
            double unitsPerMetre) {
  const double x = kLegendLeft, textX = kLegendLeft + 20;
  double y = kFrameTop + 12;
  Text(out, x, y, texts::kPlotTitle, "start", kBlack, " font-size=\"15\" font-weight=\"bold\"");
  y += 34;
  const struct {
    PlotPointKind kind;
    std::string_view colour, text;
  } kinds[] = {{PlotPointKind::Used, kBlack, texts::kPlotUsedPoint},
               {PlotPointKind::Check, kBlack, texts::kPlotCheckPoint},
               {PlotPointKind::New, kGrey, texts::kPlotNewPoint},
               {PlotPointKind::Used, kRed, texts::kPlotFlagged}};
  for (const auto& k : kinds) {
    Symbol(out, k.kind, x + 8, y - 4, k.colour);
    Text(out, textX, y, k.text, "start", kBlack);
    y += 24;
  }
  HeightBar(out, x + 19, y + 2, 16, kBarGreen);
  Text(out, textX, y, texts::kPlotHeightResidual, "start", kBlack);
  y += 40;
  Arrow(out, x, y - 4, kUnitsPerCm, 0, kVectorBlue, false);
  y += 20;
  Text(out, x, y, texts::PlotVectorScaleText(residualPerCm.Text()), "start", kBlack);
  y += 40;
  Text(out, x, y, texts::PlotScaleBarText(bar.Text()), "start", kBlack);
  y += 8;
  const double length = bar.Metres() * unitsPerMetre;
  out += "<g class=\"scalebar\">\n";
  Rect(out, x, y, length / 2, 6, kBlack, kBlack);
  Rect(out, x + length / 2, y, length / 2, 6, "#ffffff", kBlack);
  out += "</g>\n";
}

}  // namespace

std::string ResidualPlotSvg(const PlotInput& input) {
  double largest = 0;  // the largest residual drawn [m]
  for (const PlotPoint& p : input.points) {
    for (const double v : {p.x, p.y, p.vx, p.vy, p.vz}) RequireFinite(v);
    if (p.kind != PlotPointKind::New)
      largest = std::max({largest, std::hypot(p.vx, p.vy), std::abs(p.vz)});
  }
  if (!(largest <= kLargest)) RaiseFpOverflow();
  const Plan plan = PlanOf(input.points);
  // The scale bar and the grid step: about a fifth of the drawn extent.
  const RoundLength bar = NearestRoundLength(kDrawn / 5 / plan.unitsPerMetre);
  // The largest residual drawn a tenth of the plot long: 1 cm of the page
  // stands for a round length near largest · 1 cm / (plot / 10).
  const RoundLength residualPerCm =
      NearestRoundLength(std::max(largest * kUnitsPerCm / (kFrameSize / 10), kMinResidualPerCm));
  const double unitsPerResidualMetre = kUnitsPerCm / residualPerCm.Metres();

  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"240mm\" height=\"180mm\""
      " viewBox=\"0 0 960 720\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"12\">\n";
  out += "<title>";
  AppendXmlEscaped(out, texts::kPlotTitle);
  out += "</title>\n";
  Rect(out, 0, 0, kWidth, kHeight, "#ffffff");
  Grid(out, plan, bar);
  Rect(out, kFrameLeft, kFrameTop, kFrameSize, kFrameSize, "none", kBlack);
  for (const PlotPoint& p : input.points) Point(out, p, plan, unitsPerResidualMetre);
  Legend(out, residualPerCm, bar, plan.unitsPerMetre);
  out += "</svg>\n";
  return out;
}

}  // namespace orthavion
