#pragma once
#include "protocol/protocolwriter.h"
#include "statistics/adjustmentresult.h"

namespace orthavion {

/// Appends the check points (excluded control points with their transformed
/// coordinates and residuals), when there are any.
void AddCheckPoints(ProtocolWriter& out, const AdjustmentResult& result);

/// Appends the data-snooping steps: the points excluded in order with their
/// test values.
void AddSnooping(ProtocolWriter& out, const AdjustmentResult& result);

/// Appends the statistics sections: the accuracy of the parameters, the
/// correlation matrix, r, test value and MDB of every used control point
/// (a flagged point's line highlighted and marked " !"), the σ of the new
/// points and, with σ0, the global test.
void AddStatistics(ProtocolWriter& out, const AdjustmentResult& result);

}  // namespace orthavion
