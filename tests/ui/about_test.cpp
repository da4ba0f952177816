#include "ui/About.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <string>

#include "support/testdir.h"

namespace {

/// The file name of a program without a version record: the test program.
QString ProgramWithoutRecord() { return QCoreApplication::applicationFilePath(); }

TEST(AboutBoxTest, WindowAndControlsAsDesigned) {
  TAboutBox box(nullptr, ProgramWithoutRecord());
  EXPECT_EQ(box.objectName(), "AboutBox");
  EXPECT_EQ(box.windowTitle(), "Info");
  EXPECT_EQ(box.minimumSize(), QSize(298, 213));
  EXPECT_EQ(box.maximumSize(), QSize(298, 213));
  EXPECT_EQ(box.font().family(), "Verdana");
  EXPECT_EQ(box.font().pixelSize(), 11);

  // Labels take the size of their text: only their position is given.
  const struct {
    const char* name;
    const char* parent;
    QRect geometry;  // width and height 0: the size of the text
    const char* text;  // nullptr: not a text control
  } controls[] = {
      {"Panel1", "AboutBox", {8, 8, 281, 161}, nullptr},
      {"ProgramIcon", "Panel1", {8, 0, 46, 57}, nullptr},
      {"ProductName", "Panel1", {88, 16, 0, 0}, "Orthavion"},
      {"Version", "Panel1", {88, 40, 0, 0}, "Ver. ?"},
      {"Copyright", "Panel1", {8, 80, 0, 0}, "Copyright © 2026 Die Orthavion-Entwickler"},
      {"Internet", "Panel1", {8, 99, 0, 0}, "https://www.orthavion.example"},
      {"Comments", "Panel1", {8, 118, 0, 0}, "3D Transformation mit Quaternionen"},
      {"OKButton", "AboutBox", {111, 180, 75, 25}, "OK"},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    auto* w = box.findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), c.parent);
    if (c.geometry.width() == 0) {
      EXPECT_EQ(w->pos(), c.geometry.topLeft());
      EXPECT_GE(w->width(), w->fontMetrics().horizontalAdvance(QString::fromUtf8(c.text)));
    } else {
      EXPECT_EQ(w->geometry(), c.geometry);
    }
    if (c.text) {
      const auto* label = qobject_cast<QLabel*>(w);
      const auto* button = qobject_cast<QPushButton*>(w);
      ASSERT_TRUE(label || button);
      EXPECT_EQ((label ? label->text() : button->text()).toStdString(), c.text);
    }
  }
  EXPECT_TRUE(box.OKButton->isDefault());
  EXPECT_EQ(box.Panel1->frameShape(), QFrame::Box);
  EXPECT_EQ(box.Panel1->frameShadow(), QFrame::Sunken);
}

TEST(AboutBoxTest, VersionOfTheNamedExecutable) {
  testsupport::TestDir dir;
  const struct {
    const char* what;
    QString executable;
    std::string expected;
  } cases[] = {
      {"program without record", ProgramWithoutRecord(), "Ver. ?"},
      {"missing file", QString::fromStdString(dir.file("fehlt")), "Ver. ?"},
#ifdef ORTHAVION_GUI_PROGRAM
      {"window program", ORTHAVION_GUI_PROGRAM,
       "Ver. " + std::to_string(ORTHAVION_VERSION_MAJOR) + "." +
           std::to_string(ORTHAVION_VERSION_MINOR) + "." +
           std::to_string(ORTHAVION_VERSION_PATCH) + "." + std::to_string(ORTHAVION_VERSION_TWEAK)},
#endif
  };
  for (const auto& c : cases) {
    TAboutBox box(nullptr, c.executable);
    EXPECT_EQ(box.Version->text().toStdString(), c.expected) << c.what;
  }
  // By default the box reads the running program: here the test program.
  TAboutBox box;
  EXPECT_EQ(box.Version->text(), "Ver. ?");
}

TEST(AboutBoxTest, ShowsTheProgramPictureInItsBox) {
  TAboutBox box(nullptr, ProgramWithoutRecord());
  const QPixmap picture = box.ProgramIcon->pixmap();
  ASSERT_FALSE(picture.isNull());
  // 92 × 114 scaled to fit 46 × 57 with its proportions kept.
  EXPECT_EQ(picture.size(), QSize(46, 57));
}

TEST(AboutBoxTest, ShownBesideTheWindowInTheScreenCentreAndHiddenAgain) {
  QWidget window;
  window.setGeometry(0, 0, 200, 150);
  window.show();
  TAboutBox box(&window, ProgramWithoutRecord());
  EXPECT_FALSE(box.isVisible());

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "OK button" : "close button");
    box.show();
    ASSERT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_LE((box.geometry().center() - screen.center()).manhattanLength(), 4);
    if (round == 0)
      box.OKButton->click();
    else
      box.close();
    EXPECT_FALSE(box.isVisible());
  }
  // Shown again, the box keeps its texts.
  box.show();
  EXPECT_EQ(box.ProductName->text(), "Orthavion");
  EXPECT_EQ(box.Version->text(), "Ver. ?");
}

}  // namespace
