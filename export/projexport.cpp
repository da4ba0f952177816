#include "export/projexport.h"

namespace orthavion {

ProjStrings ProjStringsOf(const Transformation& t) {
  const std::string forward = t.model == Model::Horizontal5 ? AffineProjString(t.Affine())
                                                            : HelmertProjString(t.Helmert());
  return {forward, InverseProjString(forward)};
}

OutputFile ProjStringFile(const AdjustmentResult& result, const std::string& fileName) {
  return {fileName, [&result](const std::function<void(std::string_view)>& sink) {
            sink(ProjStringsOf(result.transformation).forward + "\n");
          }};
}

}  // namespace orthavion
