#pragma once
#include <array>

#include "estimation/centroid.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

// The rotation after B. K. P. Horn, "Closed-form solution of absolute
// orientation using unit quaternions", J. Opt. Soc. Am. A 4(4), 629-642
// (1987). With the centroid-reduced coordinates x' (start) and y' (target)
// of the control points, M = Σ x'·y'ᵀ (Horn's S, section 4.A), N the
// symmetric 4x4 matrix of its sums (section 4.A), and the unit quaternion
// that maximises qᵀNq, the eigenvector of N's largest eigenvalue
// λmax (section 4.B), is the rotation that carries the start system into the
// target system. R is the active rotation: y' ≈ m·R·x'.

/// 3x3 doubles, rows and columns indexed 1 to 3 (index 0 unused).
using TMat3 = std::array<std::array<double, 4>, 4>;
/// A quaternion; element 0 is the scalar part.
using QVektor = std::array<double, 4>;

/// `q` divided by its Euclidean norm (squares summed in index order). A zero
/// quaternion is 0/0: "Ungültige Gleitkommaoperation".
QVektor QNormiert(const QVektor& q);

/// Writes the rotation matrix of the unit quaternion `q` (q[0] the scalar
/// part) into `R`, rows and columns 1 to 3: the matrix of the rotation
/// x ↦ q·x·q* (Horn, section 3). Does not normalise.
void QROTmat(const QVektor& q, TMat3& R);

/// Appends "R-Matrix" and the three rows of `R` ("%14.6e" each).
void AddRotationMatrix(ProtocolWriter& out, const Mat3& R);

/// What the rotation stage hands on to the scale: the magnitude chosen as
/// the largest eigenvalue of the 4x4 matrix.
struct RotationResult {
  double lambdaMax = 0.0;  ///< λmax = Σ y'ᵀ·R·x' at the solution [m²]
};

/// The rotation stage: sums the cross products of the reduced control points
/// into M, builds the symmetric 4x4 matrix of Horn's method, decomposes it,
/// takes the eigenvector of its largest signed eigenvalue as the rotation
/// quaternion, normalises it and forms `t.R`, appending the eigen-analysis,
/// the quaternion and the rotation matrix to `out`.
RotationResult SolveRotation(const TPunktMatrix& X, const TPunktMatrix& Y, ProtocolWriter& out,
                             Transformation& t);

}  // namespace orthavion
