#include "ui/protocolprinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <cctype>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "base/fpcheck.h"
#include "support/testdir.h"

namespace orthavion {
namespace {

Protocol Lines(int count) {
  ClearFpErrors();
  Protocol protocol;
  for (int i = 0; i < count; ++i)
    protocol.Add("Punkt " + std::to_string(i + 1) + "  1234.567  -0.003");
  return protocol;
}

/// The number of page objects of a PDF file: "/Type /Page", not "/Pages".
int PdfPages(const std::string& file) {
  const std::string pdf = testsupport::ReadBytes(file);
  int pages = 0;
  for (std::size_t at = pdf.find("/Type"); at != std::string::npos;
       at = pdf.find("/Type", at + 1)) {
    const std::size_t name = pdf.find_first_not_of(" \r\n", at + 5);
    if (name != std::string::npos && pdf.compare(name, 5, "/Page") == 0 &&
        (name + 5 == pdf.size() || !std::isalpha(static_cast<unsigned char>(pdf[name + 5]))))
      ++pages;
  }
  return pages;
}

/// A printer writing a PDF file at the resolution of a real printer.
void ToPdf(QPrinter& printer, const std::string& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(file));
}

const QFont kViewFont("Source Code Pro");

template <typename F>
std::string ErrorText(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

TEST(ProtocolPrinterTest, PrintsToPdfWithSixtyOneLinesAPage) {
  const struct {
    int lines;
    int pages;
  } cases[] = {{1, 1}, {61, 1}, {62, 2}, {130, 3}};
  testsupport::TestDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE("lines: " + std::to_string(c.lines));
    const std::string file = dir.file("protokoll" + std::to_string(c.lines) + ".pdf");
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer, file);
    PrintProtocolTo(printer, Lines(c.lines), kViewFont);
    EXPECT_EQ(PdfPages(file), c.pages);
  }
}

TEST(ProtocolPrinterTest, FontAtPrinterResolutionAndAFullPageInsideTheFrame) {
  for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
    SCOPED_TRACE(QPageSize::name(paper).toStdString());
    testsupport::TestDir dir;
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer, dir.file("seite.pdf"));
    printer.setPageSize(QPageSize(paper));
    PrinterSurface surface(printer, kViewFont);
    surface.BeginJob();
    surface.SetProtocolFont();
    const int h = surface.TextHeight("Punkt");
    // 10 points at the printer's resolution; the line height of a
    // fixed-pitch font lies between 1 and 1.5 times its size.
    const double size = 10.0 * printer.resolution() / 72.0;
    EXPECT_GE(h, size);
    EXPECT_LE(h, 1.5 * size);
    // The 61 lines of a page end above the frame's bottom edge.
    EXPECT_LE(200 + 61 * h, surface.PrintableHeight() - 200);
    surface.EndJob();
  }
}

TEST(ProtocolPrinterTest, EmptyProtocolStartsNoJob) {
  testsupport::TestDir dir;
  const std::string file = dir.file("leer.pdf");
  QPrinter printer(QPrinter::HighResolution);
  ToPdf(printer, file);
  PrintProtocolTo(printer, Protocol(), kViewFont);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(ProtocolPrinterTest, JobThatCannotStartIsAnError) {
  testsupport::TestDir dir;
  const std::string file = dir.file("fehlt/protokoll.pdf");
  QPrinter printer(QPrinter::HighResolution);
  ToPdf(printer, file);
  EXPECT_EQ(ErrorText([&] { PrintProtocolTo(printer, Lines(3), kViewFont); }),
            "Die Druckdatei " + file + " kann nicht angelegt werden");
}

TEST(ProtocolPrinterTest, NoPrinterInstalled) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
  QPrinter printer(QPrinter::HighResolution);
  EXPECT_EQ(ErrorText([&] { PrintProtocolTo(printer, Lines(3), kViewFont); }),
            "Aktuell ist kein Standarddrucker ausgewählt");
}

/// Answers the print dialog once it is open: accepts or cancels it.
void AnswerPrintDialog(bool accept) {
  QTimer::singleShot(0, [accept] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "PrintDialog1");
    if (accept)
      dialog->accept();
    else
      dialog->reject();
  });
}

TEST(ProtocolPrinterTest, PrintDialogCancelledOrConfirmed) {
  testsupport::TestDir dir;
  const std::string file = dir.file("dialog.pdf");
  QPrinter printer(QPrinter::HighResolution);
  ToPdf(printer, file);
  const Protocol protocol = Lines(62);

  AnswerPrintDialog(false);
  EXPECT_FALSE(PrintProtocol(nullptr, printer, protocol, kViewFont));
  EXPECT_FALSE(std::filesystem::exists(file));

  AnswerPrintDialog(true);
  EXPECT_TRUE(PrintProtocol(nullptr, printer, protocol, kViewFont));
  EXPECT_EQ(PdfPages(file), 2);
}

}  // namespace
}  // namespace orthavion
