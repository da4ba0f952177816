#include "model/pointtransform.h"

#include "base/texts.h"
#include "model/carryfile.h"
#include "model/pointcloudrule.h"
#include "model/pointfilerule.h"
#include "model/vertexparameters.h"

namespace orthavion {

namespace {

/// A point command: every line through the rule `Rule` on the pipeline.
template <typename Rule, typename DoneText>
void CarryPoints(const RunState& state, const std::string& inFile, const std::string& outFile,
                 const CommandView& view, const PipelineShape& shape, DoneText doneText) {
  CarryTextFile(state, inFile, outFile, view, false, [&](OpenedFiles& files) {
    const PipelineCount count = CarryBlocks(files, Rule(VertexParametersOf(state, false)), shape);
    return doneText(count.rewritten, count.lines);
  });
}

}  // namespace

void TransformPointFile(const RunState& state, const std::string& inFile,
                        const std::string& outFile, const CommandView& view,
                        const PipelineShape& shape) {
  CarryPoints<PointFileRule>(state, inFile, outFile, view, shape, texts::PointFileDoneText);
}

void TransformPointCloud(const RunState& state, const std::string& inFile,
                         const std::string& outFile, const CommandView& view,
                         const PipelineShape& shape) {
  CarryPoints<PointCloudRule>(state, inFile, outFile, view, shape, texts::PointCloudDoneText);
}

}  // namespace orthavion
