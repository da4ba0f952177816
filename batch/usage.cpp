#include "batch/usage.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "batch/batchtexts.h"
#include "batch/optiontable.h"

namespace orthavion::batch {

namespace {

/// A line of the synopsis ends before it would pass this width.
constexpr std::size_t kSynopsisWidth = 90;
/// The labels of the list are padded to this width, then two blanks.
constexpr std::size_t kLabelWidth = 23;

/// `option` as the synopsis shows it: its name, its values and, in
/// brackets, the options within it.
std::string Shown(const Option& option) {
  std::string text(option.name);
  if (!option.values.empty()) text.append(" ").append(option.values);
  for (const Option& inner : OptionTable())
    if (inner.within == option.name) text.append(" [").append(Shown(inner)).append("]");
  return text;
}

/// The alternatives `names` as pieces of a synopsis, "a |", "b |", "c";
/// `enclosed` puts them in parentheses.
void AddAlternatives(std::vector<std::string>& pieces, const std::vector<std::string_view>& names,
                     bool enclosed) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string piece = i == 0 && enclosed ? "(" : "";
    piece += Shown(*FindOption(names[i]));
    piece += i + 1 < names.size() ? " |" : enclosed ? ")" : "";
    pieces.push_back(std::move(piece));
  }
}

/// The pieces of a form's synopsis; a line may break between them.
std::vector<std::string> Pieces(const Form& form) {
  std::vector<std::string> pieces(form.files.begin(), form.files.end());
  for (const std::string_view name : form.required) pieces.push_back(Shown(*FindOption(name)));
  for (const std::string_view name : form.optional)
    pieces.push_back("[" + Shown(*FindOption(name)) + "]");
  AddAlternatives(pieces, form.oneOf, !pieces.empty());
  return pieces;
}

/// The synopsis line of the answering options: "--help | --version".
std::vector<std::string> AnsweringPieces() {
  std::vector<std::string_view> names;
  for (const Option& option : OptionTable())
    if (option.answers) names.push_back(option.name);
  std::vector<std::string> pieces;
  AddAlternatives(pieces, names, false);
  return pieces;
}

/// `pieces` after `head` ("Aufruf: orthavion-batch"), broken into lines
/// that go on at `indent`.
void AppendSynopsis(std::string& out, const std::string& head,
                    const std::vector<std::string>& pieces, std::size_t indent) {
  std::string line = head;
  for (const std::string& piece : pieces) {
    if (line.size() > indent && line.size() + 1 + piece.size() > kSynopsisWidth) {
      out.append(line).append("\n");
      line.assign(indent - 1, ' ');
    }
    line.append(" ").append(piece);
  }
  out.append(line).append("\n");
}

/// One entry of the list: the label, then the description's lines in their
/// column.
void AppendEntry(std::string& out, std::string_view label, std::string_view help) {
  std::string line = "  " + std::string(label);
  line.resize(std::max(line.size(), 2 + kLabelWidth), ' ');
  for (std::size_t start = 0; start <= help.size();) {
    const std::size_t end = std::min(help.find('\n', start), help.size());
    out.append(line).append("  ").append(help.substr(start, end - start)).append("\n");
    line.assign(2 + kLabelWidth, ' ');
    start = end + 1;
  }
}

}  // namespace

std::string UsageText() {
  std::string out;
  // "Aufruf: orthavion-batch ...", the other forms' program names under
  // "Aufruf:" and the lines that go on under the words after the name.
  const std::string program(texts::kBatchProgram);
  const std::string other = std::string(texts::kUsageCall.size(), ' ') + program;
  const std::size_t indent = other.size() + 1;
  std::string head = std::string(texts::kUsageCall) + " " + program;
  for (const Form& form : FormTable()) {
    AppendSynopsis(out, head, Pieces(form), indent);
    head = other;
  }
  AppendSynopsis(out, head, AnsweringPieces(), indent);

  for (const Form& form : FormTable()) {
    if (form.files.empty()) continue;
    std::string label;
    for (const std::string_view word : form.files)
      label.append(label.empty() ? "" : ", ").append(word);
    AppendEntry(out, label, form.filesHelp);
  }
  for (const Option& option : OptionTable()) {
    if (option.help.empty()) continue;
    std::string label(option.label);
    if (label.empty()) label = std::string(option.name) + (option.values.empty() ? "" : " ") +
                               std::string(option.values);
    AppendEntry(out, label, option.help);
  }
  out.append(texts::kUsageClosing).append("\n");
  return out;
}

}  // namespace orthavion::batch
