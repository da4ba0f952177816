// One check for a whole call: no output is an input or another output, by
// whatever name or link it is given.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/casename.h"
#include "support/errortext.h"
#include "support/testdir.h"
#include "text/fileclash.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TestDir;

struct ClashCase {
  std::string name;
  std::vector<std::string> inputs, outputs;  // relative to the test folder
  std::string clash;                         // the output named, "" when none
};

class FileClashTest : public ::testing::TestWithParam<ClashCase> {};

TEST_P(FileClashTest, RefusesTheFirstOutputThatIsAlreadyTaken) {
  TestDir dir;
  dir.write("start.txt", "A 0 1 2 3\n");
  dir.write("target.txt", "A 0 4 5 6\n");
  fs::create_directory(dir.path() / "sub");
  fs::create_symlink(dir.path() / "start.txt", dir.path() / "link-to-start.txt");
  fs::create_hard_link(dir.path() / "target.txt", dir.path() / "hard-target.txt");
  fs::create_symlink(dir.path() / "sub", dir.path() / "sublink");
  const auto full = [&](const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& n : names) paths.push_back(n.empty() ? n : dir.file(n));
    return paths;
  };
  const ClashCase& c = GetParam();
  EXPECT_EQ(testsupport::ErrorText([&] { orthavion::RefuseFileClashes(full(c.inputs), full(c.outputs)); }),
            c.clash.empty() ? "" : "Dateizugriff verweigert: " + dir.file(c.clash));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FileClashTest,
    ::testing::Values(
        ClashCase{"DistinctFiles", {"start.txt", "target.txt"}, {"out.json", "out.obj"}, ""},
        ClashCase{"OutputIsAnInput", {"start.txt", "target.txt"}, {"out.json", "start.txt"},
                  "start.txt"},
        ClashCase{"ThroughAnotherPath", {"start.txt"}, {"sub/../target.txt", "sub/../start.txt"},
                  "sub/../start.txt"},
        ClashCase{"ALinkToAnInput", {"start.txt"}, {"link-to-start.txt"}, "link-to-start.txt"},
        ClashCase{"AHardLinkToAnInput", {"target.txt"}, {"hard-target.txt"}, "hard-target.txt"},
        ClashCase{"TwoOutputsOfOneNewName", {"start.txt"}, {"sub/new.txt", "sublink/new.txt"},
                  "sublink/new.txt"},
        ClashCase{"TwoOutputsOfOneExistingName", {"start.txt"}, {"target.txt", "hard-target.txt"},
                  "hard-target.txt"},
        ClashCase{"ANameThatCannotBeExaminedIsLeftToItsCommand", {"start.txt"},
                  {"", "missing/folder/x.txt"}, ""}),
    testsupport::CaseName());

}  // namespace
