// No call of the batch program writes over a file it reads or writes twice,
// by whatever name or link: the whole call is refused, naming the output,
// and every file stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "hardening/hardeningsupport.h"
#include "hardening/program.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TestDir;

struct OwnFileCase {
  std::string name;
  std::vector<std::string> args;
  std::string clash;                   // the output the refusal names
  std::string link, linkTarget;        // a symbolic link made first, when not empty
};

// Every file of the folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : testsupport::Entries(folder))
    files[name] = fs::is_symlink(folder / name) ? "-> " + fs::read_symlink(folder / name).string()
                                                : testsupport::ReadBytes(folder / name);
  return files;
}

void PrintTo(const OwnFileCase& c, std::ostream* os) { *os << c.name; }

class OwnFileTest : public ::testing::TestWithParam<OwnFileCase> {};

TEST_P(OwnFileTest, IsRefusedAndNothingIsWritten) {
  const OwnFileCase& c = GetParam();
  TestDir dir;
  for (const char* f : {"startsystem.txt", "zielsystem.txt"})
    fs::copy_file(hardening::kExamples / f, dir.path() / f);
  ASSERT_EQ(hardening::RunBatch({"startsystem.txt", "zielsystem.txt", "--json", "r.json"}, dir.path())
                .exitCode,
            0);
  fs::remove(dir.path() / "Trafoprotokoll.txt");
  dir.write("c.xyz", "1012.345 2034.567 101.234 255 0 0\n");
  dir.write("m.obj", "v 1012.345 2034.567 101.234\nf 1 1 1\n");
  dir.write("s.txt", "N1 0 1012.345 2034.567 101.234\n");
  if (!c.link.empty()) fs::create_symlink(c.linkTarget, dir.path() / c.link);
  const std::map<std::string, std::string> before = Snapshot(dir.path());

  const hardening::ProgramResult r = hardening::RunBatch(c.args, dir.path());
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.err, "Dateizugriff verweigert: " + c.clash + "\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Snapshot(dir.path()), before) << "no file changed, none added";
}

INSTANTIATE_TEST_SUITE_P(
    Calls, OwnFileTest,
    ::testing::Values(
        OwnFileCase{"JsonOverTheStartFile",
                    {"startsystem.txt", "zielsystem.txt", "--json", "startsystem.txt"},
                    "startsystem.txt", "", ""},
        OwnFileCase{"ReportOverTheTargetFile",
                    {"startsystem.txt", "zielsystem.txt", "--report", "zielsystem.txt"},
                    "zielsystem.txt", "", ""},
        OwnFileCase{"ProjOverTheStartFileByAnotherPath",
                    {"startsystem.txt", "zielsystem.txt", "--export-proj", "./startsystem.txt"},
                    "./startsystem.txt", "", ""},
        OwnFileCase{"PointsOverTheTargetFile",
                    {"startsystem.txt", "zielsystem.txt", "--points", "s.txt", "zielsystem.txt"},
                    "zielsystem.txt", "", ""},
        OwnFileCase{"CloudOverTheStartFile",
                    {"startsystem.txt", "zielsystem.txt", "--xyz", "c.xyz", "startsystem.txt"},
                    "startsystem.txt", "", ""},
        OwnFileCase{"ModelOverTheCloudCarriedAfterIt",
                    {"startsystem.txt", "zielsystem.txt", "--obj", "m.obj", "c.xyz", "--xyz",
                     "c.xyz", "y.xyz"},
                    "c.xyz", "", ""},
        OwnFileCase{"TwoOutputsOfOneName",
                    {"startsystem.txt", "zielsystem.txt", "--json", "out.txt", "--report", "out.txt"},
                    "out.txt", "", ""},
        OwnFileCase{"ApplyOverItsResult",
                    {"--apply", "r.json", "--points", "s.txt", "r.json"}, "r.json", "", ""},
        OwnFileCase{"ProtocolLinkedToTheStartFile",
                    {"startsystem.txt", "zielsystem.txt"}, "Trafoprotokoll.txt",
                    "Trafoprotokoll.txt", "startsystem.txt"},
        OwnFileCase{"JsonLinkedToTheTargetFile",
                    {"startsystem.txt", "zielsystem.txt", "--json", "link.json"}, "link.json",
                    "link.json", "zielsystem.txt"}),
    testsupport::CaseName());

}  // namespace
