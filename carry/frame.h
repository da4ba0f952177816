#pragma once
// The frame that every command carrying a file into the target system
// shares (the OBJ model, a point file, a point cloud): the checks, status
// texts, progress and file handling around the rewriting of its records.

#include <cstdint>
#include <functional>
#include <string>

#include "base/hooks.h"
#include "carry/blockreader.h"
#include "carry/recordformat.h"
#include "carry/recordpipeline.h"
#include "carry/recordtally.h"
#include "carry/throttledprogress.h"
#include "text/replacingfile.h"
#include "text/textfile.h"

namespace orthavion {

/// What a command's own step works with once both files are open.
struct OpenedFiles {
  TextFileReader* lines;  ///< the line-by-line reader (sequential), or null
  BlockReader* blocks;    ///< the block reader (pipeline), or null
  ReplacingFile& out;
  ThrottledProgress& progress;
  const CommandView& window;  ///< the command's view, its floating-point flags kept apart
};

/// Counts the records of the file it is given, for the status text and the
/// progress, before the file is opened for carrying (`CountLines` for text
/// files).
using RecordCount = std::function<std::int64_t(const std::string& fileName)>;

/// The command's own step: rewrites every record of the input into `out`
/// and returns the final status text.
using CarryStep = std::function<std::string(OpenedFiles& files)>;

/// Runs a file command: clears the floating-point flags; status "Dateigröße
/// ermitteln", n := `count`(inFile), status "<n> Datensätze, bitte warten",
/// shows the progress (0, n); opens the input (line by line when
/// `sequential`, in blocks otherwise), refuses an output that names the
/// input (also through a link) with "Dateizugriff verweigert", creates the
/// output beside its name; then `carry`; then the output is flushed, forced
/// to the disk and renamed over its name, and `carry`'s text becomes the
/// status. On any error the output is removed and an earlier file of its
/// name stays as it was.
void CarryFile(const std::string& inFile, const std::string& outFile, const CommandView& view,
               const RecordCount& count, bool sequential, const CarryStep& carry);

/// Carries the blocks of `files` in `format` on the pipeline: its header
/// first, then the records, the progress advancing and the tallies merging
/// block by block in file order, and the process-wide decimal separator
/// following the merged tally, as reading record by record leaves them;
/// last the format's look back at its header. Returns the merged tally.
RecordTally CarryRecords(OpenedFiles& files, RecordFormat& format, const PipelineShape& shape);

/// A command that carries every line of the text file `inFile` through
/// `rule` and asks no question (point files, point clouds): `CarryFile`
/// with the lines counted and the records on the pipeline; the final status
/// is `doneText`(lines rewritten, lines).
void CarryLines(const std::string& inFile, const std::string& outFile, const CommandView& view,
                const RecordRule& rule, const PipelineShape& shape,
                std::string (*doneText)(long long rewritten, long long lines));

}  // namespace orthavion
