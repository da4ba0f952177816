#pragma once
// Shared set-up of the hardening tests: a complete transformation from the
// shipped examples, the lines of a protocol, the names in a folder and
// control-point files that give a well-conditioned fit.
#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "estimation/run.h"
#include "points/runstate.h"
#include "support/testdir.h"

namespace hardening {

namespace fs = std::filesystem;

/// The shipped example point files.
inline const fs::path kExamples = ORTHAVION_SOURCE_DIR "/examples";

/// Four start points not in one plane, and their target coordinates: shifted
/// by 10 with one millimetre off, so the fit is neither exact nor degenerate.
inline constexpr std::string_view kFourStart = "A 0 0 0 0\nB 0 100 0 0\nC 0 0 100 0\nD 0 0 0 100\n";
inline constexpr std::string_view kFourTarget =
    "A 0 10 10 10\nB 0 110 10 10.001\nC 0 10 110 10\nD 0 10 10 110\n";

using testsupport::CopyExamples;
using testsupport::Entries;

/// The protocol's lines.
inline std::vector<std::string> Lines(const orthavion::Protocol& protocol) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < protocol.Count(); ++i) lines.emplace_back(protocol.Line(i));
  return lines;
}

/// `text` split at LF; a final LF adds no line.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t lf = std::min(text.find('\n'), text.size());
    lines.emplace_back(text.substr(0, lf));
    text.remove_prefix(std::min(lf + 1, text.size()));
  }
  return lines;
}

/// The state that a successful run on the examples leaves: a complete
/// transformation for the OBJ command.
inline orthavion::RunState ExampleRun() {
  testsupport::TestDir dir;
  CopyExamples(dir.path());
  orthavion::RunState state;
  orthavion::TransformationRun(state, dir.file("startsystem.txt"), dir.file("zielsystem.txt"));
  return state;
}

}  // namespace hardening
