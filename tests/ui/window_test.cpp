// The main window: its controls against the table of the window, the output
// name rule, the error box text, the separator on activation, and the
// commands driven through the toolbar on fixture files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <clocale>
#include <deque>
#include <filesystem>

#include "base/decimalseparator.h"
#include "support/batchrun.h"
#include "support/testdir.h"
#include "ui/About.h"
#include "ui/Unit1.h"

using testsupport::CopyExamples;
using testsupport::ReadBytes;
using testsupport::TestDir;

namespace {

/// The window with its modal steps answered by the test.
class TestForm : public TForm2 {
public:
  std::deque<std::optional<QString>> fileAnswers;  // one per file dialog
  bool yes = false;                                 // the Yes/No answer
  QStringList questions, errors;

protected:
  std::optional<QString> RunFileDialog(QFileDialog& dialog) override {
    lastDialogFilters = dialog.nameFilters();
    lastDialogSelection = dialog.selectedFiles();
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  bool AskYesNo(const QString& question) override {
    questions << question;
    return yes;
  }
  void ShowErrorBox(const QString& text) override { errors << ErrorBoxText(text); }

public:
  QStringList lastDialogFilters, lastDialogSelection;
};

struct ControlRow {
  const char* name;
  QRect geometry;  // an empty size: only the position is fixed
  const char* text;
  const char* hint;
};

// The controls of the window with position, size, text and hint; the hints'
// odd blanks and spellings are the window's own.
const ControlRow kControls[] = {
    {"Label3", {8, 35, 0, 0}, "Startsystem", ""},
    {"Editstartsystem", {8, 56, 497, 21}, "", "Textdatei PNR NIV X Y Z Auswahl mit Doppelklick"},
    {"Button1", {511, 56, 25, 21}, "...", "Browse Punktdatei im Startsystem "},
    {"Label2", {8, 83, 0, 0}, "Zielsystem", ""},
    {"EditZielsystem", {8, 102, 497, 21}, "", "Textdatei PNR NIV X Y Z Auswahl mit Doppelklick"},
    {"Button2", {511, 102, 25, 21}, "...", "Browse Punktdatei im Zielsystem"},
    {"Label4", {8, 129, 0, 0}, "Wavefront Obj-Datei", ""},
    {"EditObj", {8, 148, 497, 21}, "", "Wavefront OBJ Textdatei Auswahl mit Doppeklick"},
    {"Button3", {511, 148, 25, 21}, "...", ""},
    {"Label5", {8, 175, 0, 0}, "Transformierte Obj-Datei", ""},
    {"EditTransobj", {8, 196, 497, 21}, "", "Wavefront OBJ Textdatei Auswahl mit Doppeklick"},
    {"Button4", {511, 196, 25, 21}, "...", ""},
    {"RichEdit1", {3, 223, 801, 314}, "", ""},
    {"StatusBar1", {0, 535, 417, 25}, "", ""},
    {"ProgressBar1", {423, 535, 381, 20}, "", ""},
    {"ToolButton1", {0, 0, 23, 25}, "", "Transformation berechnen"},
    {"ToolButton3", {0, 0, 23, 25}, "", "Wavefront OBJ-Datei  transformieren"},
    {"ToolButton2", {0, 0, 23, 25}, "", "Drucken"},
    {"ToolButton4", {0, 0, 23, 25}, "", ""},
};

QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* v = qobject_cast<QPlainTextEdit*>(w)) return v->toPlainText();
  return {};
}

