#include "protocol/protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/fpcheck.h"
#include "support/errortext.h"

namespace orthavion {
namespace {

const std::string kFull = "Fehler beim Einfügen einer Zeile in RichEdit";

using testsupport::ErrorText;

/// `n` characters of `unit`, a one-character UTF-8 text.
std::string Repeat(std::string_view unit, std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += unit;
  return s;
}

class ProtocolTest : public ::testing::Test {
protected:
  void SetUp() override { ClearFpErrors(); }
};

TEST_F(ProtocolTest, KeepsLinesInOrderWithTheirHighlight) {
  Protocol protocol;
  protocol.Add("erste");
  protocol.AddHighlighted("rot");
  protocol.Add("");
  protocol.Add("Maßstab");
  ASSERT_EQ(protocol.Count(), 4u);
  const std::pair<std::string, bool> expected[] = {
      {"erste", false}, {"rot", true}, {"", false}, {"Maßstab", false}};
  for (std::size_t i = 0; i < protocol.Count(); ++i) {
    EXPECT_EQ(protocol.Line(i), expected[i].first);
    EXPECT_EQ(protocol.Highlighted(i), expected[i].second);
  }
  // 5 + 3 + 0 + 7 characters and one line break each.
  EXPECT_EQ(protocol.Characters(), 19u);

  protocol.Clear();
  EXPECT_EQ(protocol.Count(), 0u);
  EXPECT_EQ(protocol.Characters(), 0u);
  protocol.Add("neu");
  EXPECT_EQ(protocol.Line(0), "neu");
  EXPECT_FALSE(protocol.Highlighted(0));
}

struct CapacityRow {
  std::string name;
  std::vector<std::string> before;  // lines that fit
  std::string last;                 // the line whose append is tested
  bool fits;
};

const CapacityRow kCapacityRows[] = {
    {"one line to exactly 64000", {}, std::string(63'999, 'a'), true},
    {"one character more", {}, std::string(64'000, 'a'), false},
    {"line breaks count", {std::string(99, 'b')}, std::string(63'899, 'a'), true},
    {"line breaks count, one more", {std::string(99, 'b')}, std::string(63'900, 'a'), false},
    {"an empty line at the limit", {std::string(63'998, 'a')}, "", true},
    {"an empty line beyond the limit", {std::string(63'999, 'a')}, "", false},
    // A character of two or three bytes counts once.
    {"UTF-8 to exactly 64000", {}, Repeat("ä", 63'999), true},
    {"UTF-8 one character more", {}, Repeat("€", 64'000), false},
};

TEST_F(ProtocolTest, ViewCapacity) {
  for (const CapacityRow& row : kCapacityRows) {
    SCOPED_TRACE(row.name);
    Protocol protocol(Protocol::kViewCapacity);
    for (const std::string& line : row.before) protocol.Add(line);
    const std::string text = ErrorText([&] { protocol.AddHighlighted(row.last); });
    EXPECT_EQ(text, row.fits ? "" : kFull);
    ASSERT_EQ(protocol.Count(), row.before.size() + (row.fits ? 1 : 0));
    for (std::size_t i = 0; i < row.before.size(); ++i) EXPECT_EQ(protocol.Line(i), row.before[i]);
  }
}

TEST_F(ProtocolTest, ClearMakesRoomAgain) {
  Protocol protocol(Protocol::kViewCapacity);
  protocol.Add(std::string(63'999, 'a'));
  EXPECT_EQ(ErrorText([&] { protocol.Add(""); }), kFull);
  protocol.Clear();
  protocol.Add(std::string(63'999, 'a'));
  EXPECT_EQ(protocol.Count(), 1u);
}

TEST_F(ProtocolTest, WithoutCapacityTakesAnyNumberOfLines) {
  Protocol protocol;
  const auto line = [](std::size_t i) {
    return "Punkt " + std::to_string(i) + "        12     5432.100     1234.567      100.000";
  };
  constexpr std::size_t kLines = 100'000;
  for (std::size_t i = 0; i < kLines; ++i) protocol.Add(line(i));
  ASSERT_EQ(protocol.Count(), kLines);
  // Every line is still intact after the protocol has grown many times.
  std::size_t intact = 0;
  for (std::size_t i = 0; i < kLines; ++i) intact += protocol.Line(i) == line(i);
  EXPECT_EQ(intact, kLines);
  EXPECT_GT(protocol.Characters(), Protocol::kViewCapacity);
}

TEST_F(ProtocolTest, ListenerHearsEachLineWithItsIndex) {
  Protocol protocol(Protocol::kViewCapacity);
  std::vector<std::pair<std::size_t, std::string>> heard;
  protocol.SetListener([&](std::size_t i) { heard.emplace_back(i, protocol.Line(i)); });
  protocol.Add("a");
  protocol.AddHighlighted("b");
  EXPECT_EQ(ErrorText([&] { protocol.Add(std::string(64'000, 'c')); }), kFull);
  protocol.Clear();
  protocol.Add("d");
  const std::vector<std::pair<std::size_t, std::string>> expected = {
      {0, "a"}, {1, "b"}, {0, "d"}};  // a refused line is not heard
  EXPECT_EQ(heard, expected);
}

volatile double gZero = 0.0;
volatile double gOne = 1.0;

TEST_F(ProtocolTest, AppendReportsAPendingFloatingPointError) {
  struct Row {
    std::string name;
    void (*fault)();
    std::string text;
  };
  const Row rows[] = {
      {"0/0", [] { volatile double r = gZero / gZero; (void)r; }, "Ungültige Gleitkommaoperation"},
      {"1/0", [] { volatile double r = gOne / gZero; (void)r; }, "Gleitkommadivision durch Null"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Protocol protocol;
    protocol.Add("vorher");
    std::size_t heard = 0;
    protocol.SetListener([&](std::size_t) { ++heard; });
    row.fault();
    EXPECT_EQ(ErrorText([&] { protocol.Add("Wert"); }), row.text);
    EXPECT_EQ(protocol.Count(), 1u);
    EXPECT_EQ(heard, 0u);
    protocol.AddHighlighted("danach");  // the flags were cleared by the report
    EXPECT_EQ(protocol.Count(), 2u);
  }
}

}  // namespace
}  // namespace orthavion
