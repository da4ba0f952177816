#pragma once
#include <cstdint>
#include <string>

namespace orthavion {

/// The number of line-feed bytes (0x0A) in the file `fileName`, counted over
/// the whole file in blocks of 1 MiB. A last line without a line feed
/// is not counted, nor is a line ended by a lone CR; a 0x1A byte is counted
/// past like any other byte. The count is 64-bit, since a model of several
/// gigabytes can hold more than 2^31 lines.
///
/// Throws `Error` "Datei <full path> kann nicht geöffnet werden. <reason>"
/// when the file cannot be opened (also for an empty name or a folder), and
/// the I/O error text ("E/A-Fehler N", ...) when reading fails.
std::int64_t CountLines(const std::string& fileName);

}  // namespace orthavion
