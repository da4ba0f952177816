// CountLines: the line feeds of a whole file, across the 4096-byte blocks,
// and the message naming the full path of a file that cannot be opened.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.h"
#include "carry/countlines.h"
#include "support/casename.h"
#include "support/testdir.h"

namespace {

struct CountCase {
  const char* name;
  std::string bytes;
  std::int64_t lineFeeds;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }

class CountLinesTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountLinesTest, CountsEveryLineFeedByte) {
  testsupport::TestDir dir;
  EXPECT_EQ(orthavion::CountLines(dir.write("m.obj", GetParam().bytes)), GetParam().lineFeeds);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CountLinesTest,
    ::testing::Values(
        CountCase{"Empty", "", 0}, CountCase{"NoLineFeed", "v 1 2 3", 0},
        CountCase{"CrLf", "a\r\nb\r\n", 2}, CountCase{"LoneCrNotCounted", "a\rb\r", 0},
        CountCase{"PastAnEndOfFileByte", std::string("a\n\x1A\n"), 2},
        CountCase{"AcrossBlocks",
                  std::string(4095, 'x') + "\n" + std::string(4096, 'y') + "\n\n" +
                      std::string(8192, '\n'),
                  8195}),
    testsupport::CaseName());

TEST(CountLinesTest, ARelativeNameIsShownAsTheFullPath) {
  const std::string name = "no-such-folder-of-orthavion/model.obj";
  try {
    orthavion::CountLines(name);
    FAIL() << "no error";
  } catch (const orthavion::Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei " + (std::filesystem::current_path() / name).string() +
                  " kann nicht geöffnet werden. Das System kann den angegebenen Pfad nicht finden");
  }
}

}  // namespace
