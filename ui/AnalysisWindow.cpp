#include "ui/AnalysisWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsSvgItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QSplitter>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/error.h"
#include "base/fpcheck.h"
#include "base/texts.h"
#include "export/projexport.h"
#include "result/resultjson.h"
#include "report/htmlreport.h"
#include "report/resultplot.h"
#include "text/numformat.h"
#include "ui/reportprinter.h"

namespace texts = orthavion::texts;

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string LocalName(const QString& text) { return QFile::encodeName(text).toStdString(); }

constexpr double kZoomStep = 1.25;

/// A table cell that sorts by its number, not by its text; a cell without a
/// number ("-") sorts before every number.
class NumberItem : public QTableWidgetItem {
public:
  NumberItem(const std::optional<double>& value, std::string_view format) : value_(value) {
    setText(value ? Text(orthavion::FormatWith('.', format, {*value})) : Text(texts::kNoTestValue));
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

// The figure of the three coordinates the window's one column shows: the
// smallest redundancy number, the test value largest in magnitude (with its
// sign), the largest MDB; nothing when no coordinate has one.
std::optional<double> Smallest(const orthavion::Vec3& r) { return std::min({r[0], r[1], r[2]}); }
std::optional<double> LargestMagnitude(const std::array<std::optional<double>, 3>& values) {
  std::optional<double> best;
  for (const std::optional<double>& v : values)
    if (v && (!best || std::fabs(*v) > std::fabs(*best))) best = v;
  return best;
}

}  // namespace

// ---------------------------------------------------------------------------

TPlotView::TPlotView(QWidget* parent)
    : QGraphicsView(parent),
      scene_(new QGraphicsScene(this)),
      renderer_(new QSvgRenderer(this)),
      item_(new QGraphicsSvgItem()) {
  item_->setSharedRenderer(renderer_);
  scene_->addItem(item_);
  setScene(scene_);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setBackgroundBrush(Qt::white);
  setFocusPolicy(Qt::StrongFocus);
}

void TPlotView::ShowSvg(const std::string& svg) {
  renderer_->load(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
  item_->setSharedRenderer(renderer_);  // takes the new document's size
  scene_->setSceneRect(item_->boundingRect());
  FitPlot();
}

void TPlotView::Zoom(double factor) {
  scale(factor, factor);
  fitted_ = false;
}

void TPlotView::FitPlot() {
  resetTransform();
  fitInView(item_, Qt::KeepAspectRatio);
  fitted_ = true;
}

void TPlotView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y();
  if (steps == 0) return QGraphicsView::wheelEvent(event);
  Zoom(std::pow(kZoomStep, steps / 120.0));
  event->accept();
}

void TPlotView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus: Zoom(kZoomStep); break;
    case Qt::Key_Minus: Zoom(1 / kZoomStep); break;
    case Qt::Key_0: FitPlot(); break;
    default: return QGraphicsView::keyPressEvent(event);
  }
  event->accept();
}

void TPlotView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  if (fitted_) FitPlot();
}

// ---------------------------------------------------------------------------