TEST(WindowTest, ControlsStandAsTheTableGivesThem) {
  TestForm form;
  form.show();
  EXPECT_EQ(form.windowTitle(), "Orthavion - 3D Transformation");
  EXPECT_EQ(form.size(), QSize(812, 559));
  for (const ControlRow& row : kControls) {
    auto* w = form.findChild<QWidget*>(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    if (!row.geometry.size().isEmpty() && std::string_view(row.name).starts_with("ToolButton"))
      EXPECT_EQ(w->size(), row.geometry.size()) << row.name;
    else if (!row.geometry.size().isEmpty())
      EXPECT_EQ(w->geometry(), row.geometry) << row.name;
    else
      EXPECT_EQ(w->pos(), row.geometry.topLeft()) << row.name;
    EXPECT_EQ(TextOf(w), row.text) << row.name;
    EXPECT_EQ(w->toolTip(), row.hint) << row.name;
  }
  EXPECT_FALSE(form.ProgressBar1->isVisibleTo(&form));
  // The toolbar buttons stand left to right in this order.
  EXPECT_LT(form.ToolButton1->x(), form.ToolButton3->x());
  EXPECT_LT(form.ToolButton3->x(), form.ToolButton2->x());
  EXPECT_LT(form.ToolButton2->x(), form.ToolButton4->x());
  // The protocol view: read-only but selectable, no wrapping, fixed pitch.
  EXPECT_TRUE(form.RichEdit1->isReadOnly());
  EXPECT_TRUE(form.RichEdit1->textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_EQ(form.RichEdit1->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(form.RichEdit1->font().pixelSize(), 13);
  EXPECT_TRUE(QFontInfo(form.RichEdit1->font()).fixedPitch());
}

TEST(WindowTest, TheProtocolViewGrowsWithTheWindow) {
  TestForm form;
  form.show();
  form.resize(1012, 659);
  EXPECT_EQ(form.RichEdit1->geometry(), QRect(3, 223, 1001, 414));
  EXPECT_EQ(form.StatusBar1->geometry(), QRect(0, 635, 417, 25));
  EXPECT_EQ(form.Editstartsystem->geometry(), QRect(8, 56, 497, 21));
}

TEST(WindowTest, TabOrderFollowsTheFields) {
  TestForm form;
  const QWidget* expected[] = {form.Editstartsystem, form.EditZielsystem, form.Button1,
                               form.Button2,         form.RichEdit1,      form.EditObj,
                               form.Button3,         form.EditTransobj,   form.Button4};
  auto nextByTab = [](const QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    return next;
  };
  for (std::size_t i = 0; i + 1 < std::size(expected); ++i)
    EXPECT_EQ(nextByTab(expected[i]), expected[i + 1]) << i;
}

TEST(WindowTest, EditObjChangeProposesTheOutputName) {
  struct Row {
    const char* input;
    const char* proposed;
  };
  const Row rows[] = {
      {"/home/vermessung/Modelle/Haus.obj", "/home/vermessung/Modelle/Transformierte.obj"},
      {"Haus.obj", "Transformierte.obj"},
      {"", "Transformierte.obj"},
      {"/Haus.obj", "/Transformierte.obj"},
      {"Projekt 7/Ä ö.obj", "Projekt 7/Transformierte.obj"},
  };
  TestForm form;
  for (const Row& row : rows) {
    form.EditObj->setText("x");  // a change also when the text repeats
    form.EditObj->setText(QString::fromUtf8(row.input));
    EXPECT_EQ(form.EditTransobj->text(), QString::fromUtf8(row.proposed)) << row.input;
  }
  // An output chosen first is replaced when the input is chosen after it.
  form.fileAnswers = {QString("/daten/eigene.obj"), QString("/daten/modelle/haus.obj")};
  form.Button4Click();
  EXPECT_EQ(form.EditTransobj->text(), "/daten/eigene.obj");
  form.Button3Click();
  EXPECT_EQ(form.EditTransobj->text(), "/daten/modelle/Transformierte.obj");
}

TEST(WindowTest, FileDialogsUseTheirFiltersAndRememberTheLastName) {
  TestDir dir;
  const QString start = QString::fromStdString(dir.write("start.txt", ""));
  const QString target = QString::fromStdString(dir.write("ziel.txt", ""));
  TestForm form;
  form.fileAnswers = {start, std::nullopt, target, QString::fromStdString(dir.file("haus.obj"))};
  form.Button1Click();
  EXPECT_EQ(form.Editstartsystem->text(), start);
  // The second choice's description "*.ASC " offers every file.
  EXPECT_EQ(form.lastDialogFilters, QStringList({"Punktdatei (P NIV X Y Z) (*.TXT)", "*.ASC (*)"}));
  form.Button2Click();  // cancelled: the field keeps its text
  EXPECT_EQ(form.EditZielsystem->text(), "");
  form.Button2Click();
  EXPECT_EQ(form.EditZielsystem->text(), target);
  form.Button3Click();
  EXPECT_EQ(form.lastDialogFilters, QStringList({"Modell .OBJ (*.OBJ)"}));
  EXPECT_EQ(form.lastDialogSelection.value(0), target)
      << "the open dialog offers the name last chosen with it";
}

TEST(WindowTest, ErrorBoxTextGetsAFullStopAfterCharactersAboveIt) {
  const std::pair<const char*, const char*> rows[] = {
      {"Datei nicht gefunden", "Datei nicht gefunden."},
      {"Gleitkommaüberlauf", "Gleitkommaüberlauf."},
      {"Schon zu Ende.", "Schon zu Ende."},
      {"E/A-Fehler 5", "E/A-Fehler 5."},  // '5' has a code above that of '.'
      {"Klammer)", "Klammer)"},         // ')' has a code below that of '.'
      {"Strich-", "Strich-"},
      {"Pfad/", "Pfad/."},
      {"", ""},
  };
  for (const auto& [text, shown] : rows)
    EXPECT_EQ(TForm2::ErrorBoxText(QString::fromUtf8(text)), QString::fromUtf8(shown)) << text;
}

TEST(WindowTest, ActivationSetsTheDecimalPoint) {
  TestForm form;
  orthavion::SetDecimalSeparator(',');
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&form, &activate);
  EXPECT_EQ(orthavion::DecimalSeparator(), '.');
}

TEST(WindowTest, ARunFillsTheProtocolWithConspicuousPointsInRed) {
  TestDir dir;
  CopyExamples(dir.path());
  TestForm form;
  form.Editstartsystem->setText(QString::fromStdString(dir.file("startsystem.txt")));
  form.EditZielsystem->setText(QString::fromStdString(dir.file("zielsystem.txt")));

  // While the run lets events run, every command and file control is off.
  std::vector<bool> enabledDuringRun;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : std::initializer_list<QWidget*>{form.ToolButton1, form.ToolButton2,
                                                      form.ToolButton3, form.Editstartsystem,
                                                      form.Button3})
      enabledDuringRun.push_back(w->isEnabled());
  });
  form.ToolButton1->click();

  EXPECT_TRUE(form.errors.isEmpty()) << form.errors.join("\n").toStdString();
  ASSERT_FALSE(enabledDuringRun.empty());
  EXPECT_EQ(std::count(enabledDuringRun.begin(), enabledDuringRun.end(), true), 0);
  EXPECT_TRUE(form.ToolButton1->isEnabled());

  const orthavion::Protocol& protocol = form.State().protocol;
  QTextBlock block = form.RichEdit1->document()->firstBlock();
  int red = 0;
  for (std::size_t i = 0; i < protocol.Count(); ++i, block = block.next()) {
    ASSERT_TRUE(block.isValid()) << i;
    EXPECT_EQ(block.text().toStdString(), protocol.Line(i));
    const bool isRed = block.begin() != block.end() &&
                       block.begin().fragment().charFormat().foreground().color() == QColor(Qt::red);
    EXPECT_EQ(isRed, protocol.Highlighted(i)) << i;
    red += isRed;
  }
  EXPECT_EQ(red, 1) << "the planted gross error of point 105";
  EXPECT_TRUE(std::filesystem::exists(dir.file("Trafoprotokoll.txt")));
}

