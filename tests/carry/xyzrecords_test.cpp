// Fixed-size binary records through the record pipeline: the test format of
// xyzrecords.h (a header whose count and bounds are written again once the
// records are, records of three doubles and bytes kept as they are, then
// what follows the records) carried in blocks of every size on several
// workers, against the file computed here record by record.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <random>
#include <thread>

#include "base/decimalseparator.h"
#include "base/texts.h"
#include "carry/objtestsupport.h"
#include "carry/xyzrecords.h"
#include "support/casename.h"
#include "support/errortext.h"

using objtest::Shown;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

using Progress = std::vector<std::pair<std::int64_t, std::int64_t>>;

/// A turned, scaled transformation into a national grid.
orthavion::Transformation Turned() {
  orthavion::Transformation t;
  const double a = 0.61, b = 0.002;
  t.startCentroid = {1250.0, 2250.0, 120.0};
  t.R[0] = {std::cos(a), -std::sin(a), 0.0};
  t.R[1] = {std::sin(a) * std::cos(b), std::cos(a) * std::cos(b), -std::sin(b)};
  t.R[2] = {std::sin(a) * std::sin(b), std::cos(a) * std::sin(b), std::cos(b)};
  t.scale = 1.0000123;
  t.rowScale = {t.scale, t.scale, t.scale};
  t.targetCentroid = {4512345.678, 5623456.789, 312.3};
  return t;
}

struct Point {
  double x, y, z;
};

/// A file of the format: the header's count, the records that are there
/// (each with `extra` bytes), and the bytes after them.
struct Input {
  std::uint32_t extra = 0;
  std::uint64_t count = 0;
  std::vector<Point> points;
  std::string tail;
  std::size_t RecordBytes() const { return 24 + extra; }
};

/// `n` bytes of `value`, least significant first.
std::string LittleEndian(std::uint64_t value, int n = 8) {
  std::string bytes;
  for (int i = 0; i < n; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Double(double value) { return LittleEndian(std::bit_cast<std::uint64_t>(value)); }

std::string Header(const Input& in, std::uint64_t count, const std::string& bounds) {
  return std::string(xyztest::kMagic) + LittleEndian(in.extra, 4) + "kept" + LittleEndian(count) + bounds;
}

/// The extra bytes of record `i`: every byte that the text rules would
/// act on (LF, CR, 0x1A), and more.
std::string Extra(const Input& in, std::size_t i) {
  std::string bytes;
  for (std::uint32_t k = 0; k < in.extra; ++k) bytes += "\n\r\x1A\0ab"[(i + k) % 6];
  return bytes;
}

std::string Record(const Input& in, std::size_t i, const Point& p) {
  return Double(p.x) + Double(p.y) + Double(p.z) + Extra(in, i);
}

/// The bytes of the file; its header's bounds are left as a program that
/// does not know them would leave them.
std::string Bytes(const Input& in) {
  std::string bytes = Header(in, in.count, std::string(48, '\x7F'));
  for (std::size_t i = 0; i < in.points.size(); ++i) bytes += Record(in, i, in.points[i]);
  return bytes + in.tail;
}

/// The point carried as the transformation defines it, row by row.
Point Carried(const orthavion::Transformation& t, const Point& p) {
  const double d[3] = {p.x - t.startCentroid[0], p.y - t.startCentroid[1], p.z - t.startCentroid[2]};
  double c[3];
  for (int i = 0; i < 3; ++i)
    c[i] = (t.R[i][0] * d[0] + t.R[i][1] * d[1] + t.R[i][2] * d[2]) * t.rowScale[i] + t.targetCentroid[i];
  return {c[0], c[1], c[2]};
}

/// How many records are carried: those the count names and the file holds.
std::size_t CarriedRecords(const Input& in) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(in.count, in.points.size()));
}

/// The carried file, computed here one record after the other.
std::string Expected(const orthavion::Transformation& t, const Input& in) {
  const std::size_t n = CarriedRecords(in);
  std::string records, rest;
  Point least{}, greatest{};
  for (std::size_t i = 0; i < in.points.size(); ++i) {
    if (i >= n) {
      rest += Record(in, i, in.points[i]);
      continue;
    }
    const Point c = Carried(t, in.points[i]);
    if (i == 0) least = greatest = c;
    least = {std::min(least.x, c.x), std::min(least.y, c.y), std::min(least.z, c.z)};
    greatest = {std::max(greatest.x, c.x), std::max(greatest.y, c.y), std::max(greatest.z, c.z)};
    records += Record(in, i, c);
  }
  const std::string bounds = Double(least.x) + Double(least.y) + Double(least.z) + Double(greatest.x) +
                             Double(greatest.y) + Double(greatest.z);
  return Header(in, n, bounds) + records + rest + in.tail;
}

