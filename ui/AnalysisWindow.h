#pragma once
// The analysis window "Auswertung": the residual plot, the table of the
// control points with a "verwenden" check box each, the model and σ0 of a
// new calculation, data snooping, export and the printed report. It shows
// the result of the main window's last successful run and starts every
// calculation through the main window's command wrapper.

#include <QGraphicsView>
#include <QPrinter>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "text/outputfiles.h"
#include "statistics/adjustmentresult.h"
#include "statistics/adjustmentrun.h"

class QComboBox;
class QGraphicsScene;
class QGraphicsSvgItem;
class QLineEdit;
class QPushButton;
class QSvgRenderer;

/// The plot view: zooms with the mouse wheel and the keys + and - about the
/// point under the mouse; 0 fits the whole plot into the view.
class TPlotView : public QGraphicsView {
  Q_OBJECT
public:
  explicit TPlotView(QWidget* parent = nullptr);
  /// Shows the SVG document `svg` (UTF-8), fitted into the view.
  void ShowSvg(const std::string& svg);
  /// The renderer of the plot shown (for tests: what it holds).
  QSvgRenderer* Renderer() const { return renderer_; }
  /// Zooms by `factor` (> 1 enlarges).
  void Zoom(double factor);
  /// Fits the whole plot into the view.
  void FitPlot();

protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  QGraphicsScene* scene_;
  QSvgRenderer* renderer_;
  QGraphicsSvgItem* item_;
  bool fitted_ = true;  // the plot is shown whole: resizing keeps it so
};

/// The table of control points; Ctrl+C copies the selected cells, or the
/// whole table with its titles when nothing is selected, as tab-separated
/// lines.
class TPointTable : public QTableWidget {
  Q_OBJECT
public:
  using QTableWidget::QTableWidget;
  /// The text Ctrl+C puts on the clipboard.
  QString CopiedText() const;

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class TAnalysisWindow : public QWidget {
  Q_OBJECT
public:
  /// What the window asks of the main window: `run` runs a command through
  /// its wrapper (errors to the message box, controls disabled meanwhile);
  /// `adjust`, called inside such a command, runs the adjustment with the
  /// options on the files of the result shown, saves the protocol and
  /// shows the new result.
  struct Commands {
    std::function<void(const std::function<void()>&)> run;
    std::function<void(const orthavion::AdjustmentOptions&)> adjust;
  };

  TAnalysisWindow(Commands commands, QWidget* parent = nullptr);

  /// Shows `result` of a run at `runTime`: plot, table (every used point
  /// checked), model and σ0 of that run.
  void ShowResult(const orthavion::AdjustmentResult& result, const std::string& runTime);
  /// Forgets the result shown (after a failed run of the main window).
  void Clear();
  bool HasResult() const { return result_.has_value(); }
  const orthavion::AdjustmentResult& Result() const { return *result_; }

  /// The options of a new calculation from the controls: the model, the
  /// unchecked points (in point order) to exclude, the σ0 field (empty:
  /// none; a decimal point or comma) and `snooping`. Throws `Error`
  /// "Ungültiger Wert für sigma0: <text> (eine positive Zahl in Metern)".
  orthavion::AdjustmentOptions Options(bool snooping) const;

  // The modal steps, replaceable so that tests can answer them.
  /// A save dialog with `filter`; the chosen name, or nothing on cancel.
  std::function<std::optional<QString>(const QString& filter)> chooseSaveFile;
  /// The print dialog on `printer`; true when the user confirmed.
  std::function<bool(QPrinter& printer)> setUpPrinter;

  // Controls.
  TPlotView* PlotView;
  TPointTable* PointTable;
  QComboBox* ModelBox;
  QLineEdit* Sigma0Edit;
  QPushButton *RecomputeButton, *SnoopingButton, *ExportButton, *PrintButton;
  QAction *ExportJsonAction, *ExportProjAction, *CopyProjAction, *ExportHtmlAction;
  QPrinter Printer{QPrinter::HighResolution};  // keeps the print dialog's choices

  /// Table columns.
  enum Column { kUse, kId, kVx, kVy, kVz, kVs, kR, kTest, kMdb, kColumns };

public slots:
  void RecomputeClick();
  void SnoopingClick();
  void ExportJsonClick();
  void ExportProjClick();
  void CopyProjClick();
  void ExportHtmlClick();
  void PrintClick();

private:
  void FillTable(const orthavion::AdjustmentResult& result);
  void Export(const QString& filter,
              const std::function<orthavion::OutputFile(const std::string&)>& file);

  Commands commands_;
  std::optional<orthavion::AdjustmentResult> result_;
  std::string runTime_;
};
