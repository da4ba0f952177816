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

void CarryFile(const std::string& inFile, const std::string& outFile, const CommandView& view,
               const RecordCount& count, bool sequential, const CarryStep& carry) {
  ClearFpErrors();
  const CommandView window = KeepingFpFlags(view);
  const auto status = [&window](const std::string& text) {
    if (window.status) window.status(text);
  };

  status(std::string(texts::kStatusFileSize));
  const std::int64_t n = count(inFile);
  status(texts::RecordsPleaseWaitText(n));
  ThrottledProgress progress(window.progress, n);

  std::unique_ptr<TextFileReader> lines;
  std::unique_ptr<BlockReader> blocks;
  if (sequential) {
    lines = std::make_unique<TextFileReader>(inFile);
  } else {
    blocks = std::make_unique<BlockReader>(inFile);
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

RecordTally CarryRecords(OpenedFiles& files, RecordFormat& format, const PipelineShape& shape) {
  const RecordLayout layout = format.Begin(*files.blocks, files.out);
  RecordTally total;
  RunRecordPipeline(*files.blocks, files.out, layout, format.Rule(), shape,
                    [&files, &total](const RecordTally& tally) {
                      files.progress.Advance(tally.records);
                      total.Merge(tally);
                      if (total.separator != 0) SetDecimalSeparator(total.separator);
                    });
  format.End(total, files.out);
  return total;
}

void CarryLines(const std::string& inFile, const std::string& outFile, const CommandView& view,
                const RecordRule& rule, const PipelineShape& shape,
                std::string (*doneText)(long long rewritten, long long lines)) {
  CarryFile(inFile, outFile, view, CountLines, false, [&](OpenedFiles& files) {
    LineFormat format(rule);
    const RecordTally tally = CarryRecords(files, format, shape);
    return doneText(tally.rewritten, tally.records);
  });
}

}  // namespace orthavion
