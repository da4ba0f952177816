// The analysis window "Auswertung" on the offscreen platform: the fifth
// toolbar button, the statistics of the plain run, a new calculation with
// unchecked points, another model or snooping against the batch program
// byte for byte, the exports against the batch program's files, the table
// (red rows, sorting, Ctrl+C), zooming, a bad σ0, and the report printed to
// PDF (page count; the plot on its page, drawn in red where flagged).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QSvgRenderer>
#include <QToolButton>
#include <cstdlib>
#include <algorithm>
#include <filesystem>

#include "support/batchrun.h"
#include "support/testdir.h"
#include "ui/AnalysisWindow.h"
#include "ui/Unit1.h"

using testsupport::CopyExamples;
using testsupport::ReadBytes;
using testsupport::RunBatch;
using testsupport::TestDir;

namespace {

/// The window with its error box recorded.
class TestForm : public TForm2 {
public:
  QStringList errors;

protected:
  void ShowErrorBox(const QString& text) override { errors << ErrorBoxText(text); }
};

/// The example survey in a folder of its own, run once with the window's
/// calculator button; the batch program runs on the same files by their
/// full names, so that the file names in the outputs agree too.
struct Survey {
  TestDir dir;
  TestForm form;
  TAnalysisWindow& analysis = *form.AnalysisWindow;

