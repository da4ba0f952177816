#pragma once
#include <string>

#include "base/hooks.h"
#include "model/linepipeline.h"
#include "points/runstate.h"

namespace orthavion {

/// Carries the point file `inFile` (PNR NIV X Y Z ... per line) into the
/// target system with the transformation in `state` and writes it to
/// `outFile` (the rule: model/pointfilerule.h); lines are read under the
/// rules of the system's text files and written with CR LF, in
/// Windows-1252 as they were read. Status texts, progress, refusals and
/// the never-destroy rules are the OBJ command's (model/carryfile.h); no
/// question is asked: coordinates are not shortened. Last, the status
/// "Punktdatei transformiert: <p> Punkte, <n> Datensätze".
void TransformPointFile(const RunState& state, const std::string& inFile,
                        const std::string& outFile, const CommandView& view,
                        const PipelineShape& shape = PipelineShape());

/// Carries the ASCII point cloud `inFile` into the target system (the rule:
/// model/pointcloudrule.h), as `TransformPointFile` does a point file. Last,
/// the status "Punktwolke transformiert: <p> Punkte, <n> Datensätze".
void TransformPointCloud(const RunState& state, const std::string& inFile,
                         const std::string& outFile, const CommandView& view,
                         const PipelineShape& shape = PipelineShape());

}  // namespace orthavion
