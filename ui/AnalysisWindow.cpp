#include "ui/AnalysisWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/error.h"
#include "export/projexport.h"
#include "result/resultjson.h"
#include "report/htmlreport.h"
#include "report/resultplot.h"
#include "statistics/sigma0.h"
#include "ui/qttext.h"
#include "ui/reportprinter.h"
#include "ui/uitexts.h"

namespace texts = orthavion::texts;
using orthavion::LocalName;
using orthavion::ToQString;

TAnalysisWindow::TAnalysisWindow(Commands commands, QWidget* parent)
    : QWidget(parent, Qt::Window), commands_(std::move(commands)) {
  setObjectName("AnalysisWindow");
  setWindowTitle(ToQString(texts::kAnalysisTitle));
  resize(1200, 640);

  PlotView = new TPlotView(this);
  PlotView->setObjectName("PlotView");
  PlotView->setToolTip(ToQString(texts::kAnalysisZoomHint));

  PointTable = new TPointTable(this);
  PointTable->setObjectName("PointTable");

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
    ModelBox->addItem(ToQString(orthavion::ModelName(m)), static_cast<int>(m));
  auto* modelLabel = new QLabel(ToQString(texts::kAnalysisModel), this);
  modelLabel->setBuddy(ModelBox);

  Sigma0Edit = new QLineEdit(this);
  Sigma0Edit->setObjectName("Sigma0Edit");
  Sigma0Edit->setToolTip(ToQString(texts::kAnalysisSigma0Hint));
  Sigma0Edit->setMaximumWidth(100);
  auto* sigmaLabel = new QLabel(ToQString(texts::kAnalysisSigma0), this);
  sigmaLabel->setBuddy(Sigma0Edit);

  auto button = [this](const char* name, std::string_view text) {
    auto* b = new QPushButton(ToQString(text), this);
    b->setObjectName(name);
    return b;
  };
  RecomputeButton = button("RecomputeButton", texts::kAnalysisRecompute);
  SnoopingButton = button("SnoopingButton", texts::kAnalysisSnooping);
  ExportButton = button("ExportButton", texts::kAnalysisExport);
  PrintButton = button("PrintButton", texts::kAnalysisPrint);
  RecomputeButton->setDefault(true);

  auto* exportMenu = new QMenu(ExportButton);
  ExportJsonAction = exportMenu->addAction(ToQString(texts::kAnalysisExportJson));
  ExportProjAction = exportMenu->addAction(ToQString(texts::kAnalysisExportProj));
  CopyProjAction = exportMenu->addAction(ToQString(texts::kAnalysisCopyProj));
  ExportHtmlAction = exportMenu->addAction(ToQString(texts::kAnalysisExportHtml));
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
  PointTable->ShowPoints(result);
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

orthavion::AdjustmentOptions TAnalysisWindow::Options(bool snooping) const {
  orthavion::AdjustmentOptions options;
  options.model = static_cast<orthavion::Model>(ModelBox->currentData().toInt());
  options.snooping = snooping;
  // The unchecked points in the order of the result, whatever the sort.
  for (const std::size_t i : PointTable->UncheckedPoints())
    options.exclude.push_back(result_->controlPoints[i].id);

  const QString text = Sigma0Edit->text().trimmed();
  if (!text.isEmpty()) {
    const std::string field = text.toStdString();
    options.sigma0 = orthavion::ParseSigma0(field, orthavion::DecimalMark::PointOrComma);
    if (!options.sigma0) throw orthavion::Error(texts::BadSigma0FieldText(field));
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
  Export(ToQString(texts::kAnalysisJsonFilter),
         [this](const std::string& file) { return orthavion::ResultJsonFile(*result_, file); });
}

void TAnalysisWindow::ExportProjClick() {
  Export(ToQString(texts::kAnalysisProjFilter),
         [this](const std::string& file) { return orthavion::ProjStringFile(*result_, file); });
}

void TAnalysisWindow::CopyProjClick() {
  if (!result_) return;
  QApplication::clipboard()->setText(QString::fromStdString(orthavion::ProjStringsOf(result_->transformation).forward));
}

void TAnalysisWindow::ExportHtmlClick() {
  Export(ToQString(texts::kAnalysisHtmlFilter), [this](const std::string& file) {
    return orthavion::HtmlReportFile(*result_, runTime_, file);
  });
}

void TAnalysisWindow::PrintClick() {
  if (!result_) return;
  if (!setUpPrinter(Printer)) return;
  commands_.run([this] { orthavion::PrintReportTo(Printer, *result_, runTime_); });
}
