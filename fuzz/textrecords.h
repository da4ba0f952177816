#pragma once
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzcheck {

/// The records of a text file's bytes under the system's reading rules,
/// worked out on the whole content at once: the content ends at the first
/// 0x1A byte; a record ends at LF; every CR is dropped; a final LF adds no
/// record; empty content is one empty record.
inline std::vector<std::string> TextRecords(std::string_view bytes) {
  const std::string_view content = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> records;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t lf = content.find('\n', begin);
    const std::string_view piece =
        content.substr(begin, lf == std::string_view::npos ? std::string_view::npos : lf - begin);
    if (lf == std::string_view::npos && piece.empty() && !records.empty()) break;
    std::string record;
    for (const char c : piece)
      if (c != '\r') record += c;
    records.push_back(std::move(record));
    if (lf == std::string_view::npos) break;
    begin = lf + 1;
  }
  return records;
}

/// Takes the next field off `rest` by the tokenizer's rule, written out
/// independently: spaces before it are skipped, it runs to the next space,
/// and the spaces after it are skipped as well.
inline std::string_view NextField(std::string_view& rest) {
  const std::size_t begin = std::min(rest.find_first_not_of(' '), rest.size());
  const std::size_t end = std::min(rest.find(' ', begin), rest.size());
  const std::string_view field = rest.substr(begin, end - begin);
  rest.remove_prefix(std::min(rest.find_first_not_of(' ', end), rest.size()));
  return field;
}

}  // namespace fuzzcheck
