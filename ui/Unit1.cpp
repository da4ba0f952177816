#include "ui/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "base/texts.h"
#include "estimation/run.h"
#include "carry/obj.h"
#include "report/htmlreport.h"
#include "run/adjustedrun.h"
#include "ui/About.h"
#include "ui/AnalysisWindow.h"
#include "ui/icons.h"
#include "ui/protocolprinter.h"
#include "ui/qttext.h"
#include "ui/uitexts.h"

using orthavion::LocalName;
using orthavion::ToQString;

namespace {

constexpr int kClientWidth = 812;
constexpr int kClientHeight = 559;
constexpr int kViewLeft = 3, kViewTop = 223, kViewWidth = 801, kViewHeight = 314;
constexpr int kStatusTop = 535;

const QString kPointFilter = "Punktdatei (P NIV X Y Z)|*.TXT|*.ASC |*.*";
const QString kObjFilter = "Modell .OBJ|*.OBJ";

/// Turns a filter of description and pattern pairs, separated by "|", into
/// the dialog's name filters. "*.*" means every file, as on Windows.
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    if (pattern == "*.*") pattern = "*";
    filters << parts[i] + " (" + pattern + ")";
  }
  return filters;
}

/// The font of the protocol view: Source Code Pro at 13 pixels, bundled
/// with the program, or the system's fixed-pitch font without it.
QFont ProtocolFont() {
  static const int id = QFontDatabase::addApplicationFont(":/fonts/SourceCodePro-Regular.ttf");
  QFont font;
  const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
  if (!families.isEmpty())
    font = QFont(families.first());
  else
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(13);
  return font;
}

}  // namespace

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

