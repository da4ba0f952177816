#include "ui/versioninfo.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "ui/versionrecord.h"

namespace orthavion {

namespace {

// The fields of the 64-bit ELF file header and section header used here.
constexpr std::size_t kFileHeaderSize = 64;
constexpr std::size_t kSectionHeaderSize = 64;
constexpr unsigned char kElfMagic[] = {0x7F, 'E', 'L', 'F'};
constexpr unsigned char kClass64 = 2;
constexpr unsigned char kLittleEndian = 1;
constexpr std::uint32_t kNoBits = 8;  // a section without content in the file

/// The little-endian unsigned number of `bytes` bytes at `p`.
std::uint64_t Le(const unsigned char* p, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

/// Whether `count` bytes from `offset` lie within a file of `size` bytes,
/// computed without overflow.
bool Within(std::uint64_t offset, std::uint64_t count, std::uint64_t size) {
  return offset <= size && count <= size - offset;
}

/// A file read at given offsets, never beyond its end.
class BoundedFile {
public:
  explicit BoundedFile(const std::string& name) : in_(name, std::ios::binary) {
    if (!in_.seekg(0, std::ios::end)) return;
    const std::streamoff end = in_.tellg();
    if (end > 0) size_ = static_cast<std::uint64_t>(end);
  }

  std::uint64_t Size() const { return size_; }

  /// Reads `count` bytes at `offset` into `out`; false when they do not all
  /// lie within the file or cannot be read.
  bool Read(std::uint64_t offset, std::size_t count, unsigned char* out) {
    if (!Within(offset, count, size_)) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return in_.gcount() == static_cast<std::streamsize>(count);
  }

private:
  std::ifstream in_;
  std::uint64_t size_ = 0;
};

struct Section {
  std::uint32_t name;  // offset of the name in the section name table
  std::uint32_t type;
  std::uint64_t offset;
  std::uint64_t size;
};

}  // namespace

std::string GetVersionInfos(const std::string& filename) {
  const std::string unknown = "?";
  BoundedFile file(filename);
  unsigned char header[kFileHeaderSize];
  if (!file.Read(0, sizeof header, header)) return unknown;
  if (std::memcmp(header, kElfMagic, sizeof kElfMagic) != 0 || header[4] != kClass64 ||
      header[5] != kLittleEndian)
    return unknown;
  const std::uint64_t tableOffset = Le(header + 0x28, 8);
  const std::uint64_t entrySize = Le(header + 0x3A, 2);
  const std::uint64_t count = Le(header + 0x3C, 2);
  const std::uint64_t namesIndex = Le(header + 0x3E, 2);
  // Both factors are 16-bit numbers: the product cannot overflow. With the
  // whole table inside the file, no entry's offset below can overflow.
  if (entrySize < kSectionHeaderSize || namesIndex >= count ||
      !Within(tableOffset, count * entrySize, file.Size()))
    return unknown;

  auto section = [&](std::uint64_t index, Section& s) {
    unsigned char b[kSectionHeaderSize];
    if (!file.Read(tableOffset + index * entrySize, sizeof b, b)) return false;
    s = {static_cast<std::uint32_t>(Le(b, 4)), static_cast<std::uint32_t>(Le(b + 4, 4)),
         Le(b + 24, 8), Le(b + 32, 8)};
    return true;
  };
  Section names;
  if (!section(namesIndex, names) || names.type == kNoBits ||
      !Within(names.offset, names.size, file.Size()))
    return unknown;

  // The wanted name with its terminating zero byte.
  constexpr std::size_t wantedSize = kVersionSection.size() + 1;
  for (std::uint64_t i = 0; i < count; ++i) {
    Section s;
    if (!section(i, s)) return unknown;
    if (!Within(s.name, wantedSize, names.size)) continue;
    unsigned char name[wantedSize];
    if (!file.Read(names.offset + s.name, wantedSize, name)) return unknown;
    if (std::memcmp(name, kVersionSection.data(), wantedSize - 1) != 0 || name[wantedSize - 1] != 0)
      continue;

    VersionRecord record;
    if (s.type == kNoBits || s.size < record.size() ||
        !file.Read(s.offset, record.size(), record.data()) ||
        std::memcmp(record.data(), kVersionSignature.data(), kVersionSignature.size()) != 0)
      return unknown;
    const unsigned char* numbers = record.data() + kVersionSignature.size();
    return std::to_string(Le(numbers, 2)) + "." + std::to_string(Le(numbers + 2, 2)) + "." +
           std::to_string(Le(numbers + 4, 2)) + "." + std::to_string(Le(numbers + 6, 2));
  }
  return unknown;
}

}  // namespace orthavion
