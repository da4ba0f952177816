// The window's command line `orthavion [START [TARGET [OBJ]]]`: which field
// each name fills, relative names made absolute against the current folder,
// and a window so opened computes the survey.
#include <gtest/gtest.h>

#include <QDir>
#include <QPlainTextEdit>
#include <filesystem>

#include "support/testdir.h"
#include "ui/Unit1.h"

using testsupport::TestDir;

namespace {

/// The window with its error box recorded instead of shown.
class QuietForm : public TForm2 {
public:
  QStringList errors;

protected:
  void ShowErrorBox(const QString& text) override { errors << text; }
};

/// Runs in `folder` as the current folder and goes back afterwards.
class CurrentFolder {
public:
  explicit CurrentFolder(const std::filesystem::path& folder) : saved_(QDir::currentPath()) {
    QDir::setCurrent(QString::fromStdString(folder.string()));
  }
  ~CurrentFolder() { QDir::setCurrent(saved_); }

private:
  QString saved_;
};

struct FieldsCase {
  const char* name;
  QStringList arguments;
  // The fields afterwards; "@" stands for the current folder.
  const char *start, *target, *obj, *transobj;
};

const FieldsCase kFields[] = {
    {"none", {}, "", "", "", ""},
    {"start only", {"/data/start.txt"}, "/data/start.txt", "", "", ""},
    {"all three, absolute",
     {"/data/start.txt", "/data/ziel.txt", "/models/haus.obj"},
     "/data/start.txt", "/data/ziel.txt", "/models/haus.obj", "/models/Transformierte.obj"},
    {"relative names", {"start.txt", "sub/ziel.txt", "./m/haus.obj"},
     "@/start.txt", "@/sub/ziel.txt", "@/./m/haus.obj", "@/./m/Transformierte.obj"},
    // ".." and doubled separators stay as the user wrote them.
    {"kept as given", {"../a//start.txt", "/x/../ziel.txt"}, "@/../a//start.txt", "/x/../ziel.txt", "", ""},
    {"an empty name skips its field", {"", "ziel.txt"}, "", "@/ziel.txt", "", ""},
    {"names beyond the third are ignored", {"/a", "/b", "/c.obj", "/d", "/e"}, "/a", "/b", "/c.obj",
     "/Transformierte.obj"},
    {"blanks and umlauts", {"Vermessung Straße/Startsystem ä.txt"},
     "@/Vermessung Straße/Startsystem ä.txt", "", "", ""},
};

TEST(CommandLineTest, NamesFillTheFieldsInOrder) {
  TestDir dir;
  const CurrentFolder in(dir.path());
  const QString current = QDir::currentPath();
  const auto expected = [&](const char* text) { return QString::fromUtf8(text).replace("@", current); };
  for (const FieldsCase& c : kFields) {
    QuietForm form;
    form.OpenFiles(c.arguments);
    EXPECT_EQ(form.Editstartsystem->text(), expected(c.start)) << c.name;
    EXPECT_EQ(form.EditZielsystem->text(), expected(c.target)) << c.name;
    EXPECT_EQ(form.EditObj->text(), expected(c.obj)) << c.name;
    EXPECT_EQ(form.EditTransobj->text(), expected(c.transobj)) << c.name;
    EXPECT_EQ(form.RichEdit1->toPlainText(), "") << c.name;  // nothing runs
  }
}

TEST(CommandLineTest, AWindowOpenedOnASurveyComputesIt) {
  // As a script would start it: in the survey's folder, with relative names.
  TestDir dir;
  testsupport::CopyExamples(dir.path());
  QuietForm form;
  {
    const CurrentFolder in(dir.path());
    form.OpenFiles({"startsystem.txt", "zielsystem.txt"});
  }
  form.ToolButton1Click();  // in another folder now
  EXPECT_EQ(form.errors, QStringList());
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Trafoprotokoll.txt"));
  EXPECT_TRUE(form.RichEdit1->toPlainText().contains("Transformierte Neupunkte"));
}

}  // namespace
