#pragma once
// The options of orthavion-batch in one table: the parser reads a command
// line by it, and the usage text is written from it.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/arguments.h"

namespace orthavion::batch {

/// A command line that does not fit: the message naming the problem, or
/// empty when the words do not fit the usage as a whole (the usage alone
/// then says it).
struct UsageError {
  std::string message;
};

/// What an option's values come to: nothing when they are taken, the usage
/// error when they are refused.
using Refusal = std::optional<UsageError>;

/// One option of the command line.
struct Option {
  std::string_view name{};  ///< "--model"
  /// The words of its values as the usage names them, one word a value
  /// ("MODELL", "OBJ-DATEI ZIELDATEI"); empty for an option without values.
  std::string_view values{};
  /// Its label in the usage's list when that is not its name and values.
  std::string_view label{};
  /// The option it belongs to ("--obj" for --shorten): shown inside that
  /// option's brackets, and given only together with it.
  std::string_view within{};
  /// Its description in the usage's list, lines separated by '\n'; empty
  /// when another option's description covers it.
  std::string_view help{};
  /// True when it answers at once (--help, --version): then the command
  /// line needs no form, only every word read.
  bool answers = false;
  /// Takes its values (as many as `values` names) into `arguments`.
  Refusal (*take)(Arguments& arguments, std::string_view name,
                  std::span<const std::string_view> values) = nullptr;
};

/// A form of the call: one line of the usage's synopsis, and what a
/// command line of that form must be.
struct Form {
  std::vector<std::string_view> files{};     ///< its file words ("STARTSYSTEM", ...)
  std::string_view filesHelp{};              ///< their description in the usage's list
  std::vector<std::string_view> required{};  ///< options it must have
  std::vector<std::string_view> optional{};  ///< options it may have, shown [--x ...]
  std::vector<std::string_view> oneOf{};     ///< options of which it has exactly one, (a | b)
};

/// Every option, in the order of the usage's list.
std::span<const Option> OptionTable();

/// The forms of a call that runs a command, in the usage's order (the
/// answering options are shown as a last form of their own).
std::span<const Form> FormTable();

/// The option named `word` exactly, or null.
const Option* FindOption(std::string_view word);

/// How many values `option` takes: the number of words of its `values`.
std::size_t ValueCount(const Option& option);

}  // namespace orthavion::batch