TForm2::TForm2(QWidget* parent)
    : QWidget(parent) {
  // The window's text view holds at most 64,000 characters.
  state_.protocol.SetCapacity(orthavion::Protocol::kViewCapacity);
  setWindowTitle("Orthavion - 3D Transformation");
  resize(kClientWidth, kClientHeight);
  QFont font("Tahoma");
  font.setPixelSize(11);
  setFont(font);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setGeometry(0, 0, kClientWidth, 29);
  ToolBar1->setIconSize(QSize(16, 16));
  auto toolButton = [&](const char* name, const QIcon& icon, const QString& hint) {
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setFixedSize(23, 25);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);  // the tab key moves between the fields only
    ToolBar1->addWidget(b);
    return b;
  };
  ToolButton1 = toolButton("ToolButton1", CalculatorIcon(), "Transformation berechnen");
  ToolButton3 = toolButton("ToolButton3", TexturedSurfaceIcon(), "Wavefront OBJ-Datei  transformieren");
  ToolButton2 = toolButton("ToolButton2", PrinterIcon(), "Drucken");
  ToolButton4 = toolButton("ToolButton4", QuestionMarkIcon(), QString());
  ToolButton5 =
      toolButton("ToolButton5", AnalysisIcon(), ToQString(orthavion::texts::kAnalysisHint));
  ToolButton5->setEnabled(false);
  // The print button is drawn in the marked state.
  ToolButton2->setAutoRaise(false);
  ToolButton2->setBackgroundRole(QPalette::Highlight);
  ToolButton2->setAutoFillBackground(true);

  auto label = [&](const char* name, const QString& text, int left, int top) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->move(left, top);
    l->adjustSize();
    return l;
  };
  auto edit = [&](const char* name, int top, const QString& hint) {
    auto* e = new TEdit(this);
    e->setObjectName(name);
    e->setGeometry(8, top, 497, 21);
    e->setToolTip(hint);
    return e;
  };
  auto button = [&](const char* name, int top, const QString& hint) {
    auto* b = new QPushButton("...", this);
    b->setObjectName(name);
    b->setGeometry(511, top, 25, 21);
    b->setToolTip(hint);
    return b;
  };
  const QString pointHint = "Textdatei PNR NIV X Y Z Auswahl mit Doppelklick";
  const QString objHint = "Wavefront OBJ Textdatei Auswahl mit Doppeklick";
  Label3 = label("Label3", "Startsystem", 8, 35);
  Editstartsystem = edit("Editstartsystem", 56, pointHint);
  Button1 = button("Button1", 56, "Browse Punktdatei im Startsystem ");
  Label2 = label("Label2", "Zielsystem", 8, 83);
  EditZielsystem = edit("EditZielsystem", 102, pointHint);
  Button2 = button("Button2", 102, "Browse Punktdatei im Zielsystem");
  Label4 = label("Label4", "Wavefront Obj-Datei", 8, 129);
  EditObj = edit("EditObj", 148, objHint);
  Button3 = button("Button3", 148, QString());
  Label5 = label("Label5", "Transformierte Obj-Datei", 8, 175);
  EditTransobj = edit("EditTransobj", 196, objHint);
  Button4 = button("Button4", 196, QString());

  RichEdit1 = new QPlainTextEdit(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  protocolFont_ = ProtocolFont();
  RichEdit1->setFont(protocolFont_);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setGeometry(423, kStatusTop, 381, 20);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName("OpenDialog1");
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName("SaveDialog1");
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);

  setTabOrder(Editstartsystem, EditZielsystem);
  setTabOrder(EditZielsystem, Button1);
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, RichEdit1);
  setTabOrder(RichEdit1, EditObj);
  setTabOrder(EditObj, Button3);
  setTabOrder(Button3, EditTransobj);
  setTabOrder(EditTransobj, Button4);

  connect(ToolButton1, &QToolButton::clicked, this, &TForm2::ToolButton1Click);
  connect(ToolButton3, &QToolButton::clicked, this, &TForm2::ToolButton3Click);
  connect(ToolButton2, &QToolButton::clicked, this, &TForm2::ToolButton2Click);
  connect(ToolButton4, &QToolButton::clicked, this, &TForm2::ToolButton4Click);
  connect(ToolButton5, &QToolButton::clicked, this, &TForm2::ToolButton5Click);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
  connect(Editstartsystem, &TEdit::doubleClicked, this, &TForm2::Button1Click);
  connect(EditZielsystem, &TEdit::doubleClicked, this, &TForm2::Button2Click);
  connect(EditObj, &TEdit::doubleClicked, this, &TForm2::Button3Click);
  connect(EditTransobj, &TEdit::doubleClicked, this, &TForm2::Button4Click);
  connect(EditObj, &QLineEdit::textChanged, this, &TForm2::EditObjChange);

  // Returning from another program does not count as the window becoming
  // active; returning from a window of this program (the about box) does.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive) returningFromOtherProgram_ = true;
  });

  AnalysisWindow = new TAnalysisWindow(
      {[this](const std::function<void()>& command) { RunCommand(command); },
       [this](const orthavion::AdjustmentOptions& options) { Adjust(options); }},
      this);

  state_.protocol.SetListener([this](std::size_t index) { AppendProtocolLine(index); });
  resizeEvent(nullptr);
}

TForm2::~TForm2() { state_.protocol.SetListener(nullptr); }

void TForm2::resizeEvent(QResizeEvent* event) {
  if (event) QWidget::resizeEvent(event);
  // The protocol view is tied to all four edges, the status bar to the left
  // and bottom edges; everything else keeps its place at the top left.
  ToolBar1->setGeometry(0, 0, width(), 29);
  RichEdit1->setGeometry(kViewLeft, kViewTop, width() - (kClientWidth - kViewWidth),
                         height() - (kClientHeight - kViewHeight));
  StatusBar1->setGeometry(0, height() - (kClientHeight - kStatusTop), 417, 25);
}

bool TForm2::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    const bool fromOtherProgram = returningFromOtherProgram_ && activatedBefore_;
    returningFromOtherProgram_ = false;
    activatedBefore_ = true;
    if (!fromOtherProgram) FormActivate();
  }
  return QWidget::event(event);
}