  Survey() {
    CopyExamples(dir.path());
    form.Editstartsystem->setText(QString::fromStdString(dir.file("startsystem.txt")));
    form.EditZielsystem->setText(QString::fromStdString(dir.file("zielsystem.txt")));
    form.ToolButton1->click();
  }
  /// The batch program's outputs for `options` in a folder of their own:
  /// protocol, JSON and report.
  struct Outputs {
    std::string protocol, json, report;
  };
  Outputs Batch(const std::string& options) const {
    TestDir other;
    CopyExamples(other.path());
    const testsupport::BatchResult r =
        RunBatch(other, "'" + dir.file("startsystem.txt") + "' '" + dir.file("zielsystem.txt") +
                            "' " + options + " --json r.json --report r.html");
    EXPECT_EQ(r.exitCode, 0) << options << r.err;
    // The protocol file goes beside the start file: this survey's folder.
    Outputs out{ReadBytes(dir.file("Trafoprotokoll.txt")), ReadBytes(other.file("r.json")),
                ReadBytes(other.file("r.html"))};
    std::filesystem::remove(dir.file("Trafoprotokoll.txt"));
    return out;
  }
  /// The window's JSON export of the result shown.
  std::string ExportedJson() {
    const std::string name = dir.file("window.json");
    analysis.chooseSaveFile = [&](const QString&) { return QString::fromStdString(name); };
    analysis.ExportJsonAction->trigger();
    return ReadBytes(name);
  }
  int Row(const QString& id) const {
    for (int r = 0; r < analysis.PointTable->rowCount(); ++r)
      if (analysis.PointTable->item(r, TPointTable::kId)->text() == id) return r;
    return -1;
  }
};

/// The report without its one line that depends on the clock.
std::string WithoutRunTime(std::string html) {
  const std::size_t at = html.find("<tr><th>Berechnet am</th>");
  if (at != std::string::npos) html.erase(at, html.find('\n', at) - at);
  return html;
}

TEST(AnalysisTest, TheFifthButtonIsEnabledOnlyAfterASuccessfulRun) {
  TestDir dir;
  TestForm form;
  form.show();
  EXPECT_GT(form.ToolButton5->x(), form.ToolButton4->x());
  EXPECT_EQ(form.ToolButton5->toolTip(), "Auswertung");
  EXPECT_FALSE(form.ToolButton5->icon().isNull());
  EXPECT_FALSE(form.ToolButton5->isEnabled());

  CopyExamples(dir.path());
  form.Editstartsystem->setText(QString::fromStdString(dir.file("startsystem.txt")));
  form.EditZielsystem->setText(QString::fromStdString(dir.file("zielsystem.txt")));
  form.ToolButton1->click();
  ASSERT_TRUE(form.errors.isEmpty()) << form.errors.join("\n").toStdString();
  EXPECT_TRUE(form.ToolButton5->isEnabled());
  form.ToolButton5->click();
  EXPECT_TRUE(form.AnalysisWindow->isVisible());

  // A failed run takes the result away again.
  form.EditZielsystem->setText(QString::fromStdString(dir.file("fehlt.txt")));
  form.ToolButton1->click();
  EXPECT_EQ(form.errors.size(), 1);
  EXPECT_FALSE(form.ToolButton5->isEnabled());
  EXPECT_FALSE(form.AnalysisWindow->HasResult());
}

TEST(AnalysisTest, ThePlainRunShowsTheStatisticsOfTheBatchRunWithoutOptions) {
  Survey s;
  ASSERT_TRUE(s.form.errors.isEmpty()) << s.form.errors.join("\n").toStdString();
  // The plain run's protocol file is the batch program's, untouched by the
  // statistics computed beside it.
  const std::string protocol = ReadBytes(s.dir.file("Trafoprotokoll.txt"));
  const std::string window = s.ExportedJson();
  const Survey::Outputs batch = s.Batch("");
  EXPECT_EQ(protocol, batch.protocol);
  EXPECT_EQ(window, batch.json);
  EXPECT_EQ(s.analysis.ModelBox->currentText(), "similarity7");
  EXPECT_TRUE(s.analysis.Sigma0Edit->text().isEmpty());
  // In the order of the point files until a column is sorted.
  ASSERT_EQ(s.analysis.PointTable->rowCount(), 8);
  for (int r = 0; r < 8; ++r)
    EXPECT_EQ(s.analysis.PointTable->item(r, TPointTable::kId)->text().toStdString(),
              s.analysis.Result().controlPoints[static_cast<std::size_t>(r)].id);
  EXPECT_TRUE(s.analysis.PlotView->Renderer()->isValid());
}

// A new calculation in the window against the batch program with the same
// options: the protocol file, the JSON and the report (but for its clock
// line) byte for byte.
struct RecomputeCase {
  const char* name;
  QStringList unchecked;
  const char* model;
  const char* sigma0;  // as typed into the field
  bool snooping;
  const char* batchOptions;
};

const RecomputeCase kRecomputeCases[] = {
    {"one point unchecked", {"105"}, "similarity7", "", false, "--exclude 105"},
    {"two points, listed in point order", {"107", "102"}, "similarity7", "", false,
     "--exclude 102,107"},
    {"another model and sigma0 with a decimal comma", {}, "rigid6", "0,01", false,
     "--model rigid6 --sigma0 0.01"},
    {"horizontal model, a point unchecked", {"101"}, "horizontal5", "", false,
     "--model horizontal5 --exclude 101"},
    {"snooping", {}, "similarity7", "", true, "--snooping"},
    {"snooping after an exclusion, with sigma0", {"108"}, "similarity7", "0.005", true,
     "--exclude 108 --snooping --sigma0 0.005"},
};

TEST(AnalysisTest, ANewCalculationEqualsTheBatchProgram) {
  for (const RecomputeCase& c : kRecomputeCases) {
    SCOPED_TRACE(c.name);
    Survey s;
    // Sorted by the test value first: the exclusion must not depend on the
    // order shown.
    s.analysis.PointTable->sortItems(TPointTable::kTest);
    for (const QString& id : c.unchecked) {
      const int row = s.Row(id);
      ASSERT_GE(row, 0);
      s.analysis.PointTable->item(row, TPointTable::kUse)->setCheckState(Qt::Unchecked);
    }
    s.analysis.ModelBox->setCurrentText(c.model);
    s.analysis.Sigma0Edit->setText(c.sigma0);
    (c.snooping ? s.analysis.SnoopingButton : s.analysis.RecomputeButton)->click();
    ASSERT_TRUE(s.form.errors.isEmpty()) << s.form.errors.join("\n").toStdString();

    const std::string protocol = ReadBytes(s.dir.file("Trafoprotokoll.txt"));
    const std::string json = s.ExportedJson();
    const std::string report = s.dir.file("window.html");
    s.analysis.chooseSaveFile = [&](const QString&) { return QString::fromStdString(report); };
    s.analysis.ExportHtmlAction->trigger();
    const Survey::Outputs batch = s.Batch(c.batchOptions);
    EXPECT_EQ(protocol, batch.protocol);
    EXPECT_EQ(json, batch.json);
    EXPECT_EQ(WithoutRunTime(ReadBytes(report)), WithoutRunTime(batch.report));
    // The protocol view shows the new protocol.
    const orthavion::Protocol& shown = s.form.State().protocol;
    ASSERT_GT(shown.Count(), 0u);
    EXPECT_EQ(s.form.RichEdit1->document()->blockCount(), static_cast<int>(shown.Count()));
    EXPECT_EQ(s.form.RichEdit1->document()->lastBlock().text().toStdString(),
              shown.Line(shown.Count() - 1));
    // The table shows the points left out (by hand or by snooping) unchecked.
    for (const orthavion::ControlPointResult& p : s.analysis.Result().controlPoints)
      EXPECT_EQ(s.analysis.PointTable->item(s.Row(QString::fromStdString(p.id)), 0)->checkState(),
                p.used ? Qt::Checked : Qt::Unchecked)
          << p.id;
  }
}

TEST(AnalysisTest, SnoopingExcludesThePlantedGrossError) {
  Survey s;
  s.analysis.SnoopingButton->click();
  ASSERT_TRUE(s.form.errors.isEmpty());
  ASSERT_EQ(s.analysis.Result().snooping.size(), 1u);
  EXPECT_EQ(s.analysis.Result().snooping[0].id, "105");
  EXPECT_EQ(s.analysis.PointTable->item(s.Row("105"), 0)->checkState(), Qt::Unchecked);
  // The table keeps the order of the point files, the check point included.
  EXPECT_EQ(s.Row("105"), 4);
}

TEST(AnalysisTest, TheProjStringIsSavedAndCopiedAsTheJsonHasIt) {
  Survey s;
  const std::string json = s.ExportedJson();
  const std::string name = s.dir.file("helmert.txt");
  s.analysis.chooseSaveFile = [&](const QString&) { return QString::fromStdString(name); };
  s.analysis.ExportProjAction->trigger();
  const std::string line = ReadBytes(name);
  ASSERT_TRUE(line.starts_with("+proj=helmert ") && line.ends_with("\n")) << line;
  EXPECT_NE(json.find("\"forward\":\"" + line.substr(0, line.size() - 1) + "\""), std::string::npos);
  s.analysis.CopyProjAction->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString() + "\n", line);
  // A cancelled dialog writes nothing.
  std::filesystem::remove(name);
  s.analysis.chooseSaveFile = [](const QString&) { return std::nullopt; };
  s.analysis.ExportProjAction->trigger();
  EXPECT_FALSE(std::filesystem::exists(name));
}

