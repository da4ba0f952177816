#pragma once
// Reading the transformation back from a saved result (orthavion-batch
// --json), so that it can be applied again later to models, point files and
// point clouds without the control points. The file is hostile input: every
// key is checked for presence, type and a finite value before it is used.

#include <array>
#include <string>

#include "points/runstate.h"

namespace orthavion {

/// The models a result may name.
enum class SavedModel { Similarity7, Rigid6, Horizontal5 };

/// What applying a result needs: exactly the doubles the run applied.
/// A point is carried as target_i = (R_i · (x − startCentroid)) · rowScale_i +
/// targetCentroid_i, rows i = 1 to 3.
struct SavedTransformation {
  SavedModel model = SavedModel::Similarity7;
  std::array<double, 3> startCentroid{};   ///< [m]
  std::array<double, 3> targetCentroid{};  ///< [m]
  std::array<std::array<double, 3>, 3> R{};  ///< rows of the rotation matrix [1]
  double scale = 1.0;                        ///< M1 [1]
  /// The scale of each row: M1 in every row, (M1, M1, 1) for horizontal5.
  std::array<double, 3> rowScale{};
};

/// Parses a result file's text (UTF-8 JSON). Requires `format` =
/// "orthavion-result", `version` = 1, `model` one of "similarity7",
/// "rigid6", "horizontal5", `start_centroid_m` and `target_centroid_m` (3
/// finite numbers each), `rotation_matrix` (3 rows of 3 finite numbers, with
/// |RᵀR − I| <= 1e-9 element by element and det R > 0; for horizontal5 a
/// rotation about the vertical), `scale` (a finite positive number; 1 for
/// rigid6). Throws `Error` "Ergebnisdatei ungültig: <what>, naming the key.
SavedTransformation ParseSavedTransformation(const std::string& json);

/// Reads and parses the result file `fileName`; a file that cannot be read
/// gives the I/O error texts.
SavedTransformation ReadSavedTransformation(const std::string& fileName);

/// Makes `t` the transformation of `state`, as a complete run would leave
/// it for the OBJ command, the point files and the point clouds: the
/// centroid record (the point table holds nothing else), R, M1 and the row
/// scales S; T = target centroid − S·R·start centroid per row.
void InstallTransformation(const SavedTransformation& t, RunState& state);

}  // namespace orthavion
