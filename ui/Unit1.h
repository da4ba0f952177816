#pragma once
// The main window: four file fields, the toolbar with the four commands, the
// protocol view, a status bar and a progress bar. A thin layer over the
// core: the handlers read their fields, call the core and show the result.

#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QWidget>
#include <ctime>
#include <functional>
#include <optional>

#include "points/runstate.h"
#include "statistics/adjustmentrun.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolBar;
class QToolButton;
class TAboutBox;
class TAnalysisWindow;

/// A one-line edit field that reports double clicks.
class TEdit : public QLineEdit {
  Q_OBJECT
public:
  using QLineEdit::QLineEdit;
signals:
  void doubleClicked();

protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TForm2 : public QWidget {
  Q_OBJECT
public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  /// The run state the commands work on; it lives as long as the window.
  orthavion::RunState& State() { return state_; }

  /// Fills Editstartsystem, EditZielsystem and EditObj, in this order, from
  /// the file names of the command line `orthavion [START [TARGET [OBJ]]]`,
  /// so that a file manager or a script opens the window on a survey. A
  /// name is kept as given, a relative one is made absolute against the
  /// current folder; an empty name leaves its field empty; names beyond the
  /// third are ignored. Filling EditObj proposes EditTransobj as typing into
  /// it does. Runs no command.
  void OpenFiles(const QStringList& names);

  /// The error message box: stop icon, OK, the program's name as title; a
  /// "." is appended when the text's last character has a code greater than
  /// that of ".".
  static QString ErrorBoxText(const QString& text);

  // Controls, named as the system names them.
  QToolBar* ToolBar1;
  QToolButton *ToolButton1, *ToolButton3, *ToolButton2, *ToolButton4;
  QToolButton* ToolButton5;  ///< "Auswertung", enabled once a run has succeeded
  QLabel *Label3, *Label2, *Label4, *Label5;
  TEdit *Editstartsystem, *EditZielsystem, *EditObj, *EditTransobj;
  QPushButton *Button1, *Button2, *Button3, *Button4;
  QPlainTextEdit* RichEdit1;
  QStatusBar* StatusBar1;
  QProgressBar* ProgressBar1;
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;
  QPrinter PrintDialog1Printer{QPrinter::HighResolution};  // the printer the print dialog sets up; keeps the user's choices
  TAboutBox* AboutBox = nullptr;
  TAnalysisWindow* AnalysisWindow;

public slots:
  void ToolButton1Click();
  void ToolButton3Click();
  void ToolButton2Click();
  void ToolButton4Click();
  void ToolButton5Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void EditObjChange();
  void FormActivate();

protected:
  // The modal steps of a command, separate so that tests can answer them.
  /// Runs a file dialog; the chosen full file name, or nothing on cancel.
  virtual std::optional<QString> RunFileDialog(QFileDialog& dialog);
  /// Asks a Yes/No question (Yes the default); true for Yes.
  virtual bool AskYesNo(const QString& question);
  /// Shows an error text in the message box.
  virtual void ShowErrorBox(const QString& text);

  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  /// Inside a command: the adjustment with `options` on the files of the
  /// result the analysis window shows, its protocol saved by the run the
  /// batch program makes too (`RunAdjustment`, no further outputs); shows
  /// the new result.
  void Adjust(const orthavion::AdjustmentOptions& options);
  /// After a successful plain run: the statistics of that run (similarity7,
  /// nothing excluded) for the analysis window.
  void ShowPlainRunStatistics(const std::string& startFile, const std::string& targetFile,
                              std::time_t runTime);
  void ChooseFile(QFileDialog& dialog, const QString& filter, TEdit& field);
  /// Runs a command: errors end it and are shown in the message box; the
  /// commands and file controls are disabled while it runs.
  void RunCommand(const std::function<void()>& command);
  void SetCommandsEnabled(bool enabled);
  void AppendProtocolLine(std::size_t index);
  void SetStatusText(const QString& text);

  orthavion::RunState state_;
  std::string analysisStart_, analysisTarget_;  // the files of the result shown in AnalysisWindow
  QFont protocolFont_;
  bool running_ = false;
  bool returningFromOtherProgram_ = false;
  bool activatedBefore_ = false;
};
