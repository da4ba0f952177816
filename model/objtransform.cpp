#include "model/objtransform.h"

#include <cerrno>
#include <filesystem>
#include <string_view>

#include "base/error.h"
#include "base/fpcheck.h"
#include "base/texts.h"
#include "model/countlines.h"
#include "model/throttledprogress.h"
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

/// What a vertex line needs: the start centroid, R, M1 and the offsets.
struct Similarity {
  double XS, YS, ZS;
  const TMat3& R;
  double M1;
  double x0, y0, z0;
};

/// `c` less the whole multiples of 10000 it holds: c − 10000·trunc(c/10000),
/// the quotient truncated toward zero to a 64-bit integer. A quotient beyond
/// the 64-bit range is an invalid operation, as the conversion of the
/// hardware reports it.
double Shortened(double c) {
  const double q = c / 10000.0;
  if (!(q >= -9223372036854775808.0 && q < 9223372036854775808.0))
    RaiseFpInvalid();
  const auto whole = static_cast<std::int64_t>(q);
  return c - 10000.0 * static_cast<double>(whole);
}

bool IsVertexLine(std::string_view line) {
  return line.size() >= 2 && line[0] == 'v' && line[1] == ' ';
}

/// Appends the transformed vertex line `satz` (without its line end).
void AppendVertex(std::string& out, std::string_view satz, const Similarity& t) {
  const std::string_view s = TakeField(satz);
  const double x = GetFloat(satz) - t.XS;
  const double y = GetFloat(satz) - t.YS;
  const double z = GetFloat(satz) - t.ZS;
  const TMat3& R = t.R;
  const double xn = (R[1][1] * x + R[1][2] * y + R[1][3] * z) * t.M1 + t.x0;
  const double yn = (R[2][1] * x + R[2][2] * y + R[2][3] * z) * t.M1 + t.y0;
  const double zn = (R[3][1] * x + R[3][2] * y + R[3][3] * z) * t.M1 + t.z0;
  CheckFp();
  // The separator of the numbers is the one GetFloat chose for the Z field.
  AppendFormat(out, "%1s %14.6f %14.6f %14.6f %s", {s, xn, yn, zn, satz});
}

void Write(ReplacingFile& file, std::string& block) {
  if (const int err = file.Write(block)) RaiseIoError(err);
  block.clear();
}

}  // namespace

void TransformObj(const RunState& state, const std::string& inFile, const std::string& outFile,
                  const CommandView& view) {
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

  TextFileReader in(inFile);
  // Replacing the input by the output would destroy the model, whichever
  // name or link the output is given.
  std::error_code ec;
  if (std::filesystem::equivalent(inFile, outFile, ec)) RaiseIoError(EACCES);
  ReplacingFile out;
  if (const int err = out.Create(outFile)) RaiseIoError(err);

  const bool shorten = window.askShorten && window.askShorten();
  const TPunktTyp& c = state.P[0];
  const Similarity t{c.XS, c.YS, c.ZS, state.R, state.M1,
                     shorten ? Shortened(c.XZ) : c.XZ, shorten ? Shortened(c.YZ) : c.YZ, c.ZZ};

  std::string satz, block;
  block.reserve(kWriteBlock + 256);
  std::int64_t lines = 0, vertices = 0;
  do {
    progress.Advance();
    in.ReadLine(satz);
    // Room for the whole written line at once: a block that grew by
    // doubling while a long line is appended would hold it three times.
    block.reserve(block.size() + satz.size() + kLineGrowth);
    if (IsVertexLine(satz)) {
      AppendVertex(block, satz, t);
      ++vertices;
    } else {
      block.append(satz);
    }
    block.append("\r\n");
    ++lines;
    if (block.size() >= kWriteBlock) Write(out, block);
  } while (!in.AtEnd());
  Write(out, block);
  if (const int err = out.Finish()) RaiseIoError(err);
  if (const int err = out.Replace()) RaiseIoError(err);

  status(texts::ObjDoneText(vertices, lines));
}

}  // namespace orthavion
