#include "batch/optiontable.h"

#include <algorithm>

#include "batch/batchtexts.h"
#include "statistics/sigma0.h"
#include "transformation/model.h"

namespace orthavion::batch {

namespace {

using Values = std::span<const std::string_view>;

/// An option without values that sets `flag`.
template <bool Arguments::*flag>
Refusal TakeFlag(Arguments& a, std::string_view, Values) {
  a.*flag = true;
  return {};
}

/// An option of the adjustment without values that sets `flag`.
template <bool AdjustmentOptions::*flag>
Refusal TakeAdjustmentFlag(Arguments& a, std::string_view, Values) {
  a.options.*flag = a.adjusted = true;
  return {};
}

/// A pair of files to carry, given once at most.
template <std::optional<FilePair> Arguments::*pair>
Refusal TakePair(Arguments& a, std::string_view, Values values) {
  if (a.*pair) return UsageError{};
  a.*pair = FilePair{std::string(values[0]), std::string(values[1])};
  return {};
}

/// The file an output of the run is written to; the last one given counts.
template <std::optional<std::string> RunOutputs::*file>
Refusal TakeOutput(Arguments& a, std::string_view, Values values) {
  a.outputs.*file = std::string(values[0]);
  a.adjusted = true;
  return {};
}

Refusal TakeApply(Arguments& a, std::string_view, Values values) {
  if (a.apply) return UsageError{};
  a.apply = std::string(values[0]);
  return {};
}

Refusal TakeModel(Arguments& a, std::string_view, Values values) {
  const std::optional<Model> model = ParseModel(values[0]);
  if (!model) return UsageError{texts::UnknownModelText(values[0])};
  a.options.model = *model;
  a.adjusted = true;
  return {};
}

/// PNR[,PNR...], added to the points named before; no name may be empty.
Refusal TakeExclude(Arguments& a, std::string_view name, Values values) {
  std::string_view list = values[0];
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view id = list.substr(0, comma);
    if (id.empty()) return UsageError{texts::MissingValueText(name)};
    a.options.exclude.emplace_back(id);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  a.adjusted = true;
  return {};
}

Refusal TakeSigma0(Arguments& a, std::string_view, Values values) {
  a.options.sigma0 = ParseSigma0(values[0], DecimalMark::Point);
  if (!a.options.sigma0) return UsageError{texts::BadSigma0Text(values[0])};
  a.adjusted = true;
  return {};
}

constexpr Option kOptions[] = {
    {.name = "--obj",
     .values = "OBJ-DATEI ZIELDATEI",
     .help = "transformiert danach das Wavefront-OBJ-Modell",
     .take = TakePair<&Arguments::obj>},
    {.name = "--shorten",
     .within = "--obj",
     .help = "Koordinaten kürzen (X und Y ohne volle 10000)",
     .take = TakeFlag<&Arguments::shorten>},
    {.name = "--points",
     .values = "PUNKTDATEI ZIELDATEI",
     .help = "transformiert eine Punktdatei (PNR NIV X Y Z ...)",
     .take = TakePair<&Arguments::points>},
    {.name = "--xyz",
     .values = "PUNKTWOLKE ZIELDATEI",
     .help = "transformiert eine ASCII-Punktwolke (.xyz, .txt, .pts, .csv:\n"
             "X Y Z und weitere Felder, getrennt durch Leerzeichen, Tabulatoren,\n"
             "Kommas oder Semikolons)",
     .take = TakePair<&Arguments::xyz>},
    {.name = "--apply",
     .values = "ERGEBNIS.json",
     .help = "die Transformation eines früheren Laufs (--json) anwenden",
     .take = TakeApply},
    {.name = "--model",
     .values = "MODELL",
     .help = "similarity7 (Voreinstellung, 7 Parameter), rigid6 (Maßstab 1)\n"
             "oder horizontal5 (Lage mit Drehung um die Lotrichtung, Höhe verschoben)",
     .take = TakeModel},
    {.name = "--exclude",
     .values = "PNR[,PNR...]",
     .help = "diese Passpunkte nicht schätzen, nur als Kontrollpunkte prüfen\n"
             "(auch mehrfach)",
     .take = TakeExclude},
    {.name = "--snooping",
     .help = "Datensnooping: den Punkt mit der größten Testgröße über dem\n"
             "kritischen Wert ausschließen und neu schätzen",
     .take = TakeAdjustmentFlag<&AdjustmentOptions::snooping>},
    {.name = "--sigma0",
     .values = "METER",
     .help = "Standardabweichung a priori einer Koordinate (w-Test, Globaltest);\n"
             "ohne sie gilt m0 (Tau-Test)",
     .take = TakeSigma0},
    {.name = "--statistics",
     .help = "Genauigkeit, Korrelation, Redundanzanteile, Testgrößen und MDB\n"
             "im Protokoll",
     .take = TakeAdjustmentFlag<&AdjustmentOptions::statistics>},
    {.name = "--json",
     .values = "DATEI",
     .help = "das vollständige Ergebnis als JSON",
     .take = TakeOutput<&RunOutputs::json>},
    {.name = "--export-proj",
     .values = "DATEI",
     .help = "die Transformation als PROJ-Zeichenkette (cct, QGIS, GDAL, PDAL)",
     .take = TakeOutput<&RunOutputs::proj>},
    {.name = "--report",
     .values = "DATEI",
     .label = "--report DATEI.html",
     .help = "der Bericht als HTML-Datei (Lageplan, Tabellen, PROJ)",
     .take = TakeOutput<&RunOutputs::report>},
    {.name = "--help",
     .help = "dieser Text;  --version  die Version",
     .answers = true,
     .take = TakeFlag<&Arguments::help>},
    {.name = "--version",
     .answers = true,
     .take = TakeFlag<&Arguments::version>},
};

}  // namespace

std::span<const Option> OptionTable() { return kOptions; }

std::span<const Form> FormTable() {
  static const Form forms[] = {
      {.files = {"STARTSYSTEM", "ZIELSYSTEM"},
       .filesHelp = "Punktdateien (Textdatei PNR NIV X Y Z)",
       .optional = {"--obj", "--model", "--exclude", "--snooping", "--sigma0", "--statistics",
                    "--json", "--report", "--export-proj", "--points", "--xyz"}},
      // A saved result carries exactly one file, and has no run to adjust.
      {.required = {"--apply"}, .oneOf = {"--obj", "--points", "--xyz"}},
  };
  return forms;
}

const Option* FindOption(std::string_view word) {
  const auto found = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [word](const Option& o) { return o.name == word; });
  return found == std::end(kOptions) ? nullptr : &*found;
}

std::size_t ValueCount(const Option& option) {
  if (option.values.empty()) return 0;
  return static_cast<std::size_t>(std::count(option.values.begin(), option.values.end(), ' ')) + 1;
}

}  // namespace orthavion::batch
