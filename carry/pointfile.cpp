#include "carry/pointfile.h"

#include "base/texts.h"
#include "carry/frame.h"
#include "carry/pointfilerule.h"

namespace orthavion {

void TransformPointFile(const Transformation& transformation, const std::string& inFile,
                        const std::string& outFile, const CommandView& view, const PipelineShape& shape) {
  CarryLines(inFile, outFile, view, PointFileRule(transformation), shape, texts::PointFileDoneText);
}

}  // namespace orthavion
