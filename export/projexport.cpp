#include "export/projexport.h"

#include "base/error.h"
#include "base/texts.h"
#include "estimation/parameters.h"
#include "text/fileerror.h"
#include "text/replacingfile.h"

namespace orthavion {

AffineParameters AffineOf(const AdjustmentResult& r) {
  AffineParameters p;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) p.A[i][j] = r.rotation[i][j] * r.rowScale[i];
    p.offset[i] = r.translation[i];
  }
  return p;
}

ProjStrings ProjStringsOf(const AdjustmentResult& r) {
  std::string forward;
  if (r.model == Model::Horizontal5) {
    forward = AffineProjString(AffineOf(r));
  } else {
    TMat3 R{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) R[i + 1][j + 1] = r.rotation[i][j];
    const Angles a = RotationAngles(R);
    forward = HelmertProjString({r.translation, {a.rX, a.rY, a.rZ}, r.scale});
  }
  return {forward, InverseProjString(forward)};
}

void SaveProjString(const AdjustmentResult& r, const std::string& fileName) {
  const std::string line = ProjStringsOf(r).forward + '\n';
  ReplacingFile file;
  if (const int err = file.Create(fileName)) RaiseCannotCreate(fileName, err);
  if (file.Write(line) != 0 || file.Finish() != 0 || file.Replace() != 0)
    throw Error(texts::kStreamNotSaved);
}

}  // namespace orthavion
