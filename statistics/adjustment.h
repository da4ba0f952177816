#pragma once
#include <optional>

#include "points/pointtable.h"
#include "statistics/adjustmentresult.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The adjustment statistics of the estimate `t` of the points `P` as read
/// (`Passpunkt` the used control points, `Kontrollpunkt` the check points),
/// in the Gauss-Markov model of `t.model`.
///
/// With A the Jacobian of the 3n transformed coordinates of the used control
/// points with respect to the model's parameters at the estimate:
///   f = 3n − u, v = transformed − target, m0 = √(vᵀv / f);
///   Qxx = (AᵀA)⁻¹, formed for the parameters at the start centroid (the
///   rotation and scale columns are linear in the reduced coordinates, so
///   AᵀA is well conditioned) and carried to the translation at the start
///   system's origin;
///   σ of a parameter = s·√Qxx,ii, s = `sigma0` when given, otherwise m0
///   (translations m, angles gon, scale ppm), and the correlations;
///   rⱼ = 1 − (A·Qxx·Aᵀ)ⱼⱼ per coordinate (Σr = f);
///   test value vⱼ / (s·√rⱼ): Baarda's w-test with σ0 (critical value the
///   normal quantile 1 − α/2), Pope's τ-test without; α = 0.001; none where
///   rⱼ ≈ 0 (a coordinate nothing checks);
///   MDB = s·4.13/√rⱼ; σ of a new point s·√diag(J·Qxx·Jᵀ);
///   with σ0 the global test vᵀv/σ0² against χ²(f) at 5 %.
/// Time and memory are linear in the number of points: AᵀA is summed from
/// 3 × u blocks. A singular AᵀA (control points on one line) ends with a
/// floating-point error. A function of its arguments: safe on any thread.
AdjustmentResult ComputeAdjustment(const PointTable& P, const Transformation& t,
                                   std::optional<double> sigma0);

}  // namespace orthavion
