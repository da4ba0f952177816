#include "ui/About.h"

#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "ui/jpegimage.h"
#include "ui/versioninfo.h"

namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 213;
const char* const kPicture = ":/resources/orthavion.jpg";

/// A label at (x, y) of `parent` that takes the size of its text.
QLabel* AutoSizeLabel(const char* name, QWidget* parent, int x, int y) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->move(x, y);
  return label;
}

void SetLabelText(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

/// The program picture scaled to fit `box` with its proportions kept; a null
/// pixmap when the picture is missing or cannot be decoded.
QPixmap ProgramPicture(QSize box) {
  QFile file(kPicture);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QImage image = orthavion::DecodeJpeg(file.readAll());
  if (image.isNull()) return {};
  return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent, const QString& executable)
    : QDialog(parent), executable_(executable) {
  setObjectName("AboutBox");
  setWindowTitle("Info");
  QFont font("Verdana");
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(kClientWidth, kClientHeight);
  setModal(false);

  // A lowered outer and a raised inner bevel: the etched box.
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setGeometry(8, 8, 281, 161);

  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setGeometry(8, 0, 46, 57);
  ProgramIcon->setAlignment(Qt::AlignCenter);
  ProgramIcon->setPixmap(ProgramPicture(ProgramIcon->size()));

  ProductName = AutoSizeLabel("ProductName", Panel1, 88, 16);
  Version = AutoSizeLabel("Version", Panel1, 88, 40);
  Copyright = AutoSizeLabel("Copyright", Panel1, 8, 80);
  Internet = AutoSizeLabel("Internet", Panel1, 8, 99);
  Comments = AutoSizeLabel("Comments", Panel1, 8, 118);

  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(111, 180, 75, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

  // Opened in the centre of the screen; a position of its own also keeps
  // Qt from centring the box over its parent.
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - kClientWidth) / 2,
         area.y() + (area.height() - kClientHeight) / 2);
  }

  FormCreate();
}

void TAboutBox::FormCreate() {
  SetLabelText(Version, "Ver. " + QString::fromStdString(orthavion::GetVersionInfos(
                                      executable_.toLocal8Bit().toStdString())));
  SetLabelText(ProductName, "Orthavion");
  SetLabelText(Copyright, "Copyright © 2026 Die Orthavion-Entwickler");
  SetLabelText(Comments, "3D Transformation mit Quaternionen");
  SetLabelText(Internet, "https://www.orthavion.example");
}

void TAboutBox::OKButtonClick() { hide(); }
