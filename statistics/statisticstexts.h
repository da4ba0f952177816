#pragma once
// The adjustment's own texts: the protocol lines of excluded points, check
// points, data snooping and the statistics sections, and the errors of an
// exclusion that does not fit the point files. Written once in
// statisticstexts.cpp (see base/texts.h); the report and the analysis window
// use the captions and words they share with the protocol from here.

#include <string>
#include <string_view>

namespace orthavion::texts {

/// "Ausgeschlossene Punkte: <a>, <b>" or "Ausgeschlossene Punkte: keine"
std::string ExcludedPointsText(const std::string& joinedIds);
/// "keine": no point excluded.
extern const std::string_view kNoPoints;
/// "Kein Passpunkt: <id> (--exclude)"
std::string NotAControlPointText(std::string_view id);
/// "Punkt doppelt ausgeschlossen: <id> (--exclude)"
std::string ExcludedTwiceText(std::string_view id);

// Captions and column titles of the sections.
extern const std::string_view kCheckPointsCaption, kCheckPointsTitles, kSnoopingNothingExcluded,
    kParameterAccuracyCaption, kSigmaAprioriCaption, kSigmaAposterioriCaption, kParameterTitles,
    kCorrelationCaption, kControlPointTestCaption, kWTestLine, kTauTestLine,
    kControlPointTestTitles, kNewPointAccuracyCaption, kNewPointAccuracyTitles;
/// "-": a figure that a coordinate does not have.
extern const std::string_view kNoTestValue;
/// The global test's verdicts.
extern const std::string_view kAccepted, kRejected;

// Line formats of the sections (text/numformat.h conversions).
extern const std::string_view kSnoopingHeadFormat, kSnoopingStepFormat, kUnitWeightFormat,
    kTranslationSigmaFormat, kAngleSigmaFormat, kScaleSigmaFormat, kTestLineFormat,
    kGlobalTestFormat;

}  // namespace orthavion::texts
