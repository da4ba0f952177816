#include "model/objtransform.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/fpcheck.h"
#include "base/texts.h"
#include "model/countlines.h"
#include "model/lineblockreader.h"
#include "model/objvertexrule.h"
#include "model/throttledprogress.h"
#include "model/vertexparameters.h"
#include "text/fileerror.h"
#include "text/numformat.h"
#include "text/replacingfile.h"
#include "text/textfile.h"
#include "text/tokenizer.h"

namespace orthavion {

namespace {

// Output is collected into blocks of about this size before it is handed to
// the file, so that the file's own buffer sees few, large writes.
constexpr std::size_t kWriteBlock = 1 << 16;
// What a written line may hold beyond the characters read for it: "v", the
// three coordinates (each at most 317 characters) with their blanks, and
// CR LF.
constexpr std::size_t kLineGrowth = 1024;

/// What the command carried.
struct Carried {
  std::int64_t lines = 0;
  std::int64_t vertices = 0;
};

/// Appends the transformed vertex line `satz` (without its line end), with
/// the process-wide decimal separator as GetFloat leaves it.
void AppendVertex(std::string& out, std::string_view satz, const VertexParameters& t) {
  const std::string_view s = TakeField(satz);
  const double X = GetFloat(satz);
  const double Y = GetFloat(satz);
  const double Z = GetFloat(satz);
  double c[3];
  CarryVertex(t, X, Y, Z, c);
  CheckFp();
  // The separator of the numbers is the one GetFloat chose for the Z field.
  AppendFormat(out, "%1s %14.6f %14.6f %14.6f %s", {s, c[0], c[1], c[2], satz});
}

void Write(ReplacingFile& file, std::string& block) {
  if (const int err = file.Write(block)) RaiseIoError(err);
  block.clear();
}

/// The sequential path: one line after the other on this thread.
Carried TransformLineByLine(TextFileReader& in, ReplacingFile& out, const VertexParameters& t,
                            ThrottledProgress& progress) {
  std::string satz, block;
  block.reserve(kWriteBlock + 256);
  Carried carried;
  do {
    progress.Advance();
    in.ReadLine(satz);
    // Room for the whole written line at once: a block that grew by
    // doubling while a long line is appended would hold it three times.
    block.reserve(block.size() + satz.size() + kLineGrowth);
    if (IsVertexLine(satz)) {
      AppendVertex(block, satz, t);
      ++carried.vertices;
    } else {
      block.append(satz);
    }
    block.append("\r\n");
    ++carried.lines;
    if (block.size() >= kWriteBlock) Write(out, block);
  } while (!in.AtEnd());
  Write(out, block);
  return carried;
}

/// The pipeline: blocks of lines rewritten by worker threads. The progress
/// and the process-wide decimal separator advance here, block by block in
/// file order, as the sequential path leaves them line by line.
Carried TransformInBlocks(LineBlockReader& in, ReplacingFile& out, const VertexParameters& t,
                          const PipelineShape& shape, ThrottledProgress& progress) {
  const ObjVertexRule rule(t);
  const PipelineCount count =
      RunLinePipeline(in, out, rule, shape, [&progress](std::int64_t lines, const RuleTally& tally) {
        progress.Advance(lines);
        if (tally.separator != 0) SetDecimalSeparator(tally.separator);
      });
  return {count.lines, count.rewritten};
}

}  // namespace

void TransformObj(const RunState& state, const std::string& inFile, const std::string& outFile,
                  const CommandView& view) {
  TransformObj(state, inFile, outFile, view, PipelineShape());
}

void TransformObj(const RunState& state, const std::string& inFile, const std::string& outFile,
                  const CommandView& view, const PipelineShape& shape) {
  if (state.P.empty() || !state.HasCompleteTransformation())
    throw Error(texts::kNoTransformation);
  ClearFpErrors();
  const CommandView window = KeepingFpFlags(view);
  const auto status = [&window](const std::string& text) {
    if (window.status) window.status(text);
  };

  status(std::string(texts::kStatusFileSize));
  const std::int64_t n = CountLines(inFile);
  status(texts::RecordsPleaseWaitText(n));
  ThrottledProgress progress(window.progress, n);

  const bool sequential = shape.workers == 0;
  std::unique_ptr<TextFileReader> lines;
  std::unique_ptr<LineBlockReader> blocks;
  if (sequential) {
    lines = std::make_unique<TextFileReader>(inFile);
  } else {
    blocks = std::make_unique<LineBlockReader>(inFile);
  }
  // Replacing the input by the output would destroy the model, whichever
  // name or link the output is given.
  std::error_code ec;
  if (std::filesystem::equivalent(inFile, outFile, ec)) RaiseIoError(EACCES);
  ReplacingFile out;
  if (const int err = out.Create(outFile)) RaiseIoError(err);

  const bool shorten = window.askShorten && window.askShorten();
  const VertexParameters t = VertexParametersOf(state, shorten);
  const Carried carried = sequential ? TransformLineByLine(*lines, out, t, progress)
                                     : TransformInBlocks(*blocks, out, t, shape, progress);
  if (const int err = out.Finish()) RaiseIoError(err);
  if (const int err = out.Replace()) RaiseIoError(err);

  status(texts::ObjDoneText(carried.vertices, carried.lines));
}

}  // namespace orthavion
