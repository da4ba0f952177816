#pragma once
// The usage text of orthavion-batch, written from the option table.

#include <string>

namespace orthavion::batch {

/// The usage text: the synopsis, one line for each form of the call and one
/// for the answering options (--help | --version), broken into lines
/// aligned under the words after the program's name; then the file words
/// and every option with its description, the descriptions in one column;
/// then where the protocol goes. Ends with a line break.
std::string UsageText();

}  // namespace orthavion::batch
