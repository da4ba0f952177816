#pragma once
// The estimation's own texts: the protocol's line that names the model of
// an estimate. Only estimate.cpp includes this header, so changing a text
// recompiles that file alone (see base/texts.h).

#include <string_view>

namespace orthavion::texts {

/// "Modell: <name> (<the parameters>)", one per model.
inline constexpr std::string_view kModelLineSimilarity7 =
    "Modell: similarity7 (7 Parameter: 3 Translationen, 3 Rotationen, Maßstab)";
inline constexpr std::string_view kModelLineRigid6 =
    "Modell: rigid6 (6 Parameter: 3 Translationen, 3 Rotationen, Maßstab fest 1)";
inline constexpr std::string_view kModelLineHorizontal5 =
    "Modell: horizontal5 (5 Parameter: Lage mit Translation, Drehung um die Lotrichtung und "
    "Maßstab; Höhe nur verschoben)";

}  // namespace orthavion::texts
