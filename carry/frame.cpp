#include "carry/frame.h"

#include <cerrno>
#include <filesystem>
#include <memory>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/fpcheck.h"
#include "base/texts.h"
#include "carry/countlines.h"
#include "text/fileerror.h"

namespace orthavion {

void CarryTextFile(const std::string& inFile, const std::string& outFile, const CommandView& view,
                   bool sequential, const CarryStep& carry) {
  ClearFpErrors();
  const CommandView window = KeepingFpFlags(view);
  const auto status = [&window](const std::string& text) {
    if (window.status) window.status(text);
  };

  status(std::string(texts::kStatusFileSize));
  const std::int64_t n = CountLines(inFile);
  status(texts::RecordsPleaseWaitText(n));
  ThrottledProgress progress(window.progress, n);

  std::unique_ptr<TextFileReader> lines;
  std::unique_ptr<LineBlockReader> blocks;
  if (sequential) {
    lines = std::make_unique<TextFileReader>(inFile);
  } else {
    blocks = std::make_unique<LineBlockReader>(inFile);
  }
  // Replacing the input by the output would destroy it, whichever name or
  // link the output is given.
  std::error_code ec;
  if (std::filesystem::equivalent(inFile, outFile, ec)) RaiseIoError(EACCES);
  ReplacingFile out;
  if (const int err = out.Create(outFile)) RaiseIoError(err);

  OpenedFiles files{lines.get(), blocks.get(), out, progress, window};
  const std::string done = carry(files);
  if (const int err = out.Finish()) RaiseIoError(err);
  if (const int err = out.Replace()) RaiseIoError(err);
  status(done);
}

PipelineCount CarryBlocks(OpenedFiles& files, const LineRule& rule, const PipelineShape& shape) {
  ThrottledProgress& progress = files.progress;
  return RunLinePipeline(*files.blocks, files.out, rule, shape,
                         [&progress](std::int64_t lines, const RuleTally& tally) {
                           progress.Advance(lines);
                           if (tally.separator != 0) SetDecimalSeparator(tally.separator);
                         });
}

}  // namespace orthavion
