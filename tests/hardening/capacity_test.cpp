// A start file of 100,000 points: the window's text view holds 64,000
// characters, so the run ends cleanly with the view's error, the lines
// before it kept and nothing written; the batch program has no such limit.
#include <gtest/gtest.h>

#include "hardening/hardeningsupport.h"
#include "hardening/program.h"
#include "points/pointfiles.h"
#include "support/errortext.h"
#include "text/codepage.h"

using hardening::Entries;
using hardening::Lines;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

constexpr int kPoints = 100'000;

/// `text` right-aligned in `width` characters (ASCII).
std::string Right(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

/// Point i of the start file: "N<i> 7 <i> <2i> -3", and its listing line.
std::string Record(int i) {
  return "N" + std::to_string(i) + " 7 " + std::to_string(i) + " " + std::to_string(2 * i) +
         " -3\n";
}
std::string Listing(int i) {
  const std::string nr = "N" + std::to_string(i);
  return nr + std::string(14 - nr.size(), ' ') + "     7 " + Right(std::to_string(i) + ".000", 12) +
         " " + Right(std::to_string(2 * i) + ".000", 12) + "       -3.000";
}

/// The start file: the four control points, then the 100,000 new points.
std::string StartFile() {
  std::string bytes(hardening::kFourStart);
  for (int i = 1; i <= kPoints; ++i) bytes += Record(i);
  return bytes;
}

class ManyPointsTest : public ::testing::Test {
protected:
  void SetUp() override {
    start = dir.write("start.txt", startBytes);
    target = dir.write("ziel.txt", hardening::kFourTarget);
    earlier = dir.write("Trafoprotokoll.txt", "alt\r\n");
  }

  static inline const std::string startBytes = StartFile();
  TestDir dir;
  std::string start, target, earlier;
};

TEST_F(ManyPointsTest, TheWindowProtocolIsFullAndNothingIsWritten) {
  orthavion::RunState state;
  state.protocol.SetCapacity(orthavion::Protocol::kViewCapacity);
  const auto before = Entries(dir.path());
  EXPECT_EQ(ErrorText([&] { orthavion::TransformationRun(state, start, target); }),
            "Fehler beim Einfügen einer Zeile in RichEdit");

  // Each line counts its characters and one for its line break; every
  // listing line has 59 characters.
  const std::string title = "Startsystem: " + start;
  const std::size_t room = orthavion::Protocol::kViewCapacity - (title.size() + 1) -
                           (std::string_view(orthavion::kPointHeader).size() + 1);
  const std::size_t listed = room / 60;
  const std::vector<std::string> lines = Lines(state.protocol);
  ASSERT_EQ(lines.size(), 2 + listed);
  EXPECT_EQ(lines[0], title);
  EXPECT_EQ(lines[2], "A                  0        0.000        0.000        0.000");
  EXPECT_EQ(lines.back(), Listing(static_cast<int>(listed) - 4)) << "the last line that fits";
  EXPECT_LE(state.protocol.Characters(), orthavion::Protocol::kViewCapacity);
  EXPECT_GT(state.protocol.Characters() + 60, orthavion::Protocol::kViewCapacity);

  EXPECT_EQ(ReadBytes(earlier), "alt\r\n");
  EXPECT_EQ(Entries(dir.path()), before);
  EXPECT_EQ(ReadBytes(start), startBytes);
}

TEST_F(ManyPointsTest, TheBatchProgramListsAndTransformsThemAll) {
  const hardening::ProgramResult r = hardening::RunBatch({"start.txt", "ziel.txt"}, dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> lines = hardening::SplitLines(r.out);
  ASSERT_GT(lines.size(), 2u + 4 + kPoints);
  EXPECT_EQ(lines[2 + 4 + kPoints - 1], Listing(kPoints));
  EXPECT_EQ(lines[2 + 4 + kPoints], "Zielsystem: ziel.txt");
  const auto newPoints = std::find(lines.begin(), lines.end(), "Transformierte Neupunkte");
  ASSERT_NE(newPoints, lines.end());
  EXPECT_EQ(lines.end() - newPoints, 2 + kPoints) << "the titles and every new point";
  EXPECT_TRUE(lines.back().starts_with("N100000 ")) << lines.back();

  // The protocol file holds the same lines, in Windows-1252 with CR LF.
  std::string saved;
  for (const std::string& line : lines) {
    orthavion::AppendAnsi(saved, line);
    saved += "\r\n";
  }
  EXPECT_EQ(ReadBytes(earlier), saved);
  EXPECT_EQ(ReadBytes(start), startBytes);
}

}  // namespace
