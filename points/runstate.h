#pragma once
#include <array>
#include <cstdint>

#include "points/pointtable.h"
#include "protocol/protocol.h"
#include "transformation/transformation.h"

namespace orthavion {

/// 3x3 doubles, rows and columns indexed 1 to 3 (index 0 unused).
using TMat3 = std::array<std::array<double, 4>, 4>;
/// A quaternion; element 0 is the scalar part.
using QVektor = std::array<double, 4>;

/// The parts of a transformation that the OBJ command applies; each is
/// written by its own stage of a run.
enum class TransformationPart { Centroids, Rotation, Scale };

/// Everything a transformation run leaves behind for the next command: the
/// point table, the transformation state and the protocol. The window (or the
/// batch program) owns one; it lives until the program ends.
///
/// Convention: target = T + M1 · R · start, R an active rotation of the
/// start-system coordinates (a column vector is multiplied from the left).
/// All coordinates and T are in the units of the point files (metres).
struct RunState {
  PointTable P;   ///< entry 0 the centroids, 1 to n the points (reduced after a run)
  TMat3 M{};      ///< cross-product sums Σ x'·y'ᵀ of the reduced control points [m²]
  TMat3 R{};      ///< rotation matrix, orthonormal with determinant +1 [1]
  std::array<double, 5> T{};  ///< translation in T[1] to T[3] [m]
  double M1 = 0.0;            ///< scale factor [1]
  /// The scale of each row, S[1] to S[3] [1]: M1 in every row for a spatial
  /// similarity or a rigid motion, (M1, M1, 1) for the horizontal model,
  /// whose heights are shifted but not scaled. A point is carried as
  /// target_i = (R[i][1]·x + R[i][2]·y + R[i][3]·z) · S[i] + offset_i.
  /// Written with M1 (part Scale).
  std::array<double, 4> S{};
  Model model = Model::Similarity7;  ///< the model the last run estimated
  Protocol protocol;

  /// Starts a new run: the parts it writes are stamped with its number.
  void BeginRun() { ++runCount_; }
  /// The part is about to be rewritten: until `Written`, it belongs to no run.
  void Rewriting(TransformationPart part) { Stamp(part) = 0; }
  /// The part now holds the current run's values.
  void Written(TransformationPart part) { Stamp(part) = runCount_; }

  /// True when the centroid record, R and M1 belong to one and the same run.
  /// The OBJ command applies a transformation only then; a run that stops
  /// between the stages leaves a mixed state.
  bool HasCompleteTransformation() const {
    return stamps_[0] != 0 && stamps_[0] == stamps_[1] && stamps_[1] == stamps_[2];
  }

  /// The transformation the centroid record, R and the row scales hold, for
  /// the commands that carry files. Throws `Error` "Keine Transformation
  /// vorhanden: bitte zuerst die Transformation berechnen" unless they are
  /// complete (`HasCompleteTransformation`).
  Transformation TransformationInForce() const;

private:
  std::uint64_t& Stamp(TransformationPart part) { return stamps_[static_cast<int>(part)]; }

  std::uint64_t runCount_ = 0;  // runs begun so far
  std::array<std::uint64_t, 3> stamps_{};  // the run that wrote each part (0: none)
};

}  // namespace orthavion
