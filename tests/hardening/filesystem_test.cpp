// File-system faults under the protocol file and the OBJ output: a
// read-only folder and a file system that fills up part-way, each in a
// private mount namespace; and the batch program ending on such faults. In
// every case the error text, no partial or temporary file, the earlier
// protocol or model unchanged and the inputs unchanged.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>

#include "hardening/hardeningsupport.h"
#include "hardening/privatemounts.h"
#include "hardening/program.h"
#include "carry/obj.h"
#include "support/casename.h"
#include "support/errortext.h"
#include "text/codepage.h"

using hardening::Entries;
using hardening::Findings;
using hardening::Lines;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

/// The names in `folder` joined by blanks, as one finding.
std::string Listing(const fs::path& folder) {
  std::string text;
  for (const std::string& name : Entries(folder)) text += (text.empty() ? "" : " ") + name;
  return text;
}

/// The golden protocol of the examples, as lines (UTF-8).
std::vector<std::string> GoldenLines() {
  std::string text =
      orthavion::DecodeAnsi(ReadBytes(ORTHAVION_TEST_DATA "/golden/example-protocol.txt"));
  std::erase(text, '\r');
  return hardening::SplitLines(text);
}

// The start file's folder is mounted read-only: the run computes the whole
// protocol, cannot create its file, and the model cannot be written there.
TEST(ReadOnlyFolderTest, TheProtocolAndTheModelCannotBeWritten) {
  TestDir dir;
  const fs::path folder = dir.path() / "nurlesen";
  fs::create_directory(folder);
  hardening::CopyExamples(folder);
  const std::string model = "v 1250 2250 120\n";
  std::ofstream(folder / "modell.obj") << model;
  std::ofstream(folder / "Trafoprotokoll.txt") << "alt\r\n";
  std::ofstream(folder / "neu.obj") << "alt\r\n";
  const auto before = Entries(folder);

  const std::optional<Findings> found = hardening::WithPrivateMounts([&] {
    hardening::MountReadOnly(folder);
    orthavion::RunState state;
    const std::string runError = ErrorText([&] {
      orthavion::TransformationRun(state, (folder / "startsystem.txt").string(),
                                   (folder / "zielsystem.txt").string());
    });
    // The run failed only in saving: its transformation is complete.
    const std::string objError = ErrorText([&] {
      orthavion::TransformObj(state.TransformationInForce(), (folder / "modell.obj").string(),
                              (folder / "neu.obj").string(), {});
    });
    Findings f{runError, objError, std::to_string(state.transformation.has_value())};
    for (std::size_t i = 0; i < state.protocol.Count(); ++i) f.emplace_back(state.protocol.Line(i));
    return f;
  });
  if (!found) GTEST_SKIP() << "no read-only mount in a private mount namespace here";
  ASSERT_GE(found->size(), 3u) << (*found)[0];
  EXPECT_EQ((*found)[0], "Datei \"" + (folder / "Trafoprotokoll.txt").string() +
                             "\" kann nicht erstellt werden. Das Medium ist schreibgeschützt");
  EXPECT_EQ((*found)[1], "Dateizugriff verweigert");
  EXPECT_EQ((*found)[2], "1");

  // The protocol is complete: the golden lines, but for the titles' names.
  const std::vector<std::string> protocol(found->begin() + 3, found->end());
  std::vector<std::string> golden = GoldenLines();
  ASSERT_EQ(protocol.size(), golden.size());
  golden[0] = "Startsystem: " + (folder / "startsystem.txt").string();
  golden[13] = "Zielsystem: " + (folder / "zielsystem.txt").string();
  EXPECT_EQ(protocol, golden);

  EXPECT_EQ(Entries(folder), before);
  EXPECT_EQ(ReadBytes(folder / "Trafoprotokoll.txt"), "alt\r\n");
  EXPECT_EQ(ReadBytes(folder / "neu.obj"), "alt\r\n");
  EXPECT_EQ(ReadBytes(folder / "modell.obj"), model);
  EXPECT_EQ(ReadBytes(folder / "startsystem.txt"),
            ReadBytes(hardening::kExamples / "startsystem.txt"));
}

constexpr std::size_t kSmallFileSystem = 64 << 10;

/// Fills the file system of `folder` but for `pagesLeft` pages: a filler
/// file is written until the device is full, then cut back. False when that
/// fails.
bool FillLeaving(const fs::path& folder, int pagesLeft) {
  const std::string filler = (folder / "fuellung").string();
  const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const std::string page(4096, 'f');
  off_t size = 0;
  ssize_t n;
  while ((n = ::write(fd, page.data(), page.size())) > 0) size += n;
  const bool full = n < 0 && errno == ENOSPC;
  const bool cut = ::ftruncate(fd, size - pagesLeft * 4096) == 0;
  return ::close(fd) == 0 && full && cut && size > pagesLeft * 4096;
}

// The model is many times the size of a 64 KiB tmpfs that holds an earlier
// output: the writes fail part-way; the earlier output stays and the
// temporary file is removed.
TEST(FullDeviceTest, TheModelFailsPartWayAndTheEarlierOneStays) {
  TestDir dir;
  std::string model;
  for (int i = 0; i < 50000; ++i) model += "v 1250.004 2250.777 125.660\nf 1 2 3\n";
  const std::string in = dir.write("modell.obj", model);
  const fs::path small = dir.path() / "klein";
  fs::create_directory(small);
  const orthavion::RunState state = hardening::ExampleRun();

  const std::optional<Findings> found = hardening::WithPrivateMounts([&] {
    hardening::MountSmallTmpfs(small, kSmallFileSystem);
    std::ofstream(small / "neu.obj") << "alt\r\n";
    std::vector<std::string> statuses;
    orthavion::CommandView view;
    view.status = [&](const std::string& t) { statuses.push_back(t); };
    const std::string error = ErrorText(
        [&] { orthavion::TransformObj(state.TransformationInForce(), in, (small / "neu.obj").string(), view); });
    return Findings{error, statuses.back(), Listing(small), ReadBytes(small / "neu.obj")};
  });
  if (!found) GTEST_SKIP() << "no tmpfs in a private mount namespace here";
  EXPECT_EQ(*found, (Findings{"E/A-Fehler 28", "100000 Datensätze, bitte warten", "neu.obj",
                              "alt\r\n"}));
  EXPECT_EQ(ReadBytes(in), model);
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"klein", "modell.obj"}));
}

