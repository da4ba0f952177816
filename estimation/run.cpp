#include "estimation/run.h"

#include <filesystem>

#include "estimation/centroid.h"
#include "estimation/rechneparameter.h"
#include "points/codepage.h"
#include "points/error.h"
#include "points/fileerror.h"
#include "points/fpcheck.h"
#include "points/replacingfile.h"

namespace orthavion {

std::string ProtocolFileName(const std::string& startFile) {
  const std::size_t slash = startFile.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : startFile.substr(0, slash + 1);
  return folder + "Trafoprotokoll.txt";
}

void SaveProtocol(const Protocol& protocol, const std::string& fileName) {
  ReplacingFile file;
  if (const int err = file.Create(fileName)) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(fileName, ec);
    throw Error("Datei \"" + FileNameText(ec ? fileName : full.lexically_normal().string()) +
                "\" kann nicht erstellt werden. " + OsReasonText(err));
  }
  std::string bytes;
  for (std::size_t i = 0; i < protocol.Count(); ++i) {
    bytes.clear();
    AppendAnsi(bytes, protocol.Line(i));
    bytes += "\r\n";
    if (file.Write(bytes) != 0) throw Error("Stream konnte nicht gespeichert werden");
  }
  if (file.Finish() != 0 || file.Replace() != 0)
    throw Error("Stream konnte nicht gespeichert werden");
}

void TransformationRun(RunState& state, const std::string& startFile,
                       const std::string& targetFile, const ProcessEvents& processEvents) {
  ClearFpErrors();
  ++state.runCount;
  state.protocol.Clear();
  LiesStartsystem(state, startFile);
  LiesZielsystem(state, targetFile, processEvents);
  Schwerpunkt(state);
  Schwerpunktreduktion(state);
  RechneParameter(state);
  SaveProtocol(state.protocol, ProtocolFileName(startFile));
}

}  // namespace orthavion
