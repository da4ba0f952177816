#pragma once
#include <array>
#include <vector>

#include "points/runstate.h"

namespace orthavion {

/// Rows of three doubles indexed 1 to 3 (X, Y, Z) [m]; row 0 holds a
/// centroid, rows 1 to k the reduced coordinates of the k control points.
using TPunktMatrix = std::vector<std::array<double, 4>>;

/// Averages the control points of both systems into the centroid record,
/// entry 0 of the point table ("Schwerpunkt"). Without a control point the
/// averages are 0/0: "Ungültige Gleitkommaoperation".
void Schwerpunkt(RunState& state);

/// Subtracts the centroids from the six coordinates of every point 1 to n.
void Schwerpunktreduktion(RunState& state);

/// The opening of the estimation: appends the two header lines, copies the
/// centroids into row 0 and the reduced control points into rows 1 to k of
/// `X` (start) and `Y` (target), then appends the "Schwerpunkt" block.
void OpenEstimation(RunState& state, TPunktMatrix& X, TPunktMatrix& Y);

}  // namespace orthavion
