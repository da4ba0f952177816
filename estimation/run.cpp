#include "estimation/run.h"

#include "base/fpcheck.h"
#include "estimation/centroid.h"
#include "estimation/rechneparameter.h"
#include "points/pointfiles.h"
#include "protocol/protocolfile.h"

namespace orthavion {

void TransformationRun(RunState& state, const std::string& startFile,
                       const std::string& targetFile, const ProcessEvents& processEvents) {
  ClearFpErrors();
  state.BeginRun();
  state.protocol.Clear();
  LiesStartsystem(state, startFile);
  LiesZielsystem(state, targetFile, processEvents);
  state.model = Model::Similarity7;
  Schwerpunkt(state);
  Schwerpunktreduktion(state);
  RechneParameter(state);
  SaveProtocol(state.protocol, ProtocolFileName(startFile));
}

}  // namespace orthavion
