#include "ui/versioninfo.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdint>
#include <string>
#include <vector>

#include "support/testdir.h"

namespace orthavion {
namespace {

/// Writes `value` as a little-endian number of `width` bytes at `offset`.
void Put(std::string& bytes, std::size_t offset, int width, std::uint64_t value) {
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// The hand-made ELF file: file header, the version record, the section name
// table, then three section headers (none, ".shstrtab", ".orthavion_version").
constexpr std::size_t kRecord = 64;
constexpr std::size_t kNames = 80;
constexpr std::size_t kTable = 112;
constexpr std::size_t kFileSize = kTable + 3 * 64;
constexpr std::size_t kNamesHeader = kTable + 64;
constexpr std::size_t kRecordHeader = kTable + 128;
const std::string kNameTable("\0.shstrtab\0.orthavion_version\0", 30);

/// A tiny 64-bit little-endian ELF file holding the version record
/// "ORTHVER1" and the four numbers.
std::string TinyElf(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                    std::uint16_t build) {
  std::string elf(kFileSize, '\0');
  elf.replace(0, 4, "\x7F" "ELF");
  elf[4] = 2;  // 64-bit
  elf[5] = 1;  // little-endian
  elf[6] = 1;  // ELF version
  Put(elf, 0x10, 2, 2);     // executable
  Put(elf, 0x12, 2, 0x3E);  // x86-64
  Put(elf, 0x14, 4, 1);
  Put(elf, 0x28, 8, kTable);
  Put(elf, 0x34, 2, 64);  // file header size
  Put(elf, 0x3A, 2, 64);  // section header size
  Put(elf, 0x3C, 2, 3);   // sections
  Put(elf, 0x3E, 2, 1);   // index of the name table

  elf.replace(kRecord, 8, "ORTHVER1");
  Put(elf, kRecord + 8, 2, major);
  Put(elf, kRecord + 10, 2, minor);
  Put(elf, kRecord + 12, 2, release);
  Put(elf, kRecord + 14, 2, build);
  elf.replace(kNames, kNameTable.size(), kNameTable);

  Put(elf, kNamesHeader, 4, 1);  // ".shstrtab"
  Put(elf, kNamesHeader + 4, 4, 3);  // string table
  Put(elf, kNamesHeader + 24, 8, kNames);
  Put(elf, kNamesHeader + 32, 8, kNameTable.size());
  Put(elf, kRecordHeader, 4, 11);  // ".orthavion_version"
  Put(elf, kRecordHeader + 4, 4, 1);  // with content
  Put(elf, kRecordHeader + 8, 8, 2);  // allocated
  Put(elf, kRecordHeader + 24, 8, kRecord);
  Put(elf, kRecordHeader + 32, 8, 16);
  return elf;
}

TEST(VersionInfoTest, ReadsTheRecordOfAnElfFile) {
  const struct {
    std::uint16_t numbers[4];
    const char* expected;
  } cases[] = {
      {{1, 0, 1, 16}, "1.0.1.16"},
      {{258, 4660, 65535, 0}, "258.4660.65535.0"},  // both bytes of each number, unsigned
  };
  testsupport::TestDir dir;
  for (const auto& c : cases) {
    const std::string file = dir.write(
        "programm", TinyElf(c.numbers[0], c.numbers[1], c.numbers[2], c.numbers[3]));
    EXPECT_EQ(GetVersionInfos(file), c.expected);
  }
}

TEST(VersionInfoTest, DamagedOrHostileElfFilesGiveNoVersion) {
  const struct {
    const char* what;
    std::size_t offset;
    int width;
    std::uint64_t value;
  } cases[] = {
      {"magic number", 0, 1, 0x7E},
      {"32-bit file", 4, 1, 1},
      {"big-endian file", 5, 1, 2},
      {"section table past the end", 0x28, 8, kFileSize - 64},
      {"section table offset that overflows", 0x28, 8, ~std::uint64_t{0} - 63},
      {"section header size too small", 0x3A, 2, 40},
      {"no sections", 0x3C, 2, 0},
      {"name table index out of range", 0x3E, 2, 3},
      {"name table without content", kNamesHeader + 4, 4, 8},
      {"name table past the end", kNamesHeader + 32, 8, kFileSize},
      {"name table offset that overflows", kNamesHeader + 24, 8, ~std::uint64_t{0} - 15},
      {"name running past the name table", kRecordHeader, 4, 29},
      {"name offset far outside", kRecordHeader, 4, 0xFFFFFFFF},
      {"name only beginning alike", kNames + 29, 1, 'x'},
      {"other section name", kNames + 12, 1, 'O'},
      {"record section without content", kRecordHeader + 4, 4, 8},
      {"record section too small", kRecordHeader + 32, 8, 15},
      {"record past the end", kRecordHeader + 24, 8, kFileSize - 8},
      {"record offset that overflows", kRecordHeader + 24, 8, ~std::uint64_t{0} - 7},
      {"signature", kRecord + 7, 1, '2'},
  };
  testsupport::TestDir dir;
  for (const auto& c : cases) {
    std::string elf = TinyElf(1, 0, 1, 16);
    Put(elf, c.offset, c.width, c.value);
    EXPECT_EQ(GetVersionInfos(dir.write("programm", elf)), "?") << c.what;
  }
}

TEST(VersionInfoTest, TruncatedElfFileGivesNoVersion) {
  // The section table comes last: every shorter file lacks part of it.
  const std::string elf = TinyElf(1, 0, 1, 16);
  testsupport::TestDir dir;
  for (std::size_t size = 0; size < elf.size(); ++size)
    EXPECT_EQ(GetVersionInfos(dir.write("programm", elf.substr(0, size))), "?") << size;
}

TEST(VersionInfoTest, FilesWithoutARecord) {
  testsupport::TestDir dir;
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"text file", dir.write("text.txt", "PNR NIV X Y Z\r\n1 0 1.0 2.0 3.0\r\n")},
      {"empty file", dir.write("leer", "")},
      {"missing file", dir.file("fehlt")},
      {"folder", dir.path().string()},
      // A program of this system built without the record.
      {"test program", QCoreApplication::applicationFilePath().toLocal8Bit().toStdString()},
  };
  for (const auto& [what, file] : cases) EXPECT_EQ(GetVersionInfos(file), "?") << what;
}

TEST(VersionInfoTest, WindowProgramCarriesTheProjectVersion) {
#ifdef ORTHAVION_GUI_PROGRAM
  const std::string expected = std::to_string(ORTHAVION_VERSION_MAJOR) + "." +
                               std::to_string(ORTHAVION_VERSION_MINOR) + "." +
                               std::to_string(ORTHAVION_VERSION_PATCH) + "." +
                               std::to_string(ORTHAVION_VERSION_TWEAK);
  EXPECT_EQ(GetVersionInfos(ORTHAVION_GUI_PROGRAM), expected);
#else
  GTEST_SKIP() << "the window program's file name is not known to this build";
#endif
}

}  // namespace
}  // namespace orthavion
