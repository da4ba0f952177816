#pragma once
#include <functional>
#include <string_view>

#include "estimation/centroid.h"
#include "points/pointtable.h"
#include "protocol/protocolwriter.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The estimation of `model` from the points of `P` as read: entries 1 to
/// n, the control points to use marked `Passpunkt`, check points
/// `Kontrollpunkt`, new points `IstStartsystem` only. A function of its
/// arguments alone: it changes nothing else, writes its lines to `out` (or
/// nowhere) with the separator `out` carries, and so may run on several
/// threads at once.
///
/// The centroid record of the control points of `P`, every point checked to
/// reduce to it (`Schwerpunkt`, `Schwerpunktreduktion`). Without a control
/// point the centroids are 0/0: "Ungültige Gleitkommaoperation".
TPunktTyp ReduceToCentroids(const PointTable& P);

/// The parameters about the centroid record `c` of `P`, the model's stages
/// in the run's line layouts: the opening with the centroids; similarity7
/// with the quaternion rotation, its eigen-analysis and the scale; rigid6
/// with the same rotation and scale 1; horizontal5 with R = Rz and no
/// eigen-analysis; then translation and angles. Fewer than two control
/// points fail at the latest at the scale.
Transformation EstimateParameters(const PointTable& P, const TPunktTyp& c, Model model,
                                  ProtocolWriter& out);

/// Told the estimate once its parameters are complete, before the accuracy
/// lines and the point lists (which may still fail).
using ParametersDone = std::function<void(const Transformation&)>;

/// The whole estimation: the centroids, the parameters, `done` (when not
/// empty), then the accuracy lines and both point lists (`ListResiduals`).
Transformation Estimate(const PointTable& P, Model model, ProtocolWriter& out,
                        const ParametersDone& done = {});

/// The protocol line naming the model ("Modell: ...").
std::string_view ModelLine(Model model);

}  // namespace orthavion
