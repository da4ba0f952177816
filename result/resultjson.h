#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "text/outputfiles.h"
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

/// The JSON result as a file written beside the protocol (`SaveWithProtocol`);
/// `result` must outlive the returned value.
OutputFile ResultJsonFile(const AdjustmentResult& result, const std::string& fileName);

}  // namespace orthavion
