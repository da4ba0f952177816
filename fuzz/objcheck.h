#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "estimation/run.h"
#include "fuzz/folder.h"
#include "fuzz/outcome.h"
#include "fuzz/referencereaders.h"
#include "fuzz/shown.h"
#include "fuzz/systemtexts.h"
#include "fuzz/textrecords.h"
#include "carry/obj.h"

namespace fuzzcheck {

/// The state of a successful transformation run on five fixed control points
/// (a rotation, a scale and a target centroid millions of units out, so that
/// shortening matters) and one new point, made in the empty folder `folder`,
/// which is left empty again. Throws std::runtime_error if the run fails.
inline orthavion::RunState FixedTransformation(const std::filesystem::path& folder) {
  const std::filesystem::path start = folder / "start.txt", target = folder / "ziel.txt";
  WriteBytes(start,
             "101 0 1012.345 2034.567 101.234\n"
             "102 0 1534.120 2011.870 98.456\n"
             "103 0 1498.776 2520.114 104.870\n"
             "104 0 1003.908 2489.650 110.302\n"
             "105 0 1250.004 2250.777 125.660\n"
             "201 0 1100.000 2100.000 100.000\n");
  WriteBytes(target,
             "101 1 4513268.297 5625533.587 414.183\n"
             "102 1 4513790.572 5625533.666 411.542\n"
             "103 1 4513733.096 5626039.895 418.037\n"
             "104 1 4513240.017 5625987.873 423.325\n"
             "105 1 4513496.334 5625759.928 438.713\n");
  orthavion::RunState state;
  try {
    orthavion::TransformationRun(state, start.string(), target.string());
  } catch (const orthavion::Error& e) {
    throw std::runtime_error(std::string("the fixed transformation run failed: ") + e.what());
  }
  ClearFolder(folder);
  if (!state.transformation)
    throw std::runtime_error("the fixed run left no transformation");
  return state;
}

namespace detail {

/// A vertex record carried into the target system, worked out from the
/// reference readers: M1·R·(v − start centroid) + offsets.
struct CarriedVertex {
  bool overflow = false;  ///< a coordinate beyond the largest double, read or computed
  double xn = 0, yn = 0, zn = 0;
  char separator = '.';   ///< that of the Z field
  std::string_view rest;  ///< what follows the Z field
};

inline CarriedVertex Carry(const orthavion::RunState& state, bool shorten,
                           std::string_view record) {
  const orthavion::Transformation& t = state.TransformationInForce();
  const orthavion::Vec3& s = t.startCentroid;
  const orthavion::Vec3& c = t.targetCentroid;
  const auto offset = [shorten](double centroid) {
    return shorten ? centroid - 10000.0 * std::trunc(centroid / 10000.0) : centroid;
  };
  CarriedVertex v;
  std::string_view rest = record;
  NextField(rest);  // "v"
  double read[3];
  for (double& r : read) {
    const FloatReading f = ReferenceFloat(NextField(rest));
    if (f.overflow) {
      v.overflow = true;
      return v;
    }
    r = f.value;
    v.separator = f.separator;
  }
  v.rest = rest;
  const double x = read[0] - s[0], y = read[1] - s[1], z = read[2] - s[2];
  const orthavion::Mat3& R = t.R;
  v.xn = (R[0][0] * x + R[0][1] * y + R[0][2] * z) * t.scale + offset(c[0]);
  v.yn = (R[1][0] * x + R[1][1] * y + R[1][2] * z) * t.scale + offset(c[1]);
  v.zn = (R[2][0] * x + R[2][1] * y + R[2][2] * z) * t.scale + c[2];
  v.overflow = !std::isfinite(v.xn) || !std::isfinite(v.yn) || !std::isfinite(v.zn);
  return v;
}

inline bool IsVertexRecord(std::string_view record) { return record.starts_with("v "); }

/// "" when `number` is `want` written in fixed notation with six decimals and
/// `separator`, without a minus sign on a value that rounds to zero.
inline std::string CheckNumber(std::string_view number, double want, char separator) {
  const auto digits = [](std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  const std::string_view magnitude = number.substr(number.starts_with('-') ? 1 : 0);
  const std::size_t sep = magnitude.find(separator);
  if (sep == std::string_view::npos || !digits(magnitude.substr(0, sep)) ||
      magnitude.size() != sep + 7 || !digits(magnitude.substr(sep + 1)))
    return "the number " + Shown(number) + " is not in fixed notation with six decimals";
  if (number == std::string("-0") + separator + "000000") return "a negative zero is written";
  const double got = ReferenceFloat(number).value;
  if (std::fabs(got - want) > 1e-6 + 1e-15 * std::fabs(want))
    return "the number " + Shown(number) + " should be " + Shown(want);
  return {};
}

/// "" when `line` is `v` written as "%1s %14.6f %14.6f %14.6f %s".
inline std::string CheckVertexLine(std::string_view line, const CarriedVertex& v) {
  const std::string tail = " " + std::string(v.rest);
  if (!line.starts_with("v ") || !line.ends_with(tail) || line.size() < 2 + tail.size())
    return "the vertex line " + Shown(line) + " does not keep 'v ' and the rest " + Shown(v.rest);
  std::string_view numbers = line.substr(2, line.size() - 2 - tail.size());
  std::string layout;
  for (const double want : {v.xn, v.yn, v.zn}) {
    const std::string_view number = NextField(numbers);
    if (std::string bad = CheckNumber(number, want, v.separator); !bad.empty())
      return bad + " in " + Shown(line);
    if (!layout.empty()) layout += ' ';
    layout.append(number.size() < 14 ? 14 - number.size() : 0, ' ').append(number);
  }
  if (line.substr(2, line.size() - 2 - tail.size()) != layout)
    return "the numbers of " + Shown(line) + " are not right-aligned in 14 characters";
  return {};
}

/// The output's lines, each ended by CR LF; "" in `violation` when so.
inline std::vector<std::string_view> OutputLines(std::string_view output, std::string& violation) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < output.size()) {
    const std::size_t end = output.find_first_of("\r\n", begin);
    if (end == std::string_view::npos || output.compare(end, 2, "\r\n") != 0) {
      violation = "an output line does not end with CR LF after " + Shown(output.substr(begin));
      return {};
    }
    lines.push_back(output.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

struct Reports {
  std::vector<std::string> status;
  std::vector<std::pair<std::int64_t, std::int64_t>> progress;
};

/// The status texts and progress reports of a command that transformed
/// `records` of which `vertices` are vertex records, in a file of `lineFeeds` LF bytes.
inline std::string CheckReports(const Reports& r, std::size_t lineFeeds, std::size_t vertices,
                                std::size_t records) {
  const std::vector<std::string> want = {
      "Dateigröße ermitteln", std::to_string(lineFeeds) + " Datensätze, bitte warten",
      "OBJ-Datei transformiert: " + std::to_string(vertices) + " Eckpunkte, " +
          std::to_string(records) + " Datensätze"};
  if (r.status != want)
    return "the status texts are not " + Shown(want[1]) + " and " + Shown(want[2]);
  const auto maximum = static_cast<std::int64_t>(lineFeeds);
  if (r.progress.empty() || r.progress.front() != std::pair<std::int64_t, std::int64_t>{0, maximum})
    return "the progress does not start at 0 of " + std::to_string(lineFeeds);
  for (std::size_t i = 1; i < r.progress.size(); ++i)
    if (r.progress[i].second != maximum || r.progress[i].first < r.progress[i - 1].first ||
        r.progress[i].first > maximum)
      return "the progress goes to " + std::to_string(r.progress[i].first) + " of " +
             std::to_string(r.progress[i].second);
  return {};
}

}  // namespace detail

/// Carries the OBJ model `input`, written into the empty folder `folder`,
/// into the target system with the complete transformation `state`,
/// answering "Koordinaten kürzen?" with `shorten`, and checks:
/// - the command fails exactly when a vertex record has a coordinate beyond
///   the largest double, read or computed, and then with "Gleitkommaüberlauf"
///   (any failure must carry one of the system's texts), leaving no output
///   file;
/// - on success, the output has one line per input record, each ended by
///   CR LF; every record that does not begin with "v " comes out byte for
///   byte; every vertex line is "%1s %14.6f %14.6f %14.6f %s" with the
///   carried coordinates (written with the Z field's separator) and the rest
///   of the record; and the status texts and progress count what was read;
/// - the input is unchanged and nothing else is left in the folder.
/// Any other exception leaves the function. Empties the folder at the end.
inline Outcome CheckObj(const std::filesystem::path& folder, const orthavion::RunState& state,
                        std::string_view input, bool shorten) {
  if (!FolderEntries(folder).empty()) return {"the folder is not empty at the start", ""};
  const std::filesystem::path in = folder / "modell.obj", out = folder / "modell-ziel.obj";
  WriteBytes(in, input);

  detail::Reports reports;
  orthavion::CommandView view;
  view.status = [&reports](const std::string& text) { reports.status.push_back(text); };
  view.askShorten = [shorten] { return shorten; };
  view.progress = [&reports](std::int64_t position, std::int64_t maximum) {
    reports.progress.emplace_back(position, maximum);
  };
  orthavion::SetDecimalSeparator('.');
  Outcome result;
  bool failed = false;
  try {
    orthavion::TransformObj(state.TransformationInForce(), in.string(), out.string(), view);
  } catch (const orthavion::Error& e) {
    failed = true;
    result.error = e.what();
  }

  const std::vector<std::string> records = TextRecords(input);
  std::vector<detail::CarriedVertex> carried(records.size());
  bool overflow = false;
  for (std::size_t i = 0; i < records.size() && !overflow; ++i)
    if (detail::IsVertexRecord(records[i]))
      overflow = (carried[i] = detail::Carry(state, shorten, records[i])).overflow;

  const auto finish = [&](std::string violation) {
    result.violation = std::move(violation);
    ClearFolder(folder);
    return result;
  };
  if (ReadAll(in) != input) return finish("the input was changed");
  if (failed && !IsSystemErrorText(result.error))
    return finish("the command ended with " + Shown(result.error) +
                  ", not one of the system's texts");
  if (overflow && !failed) return finish("a vertex beyond the largest double passed");
  if (failed && (!overflow || result.error != "Gleitkommaüberlauf"))
    return finish("the command failed with " + Shown(result.error) +
                  (overflow ? ", not with the overflow" : " though every vertex can be carried"));
  const std::vector<std::string> want =
      failed ? std::vector<std::string>{"modell.obj"}
             : std::vector<std::string>{"modell-ziel.obj", "modell.obj"};
  if (FolderEntries(folder) != want)
    return finish(failed ? "a failed command left a file behind"
                         : "the command left other files than its output");
  if (failed) return finish({});

  std::string violation;
  const std::string output = ReadAll(out);
  const std::vector<std::string_view> lines = detail::OutputLines(output, violation);
  if (!violation.empty()) return finish(violation);
  if (lines.size() != records.size())
    return finish(std::to_string(records.size()) + " records became " +
                  std::to_string(lines.size()) + " lines");
  std::size_t vertices = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!detail::IsVertexRecord(records[i])) {
      if (lines[i] != records[i])
        return finish("the record " + Shown(records[i]) + " came out as " + Shown(lines[i]));
      continue;
    }
    ++vertices;
    if (std::string bad = detail::CheckVertexLine(lines[i], carried[i]); !bad.empty())
      return finish(bad);
  }
  return finish(detail::CheckReports(
      reports, static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')), vertices,
      records.size()));
}

/// Carries the OBJ model `input`, written into the empty folder `folder`,
/// once line by line and once in blocks of `blockBytes` on three worker
/// threads, and checks that both write the same bytes (or end with the same
/// error text and write nothing), show the same status texts and progress,
/// and leave the same decimal separator. Empties the folder at the end.
inline Outcome CheckObjShapes(const std::filesystem::path& folder, const orthavion::RunState& state,
                              std::string_view input, bool shorten, std::size_t blockBytes) {
  if (!FolderEntries(folder).empty()) return {"the folder is not empty at the start", ""};
  const std::filesystem::path in = folder / "modell.obj", out = folder / "modell-ziel.obj";
  WriteBytes(in, input);
  struct Run {
    std::string error, output;
    detail::Reports reports;
    char separator;
  };
  const auto run = [&](const orthavion::PipelineShape& shape) {
    Run r;
    orthavion::CommandView view;
    view.status = [&r](const std::string& text) { r.reports.status.push_back(text); };
    view.askShorten = [shorten] { return shorten; };
    view.progress = [&r](std::int64_t position, std::int64_t maximum) {
      r.reports.progress.emplace_back(position, maximum);
    };
    orthavion::SetDecimalSeparator(',');
    try {
      orthavion::TransformObj(state.TransformationInForce(), in.string(), out.string(), view, shape);
    } catch (const orthavion::Error& e) {
      r.error = e.what();
    }
    r.separator = orthavion::DecimalSeparator();
    orthavion::SetDecimalSeparator('.');
    if (std::filesystem::exists(out)) {
      r.output = ReadAll(out);
      std::filesystem::remove(out);
    }
    return r;
  };
  const Run lineByLine = run({.blockBytes = 0, .workers = 0});
  const Run blocks = run({.blockBytes = blockBytes, .workers = 3});
  Outcome result{{}, blocks.error};
  if (blocks.error != lineByLine.error)
    result.violation = "in blocks the command ended with " + Shown(blocks.error) + ", line by line with " +
                       Shown(lineByLine.error);
  else if (blocks.output != lineByLine.output)
    result.violation = "in blocks the command wrote other bytes than line by line";
  else if (blocks.reports.status != lineByLine.reports.status ||
           blocks.reports.progress != lineByLine.reports.progress)
    result.violation = "in blocks the command showed other status texts or progress";
  else if (blocks.separator != lineByLine.separator)
    result.violation = "in blocks the command left another decimal separator";
  else if (FolderEntries(folder) != std::vector<std::string>{"modell.obj"})
    result.violation = "the command left other files than its output";
  ClearFolder(folder);
  return result;
}

}  // namespace fuzzcheck
