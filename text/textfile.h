#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace orthavion {

/// Opens `fileName` for reading and returns its descriptor; throws `Error`
/// with the I/O error text ("Datei nicht gefunden", ...) when it cannot be
/// opened, "Dateizugriff verweigert" for a folder.
int OpenTextFile(const std::string& fileName);

/// Every byte of the file `fileName`, as it is on the disk (no line or
/// end-of-file rules): for a file in a format of its own, such as JSON.
/// Throws `Error` with the I/O error texts as `OpenTextFile` does, and when
/// reading fails.
std::string ReadFileBytes(const std::string& fileName);

/// Reads an 8-bit text file line by line, under the reading rules of the
/// system's text files: a line ends at LF, every CR is dropped (so CR LF and
/// LF end a line alike and a lone CR vanishes), and a byte 0x1A ends the
/// file. Lines may be of any length. Bytes are returned as read (Windows-1252).
///
/// The end test follows each record: `AtEnd` is true once nothing is left to
/// read, so an empty file yields one empty line and a final line break adds
/// no line.
class TextFileReader {
public:
  /// Opens `fileName` for reading; throws `Error` with the I/O error text
  /// ("Datei nicht gefunden", ...) when it cannot be opened. A folder is
  /// refused with "Dateizugriff verweigert".
  explicit TextFileReader(const std::string& fileName);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  /// Reads the next line into `line` (without its line end). Throws `Error`
  /// with the I/O error text when reading fails.
  void ReadLine(std::string& line);

  /// True when no further line can be read.
  bool AtEnd();

private:
  bool Fill();

  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;  // the file is read to its end (or to a 0x1A byte)
};

}  // namespace orthavion