TEST(AnalysisTest, AnExportIntoAMissingFolderIsAnErrorAndWritesNothing) {
  Survey s;
  s.analysis.chooseSaveFile = [&](const QString&) {
    return QString::fromStdString(s.dir.file("fehlt/r.json"));
  };
  s.analysis.ExportJsonAction->trigger();
  ASSERT_EQ(s.form.errors.size(), 1);
  EXPECT_TRUE(s.form.errors[0].startsWith("Datei \"")) << s.form.errors[0].toStdString();
  EXPECT_FALSE(std::filesystem::exists(s.dir.file("fehlt")));
}

TEST(AnalysisTest, ABadSigma0IsShownAndRunsNothing) {
  for (const char* text : {"abc", "-1", "0", "1e999", "0.01m"}) {
    Survey s;
    std::filesystem::remove(s.dir.file("Trafoprotokoll.txt"));
    s.analysis.Sigma0Edit->setText(text);
    s.analysis.RecomputeButton->click();
    ASSERT_EQ(s.form.errors.size(), 1) << text;
    EXPECT_EQ(s.form.errors[0].toStdString(),
              std::string("Ungültiger Wert für sigma0: ") + text + " (eine positive Zahl in Metern)");
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("Trafoprotokoll.txt"))) << text;
    EXPECT_TRUE(s.form.ToolButton1->isEnabled());  // the wrapper enabled the controls again
  }
}

