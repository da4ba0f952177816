#include "statistics/statisticstexts.h"

#include "base/texts.h"

namespace orthavion::texts {

std::string ExcludedPointsText(const std::string& joinedIds) {
  return Joined({"Ausgeschlossene Punkte: ", joinedIds});
}

const std::string_view kNoPoints = "keine";

std::string NotAControlPointText(std::string_view id) {
  return Joined({"Kein Passpunkt: ", id, " (--exclude)"});
}

std::string ExcludedTwiceText(std::string_view id) {
  return Joined({"Punkt doppelt ausgeschlossen: ", id, " (--exclude)"});
}

const std::string_view kCheckPointsCaption = "Kontrollpunkte (nicht in der Schätzung)";
const std::string_view kCheckPointsTitles =
    "Punktnummer              X              Y              Z         vX         vY"
    "         vZ         vS";
const std::string_view kSnoopingNothingExcluded = "Kein Punkt ausgeschlossen";
const std::string_view kParameterAccuracyCaption = "Genauigkeit der Parameter";
const std::string_view kSigmaAprioriCaption = "s = sigma0 a priori";
const std::string_view kSigmaAposterioriCaption = "s = m0 a posteriori";
const std::string_view kParameterTitles = "Parameter              Wert          Sigma";
const std::string_view kCorrelationCaption = "Korrelationsmatrix";
const std::string_view kControlPointTestCaption =
    "Passpunkte: Redundanzanteile r, Testgrößen w und MDB";
const std::string_view kWTestLine = "Test: w-Test (Baarda, sigma0 a priori)";
const std::string_view kTauTestLine = "Test: Tau-Test (Pope, m0 a posteriori)";
const std::string_view kControlPointTestTitles =
    "Punktnummer        rX     rY     rZ       wX       wY       wZ    MDB X    MDB Y    MDB Z";
const std::string_view kNewPointAccuracyCaption = "Genauigkeit der Neupunkte";
const std::string_view kNewPointAccuracyTitles =
    "Punktnummer             sX         sY         sZ";
const std::string_view kNoTestValue = "-";
const std::string_view kAccepted = "angenommen";
const std::string_view kRejected = "abgelehnt";

const std::string_view kSnoopingHeadFormat = "Datensnooping (%s, kritischer Wert %8.3f)";
const std::string_view kSnoopingStepFormat = "%d. %-14s %10.2f";
const std::string_view kUnitWeightFormat =
    "%s = %10.4f m, [vv]=%10.4f Freiheitsgrad= %d m0=%10.4f";
const std::string_view kTranslationSigmaFormat = "t%s [m]     %16.4f %14.4f";
const std::string_view kAngleSigmaFormat = "%s [gon]   %16.6f %14.6f";
const std::string_view kScaleSigmaFormat = "m [ppm]    %16.4f %14.4f";
const std::string_view kTestLineFormat = "%s, Alpha = %5.3f, kritischer Wert %8.3f";
const std::string_view kGlobalTestFormat =
    "Globaltest: [vv]/sigma0² = %12.3f, Chi²(%d; 0.95) = %12.3f: %s";

}  // namespace orthavion::texts
