#include "run/adjustedrun.h"

#include <ctime>
#include <vector>

#include "export/projexport.h"
#include "protocol/protocolfile.h"
#include "report/htmlreport.h"
#include "result/resultjson.h"

namespace orthavion {

AdjustedRun RunAdjustment(RunState& state, const std::string& startFile,
                          const std::string& targetFile, const AdjustmentOptions& options,
                          const RunOutputs& outputs, const ProcessEvents& processEvents) {
  const std::time_t started = std::time(nullptr);
  AdjustedRun run{AdjustmentRun(state, startFile, targetFile, options, processEvents),
                  RunTimeText(started)};
  std::vector<OutputFile> files;
  if (outputs.json) files.push_back(ResultJsonFile(run.result, *outputs.json));
  if (outputs.report) files.push_back(HtmlReportFile(run.result, run.runTime, *outputs.report));
  if (outputs.proj) files.push_back(ProjStringFile(run.result, *outputs.proj));
  SaveWithProtocol(state.protocol, ProtocolFileName(startFile), files);
  return run;
}

}  // namespace orthavion
