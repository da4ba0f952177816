// orthavion-batch: the transformation run without a window, for scripts.
//
//   orthavion-batch START TARGET [--model NAME] [--exclude PNR[,PNR...]]
//                   [--snooping] [--sigma0 METRES] [--statistics] [--json FILE]
//                   [--report FILE.html] [--export-proj FILE] [--obj IN OUT [--shorten]]
//                   [--points IN OUT] [--xyz IN OUT]
//   orthavion-batch --apply RESULT.json (--obj IN OUT [--shorten] |
//                   --points IN OUT | --xyz IN OUT)
//   orthavion-batch --help | --version
//
// Reads the start-system and target-system point files, estimates the
// transformation, writes "Trafoprotokoll.txt" beside START exactly as the
// window does and prints the protocol to standard output (UTF-8). Without
// the adjustment's options (--model ... --export-proj) this is the plain
// run, and its protocol stays as it always was. With --json the result is
// also written as JSON, with --report as an HTML report, with --export-proj
// the forward PROJ string as one line; every such file is written completely before the protocol file is
// saved, and renamed over its name only after that, so an error leaves all
// of them as they were. Then it carries the Wavefront OBJ model (--obj,
// answering "Koordinaten kürzen?" with Yes when --shorten is given and No
// otherwise), a point file (--points) and an ASCII point cloud (--xyz) into
// the target system; their status texts go to standard error. A run that
// ends in an error carries nothing.
//
// With --apply the transformation comes from a result written earlier with
// --json instead of a run, and exactly one of --obj, --points and --xyz is
// carried: byte for byte what the run that wrote the result carries.
//
// An error ends the program: its text goes to standard error, the protocol
// as far as it got to standard output, and the exit code is 1. A usage
// error exits with 2 and names the problem.

#include <charconv>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/error.h"
#include "base/texts.h"
#include "estimation/run.h"
#include "export/projexport.h"
#include "result/resultjson.h"
#include "result/resultreader.h"
#include "carry/obj.h"
#include "carry/pointcloud.h"
#include "carry/pointfile.h"
#include "text/outputfiles.h"
#include "protocol/protocolfile.h"
#include "report/htmlreport.h"
#include "statistics/adjustmentrun.h"
#include "text/temporaryfiles.h"

namespace {

/// An input file and the file its transformed copy is written to.
struct FilePair {
  std::string in, out;
};

struct Arguments {
  std::string start, target;
  std::optional<std::string> apply;  // a saved result instead of a run
  std::optional<FilePair> obj, points, xyz;
  bool shorten = false;
  bool help = false, version = false;
  bool adjusted = false;  // an option of the adjustment is given
  orthavion::AdjustmentOptions options;
  std::optional<std::string> json, report, exportProj;
};

/// A usage error: the message naming the problem (empty: the arguments do
/// not fit the usage as a whole).
struct UsageError {
  std::string message;
};

/// A positive, finite number of metres in the plain form "0.005" or
/// "5e-3", the whole field; nothing otherwise.
std::optional<double> Metres(std::string_view text) {
  double value = 0.0;
  orthavion::FpFlagsKept keep;  // the parser's flags are not the run's
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
      !(value > 0.0))
    return std::nullopt;
  return value;
}

