// orthavion-batch: the transformation run without a window, for scripts.
// `orthavion-batch --help` shows how it is called (batch/optiontable.cpp
// holds its options).
//
// Reads the start-system and target-system point files, estimates the
// transformation, writes "Trafoprotokoll.txt" beside START exactly as the
// window does and prints the protocol to standard output (UTF-8). Without
// the adjustment's options (--model ... --export-proj) this is the plain
// run, and its protocol stays as it always was. With --json the result is
// also written as JSON, with --report as an HTML report, with --export-proj
// the forward PROJ string as one line; every such file is written
// completely before the protocol file is saved, and renamed over its name
// only after that, so an error leaves all of them as they were. Then it
// carries the Wavefront OBJ model (--obj, answering "Koordinaten kürzen?"
// with Yes when --shorten is given and No otherwise), a point file
// (--points) and an ASCII point cloud (--xyz) into the target system; their
// status texts go to standard error. A run that ends in an error carries
// nothing.
//
// With --apply the transformation comes from a result written earlier with
// --json instead of a run, and exactly one of --obj, --points and --xyz is
// carried: byte for byte what the run that wrote the result carries.
//
// An error ends the program: its text goes to standard error, the protocol
// as far as it got to standard output, and the exit code is 1. A usage
// error exits with 2 and names the problem.

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/error.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/parse.h"
#include "batch/usage.h"
#include "carry/obj.h"
#include "carry/pointcloud.h"
#include "carry/pointfile.h"
#include "estimation/run.h"
#include "result/resultreader.h"
#include "run/adjustedrun.h"
#include "protocol/protocolfile.h"
#include "text/fileclash.h"
#include "text/temporaryfiles.h"

namespace {

using orthavion::batch::Arguments;
using orthavion::batch::UsageError;

int Usage(const UsageError& e) {
  if (!e.message.empty()) std::fprintf(stderr, "%s\n", e.message.c_str());
  std::fputs(orthavion::batch::UsageText().c_str(), stderr);
  return 2;
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

/// Carries the files of --obj, --points and --xyz into the target system
/// with `transformation`; the status texts go to standard error. Returns the
/// exit code.
int CarryFiles(const orthavion::Transformation& transformation, const Arguments& a) {
  namespace texts = orthavion::texts;
  orthavion::CommandView view;
  view.status = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  view.askShorten = [&a] {
    std::fprintf(stderr, "%s %s\n", std::string(texts::kAskShorten).c_str(),
                 std::string(a.shorten ? texts::kYes : texts::kNo).c_str());
    return a.shorten;
  };
  try {
    if (a.obj) orthavion::TransformObj(transformation, a.obj->in, a.obj->out, view);
    if (a.points) orthavion::TransformPointFile(transformation, a.points->in, a.points->out, view);
    if (a.xyz) orthavion::TransformPointCloud(transformation, a.xyz->in, a.xyz->out, view);
  } catch (const std::exception& e) {
    return Fail(e);
  }
  return 0;
}

/// Refuses a call that would write over one of its own files: every output
/// (the protocol of a run, --json, --report, --export-proj and every carried
/// output) against every input and every other output.
void RefuseClashes(const Arguments& a) {
  std::vector<std::string> inputs, outputs;
  if (a.apply) {
    inputs.push_back(*a.apply);
  } else {
    inputs = {a.start, a.target};
    outputs.push_back(orthavion::ProtocolFileName(a.start));
    for (const auto& name : {a.outputs.json, a.outputs.report, a.outputs.proj})
      if (name) outputs.push_back(*name);
  }
  for (const auto& pair : {a.obj, a.points, a.xyz})
    if (pair) inputs.push_back(pair->in);
  for (const auto& pair : {a.obj, a.points, a.xyz})
    if (pair) outputs.push_back(pair->out);
  orthavion::RefuseFileClashes(inputs, outputs);
}

}  // namespace

int main(int argc, char** argv) {
  orthavion::InstallTemporaryFileCleanup();
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  const std::variant<Arguments, UsageError> parsed = orthavion::batch::Parse(words);
  if (const UsageError* e = std::get_if<UsageError>(&parsed)) return Usage(*e);
  const Arguments& a = std::get<Arguments>(parsed);
  if (a.help) {
    std::fputs(orthavion::batch::UsageText().c_str(), stdout);
    return 0;
  }
  if (a.version) {
    std::printf("%s\n", orthavion::texts::BatchVersionText().c_str());
    return 0;
  }
  try {
    RefuseClashes(a);
  } catch (const std::exception& e) {
    return Fail(e);
  }
  if (a.apply) {
    orthavion::Transformation saved;
    try {
      saved = orthavion::ReadResultTransformation(*a.apply);
    } catch (const std::exception& e) {
      return Fail(e);
    }
    return CarryFiles(saved, a);
  }
  orthavion::RunState state;  // no text view: the protocol has no capacity limit
  try {
    if (a.adjusted)
      orthavion::RunAdjustment(state, a.start, a.target, a.options, a.outputs);
    else
      orthavion::TransformationRun(state, a.start, a.target);
  } catch (const orthavion::OptionError& e) {
    return Usage(UsageError{e.what()});
  } catch (const std::exception& e) {
    PrintProtocol(state.protocol);
    return Fail(e);
  }
  PrintProtocol(state.protocol);
  if (!a.obj && !a.points && !a.xyz) return 0;
  orthavion::Transformation estimated;
  try {
    estimated = state.TransformationInForce();
  } catch (const std::exception& e) {
    return Fail(e);
  }
  return CarryFiles(estimated, a);
}
