#pragma once
// The analysis window's table of the control points.

#include <QTableWidget>
#include <cstddef>
#include <vector>

#include "statistics/adjustmentresult.h"

/// The table of the control points of a result: a "verwenden" check box,
/// vX vY vZ vS, the smallest redundancy number, the test value largest in
/// magnitude and the largest MDB of each point; flagged points in red;
/// sortable by any column, in the order of the point files until a column
/// is sorted. Ctrl+C copies the selected cells, or the whole table with its
/// titles when nothing is selected, as tab-separated lines.
class TPointTable : public QTableWidget {
  Q_OBJECT
public:
  /// Table columns.
  enum Column { kUse, kId, kVx, kVy, kVz, kVs, kR, kTest, kMdb, kColumns };

  explicit TPointTable(QWidget* parent = nullptr);
  /// Shows the control points of `result`, every used point checked.
  void ShowPoints(const orthavion::AdjustmentResult& result);
  /// The points whose box is unchecked, as indices into the control points
  /// of the result shown, ascending whatever the sort.
  std::vector<std::size_t> UncheckedPoints() const;
  /// The text Ctrl+C puts on the clipboard.
  QString CopiedText() const;

protected:
  void keyPressEvent(QKeyEvent* event) override;
};
