#pragma once
#include <string>

#include "base/hooks.h"
#include "carry/recordpipeline.h"
#include "transformation/transformation.h"

namespace orthavion {

/// Carries the ASCII point cloud `inFile` into the target system (the rule:
/// carry/pointcloudrule.h), as `TransformPointFile` does a point file. Last,
/// the status "Punktwolke transformiert: <p> Punkte, <n> Datensätze".
void TransformPointCloud(const Transformation& transformation, const std::string& inFile,
                         const std::string& outFile, const CommandView& view,
                         const PipelineShape& shape = PipelineShape());

}  // namespace orthavion