TEST(WindowTest, AnErrorShowsTheBoxAndLeavesTheWindowUsable) {
  TestDir dir;
  TestForm form;
  form.Editstartsystem->setText(QString::fromStdString(dir.file("fehlt.txt")));
  form.ToolButton1->click();
  EXPECT_EQ(form.errors, QStringList({"Datei nicht gefunden."}));
  EXPECT_TRUE(form.ToolButton1->isEnabled());
  EXPECT_TRUE(form.Editstartsystem->isEnabled());
  EXPECT_EQ(form.RichEdit1->toPlainText(), "");
}

TEST(WindowTest, TheLocaleNeverShowsInTheProtocol) {
  // Qt sets the C library's numeric locale from the environment; a German
  // one (decimal comma) must not reach a single digit of the protocol.
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  TestDir dir;
  CopyExamples(dir.path());
  TestForm form;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&form, &activate);
  // Relative names, as the golden protocol was made with them.
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  form.Editstartsystem->setText("startsystem.txt");
  form.EditZielsystem->setText("zielsystem.txt");
  form.ToolButton1->click();
  std::filesystem::current_path(cwd);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_TRUE(form.errors.isEmpty());
  EXPECT_EQ(ReadBytes(dir.file("Trafoprotokoll.txt")),
            ReadBytes(ORTHAVION_TEST_DATA "/golden/example-protocol.txt"));
}

