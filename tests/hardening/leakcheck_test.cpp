// The batch program leaks nothing and makes no memory error, on the
// examples and on the paths that end in an error: under valgrind, or in a
// sanitizer build under the LeakSanitizer built into the program (valgrind
// cannot run a program built with AddressSanitizer). Valgrind does not
// raise the floating-point exception flags, so a run that ends in a
// floating-point error would succeed under it; the error paths here are
// those of files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "hardening/hardeningsupport.h"
#include "hardening/program.h"
#include "hardening/sanitizer.h"
#include "support/casename.h"

using testsupport::TestDir;

namespace {

constexpr int kValgrindError = 3;

struct LeakCase {
  const char* name;
  std::vector<std::string> args;
  int exitCode;  // the program's own exit code
};

void PrintTo(const LeakCase& c, std::ostream* os) { *os << c.name; }

const LeakCase kLeakCases[] = {
    {"Examples", {"startsystem.txt", "zielsystem.txt"}, 0},
    {"DecimalCommaExamples", {"startsystem-komma.txt", "zielsystem-komma.txt"}, 0},
    {"ExamplesWithModel",
     {"startsystem.txt", "zielsystem.txt", "--obj", "modell.obj", "neu.obj", "--shorten"}, 0},
    {"MissingTargetFile", {"startsystem.txt", "fehlt.txt"}, 1},
    {"ProtocolFileCannotBeCreated", {"ordner/startsystem.txt", "zielsystem.txt"}, 1},
    {"ModelCannotBeOpened",
     {"startsystem.txt", "zielsystem.txt", "--obj", "fehlt.obj", "neu.obj"}, 1},
    {"ModelCannotBeWritten",
     {"startsystem.txt", "zielsystem.txt", "--obj", "modell.obj", "fehlt/neu.obj"}, 1},
    {"UsageError", {"startsystem.txt"}, 2},
};

class LeakCheckTest : public ::testing::TestWithParam<LeakCase> {};

TEST_P(LeakCheckTest, BatchProgramLeaksNothing) {
  const LeakCase& c = GetParam();
  TestDir dir;
  for (const auto& e : std::filesystem::directory_iterator(hardening::kExamples))
    std::filesystem::copy_file(e.path(), dir.path() / e.path().filename());
  dir.write("modell.obj", "# Modell\nv 1250.004 2250.777 125.660\nvn 0 0 1\nf 1//1 1//1 1//1\n");
  // A start file whose folder holds a folder named like the protocol file.
  std::filesystem::create_directories(dir.path() / "ordner" / "Trafoprotokoll.txt");
  std::filesystem::copy_file(hardening::kExamples / "startsystem.txt",
                             dir.path() / "ordner" / "startsystem.txt");

  std::vector<std::string> argv;
  if (hardening::kAddressSanitizer) {
    // The program inherits the options; the last setting of a flag counts.
    const char* options = std::getenv("ASAN_OPTIONS");
    const std::string leaks = std::string(options ? options : "") + ":detect_leaks=1";
    ::setenv("ASAN_OPTIONS", leaks.c_str(), 1);
  } else {
    if (hardening::RunProgram({"valgrind", "--version"}, dir.path()).exitCode != 0)
      GTEST_SKIP() << "valgrind is not installed";
    argv = {"valgrind", "--quiet", "--leak-check=full",
            "--errors-for-leak-kinds=definite,indirect,possible",
            "--error-exitcode=" + std::to_string(kValgrindError)};
  }
  argv.push_back(ORTHAVION_BATCH);
  argv.insert(argv.end(), c.args.begin(), c.args.end());
  const hardening::ProgramResult r = hardening::RunProgram(argv, dir.path());
  EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
  EXPECT_EQ(r.err.find("=="), std::string::npos) << "a report of valgrind or the sanitizer:\n"
                                                 << r.err;
}

INSTANTIATE_TEST_SUITE_P(Runs, LeakCheckTest, ::testing::ValuesIn(kLeakCases),
                         testsupport::CaseName());

}  // namespace
