// The HTML report of the batch program rendered by a real browser: headless
// Chromium takes a screenshot, read back with QImage: not blank, the
// flagged row and point in red, the plot's lines drawn. Skipped with a
// message when Chromium is missing.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "support/batchrun.h"
#include "support/testdir.h"

namespace {

using testsupport::TestDir;

bool HaveChromium() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

TEST(HtmlRenderTest, ChromiumRendersTheReportOfTheExample) {
  if (!HaveChromium()) GTEST_SKIP() << "chromium missing: the report is not rendered";
  TestDir dir;
  testsupport::CopyExamples(dir.path());
  const testsupport::BatchResult r =
      testsupport::RunBatch(dir, "startsystem.txt zielsystem.txt --report bericht.html");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string png = dir.file("bericht.png");
  // No network, no profile of the user's: a throw-away one in the folder.
  const std::string cmd = "chromium --headless --no-sandbox --disable-gpu --no-first-run "
                          "--user-data-dir='" + dir.file("profile") + "' --screenshot='" + png +
                          "' --window-size=1200,1600 'file://" + dir.file("bericht.html") +
                          "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const QImage image(QString::fromStdString(png));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1200, 1600));
  int dark = 0, red = 0, white = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      dark += qGray(c.rgb()) < 100;
      red += c.red() > 170 && c.green() < 80 && c.blue() < 80;
      white += c.red() > 250 && c.green() > 250 && c.blue() > 250;
    }
  // Text and tables on a white page; the flagged point's row and its
  // symbol in the plot red.
  EXPECT_GT(white, image.width() * image.height() / 2);
  EXPECT_GT(dark, 5000);
  EXPECT_GT(red, 200);
}

}  // namespace
