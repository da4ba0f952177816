// orthavion-batch: the transformation run without a window, for scripts.
//
//   orthavion-batch START TARGET
//
// Reads the start-system and target-system point files, estimates the seven
// parameters, writes "Trafoprotokoll.txt" beside START exactly as the window
// does and prints the protocol to standard output (UTF-8). An error ends the
// run: its text goes to standard error, the protocol as far as it got to
// standard output, and the exit code is 1. A usage error exits with 2.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "estimation/run.h"
#include "points/error.h"

namespace {

constexpr const char* kUsage =
    "Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM\n"
    "  STARTSYSTEM, ZIELSYSTEM  Punktdateien (Textdatei PNR NIV X Y Z)\n"
    "Schreibt Trafoprotokoll.txt neben STARTSYSTEM und das Protokoll auf die Standardausgabe.\n";

void PrintProtocol(const orthavion::Protocol& protocol) {
  std::string out;
  for (std::size_t i = 0; i < protocol.Count(); ++i) {
    out.append(protocol.Line(i));
    out += '\n';
    if (out.size() > (1 << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  orthavion::RunState state;  // no text view: the protocol has no capacity limit
  try {
    orthavion::TransformationRun(state, std::string(args[0]), std::string(args[1]));
  } catch (const orthavion::Error& e) {
    PrintProtocol(state.protocol);
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  PrintProtocol(state.protocol);
  return 0;
}
