#include "points/pointfiles.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <string>
#include <tuple>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/fpcheck.h"
#include "support/errortext.h"
#include "support/testdir.h"

namespace orthavion {
namespace {

const std::string kHeader = "Punktnummer            X            Y            Z";

using testsupport::ErrorText;

std::vector<std::string> Lines(const Protocol& protocol) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < protocol.Count(); ++i) lines.emplace_back(protocol.Line(i));
  return lines;
}

/// A point record as a tuple, so whole entries compare and print at once.
using Entry = std::tuple<std::string, std::int32_t, double, double, double, double, double,
                         double, bool, bool>;

Entry Fields(const TPunktTyp& p) {
  return {p.NR, p.NIV, p.XS, p.YS, p.ZS, p.XZ, p.YZ, p.ZZ, p.Passpunkt, p.IstStartsystem};
}

std::vector<Entry> Table(const PointTable& table) {
  std::vector<Entry> entries;
  for (std::int32_t i = 0; i < table.size(); ++i) entries.push_back(Fields(table[i]));
  return entries;
}

class PointFilesTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetDecimalSeparator('.');
    ClearFpErrors();
  }

  testsupport::TestDir dir;
  RunState state;
};

struct ListingRow {
  std::string name;
  std::string bytes;
  std::vector<std::string> lines;
};

const ListingRow kListingRows[] = {
    {"decimal point and decimal comma",
     "P1 0 100 200 300\nP2 5 1,5 2,5 3,5\n",
     {"P1                 0      100.000      200.000      300.000",
      "P2                 5        1,500        2,500        3,500"}},
    // The line is written with the separator of its Z field.
    {"comma in X and Y, not in Z", "P3 0 1,5 2,5 3",
     {"P3                 0        1.500        2.500        3.000"}},
    {"point in X and Y, comma in Z", "P6 1 1.5 2.5 3,5",
     {"P6                 1        1,500        2,500        3,500"}},
    {"empty file", "",
     {"                   0        0.000        0.000        0.000"}},
    {"tab-separated line", "P1\t0\t1\t2\t3",
     {"P1\t0\t1\t2\t3         0        0.000        0.000        0.000"}},
    {"spaces around and between the fields", "   P4   7   1   2   3   ",
     {"P4                 7        1.000        2.000        3.000"}},
    {"final empty line", "A 1 1 1 1\n\n",
     {"A                  1        1.000        1.000        1.000",
      "                   0        0.000        0.000        0.000"}},
    {"number longer than its column", "Punkt_123456789 12 1 2 3",
     {"Punkt_123456789    12        1.000        2.000        3.000"}},
    {"fields that are no numbers, fields missing", "Q x y",
     {"Q                  0        0.000        0.000        0.000"}},
    {"text after the fifth field", "R 1 1 2 3 4 5",
     {"R                  1        1.000        2.000        3.000"}},
    {"negative values", "N -12 -1,25 -0,0004 1e3",
     {"N                -12       -1.250        0.000     1000.000"}},
    // Windows-1252 0xDF is 'ß', 0x80 is '€'; each counts as one character.
    {"Windows-1252 point numbers", "P\xDF 0 1 2 3\n\x80 1 1 2 3\n",
     {"Pß                 0        1.000        2.000        3.000",
      "€                  1        1.000        2.000        3.000"}},
};

TEST_F(PointFilesTest, StartListing) {
  for (const ListingRow& row : kListingRows) {
    SCOPED_TRACE(row.name);
    state.protocol.Clear();
    const std::string name = dir.write("start.txt", row.bytes);
    LiesStartsystem(state, name);
    std::vector<std::string> expected = {"Startsystem: " + name, kHeader};
    expected.insert(expected.end(), row.lines.begin(), row.lines.end());
    EXPECT_EQ(Lines(state.protocol), expected);
  }
}

