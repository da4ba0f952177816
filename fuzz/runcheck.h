#pragma once
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "estimation/run.h"
#include "fuzz/folder.h"
#include "fuzz/outcome.h"
#include "fuzz/shown.h"
#include "fuzz/systemtexts.h"
#include "fuzz/textrecords.h"
#include "protocol/protocol.h"

namespace fuzzcheck {

/// The two point files that one input of the run target stands for: the
/// bytes before its first 0xFF byte are the start file, the bytes after it
/// the target file. An input without 0xFF is both files.
struct PointFilePair {
  std::string_view start, target;
};

inline PointFilePair SplitPointFiles(std::string_view input) {
  const std::size_t split = input.find('\xFF');
  if (split == std::string_view::npos) return {input, input};
  return {input.substr(0, split), input.substr(split + 1)};
}

namespace detail {

/// The point number of a point-file record: its first field.
inline std::string_view PointNumber(std::string_view record) { return NextField(record); }

/// The protocol's two listings hold one line for every start record and one
/// for every target record whose point number is in the start file; the
/// estimation's first line follows them.
inline std::string CheckListings(const orthavion::Protocol& protocol, std::string_view startBytes,
                                 std::string_view targetBytes, const std::string& targetName) {
  const std::vector<std::string> start = TextRecords(startBytes), target = TextRecords(targetBytes);
  std::set<std::string_view> numbers;
  for (const std::string& r : start) numbers.insert(PointNumber(r));
  const auto matched = static_cast<std::size_t>(
      std::count_if(target.begin(), target.end(),
                    [&](const std::string& r) { return numbers.count(PointNumber(r)) > 0; }));

  const std::size_t targetTitle = 2 + start.size(), estimation = targetTitle + 2 + matched;
  if (protocol.Count() <= estimation || protocol.Line(targetTitle) != "Zielsystem: " + targetName ||
      protocol.Line(estimation) != "7 Parameter Helmerttransformation mit Quaternionen")
    return "the listings do not hold " + std::to_string(start.size()) + " start and " +
           std::to_string(matched) + " target lines";
  return {};
}

/// The saved protocol holds every line of the protocol, each ended by CR LF.
inline std::string CheckSavedProtocol(const orthavion::Protocol& protocol,
                                      const std::string& saved) {
  std::size_t lineEnds = 0;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i] != '\n') continue;
    if (i == 0 || saved[i - 1] != '\r') return "the saved protocol has an LF without CR";
    ++lineEnds;
  }
  if (lineEnds != protocol.Count() || !saved.ends_with("\r\n"))
    return "the saved protocol has " + std::to_string(lineEnds) + " lines, the protocol " +
           std::to_string(protocol.Count());
  return {};
}

}  // namespace detail

/// Runs the transformation on the two point files of `input` (see
/// `SplitPointFiles`), written into the empty folder `folder`, with the
/// window's protocol capacity, and checks: the run succeeds, and then the
/// protocol file exists beside the start file, holds the whole protocol
/// and the listings hold every record; or it throws `orthavion::Error` with
/// one of the system's texts, and then no protocol file exists. Either way
/// the point files are unchanged and nothing else is left in the folder.
/// Any other exception leaves the function. Empties the folder at the end.
inline Outcome CheckRun(const std::filesystem::path& folder, std::string_view input) {
  if (!FolderEntries(folder).empty()) return {"the folder is not empty at the start", ""};
  const auto [startBytes, targetBytes] = SplitPointFiles(input);
  const std::filesystem::path start = folder / "Startsystem.txt",
                              target = folder / "Zielsystem.txt";
  WriteBytes(start, startBytes);
  WriteBytes(target, targetBytes);

  orthavion::RunState state;
  state.protocol.SetCapacity(orthavion::Protocol::kViewCapacity);
  orthavion::SetDecimalSeparator('.');  // as the window sets it when it becomes active
  Outcome out;
  bool failed = false;
  try {
    orthavion::TransformationRun(state, start.string(), target.string());
  } catch (const orthavion::Error& e) {
    failed = true;
    out.error = e.what();
  }

  const std::vector<std::string> want =
      failed ? std::vector<std::string>{"Startsystem.txt", "Zielsystem.txt"}
             : std::vector<std::string>{"Startsystem.txt", "Trafoprotokoll.txt", "Zielsystem.txt"};
  if (ReadAll(start) != startBytes || ReadAll(target) != targetBytes) {
    out.violation = "a point file was changed";
  } else if (failed && !IsSystemErrorText(out.error)) {
    out.violation = "the run ended with " + Shown(out.error) + ", not one of the system's texts";
  } else if (FolderEntries(folder) != want) {
    out.violation =
        failed ? "a failed run left a file behind" : "the run left other files than the protocol";
  } else if (!failed) {
    out.violation =
        detail::CheckSavedProtocol(state.protocol, ReadAll(folder / "Trafoprotokoll.txt"));
    if (out.violation.empty())
      out.violation =
          detail::CheckListings(state.protocol, startBytes, targetBytes, target.string());
  }
  ClearFolder(folder);
  return out;
}

}  // namespace fuzzcheck