TEST(AnalysisTest, TooFewPointsKeepTheLastResultToCorrectTheChoice) {
  Survey s;
  for (const char* id : {"101", "102", "103", "104", "105", "106"})
    s.analysis.PointTable->item(s.Row(id), 0)->setCheckState(Qt::Unchecked);
  s.analysis.RecomputeButton->click();
  ASSERT_EQ(s.form.errors.size(), 1);
  EXPECT_TRUE(s.analysis.HasResult());
  EXPECT_TRUE(s.form.ToolButton5->isEnabled());
  EXPECT_TRUE(s.analysis.RecomputeButton->isEnabled());
}

TEST(AnalysisTest, TheTableSortsByNumberShowsFlaggedRowsRedAndCopiesTabSeparated) {
  Survey s;
  QTableWidget& t = *s.analysis.PointTable;
  t.sortItems(TPointTable::kTest, Qt::DescendingOrder);
  // 105 carries the largest test value, but it is negative: sorting is by
  // number, the first row the largest.
  std::vector<double> shown;
  for (int r = 0; r < t.rowCount(); ++r)
    shown.push_back(t.item(r, TPointTable::kTest)->text().toDouble());
  EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend()));
  for (int r = 0; r < t.rowCount(); ++r) {
    const bool flagged = t.item(r, TPointTable::kId)->text() == "105";
    EXPECT_EQ(t.item(r, TPointTable::kVx)->foreground().color() == QColor(Qt::red), flagged)
        << r;
  }

  t.sortItems(TPointTable::kId);
  t.clearSelection();
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(&t, &copy);
  const QStringList lines = QApplication::clipboard()->text().split('\n');
  ASSERT_EQ(lines.size(), 10);  // titles, 8 points, the empty rest after the last LF
  EXPECT_EQ(lines[0], "verwenden\tPunktnummer\tvX [m]\tvY [m]\tvZ [m]\tvS [m]\tr\tTestgröße\tMDB [m]");
  EXPECT_TRUE(lines[5].startsWith("ja\t105\t-0.0326\t0.0216\t-0.0032\t0.0392\t")) << lines[5].toStdString();

  // A selection copies just its cells, in the order shown.
  t.item(s.Row("103"), TPointTable::kId)->setSelected(true);
  t.item(s.Row("103"), TPointTable::kVs)->setSelected(true);
  t.item(s.Row("101"), TPointTable::kId)->setSelected(true);
  QApplication::sendEvent(&t, &copy);
  EXPECT_EQ(QApplication::clipboard()->text(), "101\t\n103\t0.0091\n");
}

TEST(AnalysisTest, ThePlotZoomsWithKeysAndFitsAgainWithZero) {
  Survey s;
  TPlotView& v = *s.analysis.PlotView;
  const double fitted = v.transform().m11();
  QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
  QApplication::sendEvent(&v, &plus);
  EXPECT_NEAR(v.transform().m11(), fitted * 1.25, 1e-9 * fitted);
  QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier);
  QApplication::sendEvent(&v, &minus);
  QApplication::sendEvent(&v, &minus);
  EXPECT_NEAR(v.transform().m11(), fitted / 1.25, 1e-9 * fitted);
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier);
  QApplication::sendEvent(&v, &zero);
  EXPECT_NEAR(v.transform().m11(), fitted, 1e-9 * fitted);
}

