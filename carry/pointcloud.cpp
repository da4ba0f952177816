#include "carry/pointcloud.h"

#include "base/texts.h"
#include "carry/frame.h"
#include "carry/pointcloudrule.h"

namespace orthavion {

void TransformPointCloud(const Transformation& transformation, const std::string& inFile,
                         const std::string& outFile, const CommandView& view, const PipelineShape& shape) {
  CarryLines(inFile, outFile, view, PointCloudRule(transformation), shape, texts::PointCloudDoneText);
}

}  // namespace orthavion
