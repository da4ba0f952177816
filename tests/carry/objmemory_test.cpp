// The OBJ command's memory does not grow with the model: neither with the
// number of lines nor with the length of one line.
#include <gtest/gtest.h>

#include <iostream>

#include "hardening/bigfile.h"
#include "hardening/peakmemory.h"
#include "hardening/sanitizer.h"
#include "carry/objtestsupport.h"

using hardening::Piece;
using testsupport::TestDir;

namespace {

constexpr std::size_t kModelBytes = std::size_t{160} << 20;
constexpr std::size_t kLimit = std::size_t{32} << 20;

struct MemoryCase {
  const char* name;
  std::string unit;  // repeated to kModelBytes
};

void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }

class ObjMemoryTest : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(ObjMemoryTest, PeakStaysBelow32Megabytes) {
  const MemoryCase& c = GetParam();
  TestDir dir;
  const std::vector<Piece> pieces{{c.unit, kModelBytes / c.unit.size()}};
  const std::string in = dir.file("modell.obj");
  hardening::WritePieces(in, pieces);
  std::size_t growth = 0;
  bool valid = false;
  {
    hardening::PeakGrowth peak;
    orthavion::TransformObj(objtest::ExampleState().TransformationInForce(), in, dir.file("neu.obj"), {});
    growth = peak.bytes();
    valid = peak.valid();
  }
  std::cout << "peak memory growth: " << growth / 1e6 << " MB\n";
  // AddressSanitizer's quarantine keeps freed blocks: its peak says nothing
  // about the command's own memory.
  if (hardening::kAddressSanitizer || !valid) GTEST_SKIP() << "peak not measurable here";
  EXPECT_LT(growth, kLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ObjMemoryTest,
    // The long lines first: the heap that many blocks leave behind would
    // hide what a later case allocates.
    ::testing::Values(// CR line ends only: one vertex line with a rest of 160 MB.
                      MemoryCase{"OneVertexLine", "v 1250.004 2250.777 125.660\r"},
                      MemoryCase{"OneFaceLine", "f 1/1/1 2/2/2 3/3/3 "},
                      MemoryCase{"ManyLines", "v 1250.004 2250.777 125.660\nf 1 2 3\n"},
                      // Each line written six times as long as it is read.
                      MemoryCase{"ShortVertexLines", "v 1 2 3\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
