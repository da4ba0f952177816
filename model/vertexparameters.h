#pragma once
#include "points/runstate.h"

namespace orthavion {

/// What the OBJ command applies to every vertex: coordinate i of the
/// target is (R[i][1]·x + R[i][2]·y + R[i][3]·z)·scale[i] + offset[i],
/// where (x, y, z) is the vertex less the start centroid.
struct VertexParameters {
  double start[3];   ///< the start system's centroid XS, YS, ZS [m]
  TMat3 R;           ///< the rotation, rows and columns 1 to 3 [1]
  double scale[3];   ///< the scale of rows X, Y and Z [1]
  double offset[3];  ///< added to rows X, Y and Z: the target centroid, shortened on request [m]
};

/// The vertex parameters of the transformation in `state` (its centroid
/// record P[0], R and the row scales S that belong to M1, which must be
/// complete): row i scaled by S[i] (M1 in every row but the height row of
/// the horizontal model, whose heights are shifted only);
/// the offsets the target centroid, X and Y less the whole multiples of
/// 10000 they hold (truncated toward zero) when `shorten` is true.
/// Throws `Error` "Ungültige Gleitkommaoperation" for a centroid too large
/// to shorten in 64 bits.
VertexParameters VertexParametersOf(const RunState& state, bool shorten);

/// Carries the vertex (X, Y, Z) into `target`, in the order of evaluation
/// that the model's digits depend on. Raises the floating-point flags of
/// the calling thread on an overflow; checking them is the caller's.
inline void CarryVertex(const VertexParameters& t, double X, double Y, double Z, double target[3]) {
  const double x = X - t.start[0];
  const double y = Y - t.start[1];
  const double z = Z - t.start[2];
  const TMat3& R = t.R;
  target[0] = (R[1][1] * x + R[1][2] * y + R[1][3] * z) * t.scale[0] + t.offset[0];
  target[1] = (R[2][1] * x + R[2][2] * y + R[2][3] * z) * t.scale[1] + t.offset[1];
  target[2] = (R[3][1] * x + R[3][2] * y + R[3][3] * z) * t.scale[2] + t.offset[2];
}

}  // namespace orthavion
