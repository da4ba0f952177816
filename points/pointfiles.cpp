#include "points/pointfiles.h"

#include <algorithm>

#include "base/fpcheck.h"
#include "text/codepage.h"
#include "text/numformat.h"
#include "text/textfile.h"
#include "text/tokenizer.h"

namespace orthavion {

namespace {

constexpr std::string_view kListing = "%-14s %5d %12.3f %12.3f %12.3f";

/// One record of a point file, with its fields taken off in file order.
struct Record {
  std::string NR;
  std::int32_t NIV = 0;
  double X = 0.0, Y = 0.0, Z = 0.0;
};

/// A point file opened for reading, one line at a time.
class PointFile {
public:
  /// Opens the file, then appends `title` with the file name and the column
  /// titles to the protocol.
  PointFile(Protocol& protocol, const std::string& fileName, std::string_view title)
      : file_(fileName) {
    protocol.Add(std::string(title) + FileNameText(fileName));
    protocol.Add(kPointHeader);
  }

  /// Reads the next line.
  void ReadLine() { file_.ReadLine(raw_); }

  /// Takes the five fields off the line last read.
  void TakeFields(Record& r) {
    const bool ansi = std::any_of(raw_.begin(), raw_.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (ansi) decoded_ = DecodeAnsi(raw_);
    std::string_view rest = ansi ? std::string_view(decoded_) : std::string_view(raw_);
    r.NR.assign(TakeField(rest));
    r.NIV = GetInt(rest);
    r.X = GetFloat(rest);
    r.Y = GetFloat(rest);
    r.Z = GetFloat(rest);
  }

  /// The end test after each record: an empty file is one empty record.
  bool AtEnd() { return file_.AtEnd(); }

private:
  TextFileReader file_;
  std::string raw_, decoded_;
};

void AddListing(Protocol& protocol, std::string& line, const std::string& nr, std::int32_t niv,
                double x, double y, double z) {
  line.clear();
  AppendFormat(line, kListing, {nr, niv, x, y, z});
  protocol.Add(line);
}

}  // namespace

void LiesStartsystem(RunState& state, const std::string& fileName) {
  PointFile file(state.protocol, fileName, "Startsystem: ");
  state.P.ResetToCentroid();
  Record r;
  std::string line;
  do {
    file.ReadLine();
    file.TakeFields(r);
    TPunktTyp& p = state.P[state.P.SuchPunkt(r.NR)];
    p.NR = r.NR;
    p.NIV = r.NIV;
    p.XS = r.X;
    p.YS = r.Y;
    p.ZS = r.Z;
    p.Passpunkt = false;
    p.IstStartsystem = true;
    AddListing(state.protocol, line, r.NR, r.NIV, r.X, r.Y, r.Z);
  } while (!file.AtEnd());
}

void LiesZielsystem(RunState& state, const std::string& fileName,
                    const ProcessEvents& processEvents) {
  PointFile file(state.protocol, fileName, "Zielsystem: ");
  Record r;
  std::string line;
  do {
    file.ReadLine();
    if (processEvents) {
      FpFlagsKept keep;  // the window's own arithmetic is not the run's
      processEvents();
    }
    file.TakeFields(r);
    TPunktTyp& p = state.P[state.P.SuchPunkt(r.NR)];
    p.NR = r.NR;
    p.NIV = r.NIV;
    p.XZ = r.X;
    p.YZ = r.Y;
    p.ZZ = r.Z;
    if (p.IstStartsystem) {
      p.Passpunkt = true;
      AddListing(state.protocol, line, r.NR, p.NIV, r.X, r.Y, r.Z);
    }
  } while (!file.AtEnd());
}

}  // namespace orthavion
