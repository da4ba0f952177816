#include "estimation/run.h"

#include "base/fpcheck.h"
#include "estimation/rechneparameter.h"
#include "points/pointfiles.h"
#include "protocol/protocolfile.h"

namespace orthavion {

void TransformationRun(RunState& state, const std::string& startFile,
                       const std::string& targetFile, const ProcessEvents& processEvents) {
  ClearFpErrors();
  state.protocol.Clear();
  LiesStartsystem(state, startFile);
  LiesZielsystem(state, targetFile, processEvents);
  RechneParameter(state);
  SaveProtocol(state.protocol, ProtocolFileName(startFile));
}

}  // namespace orthavion
