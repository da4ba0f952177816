#pragma once
// The report's own texts: the words of the residual plot and of the HTML
// report, and the column titles that the report and the analysis window
// share. Written once in reporttexts.cpp (see base/texts.h).

#include <string>
#include <string_view>

namespace orthavion::texts {

// The residual plot.
extern const std::string_view kPlotTitle, kPlotAxisX, kPlotAxisY, kPlotUsedPoint,
    kPlotCheckPoint, kPlotNewPoint, kPlotFlagged, kPlotHeightResidual;
/// "Restklaffen vX, vY: 1 cm ≙ <length>", e.g. "Restklaffen vX, vY: 1 cm ≙ 5 mm"
std::string PlotVectorScaleText(std::string_view length);
/// "Maßstab: <length>", the label of the scale bar, e.g. "Maßstab: 100 m"
std::string PlotScaleBarText(std::string_view length);

// The HTML report (orthavion-batch --report, the analysis window).
extern const std::string_view kReportTitle, kReportStartFile, kReportTargetFile, kReportModel,
    kReportRunTime, kReportTest, kReportWTest, kReportTauTest, kReportAlpha,
    kReportCriticalValue, kReportDegreesOfFreedom, kReportSigma0, kReportNoSigma0,
    kReportGlobalTest, kReportParameters, kReportValue, kReportSigma, kReportScale,
    kReportControlPoints, kReportPointNumber, kReportFlagLegend, kReportStep,
    kReportTestValue, kReportNoNewPoints, kReportProj, kReportProjForward, kReportProjInverse,
    kSnoopingCaption;
/// The time of a run as the report states it: "dd.mm.yyyy hh:mm:ss".
extern const std::string_view kReportTimeFormat;

// Column titles and captions of figures (report and analysis window).
extern const std::string_view kTitleVx, kTitleVy, kTitleVz, kTitleVs;
extern const std::string_view kTitleX, kTitleY, kTitleZ;
extern const std::string_view kTitleSx, kTitleSy, kTitleSz;
extern const std::string_view kTitleRx, kTitleRy, kTitleRz;
extern const std::string_view kTitleWx, kTitleWy, kTitleWz;
extern const std::string_view kTitleTauX, kTitleTauY, kTitleTauZ;
extern const std::string_view kTitleMdbX, kTitleMdbY, kTitleMdbZ;
extern const std::string_view kTitleFlag;
extern const std::string_view kTitleTx, kTitleTy, kTitleTz;
extern const std::string_view kTitleAngleX, kTitleAngleY, kTitleAngleZ;
extern const std::string_view kTitleScalePpm, kTitleVv, kTitleM0;

}  // namespace orthavion::texts
