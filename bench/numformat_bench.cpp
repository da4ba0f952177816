// Speed of the OBJ vertex line, the formatter's hot path: one line per
// vertex of a model with millions of them.
#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>

#include "support/random.h"
#include "text/numformat.h"

namespace {

constexpr std::string_view kVertexLine = "%1s %14.6f %14.6f %14.6f %s";

/// Coordinates of the size of a national grid, with a varying number of
/// digits so the rounding takes every path.
std::array<double, 3072> Coordinates() {
  std::array<double, 3072> c{};
  std::mt19937_64 random(42);
  for (std::size_t i = 0; i < c.size(); i += 3) {
    c[i] = testsupport::Uniform(random, 3.2e6, 3.9e6);       // east
    c[i + 1] = testsupport::Uniform(random, 5.2e6, 6.1e6);   // north
    c[i + 2] = testsupport::Uniform(random, -20.0, 3000.0);  // up
  }
  return c;
}

void BM_VertexLine(benchmark::State& state) {
  const std::array<double, 3072> c = Coordinates();
  std::string line;
  std::size_t i = 0;
  for (auto _ : state) {
    line.clear();
    orthavion::AppendFormat(line, kVertexLine, {"v", c[i], c[i + 1], c[i + 2], ""});
    benchmark::DoNotOptimize(line.data());
    i = (i + 3) % c.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VertexLine)->Iterations(1'000'000);

}  // namespace
