// Binary files picked by mistake (random bytes, NUL bytes, a JPEG) as the
// start file, the target file and the OBJ model: the run ends with the
// floating-point error of a run without control points, the model comes out
// line for line, and no file is touched but the model's output.
#include <gtest/gtest.h>

#include <random>

#include "hardening/hardeningsupport.h"
#include "carry/obj.h"
#include "points/pointfiles.h"
#include "support/casename.h"
#include "support/errortext.h"
#include "text/codepage.h"

using hardening::Entries;
using hardening::Lines;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

/// 64 KiB from a fixed seed. With `eofByte` false every 0x1A becomes 0x1B,
/// so that the whole file is read instead of the bytes before the first 0x1A.
std::string RandomBytes(bool eofByte) {
  std::mt19937 gen(6);
  std::string bytes(1 << 16, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(gen() & 0xFF);
    if (!eofByte && c == '\x1A') c = '\x1B';
  }
  return bytes;
}

struct BinaryCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const BinaryCase& c, std::ostream* os) { *os << c.name; }

const BinaryCase kBinaries[] = {
    {"RandomBytes", RandomBytes(true)},
    {"RandomBytesWithoutEofByte", RandomBytes(false)},
    {"NulBytes", std::string(4096, '\0')},
    {"Jpeg", ReadBytes(ORTHAVION_SOURCE_DIR "/ui/resources/orthavion.jpg")},
};

/// The records of `bytes` under the reading rules of text files, worked out
/// independently: nothing from the first 0x1A on, every CR dropped, a line
/// per LF, no line after a final LF, one empty record for an empty file.
std::vector<std::string> Records(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\x1A'));
  std::string text;
  for (char c : bytes)
    if (c != '\r') text += c;
  std::vector<std::string> records = hardening::SplitLines(text);
  if (records.empty()) records.emplace_back();
  return records;
}

/// The first space-separated field of a record.
std::string FirstField(std::string_view record) {
  const std::size_t begin = std::min(record.find_first_not_of(' '), record.size());
  record.remove_prefix(begin);
  return std::string(record.substr(0, record.find(' ')));
}

class BinaryInputTest : public ::testing::TestWithParam<BinaryCase> {
protected:
  void SetUp() override {
    hardening::CopyExamples(dir.path());
    binary = dir.write("binaer.dat", GetParam().bytes);
    earlier = dir.write("Trafoprotokoll.txt", "alt\r\n");
    before = Entries(dir.path());
  }

  /// Nothing but `extra` is new in the folder, and no file changed.
  void ExpectFilesUnchanged(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> expected = before;
    expected.insert(expected.end(), extra.begin(), extra.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(dir.path()), expected);
    EXPECT_EQ(ReadBytes(binary), GetParam().bytes);
    EXPECT_EQ(ReadBytes(earlier), "alt\r\n");
  }

  TestDir dir;
  std::string binary, earlier;
  std::vector<std::string> before;
  orthavion::RunState state;
};

TEST_P(BinaryInputTest, AsStartFileListsEveryRecordAndFindsNoControlPoint) {
  const std::string target = dir.file("zielsystem.txt");
  EXPECT_EQ(ErrorText([&] { orthavion::TransformationRun(state, binary, target); }),
            "Ungültige Gleitkommaoperation");
  const std::vector<std::string> records = Records(GetParam().bytes);
  const std::vector<std::string> lines = Lines(state.protocol);
  ASSERT_EQ(lines.size(), 2 + records.size() + 2);
  EXPECT_EQ(lines[0], "Startsystem: " + binary);
  EXPECT_EQ(lines[1], orthavion::kPointHeader);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string& listing = lines[2 + i];
    EXPECT_TRUE(orthavion::IsValidUtf8(listing)) << "record " << i;
    EXPECT_TRUE(listing.starts_with(orthavion::DecodeAnsi(FirstField(records[i]))))
        << "record " << i << " begins with its point number, decoded as Windows-1252";
  }
  EXPECT_EQ(lines[lines.size() - 2], "Zielsystem: " + target);
  EXPECT_EQ(lines.back(), orthavion::kPointHeader);
  ExpectFilesUnchanged();
}

TEST_P(BinaryInputTest, AsTargetFileMatchesNoStartPoint) {
  const std::string start = dir.file("startsystem.txt");
  EXPECT_EQ(ErrorText([&] { orthavion::TransformationRun(state, start, binary); }),
            "Ungültige Gleitkommaoperation");
  const std::vector<std::string> lines = Lines(state.protocol);
  ASSERT_EQ(lines.size(), 2 + 11 + 2u) << "the 11 example points, no target listing";
  EXPECT_EQ(lines[0], "Startsystem: " + start);
  EXPECT_EQ(lines[12], "2003               0     1600.000     2400.000       99.875");
  EXPECT_EQ(lines[13], "Zielsystem: " + binary);
  EXPECT_EQ(lines[14], orthavion::kPointHeader);
  ExpectFilesUnchanged();
}

TEST_P(BinaryInputTest, AsObjModelIsCopiedLineForLine) {
  const std::vector<std::string> records = Records(GetParam().bytes);
  std::string expected;
  for (const std::string& r : records) {
    ASSERT_FALSE(r.starts_with("v ")) << "a vertex line would be transformed";
    expected += r + "\r\n";
  }
  const orthavion::RunState transformation = hardening::ExampleRun();
  std::vector<std::string> statuses;
  orthavion::CommandView view;
  view.status = [&](const std::string& t) { statuses.push_back(t); };
  const std::string out = dir.file("binaer.obj");
  EXPECT_EQ(ErrorText([&] { orthavion::TransformObj(transformation.TransformationInForce(), binary, out, view); }), "");
  EXPECT_EQ(ReadBytes(out), expected);
  const auto lineFeeds = std::count(GetParam().bytes.begin(), GetParam().bytes.end(), '\n');
  EXPECT_EQ(statuses, (std::vector<std::string>{
                          "Dateigröße ermitteln",
                          std::to_string(lineFeeds) + " Datensätze, bitte warten",
                          "OBJ-Datei transformiert: 0 Eckpunkte, " +
                              std::to_string(records.size()) + " Datensätze"}));
  ExpectFilesUnchanged({"binaer.obj"});
}

INSTANTIATE_TEST_SUITE_P(Files, BinaryInputTest, ::testing::ValuesIn(kBinaries),
                         testsupport::CaseName());

// A run of NUL bytes is one point number of 4096 characters U+0000.
TEST(BinaryInputTest, NulBytesAreOnePointNumber) {
  TestDir dir;
  orthavion::RunState state;
  orthavion::LiesStartsystem(state, dir.write("nul.dat", std::string(4096, '\0')));
  ASSERT_EQ(state.protocol.Count(), 3u);
  EXPECT_EQ(state.protocol.Line(2), std::string(4096, '\0') + "     0" +
                                        "        0.000        0.000        0.000");
  ASSERT_EQ(state.P.size(), 2);
  EXPECT_EQ(state.P[1].NR, std::string(4096, '\0'));
}

}  // namespace
