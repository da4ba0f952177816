// orthavion-batch: the transformation run without a window, for scripts.
//
//   orthavion-batch START TARGET [--obj IN OUT [--shorten]]
//
// Reads the start-system and target-system point files, estimates the seven
// parameters, writes "Trafoprotokoll.txt" beside START exactly as the window
// does and prints the protocol to standard output (UTF-8). With --obj it then
// carries the Wavefront OBJ model IN into the target system and writes it to
// OUT, answering "Koordinaten kürzen?" with Yes when --shorten is given and
// No otherwise; the model's status texts go to standard error. A run that
// ends in an error writes no model. An error ends the program: its text goes
// to standard error, the protocol as far as it got to standard output, and
// the exit code is 1. A usage error exits with 2.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/texts.h"
#include "estimation/run.h"
#include "model/objtransform.h"

namespace {

constexpr const char* kUsage =
    "Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM [--obj OBJ-DATEI ZIELDATEI [--shorten]]\n"
    "  STARTSYSTEM, ZIELSYSTEM  Punktdateien (Textdatei PNR NIV X Y Z)\n"
    "  --obj OBJ-DATEI ZIELDATEI  transformiert danach das Wavefront-OBJ-Modell\n"
    "  --shorten                Koordinaten kürzen (X und Y ohne volle 10000)\n"
    "Schreibt Trafoprotokoll.txt neben STARTSYSTEM und das Protokoll auf die Standardausgabe.\n";

struct Arguments {
  std::string start, target;
  std::optional<std::string> objIn, objOut;
  bool shorten = false;
};

/// The arguments, or nothing for a usage error. The options may stand
/// anywhere after the program name.
std::optional<Arguments> Parse(const std::vector<std::string_view>& args) {
  Arguments a;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--obj") {
      if (a.objIn || i + 2 >= args.size()) return std::nullopt;
      a.objIn = std::string(args[i + 1]);
      a.objOut = std::string(args[i + 2]);
      i += 2;
    } else if (args[i] == "--shorten") {
      a.shorten = true;
    } else {
      files.emplace_back(args[i]);
    }
  }
  if (files.size() != 2 || (a.shorten && !a.objIn)) return std::nullopt;
  a.start = files[0];
  a.target = files[1];
  return a;
}

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

int Fail(const std::exception& e) {
  std::fprintf(stderr, "%s\n", orthavion::CommandErrorText(e).c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> a = Parse(std::vector<std::string_view>(argv + 1, argv + argc));
  if (!a) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  orthavion::RunState state;  // no text view: the protocol has no capacity limit
  try {
    orthavion::TransformationRun(state, a->start, a->target);
  } catch (const std::exception& e) {
    PrintProtocol(state.protocol);
    return Fail(e);
  }
  PrintProtocol(state.protocol);
  if (!a->objIn) return 0;

  orthavion::CommandView view;
  view.status = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  view.askShorten = [&a] {
    std::fprintf(stderr, "%s %s\n", std::string(orthavion::texts::kAskShorten).c_str(),
                 a->shorten ? "Ja" : "Nein");
    return a->shorten;
  };
  try {
    orthavion::TransformObj(state, *a->objIn, *a->objOut, view);
  } catch (const std::exception& e) {
    return Fail(e);
  }
  return 0;
}
