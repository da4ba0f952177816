#pragma once
// Reading the command line of orthavion-batch by the option table.

#include <span>
#include <string_view>
#include <variant>

#include "batch/arguments.h"
#include "batch/optiontable.h"

namespace orthavion::batch {

/// The command line `words` (without the program's name), or the usage
/// error. The options may stand anywhere; an option's values are the words
/// after it, whatever they look like; a word that begins with "--" and is no
/// option is named ("Unbekannte Option: --name"; a file of such a name is
/// given by its path, "./--name"); every other word is a file word (also "-"
/// and "--"). A missing value of an option that takes
/// one is named ("Fehlender Wert für --json"), an incomplete pair of files
/// is not. Once every word is read, an answering option (--help,
/// --version) makes the command line valid as it is; otherwise it must fit
/// one of the forms: its required options, only its own options (and those
/// within an option given), exactly one of its alternatives, and its number
/// of file words, which become `start` and `target`.
std::variant<Arguments, UsageError> Parse(std::span<const std::string_view> words);

}  // namespace orthavion::batch