TEST_F(PointFilesTest, MatchesPointNumbersOfBothFiles) {
  const std::string start = dir.write("start.txt",
                                      "B 1 1 2 3\n"
                                      "A 2 4 5 6\n"
                                      "p1 3 0 0 0\n"
                                      "12 4 0 0 0\n"
                                      "B 5 7 8 9\n");
  const std::string target = dir.write("target.txt",
                                       "C 6 10 20 30\n"
                                       "A 7 40 50 60\n"
                                       "P1 8 1 1 1\n"
                                       "012 9 2 2 2\n"
                                       "B 10 70 80 90\n"
                                       "B 11 71 81 91\n"
                                       "D 12 3 3 3\n");
  LiesStartsystem(state, start);
  LiesZielsystem(state, target, {});

  // Entries in order of first appearance: the start file's numbers, then
  // the numbers only in the target file. The last occurrence in a file
  // wins; NIV of a point in both files is the target's.
  const std::vector<Entry> expected = {
      {"", 0, 0, 0, 0, 0, 0, 0, false, false},  // centroid record, created zeroed
      {"B", 11, 7, 8, 9, 71, 81, 91, true, true},
      {"A", 7, 4, 5, 6, 40, 50, 60, true, true},
      {"p1", 3, 0, 0, 0, 0, 0, 0, false, true},  // 'p1' is not 'P1'
      {"12", 4, 0, 0, 0, 0, 0, 0, false, true},  // '12' is not '012'
      {"C", 6, 0, 0, 0, 10, 20, 30, false, false},
      {"P1", 8, 0, 0, 0, 1, 1, 1, false, false},
      {"012", 9, 0, 0, 0, 2, 2, 2, false, false},
      {"D", 12, 0, 0, 0, 3, 3, 3, false, false},
  };
  EXPECT_EQ(Table(state.P), expected);

  // Every occurrence is listed; the target lists only numbers of the start.
  const std::vector<std::string> lines = {
      "Startsystem: " + start,
      kHeader,
      "B                  1        1.000        2.000        3.000",
      "A                  2        4.000        5.000        6.000",
      "p1                 3        0.000        0.000        0.000",
      "12                 4        0.000        0.000        0.000",
      "B                  5        7.000        8.000        9.000",
      "Zielsystem: " + target,
      kHeader,
      "A                  7       40.000       50.000       60.000",
      "B                 10       70.000       80.000       90.000",
      "B                 11       71.000       81.000       91.000",
  };
  EXPECT_EQ(Lines(state.protocol), lines);
}

TEST_F(PointFilesTest, EmptyLinesAtTheEndOfBothFilesMakeAControlPoint) {
  LiesStartsystem(state, dir.write("start.txt", "A 1 1 1 1\n\n"));
  LiesZielsystem(state, dir.write("target.txt", "A 2 2 2 2\n\n"), {});
  ASSERT_EQ(state.P.size(), 3);
  EXPECT_EQ(Fields(state.P[2]), Entry("", 0, 0, 0, 0, 0, 0, 0, true, true));
  EXPECT_EQ(state.protocol.Line(state.protocol.Count() - 1),
            "                   0        0.000        0.000        0.000");
}

TEST_F(PointFilesTest, WindowsCodePagePointNumbersMatchAsText) {
  LiesStartsystem(state, dir.write("start.txt", "P\xDF 1 1 2 3\n\x80 2 1 1 1\n"));
  LiesZielsystem(state, dir.write("target.txt", "P\xDF 3 4 5 6\n"), {});
  ASSERT_EQ(state.P.size(), 3);
  EXPECT_EQ(Fields(state.P[1]), Entry("Pß", 3, 1, 2, 3, 4, 5, 6, true, true));
  EXPECT_EQ(state.P[2].NR, "€");
  EXPECT_EQ(state.protocol.Line(state.protocol.Count() - 1),
            "Pß                 3        4.000        5.000        6.000");
}

