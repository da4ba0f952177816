#include "carry/pointcloud.h"

#include "base/texts.h"
#include "carry/frame.h"
#include "carry/pointcloudrule.h"

namespace orthavion {

void TransformPointCloud(const Transformation& transformation, const std::string& inFile,
                         const std::string& outFile, const CommandView& view,
                         const PipelineShape& shape) {
  CarryTextFile(inFile, outFile, view, false, [&](OpenedFiles& files) {
    const PipelineCount count = CarryBlocks(files, PointCloudRule(transformation), shape);
    return texts::PointCloudDoneText(count.rewritten, count.lines);
  });
}

}  // namespace orthavion
