#pragma once
#include <array>
#include <vector>

#include "points/pointtable.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

/// Rows of three doubles indexed 1 to 3 (X, Y, Z) [m]; row 0 holds a
/// centroid, rows 1 to k the reduced coordinates of the k control points.
using TPunktMatrix = std::vector<std::array<double, 4>>;

/// The centroid record "Schwerpunkt": the means of the coordinates of the
/// control points (`Passpunkt`) of `P` in both systems [m], summed in table
/// order. Without a control point the means are 0/0: "Ungültige
/// Gleitkommaoperation".
TPunktTyp Schwerpunkt(const PointTable& P);

/// The six coordinates of a point less those of the centroids [m].
struct ReducedPoint {
  double XS, YS, ZS, XZ, YZ, ZZ;
};

/// `p` reduced to the centroids `start` and `target`: the same doubles
/// wherever it is formed.
inline ReducedPoint Reduced(const TPunktTyp& p, const Vec3& start, const Vec3& target) {
  return {p.XS - start[0], p.YS - start[1], p.ZS - start[2],
          p.XZ - target[0], p.YZ - target[1], p.ZZ - target[2]};
}

/// The reduction of every point 1 to n to the centroid record `c`: the
/// estimation forms the reduced coordinates where it uses them (`Reduced`),
/// so this only makes sure that each of them is a double; a difference too
/// large ends with "Gleitkommaüberlauf".
void Schwerpunktreduktion(const PointTable& P, const TPunktTyp& c);

/// The centroids of the record `c` as the start and target centroids of `t`.
void SetCentroids(const TPunktTyp& c, Transformation& t);

/// The opening of the estimation: appends the two header lines, copies the
/// centroids of `t` into row 0 and the reduced control points into rows 1
/// to k of `X` (start) and `Y` (target), then appends the "Schwerpunkt"
/// block.
void OpenEstimation(const PointTable& P, const Transformation& t, ProtocolWriter& out,
                    TPunktMatrix& X, TPunktMatrix& Y);

}  // namespace orthavion
