#pragma once
#include <array>
#include <cstdint>

#include "points/pointtable.h"
#include "points/protocol.h"

namespace orthavion {

/// 3x3 doubles, rows and columns indexed 1 to 3 (index 0 unused).
using TMat3 = std::array<std::array<double, 4>, 4>;
/// A quaternion; element 0 is the scalar part.
using QVektor = std::array<double, 4>;

/// Everything a transformation run leaves behind for the next command: the
/// point table, the transformation state and the protocol. The window (or the
/// batch program) owns one; it lives until the program ends.
struct RunState {
  PointTable P;
  TMat3 M{};                 ///< cross-product sums of the last estimation
  TMat3 R{};                 ///< rotation matrix
  std::array<double, 5> T{};  ///< translation in T[1] to T[3]
  double M1 = 0.0;           ///< scale factor
  Protocol protocol;

  /// Which run wrote the centroids, R and M1 (0: none yet). The OBJ
  /// command applies a transformation only when all three come from the same
  /// run; a run that stops before M1 leaves a mixed state.
  std::uint64_t runCount = 0;
  std::uint64_t centroidRun = 0;
  std::uint64_t rotationRun = 0;
  std::uint64_t scaleRun = 0;

  /// True when the centroid record, R and M1 belong to one and the same run.
  bool HasCompleteTransformation() const {
    return centroidRun != 0 && centroidRun == rotationRun && rotationRun == scaleRun;
  }
};

}  // namespace orthavion
