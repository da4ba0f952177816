#pragma once
// The residual plot: a plan of the points of a transformation with the
// residual vectors of its control points, written as SVG. The window, the
// report and the printed page all draw this one picture.

#include <string>
#include <vector>

namespace orthavion {

/// What a point of the plot is.
enum class PlotPointKind {
  Used,   ///< control point used in the estimation: filled triangle
  Check,  ///< check point, in both systems but excluded from the estimation: hollow circle
  New,    ///< new point, only in the start system: small cross
};

/// One point of the plot.
struct PlotPoint {
  std::string id;  ///< point number, UTF-8, any text
  PlotPointKind kind = PlotPointKind::Used;
  double x = 0, y = 0;            ///< coordinates in the target system [m]
  double vx = 0, vy = 0, vz = 0;  ///< residuals [m]; drawn for used and check points only
  bool flagged = false;           ///< test value above the critical value; used and check points only
};

/// The points to draw, in the order in which they are drawn.
struct PlotInput {
  std::vector<PlotPoint> points;
};

/// The residual plot of `input` as a standalone SVG document (UTF-8, 240 mm
/// × 180 mm, 4 user units per millimetre).
///
/// Plan view of the target system: X to the right, Y up (east and north
/// for national-grid coordinates such as Gauss-Krüger or UTM written as
/// easting, northing), with equal scales on both axes, the axes labelled
/// "X [m]" and "Y [m]" with grid lines at round coordinates, and a scale
/// bar of a round length in metres. Every used or check point carries its
/// residual vector (vX, vY) from the point (dashed for check points) and
/// its vZ as a vertical bar left of the point (up for a positive vZ), all
/// at one vector scale: a round length per centimetre, written on the plot
/// ("Restklaffen vX, vY: 1 cm ≙ 5 mm"), chosen so that the largest
/// residual is drawn about a tenth of the plot long. Residuals below a
/// tenth of a millimetre mean nothing in a survey, so the vector scale is
/// never finer than 1 cm ≙ 0.1 mm and the rounding noise of an exact fit
/// stays invisible. Flagged points are drawn in red, all others not.
///
/// Each point is one <g> element with data-point="<id>" (escaped, read back
/// as the id) holding its symbol, vector, bar and label. Coordinates are
/// drawn relative to the centre of the points, so national-grid coordinates
/// keep their precision; numbers are written with a decimal point whatever
/// the locale. Degenerate inputs (no point, one point, points on a line,
/// all residuals zero) give a plot around the points at least 1 m wide.
///
/// Errors: a coordinate or residual that is NaN raises "Ungültige
/// Gleitkommaoperation", an infinite one, points spread over more than
/// 1e300 m or residuals above 1e300 m "Gleitkommaüberlauf" (no run produces
/// them: their squares overflow).
std::string ResidualPlotSvg(const PlotInput& input);

}  // namespace orthavion
