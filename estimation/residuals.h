#pragma once
#include <cstdint>

#include "estimation/centroid.h"
#include "points/pointtable.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

/// A control point carried into the target system, from its reduced
/// coordinates: xn = (R·x)·rowScale + T per row, v = xn − (target + T) (the
/// translation T is added to both sides as written; it cancels).
struct Transformed {
  double xn, yn, zn;  // transformed position (reduced start, plus T)
  double vx, vy, vz;  // residual: transformed start minus target
};
Transformed TransformControlPoint(const Transformation& t, const Vec3& T, const ReducedPoint& p);

/// A point carried into the target system about the target centroid, from
/// its reduced start coordinates: (R·x)·rowScale + target centroid per row;
/// the same position as T + rowScale·R·x for the unreduced x.
Vec3 TransformAboutTargetCentroid(const Transformation& t, const ReducedPoint& p);

/// The accuracy stage: residuals of the control points of `P`, [vv],
/// degrees of freedom f = 3k − u (u the parameters of `t.model`), m0, mP
/// and the redundancy figure; the list of transformed control points with
/// their test values (a point with TG >= 3 is flagged " !" and
/// highlighted); the list of transformed new points (check points are not
/// among them). The rigid and horizontal models need three control points
/// as the similarity does: fewer end with "Ungültige Gleitkommaoperation"
/// before any line.
void ListResiduals(const PointTable& P, const Transformation& t, ProtocolWriter& out);

}  // namespace orthavion
