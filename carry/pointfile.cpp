#include "carry/pointfile.h"

#include "base/texts.h"
#include "carry/countlines.h"
#include "carry/frame.h"
#include "carry/pointfilerule.h"

namespace orthavion {

void TransformPointFile(const Transformation& transformation, const std::string& inFile,
                        const std::string& outFile, const CommandView& view,
                        const PipelineShape& shape) {
  CarryFile(inFile, outFile, view, CountLines, false, [&](OpenedFiles& files) {
    const PointFileRule rule(transformation);
    LineFormat format(rule);
    const RecordTally tally = CarryRecords(files, format, shape);
    return texts::PointFileDoneText(tally.rewritten, tally.records);
  });
}

}  // namespace orthavion
