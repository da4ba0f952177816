#pragma once
// The residual plot of an adjustment result: the one mapping that the
// window, the HTML report and the printed report share, so that they always
// show the same points in the same way.

#include "report/residualplot.h"
#include "statistics/adjustmentresult.h"

namespace orthavion {

/// The plot's points for `result`, in table order: every control point at
/// its target coordinates with its residual (used points as used, excluded
/// ones as check points), flagged exactly when its test value exceeds the
/// critical value (check points have none, so they are never flagged), then
/// every new point at its transformed coordinates.
PlotInput PlotInputOf(const AdjustmentResult& result);

/// `ResidualPlotSvg(PlotInputOf(result))`; throws as that does.
std::string ResultPlotSvg(const AdjustmentResult& result);

}  // namespace orthavion
