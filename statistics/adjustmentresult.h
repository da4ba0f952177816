#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transformation/transformation.h"

namespace orthavion {

/// How the residuals are tested: Baarda's w-test with an a-priori σ0, Pope's
/// τ-test with m0 otherwise.
enum class TestKind { W, Tau };

/// One control point of the run: used in the estimation, or excluded (a
/// check point, compared only). Coordinates in metres, as read (start,
/// target) and carried into the target system (transformed); the residual
/// is transformed − target.
struct ControlPointResult {
  std::string id;  ///< point number (UTF-8)
  bool used = true;
  Vec3 start{}, target{}, transformed{}, residual{};
  // For used points only (check points leave them empty / zero):
  Vec3 redundancy{};                          ///< rⱼ per coordinate [1]
  std::array<std::optional<double>, 3> testValue;  ///< w or τ; none where r ≈ 0
  std::array<std::optional<double>, 3> mdb;        ///< minimal detectable bias [m]
  bool flagged = false;  ///< some |test value| exceeds the critical value
};

/// A transformed new point with the σ of its transformed coordinates [m].
struct NewPointResult {
  std::string id;
  Vec3 start{}, transformed{}, sigma{};
};

/// One step of data snooping: the point excluded and its test value (the
/// largest in magnitude of its coordinates, with its sign).
struct SnoopingStep {
  std::string id;
  double testValue = 0.0;
};

/// The global test of an a-priori σ0: vᵀv/σ0² against χ²(f) at 5 %.
struct GlobalTest {
  double statistic = 0.0;  ///< vᵀv / σ0²
  double quantile = 0.0;   ///< χ²(f) quantile 0.95
  bool accepted = false;   ///< statistic ≤ quantile
};

/// Everything one adjustment run gives: the estimated transformation, its
/// statistics, per control point and new point.
struct AdjustmentResult {
  std::string startFile, targetFile;  ///< as given, shown as text (UTF-8)
  Transformation transformation;      ///< the estimate, its model among it
  std::optional<double> sigma0;  ///< a-priori σ0 [m]
  TestKind testKind = TestKind::Tau;
  double alpha = 0.001;
  double criticalValue = 0.0;
  std::int32_t degreesOfFreedom = 0;  ///< f = 3n − u
  double vv = 0.0;                    ///< vᵀv [m²]
  double m0 = 0.0;                    ///< √(vᵀv / f) [m]
  double s = 0.0;  ///< the σ the statistics use: σ0 when given, else m0 [m]

  Vec3 rotationGon{};    ///< rX, rY, rZ [gon] (horizontal5: 0, 0, rZ)

  Vec3 sigmaTranslation{};  ///< [m]
  Vec3 sigmaRotationGon{};  ///< [gon] (horizontal5: 0, 0, σrZ; angles not estimated: 0)
  double sigmaScalePpm = 0.0;  ///< [ppm] (rigid6: 0)

  /// The estimated parameters in the order of the correlation matrix:
  /// "tx", "ty", "tz", then "rX", "rY", "rZ" (horizontal5: "rZ"), then "m"
  /// (not for rigid6).
  std::vector<std::string> parameterOrder;
  std::vector<std::vector<double>> correlation;

  std::vector<ControlPointResult> controlPoints;  ///< in table order
  std::vector<SnoopingStep> snooping;             ///< in order of exclusion
  std::vector<NewPointResult> newPoints;          ///< in table order
  std::optional<GlobalTest> globalTest;           ///< with σ0 only
};

}  // namespace orthavion
