#include "carry/pointfile.h"

#include "base/texts.h"
#include "carry/frame.h"
#include "carry/pointfilerule.h"

namespace orthavion {

void TransformPointFile(const Transformation& transformation, const std::string& inFile,
                        const std::string& outFile, const CommandView& view,
                        const PipelineShape& shape) {
  CarryTextFile(inFile, outFile, view, false, [&](OpenedFiles& files) {
    const PipelineCount count = CarryBlocks(files, PointFileRule(transformation), shape);
    return texts::PointFileDoneText(count.rewritten, count.lines);
  });
}

}  // namespace orthavion
