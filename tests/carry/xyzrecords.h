#pragma once
// A small binary format for the tests of the record pipeline: a header of
// 72 bytes, then fixed-size records of three little-endian doubles X, Y, Z
// [m] and `extra` bytes kept as they are, then anything (kept as it is).
//
//   header  0  8 bytes   "XYZREC01"
//           8  uint32    extra bytes per record
//          12  uint32    kept as it is
//          16  uint64    number of records
//          24  3 doubles least X, Y, Z of the records (0 when there is none)
//          48  3 doubles greatest X, Y, Z
//
// The carried file holds the carried points, and the number of records and
// their bounds as carried, written into the header once the records are.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/fpcheck.h"
#include "carry/frame.h"
#include "carry/recordformat.h"
#include "text/fileerror.h"
#include "transformation/transformation.h"

namespace xyztest {

static_assert(std::endian::native == std::endian::little, "the records are read in place");

constexpr std::string_view kMagic = "XYZREC01";
constexpr std::size_t kHeaderBytes = 72;
constexpr std::size_t kPointBytes = 24;
constexpr std::size_t kCountAt = 16;
constexpr std::string_view kNotXyz = "Keine XYZ-Testdatei";

template <typename T>
T Load(const char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <typename T>
void Store(char* p, T value) {
  std::memcpy(p, &value, sizeof value);
}

/// A record's point carried by the transformation, the extra bytes kept.
class XyzRule final : public orthavion::RecordRule {
public:
  explicit XyzRule(const orthavion::Transformation& t) : t_(t) {}

  std::size_t Rewrite(std::string_view record, bool, orthavion::ByteBuffer& out,
                      orthavion::RecordTally& tally) const override {
    double read[3];
    for (int i = 0; i < 3; ++i) {
      read[i] = Load<double>(record.data() + 8 * i);
      // A NaN goes through the arithmetic without raising a flag.
      if (!std::isfinite(read[i])) orthavion::RaiseFpInvalid();
    }
    const orthavion::Vec3 c = t_.Apply(read[0], read[1], read[2]);
    orthavion::CheckFp();
    char* p = out.Room(kPointBytes);
    for (int i = 0; i < 3; ++i) Store(p + 8 * i, c[i]);
    out.Commit(p + kPointBytes);
    ++tally.rewritten;
    tally.bounds.Add(c);
    return kPointBytes;
  }

private:
  orthavion::Transformation t_;
};

/// The format: the header copied, its count and bounds written again at
/// the end.
class XyzFormat final : public orthavion::RecordFormat {
public:
  explicit XyzFormat(const orthavion::Transformation& t) : t_(t) {}

  orthavion::RecordLayout Begin(orthavion::BlockReader& in, orthavion::ReplacingFile& out) override {
    orthavion::ByteBuffer header;
    in.Read(header, kHeaderBytes);
    if (header.size() < kHeaderBytes || header.view().substr(0, 8) != kMagic)
      throw orthavion::Error(kNotXyz);
    if (const int err = out.Write(header.view())) orthavion::RaiseIoError(err);
    rule_.emplace(t_);
    return {.recordBytes = kPointBytes + Load<std::uint32_t>(header.data() + 8),
            .records = static_cast<std::int64_t>(Load<std::uint64_t>(header.data() + kCountAt))};
  }

  const orthavion::RecordRule& Rule() const override { return *rule_; }

  void End(const orthavion::RecordTally& total, orthavion::ReplacingFile& out) override {
    char tail[kHeaderBytes - kCountAt] = {};
    Store(tail, static_cast<std::uint64_t>(total.records));
    for (int i = 0; i < 3 && !total.bounds.Empty(); ++i) {
      Store(tail + 8 + 8 * i, total.bounds.least[i]);
      Store(tail + 32 + 8 * i, total.bounds.greatest[i]);
    }
    if (const int err = out.Overwrite(kCountAt, {tail, sizeof tail}))
      orthavion::RaiseIoError(err);
  }

private:
  orthavion::Transformation t_;
  std::optional<XyzRule> rule_;
};

/// The header's number of records (0 without a header).
inline std::int64_t CountXyzRecords(const std::string& fileName) {
  char header[kHeaderBytes];
  std::ifstream in(fileName, std::ios::binary);
  if (!in.read(header, sizeof header)) return 0;
  return static_cast<std::int64_t>(Load<std::uint64_t>(header + kCountAt));
}

/// The command of the format: carries `inFile` into `outFile` through the
/// frame and the pipeline; last status "XYZ-Datei transformiert: <n>
/// Datensätze".
inline void TransformXyz(const orthavion::Transformation& t, const std::string& inFile,
                         const std::string& outFile, const orthavion::CommandView& view,
                         const orthavion::PipelineShape& shape) {
  orthavion::CarryFile(inFile, outFile, view, CountXyzRecords, false, [&](orthavion::OpenedFiles& files) {
    XyzFormat format(t);
    const orthavion::RecordTally tally = orthavion::CarryRecords(files, format, shape);
    return "XYZ-Datei transformiert: " + std::to_string(tally.records) + " Datensätze";
  });
}

}  // namespace xyztest
