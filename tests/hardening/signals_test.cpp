// An interrupted or size-limited batch program leaves no temporary file and
// no changed output behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "hardening/hardeningsupport.h"
#include "hardening/program.h"
#include "support/testdir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::TestDir;

// A saved result of the examples and a point cloud of `lines` lines beside it.
void Prepare(const TestDir& dir, int lines) {
  for (const char* f : {"startsystem.txt", "zielsystem.txt"})
    fs::copy_file(hardening::kExamples / f, dir.path() / f);
  ASSERT_EQ(hardening::RunBatch({"startsystem.txt", "zielsystem.txt", "--json", "r.json"}, dir.path())
                .exitCode,
            0);
  std::ofstream cloud(dir.path() / "scan.xyz", std::ios::binary);
  for (int i = 0; i < lines; ++i)
    cloud << 1000 + i % 997 << ".125 " << 2000 + i % 991 << ".5 " << 100 + i % 37 << ".25 200 180 160\n";
  dir.write("out.xyz", "alt");
}

// The files of the folder other than the ones the call began with.
std::vector<std::string> Leftovers(const TestDir& dir) {
  std::vector<std::string> extra;
  for (const std::string& name : testsupport::Entries(dir.path()))
    if (name != "startsystem.txt" && name != "zielsystem.txt" && name != "r.json" &&
        name != "scan.xyz" && name != "out.xyz" && name != "Trafoprotokoll.txt")
      extra.push_back(name);
  return extra;
}

TEST(SignalTest, AFileSizeLimitIsAWriteErrorAndLeavesTheOutputAsItWas) {
  TestDir dir;
  Prepare(dir, 20000);  // about 1 MB; the limit is 32 KiB
  const hardening::ProgramResult r = hardening::RunProgram(
      {"/bin/sh", "-c", "ulimit -f 64; exec \"$0\" \"$@\"", ORTHAVION_BATCH, "--apply", "r.json",
       "--xyz", "scan.xyz", "out.xyz"},
      dir.path());
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("E/A-Fehler 27"), std::string::npos) << r.err;  // EFBIG
  EXPECT_EQ(ReadBytes(dir.path() / "out.xyz"), "alt");
  EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}

class InterruptTest : public ::testing::TestWithParam<int> {};

TEST_P(InterruptTest, RemovesTheTemporaryFileAndEndsAsTheSignalSays) {
  TestDir dir;
  Prepare(dir, 1500000);  // about 60 MB: long enough to be caught writing
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
    ::execl(ORTHAVION_BATCH, ORTHAVION_BATCH, "--apply", "r.json", "--xyz", "scan.xyz", "out.xyz",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // Wait until the temporary file of the output exists, then interrupt.
  bool caught = false;
  for (int i = 0; i < 20000 && !caught; ++i) {
    caught = !Leftovers(dir).empty();
    if (!caught) std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  ::kill(pid, GetParam());
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(caught) << "the command ended before it could be interrupted";
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), GetParam());
  EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
  EXPECT_EQ(ReadBytes(dir.path() / "out.xyz"), "alt");
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

}  // namespace
