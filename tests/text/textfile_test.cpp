#include "text/textfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "support/errortext.h"
#include "support/testdir.h"
#include "text/fileerror.h"

namespace orthavion {
namespace {

using testsupport::ErrorText;

/// The records of a file as a reader takes them: read, then test the end.
std::vector<std::string> Records(const std::string& fileName) {
  TextFileReader reader(fileName);
  std::vector<std::string> records;
  std::string line;
  do {
    reader.ReadLine(line);
    records.push_back(line);
  } while (!reader.AtEnd());
  return records;
}

struct RecordsRow {
  std::string name;
  std::string bytes;
  std::vector<std::string> records;
};

const std::string kLong(200'001, 'x');
const std::string kBlock(65'535, 'b');  // with CR LF behind it, CR and LF straddle 64 KiB

const RecordsRow kRecordsRows[] = {
    {"LF", "A\nB", {"A", "B"}},
    {"CR LF", "A\r\nB\r\n", {"A", "B"}},
    {"mixed line ends", "A\r\nB\nC", {"A", "B", "C"}},
    {"lone CR dropped", "A\rB\nC\r", {"AB", "C"}},
    {"CR in the middle", "P1 0\r 1 2 3\r\n", {"P1 0 1 2 3"}},
    {"CRs before LF", "A\r\r\n", {"A"}},
    {"0x1A ends the file", "A\nB\x1A" "C\nD\n", {"A", "B"}},
    {"0x1A at the start", "\x1A" "A\nB\n", {""}},
    {"0x1A after a line break", "A\n\x1A" "B\n", {"A"}},  // as if the file ended "A\n"
    {"empty file", "", {""}},
    {"only a line break", "\n", {""}},
    {"final line break", "A\nB\n", {"A", "B"}},
    {"two final line breaks", "A\nB\n\n", {"A", "B", ""}},
    {"empty lines inside", "A\n\n\nB", {"A", "", "", "B"}},
    {"bytes kept as read", "\xDF\x80\xA0\t\x01\n", {"\xDF\x80\xA0\t\x01"}},
    {"line longer than 200,000 bytes", kLong + "\r\n" + kLong + "y", {kLong, kLong + "y"}},
    {"CR LF across a block border", kBlock + "\r\nz", {kBlock, "z"}},
    {"0x1A in a later block", kLong + "\n" + "z\x1A" "ignored", {kLong, "z"}},
};

TEST(TextFileTest, SplitsTheFileIntoRecords) {
  testsupport::TestDir dir;
  for (const RecordsRow& row : kRecordsRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Records(dir.write("f.txt", row.bytes)), row.records);
  }
}

TEST(TextFileTest, ReadLineAtTheEndGivesAnEmptyLine) {
  testsupport::TestDir dir;
  TextFileReader reader(dir.write("f.txt", "A\n"));
  std::string line = "old";
  reader.ReadLine(line);
  EXPECT_EQ(line, "A");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(reader.AtEnd());
  reader.ReadLine(line);
  EXPECT_EQ(line, "");
}

TEST(TextFileTest, OpenErrorsCarryTheTextOfTheirCause) {
  testsupport::TestDir dir;
  const std::string plain = dir.write("plain.txt", "A\n");
  std::filesystem::create_directory(dir.file("folder"));
  std::string deepPath = dir.path().string();
  while (deepPath.size() < 5000) deepPath += "/abcdefgh";
  struct Row {
    std::string name;
    std::string fileName;
    std::string text;
  };
  const Row rows[] = {
      {"missing file", dir.file("missing.txt"), "Datei nicht gefunden"},
      {"missing folder", dir.file("nowhere/points.txt"), "Ungültiger Dateiname"},
      {"a file used as folder", plain + "/points.txt", "Ungültiger Dateiname"},
      {"a folder as the file", dir.file("folder"), "Dateizugriff verweigert"},
      // An empty name is not tested before the open; it is an invalid name.
      {"empty name", "", "Ungültiger Dateiname"},
      {"name of 5000 characters", dir.file(std::string(5000, 'n')), "Ungültiger Dateiname"},
      {"path of 5000 characters in short folders", deepPath, "Ungültiger Dateiname"},
      {"component longer than the platform allows", dir.file(std::string(256, 'n')),
       "Ungültiger Dateiname"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ErrorText([&] { TextFileReader reader(row.fileName); }), row.text);
  }
}

TEST(TextFileTest, FileWithoutReadPermissionIsDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can read any file";
  testsupport::TestDir dir;
  const std::string name = dir.write("secret.txt", "A\n");
  std::filesystem::permissions(name, std::filesystem::perms::none);
  EXPECT_EQ(ErrorText([&] { TextFileReader reader(name); }), "Dateizugriff verweigert");
}

TEST(TextFileTest, TooManyOpenFiles) {
  testsupport::TestDir dir;
  const std::string name = dir.write("f.txt", "A\n");
  // Lower the limit of open files to the lowest free descriptor, so the next
  // open fails; restore it whatever happens.
  struct LimitKept {
    rlimit saved{};
    LimitKept() { ::getrlimit(RLIMIT_NOFILE, &saved); }
    ~LimitKept() { ::setrlimit(RLIMIT_NOFILE, &saved); }
  } kept;
  const int lowest = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lowest, 0);
  ::close(lowest);
  rlimit low = kept.saved;
  low.rlim_cur = static_cast<rlim_t>(lowest);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
  // Only catch while the limit is low: the sanitizers need descriptors of
  // their own to check the error object's type.
  std::exception_ptr error;
  try {
    TextFileReader reader(name);
  } catch (...) {
    error = std::current_exception();
  }
  ::setrlimit(RLIMIT_NOFILE, &kept.saved);
  EXPECT_EQ(ErrorText([&] { if (error) std::rethrow_exception(error); }),
            "Zu viele geöffnete Dateien");
}

// Reading the start of the process's own memory fails with EIO: a read error
// after a successful open.
TEST(TextFileTest, ReadErrorEndsTheReadWithItsNumber) {
  const std::string name = "/proc/self/mem";
  if (::access(name.c_str(), R_OK) != 0) GTEST_SKIP() << name << " is not readable";
  TextFileReader reader(name);
  std::string line;
  EXPECT_EQ(ErrorText([&] { reader.ReadLine(line); }), "E/A-Fehler " + std::to_string(EIO));
}

TEST(TextFileTest, IoErrorTextsByErrorNumber) {
  struct Row {
    int err;
    std::string text;
  };
  const Row rows[] = {
      {ENOENT, "Datei nicht gefunden"},
      {ENOTDIR, "Ungültiger Dateiname"},
      {ENAMETOOLONG, "Ungültiger Dateiname"},
      {EMFILE, "Zu viele geöffnete Dateien"},
      {ENFILE, "Zu viele geöffnete Dateien"},
      {EACCES, "Dateizugriff verweigert"},
      {EISDIR, "Dateizugriff verweigert"},
      {EIO, "E/A-Fehler " + std::to_string(EIO)},
      {ENOSPC, "E/A-Fehler " + std::to_string(ENOSPC)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.err);
    EXPECT_EQ(IoErrorText(row.err), row.text);
    EXPECT_EQ(ErrorText([&] { RaiseIoError(row.err); }), row.text);
  }
}

}  // namespace
}  // namespace orthavion
