#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "protocol/protocol.h"
#include "statistics/adjustmentresult.h"

namespace orthavion {

/// The result of an adjustment run as JSON (UTF-8, "format":
/// "orthavion-result", "version": 1), handed to `sink` piece by piece so
/// that a result of a million points is never held as one text. Every
/// double is written in its shortest form that reads back to the same
/// double, so the transformation can be applied again exactly from the
/// centroids, "rotation_matrix", "scale" and "row_scale":
///   target_i = (Σ_j R[i][j]·(x_j − start_centroid_j)) · row_scale_i
///              + target_centroid_i.
/// A missing value (a test value where nothing checks the coordinate, no
/// σ0) is null.
void WriteResultJson(const AdjustmentResult& result,
                     const std::function<void(std::string_view)>& sink);

/// Saves the result alone as `jsonFile` (temporary file, then rename):
/// the same bytes as `SaveResultAndProtocol` writes. Throws as that does.
void SaveResultJson(const AdjustmentResult& result, const std::string& jsonFile);

/// Saves the protocol as `protocolFile` (as `SaveProtocol`) and the result
/// as `jsonFile`, so that an error leaves both as they were: the JSON goes
/// completely into a temporary file first, then the protocol is saved, and
/// only then is the JSON renamed over its name. Throws `Error`
/// "Datei "<name>" kann nicht erstellt werden. <reason>" when a file cannot
/// be created, "Stream konnte nicht gespeichert werden" when writing fails.
void SaveResultAndProtocol(const AdjustmentResult& result, const Protocol& protocol,
                           const std::string& protocolFile, const std::string& jsonFile);

}  // namespace orthavion