/// The arguments, or the usage error. The options may stand anywhere after
/// the program name; a word that is no option is a file name.
std::variant<Arguments, UsageError> Parse(const std::vector<std::string_view>& args) {
  namespace texts = orthavion::texts;
  Arguments a;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue = arg == "--model" || arg == "--exclude" || arg == "--sigma0" ||
                            arg == "--json" || arg == "--report" || arg == "--export-proj" ||
                            arg == "--apply";
    if (takesValue && i + 1 >= args.size())
      return UsageError{texts::MissingValueText(arg)};
    std::optional<FilePair>* pair = arg == "--obj"      ? &a.obj
                                    : arg == "--points" ? &a.points
                                    : arg == "--xyz"    ? &a.xyz
                                                        : nullptr;
    if (pair) {
      if (*pair || i + 2 >= args.size()) return UsageError{};
      *pair = FilePair{std::string(args[i + 1]), std::string(args[i + 2])};
      i += 2;
    } else if (arg == "--apply") {
      if (a.apply) return UsageError{};
      a.apply = std::string(args[++i]);
    } else if (arg == "--shorten") {
      a.shorten = true;
    } else if (arg == "--help") {
      a.help = true;
    } else if (arg == "--version") {
      a.version = true;
    } else if (arg == "--model") {
      const std::string_view name = args[++i];
      const std::optional<orthavion::Model> model = orthavion::ParseModel(name);
      if (!model) return UsageError{texts::UnknownModelText(name)};
      a.options.model = *model;
      a.adjusted = true;
    } else if (arg == "--exclude") {
      std::string_view list = args[++i];
      for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view id = list.substr(0, comma);
        if (id.empty()) return UsageError{texts::MissingValueText(arg)};
        a.options.exclude.emplace_back(id);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
      }
      a.adjusted = true;
    } else if (arg == "--sigma0") {
      const std::string_view value = args[++i];
      a.options.sigma0 = Metres(value);
      if (!a.options.sigma0) return UsageError{texts::BadSigma0Text(value)};
      a.adjusted = true;
    } else if (arg == "--json") {
      a.json = std::string(args[++i]);
      a.adjusted = true;
    } else if (arg == "--report") {
      a.report = std::string(args[++i]);
      a.adjusted = true;
    } else if (arg == "--export-proj") {
      a.exportProj = std::string(args[++i]);
      a.adjusted = true;
    } else if (arg == "--snooping") {
      a.options.snooping = a.adjusted = true;
    } else if (arg == "--statistics") {
      a.options.statistics = a.adjusted = true;
    } else {
      files.emplace_back(arg);
    }
  }
  if (a.help || a.version) return a;
  if (a.shorten && !a.obj) return UsageError{};
  if (a.apply) {
    // A saved result carries exactly one file, and has no run to adjust.
    const int carried = a.obj.has_value() + a.points.has_value() + a.xyz.has_value();
    if (!files.empty() || a.adjusted || carried != 1) return UsageError{};
    return a;
  }
  if (files.size() != 2) return UsageError{};
  a.start = files[0];
  a.target = files[1];
  return a;
}

int Usage(const UsageError& e) {
  if (!e.message.empty()) std::fprintf(stderr, "%s\n", e.message.c_str());
  std::fputs(std::string(orthavion::texts::kBatchUsage).c_str(), stderr);
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

/// The run with the adjustment's options and its outputs: the protocol
/// file, the result (--json), the HTML report (--report) and the PROJ
/// string (--export-proj).
void AdjustedRun(orthavion::RunState& state, const Arguments& a) {
  const std::time_t runTime = std::time(nullptr);
  const orthavion::AdjustmentResult result =
      orthavion::AdjustmentRun(state, a.start, a.target, a.options);
  std::vector<orthavion::OutputFile> files;
  if (a.json) files.push_back(orthavion::ResultJsonFile(result, *a.json));
  if (a.report)
    files.push_back(orthavion::HtmlReportFile(result, orthavion::RunTimeText(runTime), *a.report));
  if (a.exportProj) files.push_back(orthavion::ProjStringFile(result, *a.exportProj));
  orthavion::SaveWithProtocol(state.protocol, orthavion::ProtocolFileName(a.start), files);
}

/// Carries the files of --obj, --points and --xyz into the target system
/// with `transformation`; the status texts go to standard error. Returns the
/// exit code.
int CarryFiles(const orthavion::Transformation& transformation, const Arguments& a) {
  orthavion::CommandView view;
  view.status = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  view.askShorten = [&a] {
    std::fprintf(stderr, "%s %s\n", std::string(orthavion::texts::kAskShorten).c_str(),
                 a.shorten ? "Ja" : "Nein");
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

}  // namespace

int main(int argc, char** argv) {
  orthavion::InstallTemporaryFileCleanup();
  const std::variant<Arguments, UsageError> parsed =
      Parse(std::vector<std::string_view>(argv + 1, argv + argc));
  if (const UsageError* e = std::get_if<UsageError>(&parsed)) return Usage(*e);
  const Arguments& a = std::get<Arguments>(parsed);
  if (a.help) {
    std::fputs(std::string(orthavion::texts::kBatchUsage).c_str(), stdout);
    return 0;
  }
  if (a.version) {
    std::printf("%s\n", orthavion::texts::BatchVersionText().c_str());
    return 0;
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
      AdjustedRun(state, a);
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
