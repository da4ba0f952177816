#pragma once
// The program's version record: Linux executables carry no version resource,
// so the window program holds a small fixed record in an ELF section of its
// own, which GetVersionInfos reads back from the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

/// The name of the record's section (a macro: the section attribute takes a
/// string literal).
#define ORTHAVION_VERSION_SECTION ".orthavion_version"

namespace orthavion {

inline constexpr std::string_view kVersionSection = ORTHAVION_VERSION_SECTION;
/// The record's first eight bytes.
inline constexpr std::string_view kVersionSignature = "ORTHVER1";
/// The signature, then the file version as four little-endian 16-bit numbers
/// in the order major, minor, release, build.
inline constexpr std::size_t kVersionRecordSize = 16;

using VersionRecord = std::array<unsigned char, kVersionRecordSize>;

/// The record of the file version major.minor.release.build.
constexpr VersionRecord MakeVersionRecord(std::uint16_t major, std::uint16_t minor,
                                          std::uint16_t release, std::uint16_t build) {
  VersionRecord record{};
  for (std::size_t i = 0; i < kVersionSignature.size(); ++i)
    record[i] = static_cast<unsigned char>(kVersionSignature[i]);
  const std::uint16_t numbers[] = {major, minor, release, build};
  for (std::size_t i = 0; i < 4; ++i) {
    record[kVersionSignature.size() + 2 * i] = static_cast<unsigned char>(numbers[i] & 0xFF);
    record[kVersionSignature.size() + 2 * i + 1] = static_cast<unsigned char>(numbers[i] >> 8);
  }
  return record;
}

}  // namespace orthavion
