#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "protocol/protocol.h"
#include "text/numformat.h"

namespace orthavion {

/// Where an estimation writes its lines: a protocol, with the decimal
/// separator of its numbers passed in, or nowhere (a quiet estimation, such
/// as the iterations of data snooping). Either way the floating-point flags
/// are examined at every line, so a quiet estimation fails exactly where a
/// written one would.
class ProtocolWriter {
public:
  /// A quiet writer: lines are not formatted and go nowhere.
  ProtocolWriter() = default;
  /// Lines go to `protocol`, numbers with `separator` ('.' or ',').
  ProtocolWriter(Protocol& protocol, char separator) : protocol_(&protocol), separator_(separator) {}

  /// False for a quiet writer: a caller may skip building a line.
  bool Writes() const { return protocol_ != nullptr; }
  char Separator() const { return separator_; }

  /// Appends a line in the normal colour.
  void Add(std::string_view line);
  /// Appends a line shown in red.
  void AddHighlighted(std::string_view line);
  /// Appends `format` with its conversions filled from `args` (as
  /// `AppendFormat`, with this writer's separator).
  void Add(std::string_view format, std::initializer_list<FormatArg> args);

  /// `format` filled from `args` with this writer's separator, appended to
  /// `line`: for a line built in pieces. Quiet: `line` stays as it is.
  void Append(std::string& line, std::string_view format,
              std::initializer_list<FormatArg> args) const;

private:
  Protocol* protocol_ = nullptr;
  char separator_ = '.';
};

}  // namespace orthavion
