// Orthavion: the desktop program. Creates the main window and the hidden
// about box and runs the event loop until the main window is closed.
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
  form.show();
  return app.exec();
}