// Thousands of points: the index that finds the entries grows many times
// while the files are read, and must keep giving the same entries in order.
TEST_F(PointFilesTest, ManyPointsKeepTheirEntriesAndOrder) {
  constexpr int kStart = 3000, kOnlyTarget = 1000;
  const auto line = [](const std::string& nr, int niv, int x, int y) {
    return nr + " " + std::to_string(niv) + " " + std::to_string(x) + " " + std::to_string(y) +
           " 0\n";
  };
  std::string start, target;
  for (int i = 1; i <= kStart; ++i) start += line("N" + std::to_string(i), i, i, 0);
  for (int i = 7; i <= kStart; i += 7) start += line("N" + std::to_string(i), -1, -i, 0);
  for (int i = kStart; i >= 1; i -= 2) target += line("N" + std::to_string(i), 0, 0, i);
  for (int j = 1; j <= kOnlyTarget; ++j) target += line("T" + std::to_string(j), 0, 0, j);
  LiesStartsystem(state, dir.write("start.txt", start));
  LiesZielsystem(state, dir.write("target.txt", target), {});

  ASSERT_EQ(state.P.size(), 1 + kStart + kOnlyTarget);
  int wrong = 0;
  for (int i = 1; i <= kStart; ++i) {
    const TPunktTyp& p = state.P[i];
    const bool repeated = i % 7 == 0, inTarget = i % 2 == 0;
    wrong += p.NR != "N" + std::to_string(i) || p.XS != (repeated ? -i : i) ||
             p.YZ != (inTarget ? i : 0) || p.Passpunkt != inTarget || !p.IstStartsystem;
  }
  for (int j = 1; j <= kOnlyTarget; ++j) {
    const TPunktTyp& p = state.P[kStart + j];
    wrong += p.NR != "T" + std::to_string(j) || p.YZ != j || p.Passpunkt || p.IstStartsystem;
  }
  EXPECT_EQ(wrong, 0);

  // The next run starts from an empty index.
  LiesStartsystem(state, dir.write("start2.txt", "M1 0 1 1 1\nN5 0 2 2 2\nM1 0 3 3 3\n"));
  const std::vector<Entry> expected = {
      {"", 0, 0, 0, 0, 0, 0, 0, false, false},
      {"M1", 0, 3, 3, 3, 0, 0, 0, false, true},
      {"N5", 0, 2, 2, 2, 0, 0, 0, false, true},
  };
  EXPECT_EQ(Table(state.P), expected);
}

TEST_F(PointFilesTest, EntryZeroIsNeverMatched) {
  state.P.ResetToCentroid();
  state.P[0].NR = "Schwerpunkt";
  state.P[0].XS = 42.0;
  LiesStartsystem(state, dir.write("start.txt", "Schwerpunkt 1 1 2 3\n"));
  ASSERT_EQ(state.P.size(), 2);
  EXPECT_EQ(Fields(state.P[0]), Entry("Schwerpunkt", 0, 42, 0, 0, 0, 0, 0, false, false));
  EXPECT_EQ(Fields(state.P[1]), Entry("Schwerpunkt", 1, 1, 2, 3, 0, 0, 0, false, true));
}

TEST_F(PointFilesTest, SecondRunDiscardsThePointsOfTheFirst) {
  LiesStartsystem(state, dir.write("start1.txt", "X 1 1 1 1\nY 2 2 2 2\n"));
  LiesZielsystem(state, dir.write("target1.txt", "Y 3 3 3 3\n"), {});
  state.P[0].NR = "Schwerpunkt";
  state.protocol.Clear();

  LiesStartsystem(state, dir.write("start2.txt", "Y 4 4 4 4\n"));
  LiesZielsystem(state, dir.write("target2.txt", "X 5 5 5 5\n"), {});

  // Entry 0 keeps its contents; Y is a new entry without the first run's
  // target coordinates; X is only in this run's target file, so not listed.
  const std::vector<Entry> expected = {
      {"Schwerpunkt", 0, 0, 0, 0, 0, 0, 0, false, false},
      {"Y", 4, 4, 4, 4, 0, 0, 0, false, true},
      {"X", 5, 0, 0, 0, 5, 5, 5, false, false},
  };
  EXPECT_EQ(Table(state.P), expected);
  EXPECT_EQ(state.protocol.Count(), 5u);
}

