#pragma once
// The frame that every command carrying a text file into the target system
// shares (the OBJ model, a point file, a point cloud): the checks, status
// texts, progress and file handling around the rewriting of its lines.

#include <functional>
#include <string>

#include "base/hooks.h"
#include "carry/lineblockreader.h"
#include "carry/linepipeline.h"
#include "carry/linerule.h"
#include "carry/throttledprogress.h"
#include "text/replacingfile.h"
#include "text/textfile.h"

namespace orthavion {

/// What a command's own step works with once both files are open.
struct OpenedFiles {
  TextFileReader* lines;    ///< the line-by-line reader (sequential), or null
  LineBlockReader* blocks;  ///< the block reader (pipeline), or null
  ReplacingFile& out;
  ThrottledProgress& progress;
  const CommandView& window;  ///< the command's view, its floating-point flags kept apart
};

/// The command's own step: rewrites every line of the input into `out` and
/// returns the final status text.
using CarryStep = std::function<std::string(OpenedFiles& files)>;

/// Runs a file command: clears the floating-point flags; status "Dateigröße ermitteln", counts the lines,
/// status "<n> Datensätze, bitte warten", shows the progress (0, n); opens
/// the input (line by line when `sequential`, in blocks otherwise), refuses
/// an output that names the input (also through a link) with
/// "Dateizugriff verweigert", creates the output beside its name; then
/// `carry`; then the output is flushed, forced to the disk and renamed over
/// its name, and `carry`'s text becomes the status. On any error the output
/// is removed and an earlier file of its name stays as it was.
void CarryTextFile(const std::string& inFile, const std::string& outFile,
                   const CommandView& view, bool sequential, const CarryStep& carry);

/// Carries the blocks of `files` through `rule` on the pipeline: the
/// progress and the process-wide decimal separator advance block by block
/// in file order, as reading line by line leaves them.
PipelineCount CarryBlocks(OpenedFiles& files, const LineRule& rule, const PipelineShape& shape);

}  // namespace orthavion
