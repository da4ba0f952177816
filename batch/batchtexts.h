#pragma once
// The batch program's own texts: the messages of a wrong command line, the
// version, the words around the usage and the answer to "Koordinaten
// kürzen?". The options' descriptions stand in the option table
// (batch/optiontable.cpp). Written once in batchtexts.cpp (see base/texts.h).

#include <string>
#include <string_view>

namespace orthavion::texts {

// A wrong command line (exit code 2).
/// "Unbekanntes Modell: <name> (similarity7, rigid6 oder horizontal5)"
std::string UnknownModelText(std::string_view name);
/// "Ungültiger Wert für --sigma0: <value> (eine positive Zahl in Metern)"
std::string BadSigma0Text(std::string_view value);
/// "Fehlender Wert für <option>"
std::string MissingValueText(std::string_view option);
/// "Unbekannte Option: <word>"
std::string UnknownOptionText(std::string_view word);

/// "orthavion-batch <major>.<minor>.<patch>.<tweak>"
std::string BatchVersionText();

/// "orthavion-batch": the program's name in the usage.
extern const std::string_view kBatchProgram;
/// "Aufruf:", before the usage's first form.
extern const std::string_view kUsageCall;
/// The usage's last line: where the protocol goes.
extern const std::string_view kUsageClosing;

/// The answers shown after "Koordinaten kürzen?" (--shorten or not).
extern const std::string_view kYes, kNo;

}  // namespace orthavion::texts
