#include "protocol/protocolfile.h"

#include "base/error.h"
#include "base/texts.h"
#include "protocol/protocoltexts.h"
#include "text/codepage.h"
#include "text/fileerror.h"
#include "text/replacingfile.h"

namespace orthavion {

std::string ProtocolFileName(const std::string& startFile) {
  const std::size_t slash = startFile.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : startFile.substr(0, slash + 1);
  return folder + std::string(texts::kProtocolFileName);
}

void SaveProtocol(const Protocol& protocol, const std::string& fileName) {
  ReplacingFile file;
  if (const int err = file.Create(fileName)) RaiseCannotCreate(fileName, err);
  std::string bytes;
  for (std::size_t i = 0; i < protocol.Count(); ++i) {
    bytes.clear();
    AppendAnsi(bytes, protocol.Line(i));
    bytes += "\r\n";
    if (file.Write(bytes) != 0) throw Error(texts::kStreamNotSaved);
  }
  if (file.Finish() != 0 || file.Replace() != 0) throw Error(texts::kStreamNotSaved);
}

void SaveWithProtocol(const Protocol& protocol, const std::string& protocolFile,
                      const std::vector<OutputFile>& files) {
  SaveOutputFiles(files, [&] { SaveProtocol(protocol, protocolFile); });
}

}  // namespace orthavion
