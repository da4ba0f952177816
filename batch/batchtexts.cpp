#include "batch/batchtexts.h"

#include "base/texts.h"

namespace orthavion::texts {

std::string UnknownModelText(std::string_view name) {
  return Joined({"Unbekanntes Modell: ", name, " (similarity7, rigid6 oder horizontal5)"});
}

std::string BadSigma0Text(std::string_view value) {
  return Joined({"Ungültiger Wert für --sigma0: ", value, " (eine positive Zahl in Metern)"});
}

std::string MissingValueText(std::string_view option) {
  return Joined({"Fehlender Wert für ", option});
}

std::string UnknownOptionText(std::string_view word) { return Joined({"Unbekannte Option: ", word}); }

std::string BatchVersionText() {
  return Joined({kBatchProgram, " ", std::to_string(ORTHAVION_VERSION_MAJOR), ".",
                 std::to_string(ORTHAVION_VERSION_MINOR), ".",
                 std::to_string(ORTHAVION_VERSION_PATCH), ".",
                 std::to_string(ORTHAVION_VERSION_TWEAK)});
}

const std::string_view kBatchProgram = "orthavion-batch";
const std::string_view kUsageCall = "Aufruf:";
const std::string_view kUsageClosing =
    "Schreibt Trafoprotokoll.txt neben STARTSYSTEM und das Protokoll auf die Standardausgabe.";

const std::string_view kYes = "Ja";
const std::string_view kNo = "Nein";

}  // namespace orthavion::texts
