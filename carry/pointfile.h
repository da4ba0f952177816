#pragma once
#include <string>

#include "base/hooks.h"
#include "carry/recordpipeline.h"
#include "transformation/transformation.h"

namespace orthavion {

/// Carries the point file `inFile` (PNR NIV X Y Z ... per line) into the
/// target system with `transformation` and writes it to `outFile` (the
/// rule: carry/pointfilerule.h); lines are read under the rules of the
/// system's text files and written with CR LF, in Windows-1252 as they were
/// read. Status texts, progress and the never-destroy rules are the OBJ
/// command's (carry/frame.h); no question is asked: coordinates are not
/// shortened. Last, the status "Punktdatei transformiert: <p> Punkte, <n>
/// Datensätze".
void TransformPointFile(const Transformation& transformation, const std::string& inFile,
                        const std::string& outFile, const CommandView& view,
                        const PipelineShape& shape = PipelineShape());

}  // namespace orthavion