void TForm2::closeEvent(QCloseEvent* event) {
  // A run lets events run while it reads the target file; the window must
  // outlive it.
  if (running_)
    event->ignore();
  else
    QWidget::closeEvent(event);
}

void TForm2::FormActivate() { orthavion::SetDecimalSeparator('.'); }

QString TForm2::ErrorBoxText(const QString& text) {
  if (!text.isEmpty()) {
    const uint last = text.back().isLowSurrogate() && text.size() > 1
                          ? QChar::surrogateToUcs4(text[text.size() - 2], text.back())
                          : text.back().unicode();
    if (last > uint('.')) return text + ".";
  }
  return text;
}

void TForm2::ShowErrorBox(const QString& text) {
  QMessageBox box(QMessageBox::Critical, "Orthavion", ErrorBoxText(text), QMessageBox::Ok, this);
  box.exec();
}

bool TForm2::AskYesNo(const QString& question) {
  return QMessageBox::question(this, "Orthavion", question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QString> TForm2::RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

void TForm2::ChooseFile(QFileDialog& dialog, const QString& filter, TEdit& field) {
  dialog.setNameFilters(NameFilters(filter));
  if (const auto chosen = RunFileDialog(dialog)) {
    field.setText(*chosen);
    // The open dialog offers the name last chosen with it the next time.
    dialog.selectFile(*chosen);
  }
}

void TForm2::Button1Click() { ChooseFile(*OpenDialog1, kPointFilter, *Editstartsystem); }
void TForm2::Button2Click() { ChooseFile(*OpenDialog1, kPointFilter, *EditZielsystem); }
void TForm2::Button3Click() { ChooseFile(*OpenDialog1, kObjFilter, *EditObj); }
void TForm2::Button4Click() { ChooseFile(*SaveDialog1, kObjFilter, *EditTransobj); }

void TForm2::EditObjChange() {
  // The folder part of the input name, up to and including its last
  // separator, then "Transformierte.obj".
  const QString name = EditObj->text();
  const qsizetype slash = name.lastIndexOf('/');
  EditTransobj->setText(name.left(slash + 1) + "Transformierte.obj");
}

void TForm2::OpenFiles(const QStringList& names) {
  TEdit* const fields[] = {Editstartsystem, EditZielsystem, EditObj};
  const QDir current = QDir::current();
  for (qsizetype i = 0; i < names.size() && i < qsizetype(std::size(fields)); ++i)
    if (!names[i].isEmpty()) fields[i]->setText(current.absoluteFilePath(names[i]));
}

void TForm2::SetStatusText(const QString& text) {
  StatusBar1->showMessage(text);
  StatusBar1->repaint();
}

void TForm2::SetCommandsEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           ToolButton1, ToolButton2, ToolButton3, ToolButton4, Editstartsystem, EditZielsystem,
           EditObj, EditTransobj, Button1, Button2, Button3, Button4})
    w->setEnabled(enabled);
  ToolButton5->setEnabled(enabled && AnalysisWindow->HasResult());
  AnalysisWindow->setEnabled(enabled && AnalysisWindow->HasResult());
}

void TForm2::RunCommand(const std::function<void()>& command) {
  if (running_) return;
  running_ = true;
  SetCommandsEnabled(false);
  QString error;
  try {
    command();
  } catch (const std::exception& e) {
    error = QString::fromStdString(orthavion::CommandErrorText(e));
  }
  SetCommandsEnabled(true);
  running_ = false;
  if (!error.isNull()) ShowErrorBox(error);
}

void TForm2::AppendProtocolLine(std::size_t index) {
  const orthavion::Protocol& protocol = state_.protocol;
  QTextCharFormat format;
  format.setForeground(protocol.Highlighted(index) ? QColor(Qt::red)
                                                   : RichEdit1->palette().color(QPalette::Text));
  QTextCursor cursor(RichEdit1->document());
  cursor.movePosition(QTextCursor::End);
  if (index > 0) cursor.insertBlock(QTextBlockFormat(), format);
  cursor.insertText(ToQString(protocol.Line(index)), format);
}

