#pragma once
// The analysis window "Auswertung": the residual plot, the table of the
// control points with a "verwenden" check box each, the model and σ0 of a
// new calculation, data snooping, export and the printed report. It shows
// the result of the main window's last successful run and starts every
// calculation through the main window's command wrapper.

#include <QPrinter>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "text/outputfiles.h"
#include "statistics/adjustmentresult.h"
#include "statistics/adjustmentrun.h"
#include "ui/plotview.h"
#include "ui/pointtable.h"

class QComboBox;
class QLineEdit;
class QPushButton;

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

public slots:
  void RecomputeClick();
  void SnoopingClick();
  void ExportJsonClick();
  void ExportProjClick();
  void CopyProjClick();
  void ExportHtmlClick();
  void PrintClick();

private:
  void Export(const QString& filter,
              const std::function<orthavion::OutputFile(const std::string&)>& file);

  Commands commands_;
  std::optional<orthavion::AdjustmentResult> result_;
  std::string runTime_;
};
