// Files of 200 MB without a line break, as a point file and as an OBJ
// model: each is one record, read whole, with the exact outcome, and the
// peak memory a small multiple of the record (no copy per field or stage).
#include <gtest/gtest.h>

#include <iostream>

#include "hardening/bigfile.h"
#include "hardening/hardeningsupport.h"
#include "hardening/peakmemory.h"
#include "hardening/sanitizer.h"
#include "carry/obj.h"
#include "points/pointfiles.h"
#include "support/errortext.h"

using hardening::Entries;
using hardening::FirstDifference;
using hardening::Lines;
using hardening::Piece;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

constexpr std::size_t kRecordBytes = std::size_t{200} << 20;

/// `unit` repeated to about 200 MB.
std::vector<Piece> Filled(const std::string& unit) { return {{unit, kRecordBytes / unit.size()}}; }

/// The peak memory while `growth` lived stays below `limit` times the
/// record. Not judged under AddressSanitizer, whose allocator keeps freed
/// blocks in a quarantine, so that its peak says nothing about the
/// program's own memory.
void ExpectPeakBelow(const hardening::PeakGrowth& growth, double limit) {
  const double ratio = static_cast<double>(growth.bytes()) / kRecordBytes;
  std::cout << "peak memory growth: " << ratio << " times the record\n";
  if (hardening::kAddressSanitizer || !growth.valid()) return;
  EXPECT_LT(ratio, limit);
}

// A point file exported with CR line ends: every CR is dropped, so the
// whole file is one record; text after the fifth field is ignored.
TEST(LongLineTest, PointFileWithCrLineEndsIsOneRecord) {
  TestDir dir;
  hardening::CopyExamples(dir.path());
  const std::vector<Piece> pieces = Filled("101 0 1012.345 2034.567 101.234\r");
  const std::string start = dir.file("cr.txt");
  hardening::WritePieces(start, pieces);
  const auto before = Entries(dir.path());

  orthavion::RunState state;
  std::string error;
  {
    hardening::PeakGrowth growth;
    error = ErrorText(
        [&] { orthavion::TransformationRun(state, start, dir.file("zielsystem.txt")); });
    ExpectPeakBelow(growth, 3.0);
  }
  // Z reads "101.234101": the next record's number runs into it. One
  // control point: the scale factor is 0/0.
  EXPECT_EQ(error, "Ungültige Gleitkommaoperation");
  const std::vector<std::string> lines = Lines(state.protocol);
  ASSERT_EQ(lines.size(), 25u) << "the listings and the estimation up to the rotation matrix";
  EXPECT_EQ(lines[2], "101                0     1012.345     2034.567      101.234");
  EXPECT_EQ(lines[5], "101                1  4513268.297  5625533.587      414.183");
  EXPECT_EQ(lines[24], "  0.00000E+000  0.00000E+000  1.00000E+000");
  EXPECT_EQ(Entries(dir.path()), before) << "no protocol file";
  EXPECT_EQ(FirstDifference(start, pieces), -1) << "the input unchanged";
}

// A point number of 200 MB: the window's text view cannot take its listing
// line. The titles stay; the run ends before anything is written.
TEST(LongLineTest, PointNumberOf200MegabytesOverflowsTheWindowProtocol) {
  TestDir dir;
  hardening::CopyExamples(dir.path());
  const std::vector<Piece> pieces = Filled("0123456789");
  const std::string start = dir.file("nummer.txt");
  hardening::WritePieces(start, pieces);
  const auto before = Entries(dir.path());

  orthavion::RunState state;
  state.protocol.SetCapacity(orthavion::Protocol::kViewCapacity);
  std::string error;
  {
    hardening::PeakGrowth growth;
    error = ErrorText(
        [&] { orthavion::TransformationRun(state, start, dir.file("zielsystem.txt")); });
    // The line read, the record's and the table's point number, and the
    // listing line, which grows by doubling while it is formatted.
    ExpectPeakBelow(growth, 6.0);
  }
  EXPECT_EQ(error, "Fehler beim Einfügen einer Zeile in RichEdit");
  EXPECT_EQ(Lines(state.protocol),
            (std::vector<std::string>{"Startsystem: " + start, orthavion::kPointHeader}));
  EXPECT_EQ(Entries(dir.path()), before);
  EXPECT_EQ(FirstDifference(start, pieces), -1);
}

/// Transforms `in` to `out` with the examples' transformation, measuring the
/// peak memory; returns the error text and the status texts.
std::pair<std::string, std::vector<std::string>> TransformMeasured(const std::string& in,
                                                                   const std::string& out) {
  const orthavion::RunState state = hardening::ExampleRun();
  std::vector<std::string> statuses;
  orthavion::CommandView view;
  view.status = [&](const std::string& t) { statuses.push_back(t); };
  hardening::PeakGrowth growth;
  std::string error = ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), in, out, view); });
  // The line read and the line written: twice the line, and the line's
  // growth while it is read.
  ExpectPeakBelow(growth, 2.5);
  return {error, statuses};
}

// An OBJ model exported with CR line ends is one vertex line: "v", X, Y,
// then the Z field "125.660v", which is no number, and the rest of the
// file carried over as the rest of the line.
TEST(LongLineTest, ObjModelWithCrLineEndsIsOneVertexLine) {
  TestDir dir;
  const std::string vertex = "v 1250.004 2250.777 125.660";
  const std::vector<Piece> pieces = Filled(vertex + "\r");
  const std::string in = dir.file("cr.obj");
  hardening::WritePieces(in, pieces);
  const std::string out = dir.file("neu.obj");

  const auto [error, statuses] = TransformMeasured(in, out);
  EXPECT_EQ(error, "");
  EXPECT_EQ(statuses.back(), "OBJ-Datei transformiert: 1 Eckpunkte, 1 Datensätze");

  // The numbers: those of the same vertex with Z = 0 on a line of its own.
  orthavion::TransformObj(hardening::ExampleRun().TransformationInForce(), dir.write("kurz.obj", "v 1250.004 2250.777 0\n"),
                          dir.file("kurz-neu.obj"), {});
  std::string head = ReadBytes(dir.file("kurz-neu.obj"));
  ASSERT_TRUE(head.ends_with(" \r\n"));
  head.resize(head.size() - 2);
  EXPECT_EQ(FirstDifference(out, {{head + "1250.004 2250.777 125.660"},
                                  {vertex, pieces[0].times - 2},
                                  {"\r\n"}}),
            -1);
  EXPECT_EQ(FirstDifference(in, pieces), -1);
}

// A line that is no vertex line is copied byte for byte, however long.
TEST(LongLineTest, ObjLineOf200MegabytesIsCopied) {
  TestDir dir;
  const std::vector<Piece> pieces = Filled("f 1/1/1 2/2/2 3/3/3 ");
  const std::string in = dir.file("flaeche.obj");
  hardening::WritePieces(in, pieces);
  const std::string out = dir.file("neu.obj");

  const auto [error, statuses] = TransformMeasured(in, out);
  EXPECT_EQ(error, "");
  EXPECT_EQ(statuses, (std::vector<std::string>{
                          "Dateigröße ermitteln", "0 Datensätze, bitte warten",
                          "OBJ-Datei transformiert: 0 Eckpunkte, 1 Datensätze"}));
  std::vector<Piece> expected = pieces;
  expected.push_back({"\r\n"});
  EXPECT_EQ(FirstDifference(out, expected), -1);
  EXPECT_EQ(FirstDifference(in, pieces), -1);
}

}  // namespace