TEST_F(PointFilesTest, MissingTargetFileKeepsTheStartListing) {
  const std::string start = dir.write("start.txt", "A 1 1 2 3\n");
  LiesStartsystem(state, start);
  EXPECT_EQ(ErrorText([&] { LiesZielsystem(state, dir.file("missing.txt"), {}); }),
            "Datei nicht gefunden");
  const std::vector<std::string> lines = {
      "Startsystem: " + start, kHeader,
      "A                  1        1.000        2.000        3.000"};
  EXPECT_EQ(Lines(state.protocol), lines);
}

TEST_F(PointFilesTest, MissingStartFileTouchesNeitherProtocolNorTable) {
  LiesStartsystem(state, dir.write("start.txt", "A 1 1 2 3\n"));
  LiesZielsystem(state, dir.write("target.txt", "B 2 4 5 6\n"), {});
  const std::vector<Entry> before = Table(state.P);
  state.protocol.Clear();

  EXPECT_EQ(ErrorText([&] { LiesStartsystem(state, dir.file("missing.txt")); }),
            "Datei nicht gefunden");
  EXPECT_EQ(state.protocol.Count(), 0u);
  EXPECT_EQ(Table(state.P), before);
}

TEST_F(PointFilesTest, OverflowInACoordinateEndsTheReadAtThatRecord) {
  const std::string start = dir.write("start.txt", "A 1 1 2 3\nB 2 1e400 0 0\nC 3 1 1 1\n");
  EXPECT_EQ(ErrorText([&] { LiesStartsystem(state, start); }), "Gleitkommaüberlauf");
  const std::vector<std::string> lines = {
      "Startsystem: " + start, kHeader,
      "A                  1        1.000        2.000        3.000"};
  EXPECT_EQ(Lines(state.protocol), lines);
  EXPECT_EQ(state.P.size(), 2);  // B's fields were not all read, so B was never looked up
}

TEST_F(PointFilesTest, FileNamesAppearReadablyInTheTitles) {
  struct Row {
    std::string fileName;  // the bytes of the name on disk
    std::string shown;
  };
  const Row rows[] = {
      {"Maßstab.txt", "Maßstab.txt"},     // UTF-8, the usual Linux encoding
      {"Ma\xDFstab.txt", "Maßstab.txt"},  // raw Windows-1252 bytes
      {"\x80.txt", "€.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    state.protocol.Clear();
    const std::string name = dir.write(row.fileName, "A 1 1 2 3\n");
    LiesStartsystem(state, name);
    LiesZielsystem(state, name, {});
    const std::string shown = dir.file(row.shown);
    EXPECT_EQ(state.protocol.Line(0), "Startsystem: " + shown);
    EXPECT_EQ(state.protocol.Line(3), "Zielsystem: " + shown);
  }
}

volatile double gZero = 0.0;

TEST_F(PointFilesTest, TargetReaderLetsEventsRunBeforeEachLine) {
  LiesStartsystem(state, dir.write("start.txt", "A 1 1 1 1\nB 2 2 2 2\n"));
  const std::string target = dir.write("target.txt",
                                       "A 1 1,5 2,5 3.5\n"
                                       "X 9 0 0 0\n"
                                       "B 2 1,5 2,5 3.5\n");
  std::vector<std::size_t> linesAtCall;
  const ProcessEvents events = [&] {
    linesAtCall.push_back(state.protocol.Count());
    SetDecimalSeparator(',');           // as a window activation might
    volatile double nan = gZero / gZero;  // the window's own invalid operation
    (void)nan;
  };
  LiesZielsystem(state, target, events);

  // Once per line, before the line's fields are taken and before its
  // listing: start 4 lines, then the target title and header.
  EXPECT_EQ(linesAtCall, (std::vector<std::size_t>{6, 7, 7}));
  EXPECT_EQ(state.protocol.Line(6), "A                  1        1.500        2.500        3.500");
  EXPECT_EQ(state.protocol.Line(7), "B                  2        1.500        2.500        3.500");
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
}

}  // namespace
}  // namespace orthavion
