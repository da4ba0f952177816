#pragma once
// The file version of an executable, read from its version record.

#include <string>

namespace orthavion {

/// The file version of the executable named `filename` (a file name in the
/// local 8-bit encoding) as "major.minor.release.build", read from the
/// version record in its section ".orthavion_version"; "?" when the file
/// cannot be read, is no 64-bit little-endian ELF file (the only kind this
/// system builds) or carries no valid record. Any content is safe: every
/// offset and size the file gives is checked against the file's length
/// before it is used.
std::string GetVersionInfos(const std::string& filename);

}  // namespace orthavion
