#include "protocol/printlayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/fpcheck.h"

namespace orthavion {
namespace {

// A4 at 600 dots per inch, and a line height of the protocol font there.
constexpr int kWidth = 4960;
constexpr int kHeight = 7016;
constexpr int kLineHeight = 47;

/// Records the layout's calls: the operations in order, and every text
/// drawn with the page it is on.
class RecordingSurface final : public DrawingSurface {
public:
  struct Drawn {
    int page;
    int x, y;
    std::string text;
  };

  int PrintableWidth() const override { return kWidth; }
  int PrintableHeight() const override { return kHeight; }
  void BeginJob() override { calls.push_back("BeginJob"); }
  void SetTransparentTextBackground() override { calls.push_back("TransparentText"); }
  void SetProtocolFont() override { calls.push_back("ProtocolFont"); }
  int TextHeight(std::string_view) override { return kLineHeight; }
  void DrawText(int x, int y, std::string_view text) override {
    calls.push_back("DrawText");
    drawn.push_back({page, x, y, std::string(text)});
  }
  void NewPage() override {
    calls.push_back("NewPage");
    ++page;
  }
  void SetBrushBlack() override { calls.push_back("BrushBlack"); }
  void FrameRect(const DeviceRect& rect) override {
    calls.push_back("FrameRect");
    frames.push_back(rect);
    framePages.push_back(page);
  }
  void EndJob() override { calls.push_back("EndJob"); }

  std::vector<std::string> calls;
  std::vector<Drawn> drawn;
  std::vector<DeviceRect> frames;
  std::vector<int> framePages;
  int page = 0;
};

/// A protocol of `count` lines; every seventh line is empty, every fifth
/// highlighted (the highlight does not print).
Protocol Lines(int count) {
  ClearFpErrors();
  Protocol protocol;
  for (int i = 0; i < count; ++i) {
    const std::string line = i % 7 == 3 ? "" : "Zeile " + std::to_string(i + 1) + " Maßstab";
    if (i % 5 == 0)
      protocol.AddHighlighted(line);
    else
      protocol.Add(line);
  }
  return protocol;
}

struct LayoutCase {
  int lines;
  std::vector<int> linesPerPage;
};

TEST(PrintLayoutTest, SixtyOneLinesAPageAndTheFrameOnTheLastPageWithLines) {
  const LayoutCase cases[] = {
      {1, {1}},
      {60, {60}},
      {61, {61}},          // the page is full, and no page follows for the frame alone
      {62, {61, 1}},
      {65, {61, 4}},
      {66, {61, 5}},
      {122, {61, 61}},
      {130, {61, 61, 8}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE("lines: " + std::to_string(c.lines));
    const Protocol protocol = Lines(c.lines);
    RecordingSurface surface;
    PrintLayout(protocol, surface);

    // The job's frame: set-up first, the frame last, each exactly once.
    ASSERT_GE(surface.calls.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(surface.calls.begin(), surface.calls.begin() + 3),
              (std::vector<std::string>{"BeginJob", "TransparentText", "ProtocolFont"}));
    EXPECT_EQ(std::vector<std::string>(surface.calls.end() - 3, surface.calls.end()),
              (std::vector<std::string>{"BrushBlack", "FrameRect", "EndJob"}));
    ASSERT_EQ(surface.frames.size(), 1u);
    EXPECT_EQ(surface.frames[0], (DeviceRect{200, 200, kWidth - 200, kHeight - 200}));
    EXPECT_EQ(surface.framePages[0], static_cast<int>(c.linesPerPage.size()) - 1);

    // Every line in order, on its page at its place.
    ASSERT_EQ(surface.drawn.size(), protocol.Count());
    std::vector<int> perPage(static_cast<std::size_t>(surface.page) + 1, 0);
    for (std::size_t i = 0; i < surface.drawn.size(); ++i) {
      const RecordingSurface::Drawn& d = surface.drawn[i];
      EXPECT_EQ(d.text, protocol.Line(i)) << "line " << i;
      EXPECT_EQ(d.x, 200) << "line " << i;
      EXPECT_EQ(d.y, 200 + perPage[static_cast<std::size_t>(d.page)]++ * kLineHeight)
          << "line " << i;
    }
    EXPECT_EQ(perPage, c.linesPerPage);
  }
}

TEST(PrintLayoutTest, PageBreakPositions) {
  const Protocol protocol = Lines(62);
  RecordingSurface surface;
  PrintLayout(protocol, surface);
  ASSERT_EQ(surface.drawn.size(), 62u);
  // The 61st line is the last of the first page, the 62nd the first of the next.
  EXPECT_EQ(surface.drawn[60].page, 0);
  EXPECT_EQ(surface.drawn[60].y, 200 + 60 * kLineHeight);
  EXPECT_EQ(surface.drawn[61].page, 1);
  EXPECT_EQ(surface.drawn[61].y, 200);
}

TEST(PrintLayoutTest, EmptyProtocolPrintsNothing) {
  const Protocol protocol;
  RecordingSurface surface;
  PrintLayout(protocol, surface);
  EXPECT_TRUE(surface.calls.empty());
}

}  // namespace
}  // namespace orthavion