TEST(AnalysisTest, TheTabKeyWalksTheControlsInOrder) {
  Survey s;
  TAnalysisWindow& a = s.analysis;
  const QWidget* expected[] = {a.PointTable, a.ModelBox, a.Sigma0Edit, a.RecomputeButton,
                               a.SnoopingButton, a.ExportButton, a.PrintButton, a.PlotView};
  // The next widget that takes the tab key's focus.
  auto nextByTab = [](const QWidget* w) {
    QWidget* n = w->nextInFocusChain();
    while (!(n->focusPolicy() & Qt::TabFocus)) n = n->nextInFocusChain();
    return n;
  };
  for (std::size_t i = 0; i + 1 < std::size(expected); ++i)
    EXPECT_EQ(nextByTab(expected[i]), expected[i + 1]) << i;
}

bool Have(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(AnalysisTest, TheReportPrintsToPdfWithThePlotAsVectorsOnItsOwnPage) {
  if (!Have("pdfinfo") || !Have("pdftotext") || !Have("pdftoppm"))
    GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext, pdftoppm) missing: PDF not checked";
  Survey s;
  const std::string pdf = s.dir.file("bericht.pdf");
  bool asked = false;
  s.analysis.setUpPrinter = [&](QPrinter& printer) {
    asked = true;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    return true;
  };
  s.analysis.PrintButton->click();
  ASSERT_TRUE(s.form.errors.isEmpty()) << s.form.errors.join("\n").toStdString();
  ASSERT_TRUE(asked);

  const std::string info = s.dir.file("info.txt");
  ASSERT_EQ(std::system(("pdfinfo '" + pdf + "' >'" + info + "'").c_str()), 0);
  const std::string infoText = ReadBytes(info);
  const std::size_t at = infoText.find("Pages:");
  ASSERT_NE(at, std::string::npos);
  const int pages = std::atoi(infoText.c_str() + at + 6);
  // The tables of the example fill one A4 page at least; the plot has one
  // more page of its own.
  EXPECT_GE(pages, 2);

  const std::string text = s.dir.file("text.txt");
  ASSERT_EQ(std::system(("pdftotext -f 1 -l 1 '" + pdf + "' '" + text + "'").c_str()), 0);
  EXPECT_NE(ReadBytes(text).find("Transformationsbericht"), std::string::npos);
  // The plot's page holds vectors only: no picture in it.
  const std::string page = std::to_string(pages);
  const std::string images = s.dir.file("images.txt");
  if (Have("pdfimages")) {
    ASSERT_EQ(std::system(("pdfimages -list -f " + page + " -l " + page + " '" + pdf + "' >'" + images + "'").c_str()), 0);
    const std::string list = ReadBytes(images);
    // pdfimages lists a title line and a rule, then one line per picture.
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 2) << list;
  }

  // The flagged point is drawn in red on the plot's page.
  const std::string png = s.dir.file("last");
  ASSERT_EQ(std::system(("pdftoppm -r 50 -png -f " + page + " -l " + page + " -singlefile '" + pdf + "' '" + png + "'").c_str()), 0);
  const QImage image(QString::fromStdString(png + ".png"));
  ASSERT_FALSE(image.isNull());
  int red = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
    }
  EXPECT_GT(red, 3);
  // The plot's page is no blank page: the plan, its labels and legend.
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(dark, 500);
}

TEST(AnalysisTest, ACancelledPrintDialogPrintsNothing) {
  Survey s;
  s.analysis.setUpPrinter = [](QPrinter&) { return false; };
  s.analysis.PrintButton->click();
  EXPECT_TRUE(s.form.errors.isEmpty());
}

}  // namespace
