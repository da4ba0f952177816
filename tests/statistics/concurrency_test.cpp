// Adjustments are functions of their values: two on two threads at once give
// what each gives alone, line for line and bit for bit, and neither touches
// the calling thread's decimal separator.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/decimalseparator.h"
#include "base/error.h"
#include "protocol/protocolwriter.h"
#include "result/resultjson.h"
#include "statistics/adjustmentrun.h"

using namespace orthavion;

namespace {

// A uniform value in [-0.5, 0.5) from one draw of the generator, mapped by
// hand: mt19937's sequence is fixed by the standard, its distributions are not.
double Centred(std::mt19937& gen) { return (static_cast<double>(gen()) + 0.5) / 4294967296.0 - 0.5; }

// `n` control points on a site of `size` metres, carried by a turn of
// `turn` radians about Z, scale 1 + 12 ppm and a national-grid offset, with
// a few millimetres of noise, one gross error on P3 and two new points.
PointTable Survey(int n, double size, double turn, unsigned seed) {
  std::mt19937 gen(seed);
  PointTable P;
  P.ResetToCentroid();
  const double c = std::cos(turn), s = std::sin(turn), m = 1.000012;
  for (int i = 1; i <= n + 2; ++i) {
    TPunktTyp& p = P[P.SuchPunkt((i <= n ? "P" : "N") + std::to_string(i))];
    p.XS = 1000.0 + Centred(gen) * size;
    p.YS = 2000.0 + Centred(gen) * size;
    p.ZS = 100.0 + Centred(gen) * size * 0.1;
    p.IstStartsystem = true;
    if (i > n) continue;
    const double noise[3] = {0.004 * (Centred(gen) + Centred(gen)),
                             0.004 * (Centred(gen) + Centred(gen)),
                             0.004 * (Centred(gen) + Centred(gen))};
    p.XZ = 4512345.678 + m * (c * p.XS - s * p.YS) + noise[0] + (i == 3 ? 0.08 : 0.0);
    p.YZ = 5623456.789 + m * (s * p.XS + c * p.YS) + noise[1];
    p.ZZ = 312.3 + m * p.ZS + noise[2];
    p.Passpunkt = true;
  }
  return P;
}

struct ConcurrentCase {
  std::string name;
  PointTable points;
  AdjustmentOptions options;
  char separator;
};

// What one adjustment gives: its lines, the red ones marked, and the whole
// result as JSON (every double in its round-trip form).
struct Outcome {
  std::vector<std::string> lines;
  std::string json;
  std::string error;
  bool operator==(const Outcome&) const = default;
};

Outcome Adjusted(const ConcurrentCase& c) {
  Outcome o;
  Protocol protocol;
  ProtocolWriter out(protocol, c.separator);
  try {
    const AdjustmentResult r = Adjust(c.points, c.options, out);
    WriteResultJson(r, [&o](std::string_view piece) { o.json.append(piece); });
  } catch (const Error& e) {
    o.error = e.what();
  }
  for (std::size_t i = 0; i < protocol.Count(); ++i)
    o.lines.push_back((protocol.Highlighted(i) ? "! " : "  ") + std::string(protocol.Line(i)));
  return o;
}

std::vector<ConcurrentCase> Cases() {
  AdjustmentOptions snooping;
  snooping.snooping = snooping.statistics = true;
  snooping.sigma0 = 0.003;
  AdjustmentOptions horizontal;
  horizontal.model = Model::Horizontal5;
  horizontal.exclude = {"P5"};
  horizontal.statistics = true;
  AdjustmentOptions rigid;
  rigid.model = Model::Rigid6;
  AdjustmentOptions tooFew;  // an estimation that fails part-way
  tooFew.exclude = {"P1", "P2"};
  return {
      {"SnoopingWithStatisticsAndDecimalComma", Survey(300, 800.0, 0.7, 1), snooping, ','},
      {"HorizontalWithACheckPoint", Survey(40, 300.0, 2.9, 2), horizontal, '.'},
      {"RigidOnASmallSite", Survey(8, 50.0, -1.2, 3), rigid, ','},
      {"TwoControlPointsLeft", Survey(4, 100.0, 0.1, 4), tooFew, '.'},
  };
}

TEST(ConcurrencyTest, TwoAdjustmentsAtOnceGiveWhatEachGivesAlone) {
  const std::vector<ConcurrentCase> cases = Cases();
  std::vector<Outcome> alone;
  for (const ConcurrentCase& c : cases) alone.push_back(Adjusted(c));
  ASSERT_NE(alone[0].json.find(R"("snooping": [{"id":"P3")"), std::string::npos)
      << "snooping finds the planted error";
  ASSERT_TRUE(alone[0].lines.size() > 300u);
  EXPECT_EQ(alone[3].error, "Ungültige Gleitkommaoperation") << "the failing case fails alone";
  EXPECT_NE(alone[0].lines, Adjusted({"", cases[0].points, cases[0].options, '.'}).lines)
      << "the separator is the writer's";

  SetDecimalSeparator(',');
  for (std::size_t a = 0; a < cases.size(); ++a) {
    for (std::size_t b = a; b < cases.size(); ++b) {
      constexpr int kRounds = 3;
      std::array<std::vector<Outcome>, 2> got;
      std::thread first([&] {
        for (int i = 0; i < kRounds; ++i) got[0].push_back(Adjusted(cases[a]));
      });
      std::thread second([&] {
        for (int i = 0; i < kRounds; ++i) got[1].push_back(Adjusted(cases[b]));
      });
      first.join();
      second.join();
      for (int i = 0; i < kRounds; ++i) {
        EXPECT_TRUE(got[0][i] == alone[a]) << cases[a].name << " beside " << cases[b].name;
        EXPECT_TRUE(got[1][i] == alone[b]) << cases[b].name << " beside " << cases[a].name;
      }
    }
  }
  EXPECT_EQ(DecimalSeparator(), ',') << "no adjustment touched the calling thread's separator";
  SetDecimalSeparator('.');
}

// A quiet writer formats nothing, but an estimation fails at the same step
// with the same text as a written one.
TEST(ConcurrencyTest, AQuietAdjustmentFailsAsAWrittenOne) {
  for (const ConcurrentCase& c : Cases()) {
    ProtocolWriter quiet;
    std::string quietError;
    try {
      Adjust(c.points, c.options, quiet);
    } catch (const Error& e) {
      quietError = e.what();
    }
    EXPECT_EQ(quietError, Adjusted(c).error) << c.name;
  }
}

}  // namespace
