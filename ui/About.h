#pragma once
// The about box: the program picture, the product name, the version of the
// program's executable, the maker, a contact address and a description.

#include <QCoreApplication>
#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

/// The one about box of the program: created hidden at start-up, shown
/// without blocking the main window (show, raise, activateWindow), hidden
/// again by its OK button or its close button; never destroyed before the
/// program ends. Its texts are filled once, on creation.
class TAboutBox : public QDialog {
  Q_OBJECT
public:
  /// Builds the box over `parent` and reads the version of `executable` (a
  /// full file name; by default the running program's executable).
  explicit TAboutBox(QWidget* parent = nullptr,
                     const QString& executable = QCoreApplication::applicationFilePath());

  // Controls, named as the system names them.
  QFrame* Panel1;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Copyright;
  QLabel* Internet;
  QLabel* Comments;
  QPushButton* OKButton;

public slots:
  /// Hides the box.
  void OKButtonClick();

private:
  /// Fills the labels: the version first (read from the executable), then
  /// the product name, the copyright line, the description and the address.
  void FormCreate();

  QString executable_;
};
