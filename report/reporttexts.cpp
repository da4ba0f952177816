#include "report/reporttexts.h"

#include "base/texts.h"

namespace orthavion::texts {

const std::string_view kPlotTitle = "Lageplan der Restklaffen";
const std::string_view kPlotAxisX = "X [m]";
const std::string_view kPlotAxisY = "Y [m]";
const std::string_view kPlotUsedPoint = "Passpunkt";
const std::string_view kPlotCheckPoint = "Kontrollpunkt (nicht verwendet)";
const std::string_view kPlotNewPoint = "Neupunkt";
const std::string_view kPlotFlagged = "Testgröße über dem kritischen Wert";
const std::string_view kPlotHeightResidual = "vZ (Balken, positiv nach oben)";

std::string PlotVectorScaleText(std::string_view length) {
  return Joined({"Restklaffen vX, vY: 1 cm ≙ ", length});
}

std::string PlotScaleBarText(std::string_view length) { return Joined({"Maßstab: ", length}); }

const std::string_view kReportTitle = "Orthavion – Transformationsbericht";
const std::string_view kReportStartFile = "Startsystem";
const std::string_view kReportTargetFile = "Zielsystem";
const std::string_view kReportModel = "Modell";
const std::string_view kReportRunTime = "Berechnet am";
const std::string_view kReportTest = "Test";
const std::string_view kReportWTest = "w-Test (Baarda, sigma0 a priori)";
const std::string_view kReportTauTest = "Tau-Test (Pope, m0 a posteriori)";
const std::string_view kReportAlpha = "Irrtumswahrscheinlichkeit Alpha";
const std::string_view kReportCriticalValue = "kritischer Wert";
const std::string_view kReportDegreesOfFreedom = "Freiheitsgrade";
const std::string_view kReportSigma0 = "sigma0 a priori [m]";
const std::string_view kReportNoSigma0 = "keines (m0 a posteriori)";
const std::string_view kReportGlobalTest = "Globaltest [vv]/sigma0² gegen Chi²(f; 0.95)";
const std::string_view kReportParameters = "Parameter";
const std::string_view kReportValue = "Wert";
const std::string_view kReportSigma = "Sigma";
const std::string_view kReportScale = "Maßstab m";
const std::string_view kReportControlPoints =
    "Passpunkte: Restklaffen, Redundanzanteile r, Testgrößen und MDB";
const std::string_view kReportPointNumber = "Punktnummer";
const std::string_view kReportFlagLegend = "! Testgröße über dem kritischen Wert";
const std::string_view kReportStep = "Schritt";
const std::string_view kReportTestValue = "Testgröße";
const std::string_view kReportNoNewPoints = "Keine Neupunkte";
const std::string_view kReportProj = "PROJ-Zeichenketten";
const std::string_view kReportProjForward = "vorwärts (Start- nach Zielsystem)";
const std::string_view kReportProjInverse = "rückwärts (Ziel- nach Startsystem)";
const std::string_view kSnoopingCaption = "Datensnooping";
const std::string_view kReportTimeFormat = "%d.%m.%Y %H:%M:%S";

const std::string_view kTitleVx = "vX [m]";
const std::string_view kTitleVy = "vY [m]";
const std::string_view kTitleVz = "vZ [m]";
const std::string_view kTitleVs = "vS [m]";
const std::string_view kTitleX = "X [m]";
const std::string_view kTitleY = "Y [m]";
const std::string_view kTitleZ = "Z [m]";
const std::string_view kTitleSx = "sX [m]";
const std::string_view kTitleSy = "sY [m]";
const std::string_view kTitleSz = "sZ [m]";
const std::string_view kTitleRx = "rX";
const std::string_view kTitleRy = "rY";
const std::string_view kTitleRz = "rZ";
const std::string_view kTitleWx = "wX";
const std::string_view kTitleWy = "wY";
const std::string_view kTitleWz = "wZ";
const std::string_view kTitleTauX = "τX";
const std::string_view kTitleTauY = "τY";
const std::string_view kTitleTauZ = "τZ";
const std::string_view kTitleMdbX = "MDB X [m]";
const std::string_view kTitleMdbY = "MDB Y [m]";
const std::string_view kTitleMdbZ = "MDB Z [m]";
const std::string_view kTitleFlag = "!";
const std::string_view kTitleTx = "tx [m]";
const std::string_view kTitleTy = "ty [m]";
const std::string_view kTitleTz = "tz [m]";
const std::string_view kTitleAngleX = "rX [gon]";
const std::string_view kTitleAngleY = "rY [gon]";
const std::string_view kTitleAngleZ = "rZ [gon]";
const std::string_view kTitleScalePpm = "m [ppm]";
const std::string_view kTitleVv = "[vv] [m²]";
const std::string_view kTitleM0 = "m0 [m]";

}  // namespace orthavion::texts