/// The progress a command shows with `maximum` records counted when it has
/// read `reached`: (0, maximum) first, then every 1/256 of the maximum.
Progress Reports(std::int64_t maximum, std::int64_t reached) {
  Progress reports{{0, maximum}};
  const std::int64_t step = std::max<std::int64_t>(1, (maximum + 255) / 256);
  for (std::int64_t p = step; p <= std::min(reached, maximum); p += step) reports.emplace_back(p, maximum);
  return reports;
}

/// Every shape of the work: blocks smaller than a record (one record each),
/// around one record, a few records and a few hundred, and the program's.
std::vector<orthavion::PipelineShape> Shapes(std::size_t recordBytes) {
  return {{.blockBytes = 1, .workers = 1},
          {.blockBytes = 1, .workers = 3},
          {.blockBytes = recordBytes - 1, .workers = 2},
          {.blockBytes = recordBytes, .workers = 1},
          {.blockBytes = recordBytes + 1, .workers = 3},
          {.blockBytes = 3 * recordBytes + 5, .workers = 2},
          {.blockBytes = 4096, .workers = 8},
          orthavion::PipelineShape()};
}

/// Everything the command leaves that the user can see.
struct Outcome {
  std::string error, output;
  Shown shown;
  char separator;
  std::vector<std::string> entries;
};

/// Carries `bytes` over an earlier output "alt", with the decimal separator
/// ',' before.
Outcome Carry(const std::string& bytes, const orthavion::PipelineShape& shape) {
  TestDir dir;
  const std::string in = dir.write("punkte.xyz", bytes), out = dir.write("ziel.xyz", "alt");
  Outcome o;
  orthavion::SetDecimalSeparator(',');
  o.error = testsupport::ErrorText(
      [&] { xyztest::TransformXyz(Turned(), in, out, objtest::RecordingView(o.shown, true), shape); });
  o.separator = orthavion::DecimalSeparator();
  orthavion::SetDecimalSeparator('.');
  o.output = ReadBytes(out);
  o.entries = testsupport::Entries(dir.path());
  return o;
}

std::string Trace(const orthavion::PipelineShape& shape) {
  return "blocks of " + std::to_string(shape.blockBytes) + " bytes, " + std::to_string(shape.workers) +
         " workers";
}

std::vector<Point> RandomPoints(std::size_t n, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> u(-1e5, 1e5);
  std::vector<Point> points;
  for (std::size_t i = 0; i < n; ++i) points.push_back({1250.0 + u(random), 2250.0 + u(random), u(random) / 100});
  // Values at the edges of the doubles, in the middle of the file.
  if (n > 10) {
    points[n / 2] = {-0.0, 5e-324, 1e300};
    points[n / 3] = {-1e300, -5e-324, 0.0};
  }
  return points;
}

struct CarryCase {
  const char* name;
  Input input;
};

void PrintTo(const CarryCase& c, std::ostream* os) { *os << c.name; }

Input MakeInput(std::uint32_t extra, std::uint64_t count, std::size_t points, std::string tail = "") {
  Input in;
  in.extra = extra;
  in.count = count;
  in.points = RandomPoints(points, static_cast<unsigned>(points + extra));
  in.tail = std::move(tail);
  return in;
}

class XyzCarryTest : public ::testing::TestWithParam<CarryCase> {};

