#include "protocol/protocolwriter.h"

#include "base/fpcheck.h"

namespace orthavion {

void ProtocolWriter::Add(std::string_view line) {
  if (protocol_)
    protocol_->Add(line);
  else
    CheckFp();
}

void ProtocolWriter::AddHighlighted(std::string_view line) {
  if (protocol_)
    protocol_->AddHighlighted(line);
  else
    CheckFp();
}

void ProtocolWriter::Add(std::string_view format, std::initializer_list<FormatArg> args) {
  if (!protocol_) {
    CheckFp();
    return;
  }
  std::string line;
  AppendFormatWith(line, separator_, format, args);
  protocol_->Add(line);
}

void ProtocolWriter::Append(std::string& line, std::string_view format,
                            std::initializer_list<FormatArg> args) const {
  if (protocol_) AppendFormatWith(line, separator_, format, args);
}

}  // namespace orthavion
