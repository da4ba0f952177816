#pragma once
// Reading the transformation back from a saved result (orthavion-batch
// --json), so that it can be applied again later to models, point files and
// point clouds without the control points. The file is hostile input: every
// key is checked for presence, type and a finite value before it is used.

#include <string>
#include <string_view>

#include "transformation/transformation.h"

namespace orthavion {

/// Parses a result file's bytes (UTF-8 JSON) into the transformation the
/// run applied. Requires `format` = "orthavion-result", `version` = 1,
/// `model` one of "similarity7", "rigid6", "horizontal5",
/// `start_centroid_m` and `target_centroid_m` (3 finite numbers each),
/// `rotation_matrix` (3 rows of 3 finite numbers, with |RᵀR − I| <= 1e-9
/// element by element and det R > 0; for horizontal5 a rotation about the
/// vertical), `scale` (a finite positive number; 1 for rigid6). The row
/// scales follow from the model. Throws `Error` "Ergebnisdatei ungültig:
/// <what>", naming the key.
Transformation ParseResultTransformation(std::string_view json);

/// Reads and parses the result file `fileName`; a file that cannot be read
/// gives the I/O error texts.
Transformation ReadResultTransformation(const std::string& fileName);

}  // namespace orthavion