QString TPointTable::CopiedText() const {
  // The cells in the order shown, the check box as "ja"/"nein".
  auto cell = [this](int row, int column) {
    const QTableWidgetItem* it = item(row, column);
    if (!it) return QString();
    if (column == TAnalysisWindow::kUse)
      return Text(it->checkState() == Qt::Checked ? texts::kAnalysisUsedYes
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

// ---------------------------------------------------------------------------

TAnalysisWindow::TAnalysisWindow(Commands commands, QWidget* parent)
    : QWidget(parent, Qt::Window), commands_(std::move(commands)) {
  setObjectName("AnalysisWindow");
  setWindowTitle(Text(texts::kAnalysisTitle));
  resize(1200, 640);

  PlotView = new TPlotView(this);
  PlotView->setObjectName("PlotView");
  PlotView->setToolTip(Text(texts::kAnalysisZoomHint));

  PointTable = new TPointTable(0, kColumns, this);
  PointTable->setObjectName("PointTable");
  const QStringList titles = {Text(texts::kAnalysisUse), Text(texts::kReportPointNumber),
                              Text(texts::kTitleVx), Text(texts::kTitleVy),
                              Text(texts::kTitleVz), Text(texts::kTitleVs),
                              Text(texts::kAnalysisRedundancy), Text(texts::kReportTestValue),
                              Text(texts::kAnalysisMdb)};
  PointTable->setHorizontalHeaderLabels(titles);
  PointTable->horizontalHeaderItem(kR)->setToolTip(Text(texts::kAnalysisRedundancyHint));
  PointTable->horizontalHeaderItem(kTest)->setToolTip(Text(texts::kAnalysisTestValueHint));
  PointTable->horizontalHeaderItem(kMdb)->setToolTip(Text(texts::kAnalysisMdbHint));
  PointTable->verticalHeader()->hide();
  PointTable->verticalHeader()->setDefaultSectionSize(PointTable->fontMetrics().height() + 6);
  PointTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PointTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
  PointTable->setSortingEnabled(true);
  // Unsorted until the user clicks a title: the points in the order of the
  // point files.
  PointTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  PointTable->setTabKeyNavigation(false);  // the tab key leaves the table

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(PlotView);
  splitter->addWidget(PointTable);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setSizes({500, 700});

  ModelBox = new QComboBox(this);
  ModelBox->setObjectName("ModelBox");
  for (orthavion::Model m : {orthavion::Model::Similarity7, orthavion::Model::Rigid6,
                             orthavion::Model::Horizontal5})
    ModelBox->addItem(Text(orthavion::ModelName(m)), static_cast<int>(m));
  auto* modelLabel = new QLabel(Text(texts::kAnalysisModel), this);
  modelLabel->setBuddy(ModelBox);

  Sigma0Edit = new QLineEdit(this);
  Sigma0Edit->setObjectName("Sigma0Edit");
  Sigma0Edit->setToolTip(Text(texts::kAnalysisSigma0Hint));
  Sigma0Edit->setMaximumWidth(100);
  auto* sigmaLabel = new QLabel(Text(texts::kAnalysisSigma0), this);
  sigmaLabel->setBuddy(Sigma0Edit);

  auto button = [this](const char* name, std::string_view text) {
    auto* b = new QPushButton(Text(text), this);
    b->setObjectName(name);
    return b;
  };
  RecomputeButton = button("RecomputeButton", texts::kAnalysisRecompute);
  SnoopingButton = button("SnoopingButton", texts::kAnalysisSnooping);
  ExportButton = button("ExportButton", texts::kAnalysisExport);
  PrintButton = button("PrintButton", texts::kAnalysisPrint);
  RecomputeButton->setDefault(true);

  auto* exportMenu = new QMenu(ExportButton);
  ExportJsonAction = exportMenu->addAction(Text(texts::kAnalysisExportJson));
  ExportProjAction = exportMenu->addAction(Text(texts::kAnalysisExportProj));
  CopyProjAction = exportMenu->addAction(Text(texts::kAnalysisCopyProj));
  ExportHtmlAction = exportMenu->addAction(Text(texts::kAnalysisExportHtml));
  ExportButton->setMenu(exportMenu);

  auto* controls = new QHBoxLayout;
  controls->addWidget(modelLabel);
  controls->addWidget(ModelBox);
  controls->addSpacing(12);
  controls->addWidget(sigmaLabel);
  controls->addWidget(Sigma0Edit);
  controls->addSpacing(12);
  controls->addWidget(RecomputeButton);
  controls->addWidget(SnoopingButton);
  controls->addStretch(1);
  controls->addWidget(ExportButton);
  controls->addWidget(PrintButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addLayout(controls);

  setTabOrder(PointTable, ModelBox);
  setTabOrder(ModelBox, Sigma0Edit);
  setTabOrder(Sigma0Edit, RecomputeButton);
  setTabOrder(RecomputeButton, SnoopingButton);
  setTabOrder(SnoopingButton, ExportButton);
  setTabOrder(ExportButton, PrintButton);
  setTabOrder(PrintButton, PlotView);

  connect(RecomputeButton, &QPushButton::clicked, this, &TAnalysisWindow::RecomputeClick);
  connect(SnoopingButton, &QPushButton::clicked, this, &TAnalysisWindow::SnoopingClick);
  connect(PrintButton, &QPushButton::clicked, this, &TAnalysisWindow::PrintClick);
  connect(ExportJsonAction, &QAction::triggered, this, &TAnalysisWindow::ExportJsonClick);
  connect(ExportProjAction, &QAction::triggered, this, &TAnalysisWindow::ExportProjClick);
  connect(CopyProjAction, &QAction::triggered, this, &TAnalysisWindow::CopyProjClick);
  connect(ExportHtmlAction, &QAction::triggered, this, &TAnalysisWindow::ExportHtmlClick);

  chooseSaveFile = [this](const QString& filter) -> std::optional<QString> {
    const QString name = QFileDialog::getSaveFileName(this, QString(), QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
  };
  setUpPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
  };
}

void TAnalysisWindow::ShowResult(const orthavion::AdjustmentResult& result,
                                 const std::string& runTime) {
  PlotView->ShowSvg(orthavion::ResultPlotSvg(result));
  FillTable(result);
  ModelBox->setCurrentIndex(ModelBox->findData(static_cast<int>(result.transformation.model)));
  // A σ0 can only come from the field, which keeps it as typed; a result
  // without one (the plain run's) empties it.
  if (!result.sigma0) Sigma0Edit->clear();
  result_ = result;
  runTime_ = runTime;
}

void TAnalysisWindow::Clear() {
  result_.reset();
  runTime_.clear();
  PointTable->setRowCount(0);
  PlotView->ShowSvg(std::string());
}

void TAnalysisWindow::FillTable(const orthavion::AdjustmentResult& result) {
  PointTable->setSortingEnabled(false);
  PointTable->clearContents();
  PointTable->setRowCount(static_cast<int>(result.controlPoints.size()));
  for (int row = 0; row < PointTable->rowCount(); ++row) {
    const orthavion::ControlPointResult& p = result.controlPoints[static_cast<std::size_t>(row)];
    std::optional<double> none;
    PointTable->setItem(row, kUse, new UseItem(p.used, row));
    PointTable->setItem(row, kId, new QTableWidgetItem(QString::fromStdString(p.id)));
    for (int i = 0; i < 3; ++i)
      PointTable->setItem(row, kVx + i, new NumberItem(p.residual[static_cast<std::size_t>(i)], "%.4f"));
    PointTable->setItem(row, kVs, new NumberItem(Length(p.residual), "%.4f"));
    PointTable->setItem(row, kR, new NumberItem(p.used ? Smallest(p.redundancy) : none, "%.3f"));
    PointTable->setItem(row, kTest, new NumberItem(LargestMagnitude(p.testValue), "%.2f"));
    std::optional<double> mdb;
    for (const std::optional<double>& m : p.mdb)
      if (m && (!mdb || *m > *mdb)) mdb = m;
    PointTable->setItem(row, kMdb, new NumberItem(mdb, "%.4f"));
    if (p.flagged)
      for (int c = 0; c < kColumns; ++c) PointTable->item(row, c)->setForeground(Qt::red);
  }
  PointTable->setSortingEnabled(true);
  PointTable->resizeColumnsToContents();
}

orthavion::AdjustmentOptions TAnalysisWindow::Options(bool snooping) const {
  orthavion::AdjustmentOptions options;
  options.model = static_cast<orthavion::Model>(ModelBox->currentData().toInt());
  options.snooping = snooping;
  // The unchecked points in the order of the result, whatever the sort.
  std::vector<bool> excluded(result_ ? result_->controlPoints.size() : 0, false);
  for (int row = 0; row < PointTable->rowCount(); ++row) {
    const QTableWidgetItem* use = PointTable->item(row, kUse);
    if (use->checkState() != Qt::Checked)
      excluded[static_cast<std::size_t>(use->data(Qt::UserRole).toInt())] = true;
  }
  for (std::size_t i = 0; i < excluded.size(); ++i)
    if (excluded[i]) options.exclude.push_back(result_->controlPoints[i].id);

  const QString text = Sigma0Edit->text().trimmed();
  if (!text.isEmpty()) {
    // A decimal point or a decimal comma; a positive, finite number of metres.
    const std::string field = QString(text).replace(',', '.').toStdString();
    double value = 0.0;
    orthavion::FpFlagsKept keep;  // the parser's flags are not the command's
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || !std::isfinite(value) ||
        !(value > 0.0))
      throw orthavion::Error(texts::BadSigma0FieldText(text.toStdString()));
    options.sigma0 = value;
  }
  return options;
}

void TAnalysisWindow::RecomputeClick() {
  if (!result_) return;
  commands_.run([this] { commands_.adjust(Options(false)); });
}

void TAnalysisWindow::SnoopingClick() {
  if (!result_) return;
  commands_.run([this] { commands_.adjust(Options(true)); });
}

void TAnalysisWindow::Export(const QString& filter,
                             const std::function<orthavion::OutputFile(const std::string&)>& file) {
  if (!result_) return;
  const std::optional<QString> name = chooseSaveFile(filter);
  if (!name) return;
  commands_.run([&] { orthavion::SaveOutputFiles({file(LocalName(*name))}); });
}

void TAnalysisWindow::ExportJsonClick() {
  Export(Text(texts::kAnalysisJsonFilter),
         [this](const std::string& file) { return orthavion::ResultJsonFile(*result_, file); });
}

void TAnalysisWindow::ExportProjClick() {
  Export(Text(texts::kAnalysisProjFilter),
         [this](const std::string& file) { return orthavion::ProjStringFile(*result_, file); });
}

void TAnalysisWindow::CopyProjClick() {
  if (!result_) return;
  QApplication::clipboard()->setText(QString::fromStdString(orthavion::ProjStringsOf(result_->transformation).forward));
}

void TAnalysisWindow::ExportHtmlClick() {
  Export(Text(texts::kAnalysisHtmlFilter), [this](const std::string& file) {
    return orthavion::HtmlReportFile(*result_, runTime_, file);
  });
}

void TAnalysisWindow::PrintClick() {
  if (!result_) return;
  if (!setUpPrinter(Printer)) return;
  commands_.run([this] { orthavion::PrintReportTo(Printer, *result_, runTime_); });
}
