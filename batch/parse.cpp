#include "batch/parse.h"

#include <algorithm>
#include <vector>

#include "batch/batchtexts.h"

namespace orthavion::batch {

namespace {

bool Names(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

/// Whether the options `given` (each once) and `files` file words fit `form`.
bool Fits(const Form& form, const std::vector<const Option*>& given, std::size_t files) {
  const auto isGiven = [&given](std::string_view name) {
    return std::any_of(given.begin(), given.end(),
                       [name](const Option* o) { return o->name == name; });
  };
  if (files != form.files.size()) return false;
  if (!std::all_of(form.required.begin(), form.required.end(), isGiven)) return false;
  std::size_t alternatives = 0;
  for (const Option* o : given) {
    if (!o->within.empty()) {
      if (!isGiven(o->within)) return false;
    } else if (Names(form.oneOf, o->name)) {
      ++alternatives;
    } else if (!Names(form.required, o->name) && !Names(form.optional, o->name)) {
      return false;
    }
  }
  return form.oneOf.empty() || alternatives == 1;
}

}  // namespace

std::variant<Arguments, UsageError> Parse(std::span<const std::string_view> words) {
  Arguments a;
  std::vector<std::string_view> files;
  std::vector<const Option*> given;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const Option* option = FindOption(words[i]);
    if (!option) {
      // A misspelt option is no file name: a file that begins with "--" is
      // named "./--name".
      if (words[i].size() > 2 && words[i].starts_with("--"))
        return UsageError{texts::UnknownOptionText(words[i])};
      files.push_back(words[i]);
      continue;
    }
    const std::size_t count = ValueCount(*option);
    if (words.size() - i - 1 < count)
      return count == 1 ? UsageError{texts::MissingValueText(option->name)} : UsageError{};
    if (Refusal refused = option->take(a, option->name, words.subspan(i + 1, count)))
      return *std::move(refused);
    i += count;
    if (std::find(given.begin(), given.end(), option) == given.end()) given.push_back(option);
  }
  if (std::any_of(given.begin(), given.end(), [](const Option* o) { return o->answers; })) return a;
  for (const Form& form : FormTable()) {
    if (!Fits(form, given, files.size())) continue;
    if (files.size() == 2) {  // the point files of a run
      a.start = files[0];
      a.target = files[1];
    }
    return a;
  }
  return UsageError{};
}

}  // namespace orthavion::batch
