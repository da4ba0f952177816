#include "base/texts.h"

namespace orthavion::texts {

namespace {
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}
}  // namespace

std::string RecordsPleaseWaitText(long long records) {
  return Joined({std::to_string(records), " Datensätze, bitte warten"});
}

std::string ObjDoneText(long long vertices, long long records) {
  return Joined({"OBJ-Datei transformiert: ", std::to_string(vertices), " Eckpunkte, ",
                 std::to_string(records), " Datensätze"});
}

std::string PrintFileNotCreatedText(std::string_view fileName) {
  return Joined({"Die Druckdatei ", fileName, " kann nicht angelegt werden"});
}

std::string PrinterJobNotStartedText(std::string_view printerName) {
  return Joined({"Der Druckauftrag für den Drucker ", printerName, " konnte nicht gestartet werden"});
}

std::string CannotCreateText(std::string_view shownName, std::string_view reason) {
  return Joined({"Datei \"", shownName, "\" kann nicht erstellt werden. ", reason});
}

std::string CannotOpenText(std::string_view shownName, std::string_view reason) {
  return Joined({"Datei ", shownName, " kann nicht geöffnet werden. ", reason});
}

std::string PlotVectorScaleText(std::string_view length) {
  return Joined({"Restklaffen vX, vY: 1 cm ≙ ", length});
}

std::string PlotScaleBarText(std::string_view length) { return Joined({"Maßstab: ", length}); }

}  // namespace orthavion::texts
