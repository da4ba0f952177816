#include "ui/pointtable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "report/reporttexts.h"
#include "statistics/statisticstexts.h"
#include "text/numformat.h"
#include "ui/qttext.h"
#include "ui/uitexts.h"

namespace texts = orthavion::texts;
using orthavion::ToQString;

namespace {

/// A table cell that sorts by its number, not by its text; a cell without a
/// number ("-") sorts before every number.
class NumberItem : public QTableWidgetItem {
public:
  NumberItem(const std::optional<double>& value, std::string_view format) : value_(value) {
    setText(value ? ToQString(orthavion::FormatWith('.', format, {*value})) : ToQString(texts::kNoTestValue));
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const auto* o = dynamic_cast<const NumberItem*>(&other);
    if (!o) return QTableWidgetItem::operator<(other);
    if (!value_ || !o->value_) return !value_ && o->value_;
    return *value_ < *o->value_;
  }

private:
  std::optional<double> value_;
};

/// The check-box cell of "verwenden": sorts unchecked before checked; the
/// point's index in the result is kept in it.
class UseItem : public QTableWidgetItem {
public:
  UseItem(bool used, int index) {
    setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setCheckState(used ? Qt::Checked : Qt::Unchecked);
    setData(Qt::UserRole, index);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return checkState() < other.checkState();
  }
};

double Length(const orthavion::Vec3& v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// The figure of the three coordinates the table's one column shows: the
// smallest redundancy number, the test value largest in magnitude (with its
// sign), the largest MDB; nothing when no coordinate has one.
std::optional<double> Smallest(const orthavion::Vec3& r) { return std::min({r[0], r[1], r[2]}); }
template <typename Before>
std::optional<double> First(const std::array<std::optional<double>, 3>& values, Before before) {
  std::optional<double> first;
  for (const std::optional<double>& v : values)
    if (v && (!first || before(*v, *first))) first = v;
  return first;
}
std::optional<double> LargestMagnitude(const std::array<std::optional<double>, 3>& values) {
  return First(values, [](double a, double b) { return std::fabs(a) > std::fabs(b); });
}
std::optional<double> Largest(const std::array<std::optional<double>, 3>& values) {
  return First(values, [](double a, double b) { return a > b; });
}

}  // namespace

TPointTable::TPointTable(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  const QStringList titles = {ToQString(texts::kAnalysisUse), ToQString(texts::kReportPointNumber),
                              ToQString(texts::kTitleVx), ToQString(texts::kTitleVy),
                              ToQString(texts::kTitleVz), ToQString(texts::kTitleVs),
                              ToQString(texts::kAnalysisRedundancy),
                              ToQString(texts::kReportTestValue), ToQString(texts::kAnalysisMdb)};
  setHorizontalHeaderLabels(titles);
  horizontalHeaderItem(kR)->setToolTip(ToQString(texts::kAnalysisRedundancyHint));
  horizontalHeaderItem(kTest)->setToolTip(ToQString(texts::kAnalysisTestValueHint));
  horizontalHeaderItem(kMdb)->setToolTip(ToQString(texts::kAnalysisMdbHint));
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSortingEnabled(true);
  // Unsorted until the user clicks a title: the points in the order of the
  // point files.
  horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  setTabKeyNavigation(false);  // the tab key leaves the table
}

void TPointTable::ShowPoints(const orthavion::AdjustmentResult& result) {
  setSortingEnabled(false);
  clearContents();
  setRowCount(static_cast<int>(result.controlPoints.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const orthavion::ControlPointResult& p = result.controlPoints[static_cast<std::size_t>(row)];
    std::optional<double> none;
    setItem(row, kUse, new UseItem(p.used, row));
    setItem(row, kId, new QTableWidgetItem(QString::fromStdString(p.id)));
    for (int i = 0; i < 3; ++i)
      setItem(row, kVx + i, new NumberItem(p.residual[static_cast<std::size_t>(i)], "%.4f"));
    setItem(row, kVs, new NumberItem(Length(p.residual), "%.4f"));
    setItem(row, kR, new NumberItem(p.used ? Smallest(p.redundancy) : none, "%.3f"));
    setItem(row, kTest, new NumberItem(LargestMagnitude(p.testValue), "%.2f"));
    setItem(row, kMdb, new NumberItem(Largest(p.mdb), "%.4f"));
    if (p.flagged)
      for (int c = 0; c < kColumns; ++c) item(row, c)->setForeground(Qt::red);
  }
  setSortingEnabled(true);
  resizeColumnsToContents();
}

std::vector<std::size_t> TPointTable::UncheckedPoints() const {
  std::vector<std::size_t> unchecked;
  for (int row = 0; row < rowCount(); ++row) {
    const QTableWidgetItem* use = item(row, kUse);
    if (use->checkState() != Qt::Checked)
      unchecked.push_back(static_cast<std::size_t>(use->data(Qt::UserRole).toInt()));
  }
  std::sort(unchecked.begin(), unchecked.end());
  return unchecked;
}

QString TPointTable::CopiedText() const {
  // The cells in the order shown, the check box as "ja"/"nein".
  auto cell = [this](int row, int column) {
    const QTableWidgetItem* it = item(row, column);
    if (!it) return QString();
    if (column == kUse)
      return ToQString(it->checkState() == Qt::Checked ? texts::kAnalysisUsedYes
                                                       : texts::kAnalysisUsedNo);
    return it->text();
  };
  QString text;
  const QList<QTableWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) {
    QStringList titles;
    for (int c = 0; c < columnCount(); ++c) titles << horizontalHeaderItem(c)->text();
    text = titles.join('\t') + '\n';
    for (int r = 0; r < rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < columnCount(); ++c) cells << cell(r, c);
      text += cells.join('\t') + '\n';
    }
    return text;
  }
  // The rows and columns that hold a selected cell; unselected cells among
  // them stay empty, so the columns keep their places.
  QList<int> rows, columns;
  for (const QTableWidgetItem* it : selected) {
    if (!rows.contains(it->row())) rows << it->row();
    if (!columns.contains(it->column())) columns << it->column();
  }
  std::sort(rows.begin(), rows.end());
  std::sort(columns.begin(), columns.end());
  for (int r : rows) {
    QStringList cells;
    for (int c : columns) cells << (item(r, c) && item(r, c)->isSelected() ? cell(r, c) : QString());
    text += cells.join('\t') + '\n';
  }
  return text;
}

void TPointTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(CopiedText());
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}