// The protocol of 300 points does not fit the two pages left on the
// device: writing it fails part-way; the earlier protocol stays.
TEST(FullDeviceTest, TheProtocolFailsPartWayAndTheEarlierOneStays) {
  TestDir dir;
  std::string start(hardening::kFourStart);
  for (int i = 1; i <= 300; ++i) start += "N" + std::to_string(i) + " 0 5 5 5\n";
  const std::string target = dir.write("ziel.txt", hardening::kFourTarget);
  const fs::path small = dir.path() / "klein";
  fs::create_directory(small);

  const std::optional<Findings> found = hardening::WithPrivateMounts([&] {
    hardening::MountSmallTmpfs(small, kSmallFileSystem);
    std::ofstream(small / "start.txt") << start;
    std::ofstream(small / "Trafoprotokoll.txt") << "alt\r\n";
    const bool filled = FillLeaving(small, 2);
    orthavion::RunState state;
    const std::string error = ErrorText(
        [&] { orthavion::TransformationRun(state, (small / "start.txt").string(), target); });
    return Findings{std::to_string(filled),
                    error,
                    std::to_string(state.protocol.Count()),
                    std::string(state.protocol.Line(state.protocol.Count() - 1)),
                    Listing(small),
                    ReadBytes(small / "Trafoprotokoll.txt"),
                    std::to_string(ReadBytes(small / "start.txt") == start)};
  });
  if (!found) GTEST_SKIP() << "no tmpfs in a private mount namespace here";
  // 2 + 304 start lines, 2 + 4 target lines, 31 estimation lines, 4 control
  // points, 2 titles and 300 new points: the protocol on screen is complete.
  const std::string lastLine =
      "N300" + std::string(19, ' ') + "15.000" + std::string(9, ' ') + "15.000" +
      std::string(9, ' ') + "15.000";
  EXPECT_EQ(*found, (Findings{"1", "Stream konnte nicht gespeichert werden", "649", lastLine,
                              "Trafoprotokoll.txt fuellung start.txt", "alt\r\n", "1"}));
  EXPECT_EQ(ReadBytes(target), hardening::kFourTarget);
}

// The batch program on file-system faults: exit code 1, the error text as
// the last line of standard error, the run's protocol file where the run
// itself succeeded, and the inputs and earlier files unchanged.
struct BatchFaultCase {
  const char* name;
  std::vector<std::string> args;
  const char* error;
  bool protocolWritten;
};

void PrintTo(const BatchFaultCase& c, std::ostream* os) { *os << c.name; }

class BatchFaultTest : public ::testing::TestWithParam<BatchFaultCase> {};

TEST_P(BatchFaultTest, EndsWithTheErrorAndLosesNothing) {
  const BatchFaultCase& c = GetParam();
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TestDir dir;
  hardening::CopyExamples(dir.path());
  const std::string model = "v 1250 2250 120\n";
  dir.write("modell.obj", model);
  dir.write("alt.obj", "alt\r\n");
  fs::create_directory(dir.path() / "ordner");
  std::vector<std::string> before = Entries(dir.path());

  const hardening::ProgramResult r = hardening::RunBatch(c.args, dir.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.ends_with(std::string("\n") + c.error + "\n") ||
              r.err == std::string(c.error) + "\n")
      << r.err;
  if (c.protocolWritten) {
    before.push_back("Trafoprotokoll.txt");
    std::sort(before.begin(), before.end());
    EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")),
              ReadBytes(ORTHAVION_TEST_DATA "/golden/example-protocol.txt"));
  }
  EXPECT_EQ(Entries(dir.path()), before);
  EXPECT_TRUE(fs::is_empty(dir.path() / "ordner"));
  EXPECT_EQ(ReadBytes(dir.file("modell.obj")), model);
  EXPECT_EQ(ReadBytes(dir.file("alt.obj")), "alt\r\n");
  EXPECT_EQ(ReadBytes(dir.file("startsystem.txt")),
            ReadBytes(hardening::kExamples / "startsystem.txt"));
}

const std::vector<std::string> kRun = {"startsystem.txt", "zielsystem.txt"};

std::vector<std::string> WithObj(const char* out) {
  std::vector<std::string> args = kRun;
  args.insert(args.end(), {"--obj", "modell.obj", out});
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BatchFaultTest,
    ::testing::Values(
        BatchFaultCase{"ObjFolderMissing", WithObj("fehlt/neu.obj"), "Ungültiger Dateiname", true},
        BatchFaultCase{"ObjOnAFullDevice", WithObj("/dev/full"), "E/A-Fehler 28", true},
        BatchFaultCase{"ObjOutputIsAFolder", WithObj("ordner"), "Dateizugriff verweigert", true},
        BatchFaultCase{"StartIsAFolder", {"ordner", "zielsystem.txt"}, "Dateizugriff verweigert",
                       false}),
    testsupport::CaseName());

}  // namespace
