#include "report/resultplot.h"

namespace orthavion {

PlotInput PlotInputOf(const AdjustmentResult& result) {
  PlotInput input;
  input.points.reserve(result.controlPoints.size() + result.newPoints.size());
  for (const ControlPointResult& p : result.controlPoints) {
    PlotPoint q;
    q.id = p.id;
    q.kind = p.used ? PlotPointKind::Used : PlotPointKind::Check;
    q.x = p.target[0];
    q.y = p.target[1];
    q.vx = p.residual[0];
    q.vy = p.residual[1];
    q.vz = p.residual[2];
    q.flagged = p.used && p.flagged;
    input.points.push_back(std::move(q));
  }
  for (const NewPointResult& p : result.newPoints) {
    PlotPoint q;
    q.id = p.id;
    q.kind = PlotPointKind::New;
    q.x = p.transformed[0];
    q.y = p.transformed[1];
    input.points.push_back(std::move(q));
  }
  return input;
}

std::string ResultPlotSvg(const AdjustmentResult& result) {
  return ResidualPlotSvg(PlotInputOf(result));
}

}  // namespace orthavion
