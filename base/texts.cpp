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

std::string PointFileDoneText(long long points, long long records) {
  return Joined({"Punktdatei transformiert: ", std::to_string(points), " Punkte, ",
                 std::to_string(records), " Datensätze"});
}

std::string PointCloudDoneText(long long points, long long records) {
  return Joined({"Punktwolke transformiert: ", std::to_string(points), " Punkte, ",
                 std::to_string(records), " Datensätze"});
}

std::string PrintFileNotCreatedText(std::string_view fileName) {
  return Joined({"Die Druckdatei ", fileName, " kann nicht angelegt werden"});
}

std::string PrinterJobNotStartedText(std::string_view printerName) {
  return Joined({"Der Druckauftrag für den Drucker ", printerName, " konnte nicht gestartet werden"});
}

std::string InvalidResultKeyText(std::string_view key, std::string_view problem) {
  return Joined({"Ergebnisdatei ungültig: Schlüssel \"", key, "\" ", problem});
}

std::string ResultNotJsonText(std::size_t byte) {
  return Joined({"Ergebnisdatei ungültig: kein JSON (Byte ", std::to_string(byte), ")"});
}

std::string ExcludedPointsText(const std::string& joinedIds) {
  return Joined({"Ausgeschlossene Punkte: ", joinedIds});
}

std::string UnknownModelText(std::string_view name) {
  return Joined({"Unbekanntes Modell: ", name, " (similarity7, rigid6 oder horizontal5)"});
}

std::string BadSigma0Text(std::string_view value) {
  return Joined({"Ungültiger Wert für --sigma0: ", value, " (eine positive Zahl in Metern)"});
}

std::string NotAControlPointText(std::string_view id) {
  return Joined({"Kein Passpunkt: ", id, " (--exclude)"});
}

std::string ExcludedTwiceText(std::string_view id) {
  return Joined({"Punkt doppelt ausgeschlossen: ", id, " (--exclude)"});
}

std::string MissingValueText(std::string_view option) {
  return Joined({"Fehlender Wert für ", option});
}

std::string BatchVersionText() {
  return Joined({"orthavion-batch ", std::to_string(ORTHAVION_VERSION_MAJOR), ".",
                 std::to_string(ORTHAVION_VERSION_MINOR), ".",
                 std::to_string(ORTHAVION_VERSION_PATCH), ".",
                 std::to_string(ORTHAVION_VERSION_TWEAK)});
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

std::string BadSigma0FieldText(std::string_view value) {
  return Joined({"Ungültiger Wert für sigma0: ", value, " (eine positive Zahl in Metern)"});
}

std::string AccessDeniedText(std::string_view fileName) {
  return Joined({kAccessDenied, ": ", fileName});
}

}  // namespace orthavion::texts