TEST(WindowTest, TheObjCommandAsksItsQuestionAndShowsItsProgress) {
  TestDir dir;
  CopyExamples(dir.path());
  const std::string model = dir.write("haus.obj", "# Haus\nv 1000 2000 100\nf 1 1 1\n");
  TestForm form;
  form.Editstartsystem->setText(QString::fromStdString(dir.file("startsystem.txt")));
  form.EditZielsystem->setText(QString::fromStdString(dir.file("zielsystem.txt")));
  form.ToolButton1->click();
  form.EditObj->setText(QString::fromStdString(model));
  form.yes = true;
  form.ToolButton3->click();
  EXPECT_TRUE(form.errors.isEmpty()) << form.errors.join("\n").toStdString();
  EXPECT_EQ(form.questions, QStringList({"Koordinaten kürzen?"}));
  EXPECT_FALSE(form.ProgressBar1->isVisibleTo(&form));
  const std::string out = ReadBytes(dir.file("Transformierte.obj"));
  EXPECT_TRUE(out.starts_with("# Haus\r\nv ")) << out;
  // Shortened: the X and Y values stay below 10000 in magnitude.
  double x = 0, y = 0;
  ASSERT_EQ(std::sscanf(out.c_str() + out.find("v "), "v %lf %lf", &x, &y), 2);
  EXPECT_LT(std::abs(x), 10000.0);
  EXPECT_LT(std::abs(y), 10000.0);
}

TEST(WindowTest, TheObjCommandBeforeAnyRunIsRefused) {
  TestDir dir;
  TestForm form;
  form.EditObj->setText(QString::fromStdString(dir.write("haus.obj", "v 1 2 3\n")));
  form.ToolButton3->click();
  ASSERT_EQ(form.errors.size(), 1);
  EXPECT_TRUE(form.questions.isEmpty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("Transformierte.obj")));
}

TEST(WindowTest, AnEmptyProtocolPrintsNothingAndSaysSo) {
  TestForm form;
  form.ToolButton2->click();
  EXPECT_TRUE(form.errors.isEmpty());
  EXPECT_EQ(form.StatusBar1->currentMessage(), "Das Protokoll ist leer: nichts zu drucken");
}

TEST(WindowTest, TheAboutButtonShowsOneBox) {
  TestForm form;
  TAboutBox about(&form);
  form.AboutBox = &about;
  form.ToolButton4->click();
  form.ToolButton4->click();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(form.findChildren<TAboutBox*>().size(), 1);
  about.OKButtonClick();
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
