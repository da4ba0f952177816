#pragma once
// The report tests read their SVG and HTML back with Python's own parsers,
// which print hex-encoded texts; these helpers decode them.
#include <cstdlib>
#include <string>

#include "support/command.h"

namespace testsupport {

/// True when python3 is installed.
inline bool HavePython() { return std::system("command -v python3 >/dev/null 2>&1") == 0; }

/// The bytes of a hex-encoded text ("-" for none).
inline std::string Unhex(const std::string& hex) {
  if (hex == "-") return {};
  std::string text;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return text;
}

}  // namespace testsupport
