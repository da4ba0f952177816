#include "carry/obj.h"

#include <string_view>

#include "base/fpcheck.h"
#include "base/texts.h"
#include "carry/countlines.h"
#include "carry/frame.h"
#include "carry/objvertexrule.h"
#include "carry/throttledprogress.h"
#include "transformation/transformation.h"
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

/// Appends the transformed vertex line `satz` (without its line end), with
/// the process-wide decimal separator as GetFloat leaves it.
void AppendVertex(std::string& out, std::string_view satz, const Transformation& t) {
  const std::string_view s = TakeField(satz);
  const double X = GetFloat(satz);
  const double Y = GetFloat(satz);
  const double Z = GetFloat(satz);
  const Vec3 c = t.Apply(X, Y, Z);
  CheckFp();
  // The separator of the numbers is the one GetFloat chose for the Z field.
  AppendFormat(out, "%1s %14.6f %14.6f %14.6f %s", {s, c[0], c[1], c[2], satz});
}

void Write(ReplacingFile& file, std::string& block) {
  if (const int err = file.Write(block)) RaiseIoError(err);
  block.clear();
}

/// The sequential path: one line after the other on this thread. Returns
/// the lines read and the vertices among them.
RecordTally TransformLineByLine(TextFileReader& in, ReplacingFile& out, const Transformation& t,
                                ThrottledProgress& progress) {
  std::string satz, block;
  block.reserve(kWriteBlock + 256);
  RecordTally carried;
  do {
    progress.Advance();
    in.ReadLine(satz);
    // Room for the whole written line at once: a block that grew by
    // doubling while a long line is appended would hold it three times.
    block.reserve(block.size() + satz.size() + kLineGrowth);
    if (IsVertexLine(satz)) {
      AppendVertex(block, satz, t);
      ++carried.rewritten;
    } else {
      block.append(satz);
    }
    block.append("\r\n");
    ++carried.records;
    if (block.size() >= kWriteBlock) Write(out, block);
  } while (!in.AtEnd());
  Write(out, block);
  return carried;
}

}  // namespace

void TransformObj(const Transformation& transformation, const std::string& inFile, const std::string& outFile,
                  const CommandView& view) {
  TransformObj(transformation, inFile, outFile, view, PipelineShape());
}

void TransformObj(const Transformation& transformation, const std::string& inFile, const std::string& outFile,
                  const CommandView& view, const PipelineShape& shape) {
  const bool sequential = shape.workers == 0;
  CarryFile(inFile, outFile, view, CountLines, sequential, [&](OpenedFiles& files) {
    const bool shorten = files.window.askShorten && files.window.askShorten();
    const Transformation t = shorten ? transformation.Shortened() : transformation;
    const ObjVertexRule rule(t);
    LineFormat format(rule);
    const RecordTally carried = sequential ? TransformLineByLine(*files.lines, files.out, t, files.progress)
                                           : CarryRecords(files, format, shape);
    return texts::ObjDoneText(carried.rewritten, carried.records);
  });
}

}  // namespace orthavion