// Every shape writes the file computed record by record, shows the counted
// records, progress to the end and the final count, and leaves the decimal
// separator alone.
TEST_P(XyzCarryTest, EveryShapeWritesTheRecordsAndTheHeaderAfterThem) {
  const Input& in = GetParam().input;
  const std::string bytes = Bytes(in), want = Expected(Turned(), in);
  const auto counted = static_cast<std::int64_t>(in.count);
  const auto carried = static_cast<std::int64_t>(CarriedRecords(in));
  const std::vector<std::string> statuses{
      std::string(orthavion::texts::kStatusFileSize), orthavion::texts::RecordsPleaseWaitText(counted),
      "XYZ-Datei transformiert: " + std::to_string(carried) + " Datensätze"};
  for (const orthavion::PipelineShape& shape : Shapes(in.RecordBytes())) {
    SCOPED_TRACE(Trace(shape));
    const Outcome o = Carry(bytes, shape);
    ASSERT_EQ(o.error, "");
    EXPECT_TRUE(o.output == want) << "the carried file differs";
    EXPECT_EQ(o.shown.statuses, statuses);
    EXPECT_EQ(o.shown.progress, Reports(counted, carried));
    EXPECT_EQ(o.separator, ',');
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, XyzCarryTest,
    ::testing::Values(CarryCase{"NoRecord", MakeInput(0, 0, 0)},
                      CarryCase{"OneRecord", MakeInput(3, 1, 1)},
                      CarryCase{"NoExtraBytes", MakeInput(0, 2000, 2000)},
                      CarryCase{"ExtraBytesLikeLineEnds", MakeInput(6, 2000, 2000)},
                      CarryCase{"BytesAfterTheRecords", MakeInput(5, 1500, 1500, "\x1A\nEnde\r\n" + std::string(100, 'x'))},
                      CarryCase{"FileEndsInARecord", MakeInput(2, 1000, 700, std::string(17, '\n'))},
                      CarryCase{"MoreRecordsThanCounted", MakeInput(1, 500, 800, "Rest")},
                      // More than the first block and a whole block of the program's.
                      CarryCase{"ManyRecords", MakeInput(8, 50000, 50000)}),
    testsupport::CaseName());

struct FailureCase {
  const char* name;
  std::vector<std::pair<std::size_t, Point>> bad;  // record index and point
  const char* error;
  std::size_t failing;  // the record (from 0) whose error ends the command
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Turned by 0.61 and scaled, X = Y = 1.7e308 gives a Y beyond the doubles.
constexpr Point kOverflowing{1.7e308, 1.7e308, 0.0};

class XyzFailureTest : public ::testing::TestWithParam<FailureCase> {};

// The first error in file order ends the command in every shape: its text,
// the progress up to the failing record, the earlier output kept and no
// temporary file left.
TEST_P(XyzFailureTest, TheFirstErrorInFileOrderEndsTheCommand) {
  Input in = MakeInput(4, 3000, 3000);
  for (const auto& [i, p] : GetParam().bad) in.points[i] = p;
  const auto counted = static_cast<std::int64_t>(in.count);
  for (const orthavion::PipelineShape& shape : Shapes(in.RecordBytes())) {
    SCOPED_TRACE(Trace(shape));
    const Outcome o = Carry(Bytes(in), shape);
    EXPECT_EQ(o.error, GetParam().error);
    EXPECT_EQ(o.output, "alt");
    EXPECT_EQ(o.entries, (std::vector<std::string>{"punkte.xyz", "ziel.xyz"}));
    EXPECT_EQ(o.shown.statuses.size(), 2u);
    EXPECT_EQ(o.shown.progress, Reports(counted, static_cast<std::int64_t>(GetParam().failing) + 1));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, XyzFailureTest,
    ::testing::Values(
        FailureCase{"NotANumberInTheMiddle", {{1700, {1.0, kNaN, 2.0}}}, "Ungültige Gleitkommaoperation", 1700},
        FailureCase{"InfinityFirst", {{0, {kInfinity, 1.0, 2.0}}}, "Ungültige Gleitkommaoperation", 0},
        FailureCase{"OverflowLast", {{2999, kOverflowing}}, "Gleitkommaüberlauf", 2999},
        FailureCase{"OverflowBeforeNotANumber", {{901, kOverflowing}, {2500, {kNaN, 0, 0}}}, "Gleitkommaüberlauf", 901},
        FailureCase{"NotANumberBeforeOverflow", {{902, {0, 0, -kNaN}}, {903, kOverflowing}}, "Ungültige Gleitkommaoperation", 902}),
    testsupport::CaseName());

TEST(XyzHeaderTest, AFileWithoutTheHeaderIsRefusedAndNothingWritten) {
  for (const std::string& bytes : {std::string(), std::string("XYZREC01"), std::string(71, 'x'),
                                   "XYZREC02" + std::string(100, '\0')}) {
    SCOPED_TRACE(bytes.size());
    const Outcome o = Carry(bytes, orthavion::PipelineShape());
    EXPECT_EQ(o.error, xyztest::kNotXyz);
    EXPECT_EQ(o.output, "alt");
    EXPECT_EQ(o.entries, (std::vector<std::string>{"punkte.xyz", "ziel.xyz"}));
  }
}

// A device is written directly, its header written again in place; a pipe
// cannot be, and the command ends with the error of the header's writing.
TEST(XyzHeaderTest, TheHeaderIsWrittenAgainOnADeviceButNotIntoAPipe) {
  TestDir dir;
  const std::string in = dir.write("punkte.xyz", Bytes(MakeInput(0, 100, 100)));
  EXPECT_EQ(testsupport::ErrorText([&] { xyztest::TransformXyz(Turned(), in, "/dev/null", {}, {}); }), "");

  const std::string fifo = dir.file("rohr");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = ReadBytes(fifo); });
  const std::string error =
      testsupport::ErrorText([&] { xyztest::TransformXyz(Turned(), in, fifo, {}, {}); });
  // Should the command not have opened the pipe, the reader still waits for a writer.
  if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
  reader.join();
  EXPECT_EQ(error, orthavion::IoErrorText(ESPIPE));
  // The records went through before the header was to be written again.
  EXPECT_EQ(piped.size(), Bytes(MakeInput(0, 100, 100)).size());
}

}  // namespace
