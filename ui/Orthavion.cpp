// Orthavion: the desktop program, `orthavion [START [TARGET [OBJ]]]`.
// Creates the main window and the hidden about box, fills the file fields
// from the command line and runs the event loop until the main window is
// closed.
#include <QApplication>
#include <QIcon>

#include "ui/About.h"
#include "ui/Unit1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orthavion");
  QApplication::setWindowIcon(QIcon(":/resources/orthavion.png"));

  TForm2 form;
  TAboutBox about(&form);
  form.AboutBox = &about;
  // Qt's own options (-platform, -style, ...) are already taken off.
  form.OpenFiles(QCoreApplication::arguments().mid(1));
  form.show();
  return app.exec();
}
