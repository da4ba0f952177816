#include "carry/pointcloud.h"

#include "base/texts.h"
#include "carry/countlines.h"
#include "carry/frame.h"
#include "carry/pointcloudrule.h"

namespace orthavion {

void TransformPointCloud(const Transformation& transformation, const std::string& inFile,
                         const std::string& outFile, const CommandView& view,
                         const PipelineShape& shape) {
  CarryFile(inFile, outFile, view, CountLines, false, [&](OpenedFiles& files) {
    const PointCloudRule rule(transformation);
    LineFormat format(rule);
    const RecordTally tally = CarryRecords(files, format, shape);
    return texts::PointCloudDoneText(tally.rewritten, tally.records);
  });
}

}  // namespace orthavion