void TForm2::ToolButton1Click() {
  RunCommand([this] {
    RichEdit1->clear();
    // The result of an earlier run no longer belongs to the protocol shown.
    AnalysisWindow->Clear();
    const std::time_t runTime = std::time(nullptr);
    const std::string start = LocalName(Editstartsystem->text());
    const std::string target = LocalName(EditZielsystem->text());
    orthavion::TransformationRun(state_, start, target, [] { QCoreApplication::processEvents(); });
    ShowPlainRunStatistics(start, target, runTime);
  });
}

void TForm2::ShowPlainRunStatistics(const std::string& startFile, const std::string& targetFile,
                                    std::time_t runTime) {
  // The plain run leaves its table reduced to the centroids, and the
  // statistics need the points as read: so the adjustment runs once more on
  // the same files, in a state of its own, which leaves the plain run's
  // protocol, file and transformation untouched. Its numbers are those of
  // `orthavion-batch START TARGET --json` by construction. A failure here
  // is no failure of the run: the analysis stays unavailable and the
  // status bar says why.
  orthavion::RunState scratch;
  try {
    const orthavion::AdjustmentResult result =
        orthavion::AdjustmentRun(scratch, startFile, targetFile, {});
    AnalysisWindow->ShowResult(result, orthavion::RunTimeText(runTime));
    analysisStart_ = startFile;
    analysisTarget_ = targetFile;
  } catch (const std::exception& e) {
    SetStatusText(ToQString(orthavion::texts::kAnalysisStatisticsFailedPrefix) +
                  QString::fromStdString(orthavion::CommandErrorText(e)));
  }
}

void TForm2::Adjust(const orthavion::AdjustmentOptions& options) {
  RichEdit1->clear();
  const orthavion::AdjustedRun run =
      orthavion::RunAdjustment(state_, analysisStart_, analysisTarget_, options, {},
                               [] { QCoreApplication::processEvents(); });
  AnalysisWindow->ShowResult(run.result, run.runTime);
}

void TForm2::ToolButton3Click() {
  RunCommand([this] {
    orthavion::CommandView view;
    view.status = [this](const std::string& text) { SetStatusText(QString::fromStdString(text)); };
    view.askShorten = [this] { return AskYesNo(ToQString(orthavion::texts::kAskShorten)); };
    view.progress = [this](std::int64_t position, std::int64_t maximum) {
      // The bar counts in steps of at most int range; a model of billions
      // of lines is scaled down.
      const std::int64_t scale = maximum / 1'000'000'000 + 1;
      if (!ProgressBar1->isVisible()) {
        ProgressBar1->setMinimum(0);
        ProgressBar1->show();
      }
      ProgressBar1->setMaximum(static_cast<int>(maximum / scale));
      ProgressBar1->setValue(static_cast<int>(position / scale));
      ProgressBar1->repaint();
    };
    orthavion::TransformObj(state_.TransformationInForce(), LocalName(EditObj->text()),
                            LocalName(EditTransobj->text()),
                            view);
    ProgressBar1->hide();
  });
}

void TForm2::ToolButton2Click() {
  RunCommand([this] {
    if (state_.protocol.Count() == 0) {
      SetStatusText(ToQString(orthavion::texts::kNothingToPrint));
      return;
    }
    PrintProtocol(this, PrintDialog1Printer, state_.protocol, protocolFont_);
  });
}

void TForm2::ToolButton5Click() {
  AnalysisWindow->show();
  AnalysisWindow->raise();
  AnalysisWindow->activateWindow();
}

void TForm2::ToolButton4Click() {
  AboutBox->show();
  AboutBox->raise();
  AboutBox->activateWindow();
}
