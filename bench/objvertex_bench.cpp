// Single-thread cost of an OBJ vertex line: the pipeline's vertex rule
// against the line-by-line path (GetFloat and AppendFormat), and the whole
// command on a terrain with the line-by-line path and with 1 and 2 workers.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "carry/obj.h"
#include "carry/objvertexrule.h"
#include "text/numformat.h"
#include "text/tokenizer.h"

namespace {

using orthavion::Transformation;

Transformation Parameters() {
  Transformation t;
  const double a = 0.61;
  t.startCentroid = {1250.0, 2250.0, 120.0};
  t.R[0][0] = std::cos(a), t.R[0][1] = -std::sin(a);
  t.R[1][0] = std::sin(a), t.R[1][1] = std::cos(a);
  t.R[2][2] = 1.0;
  t.scale = 1.0000123;
  t.rowScale = {t.scale, t.scale, t.scale};
  t.targetCentroid = {4512345.678, 5623456.789, 312.3};
  return t;
}

/// Vertex lines of a terrain: coordinates like 1234.5678.
std::vector<std::string> TerrainLines() {
  std::vector<std::string> lines;
  char text[96];
  for (int j = 0; j < 64; ++j)
    for (int i = 0; i < 64; ++i) {
      std::snprintf(text, sizeof text, "v %.4f %.4f %.4f", 1234.5678 + 0.5 * i, 5678.1234 + 0.5 * j,
                    312.0 + 25.0 * std::sin(i * 0.011) * std::cos(j * 0.017) + (i * 7 + j) * 1e-4);
      lines.emplace_back(text);
    }
  return lines;
}

void BM_VertexRule(benchmark::State& state) {
  const std::vector<std::string> lines = TerrainLines();
  const orthavion::ObjVertexRule rule(Parameters());
  orthavion::ByteBuffer out;
  orthavion::RecordTally tally;
  std::size_t i = 0;
  for (auto _ : state) {
    if (out.size() > (1 << 20)) out.Clear();
    const std::string& line = lines[i];
    const std::size_t used = rule.Rewrite(line, true, out, tally);
    out.Append(std::string_view(line).substr(used));
    out.Append("\r\n");
    i = (i + 1) % lines.size();
  }
  benchmark::DoNotOptimize(out.data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VertexRule);

void BM_LineByLineVertex(benchmark::State& state) {
  const std::vector<std::string> lines = TerrainLines();
  const Transformation t = Parameters();
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    if (out.size() > (1 << 20)) out.clear();
    std::string_view satz = lines[i];
    const std::string_view s = orthavion::TakeField(satz);
    const double X = orthavion::GetFloat(satz), Y = orthavion::GetFloat(satz),
                 Z = orthavion::GetFloat(satz);
    const orthavion::Vec3 c = t.Apply(X, Y, Z);
    orthavion::AppendFormat(out, "%1s %14.6f %14.6f %14.6f %s", {s, c[0], c[1], c[2], satz});
    out.append("\r\n");
    i = (i + 1) % lines.size();
  }
  benchmark::DoNotOptimize(out.data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineByLineVertex);

/// A terrain of `side` x `side` vertices and two triangles per cell.
std::string WriteTerrain(const std::filesystem::path& file, int side) {
  std::ofstream out(file, std::ios::binary);
  char text[96];
  for (int j = 0; j < side; ++j)
    for (int i = 0; i < side; ++i) {
      std::snprintf(text, sizeof text, "v %.4f %.4f %.4f\n", 1234.5678 + 0.5 * i,
                    5678.1234 + 0.5 * j, 312.0 + 0.001 * ((i * 7919 + j * 104729) % 1000));
      out << text;
    }
  for (int j = 0; j + 1 < side; ++j)
    for (int i = 0; i + 1 < side; ++i) {
      const int a = j * side + i + 1;
      out << "f " << a << ' ' << a + 1 << ' ' << a + side << "\nf " << a + 1 << ' ' << a + side + 1
          << ' ' << a + side << '\n';
    }
  return file.string();
}

/// The whole command (count, read, rewrite, write to /dev/null) per vertex
/// of a 500 x 500 terrain: range(0) workers, 0 the line-by-line path.
void BM_TerrainCommand(benchmark::State& state) {
  constexpr int kSide = 500;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orthavion-bench";
  std::filesystem::create_directories(dir);
  const std::string in = WriteTerrain(dir / "terrain.obj", kSide);
  const Transformation t = Parameters();
  const orthavion::PipelineShape shape{.blockBytes = std::size_t{1} << 20,
                                       .workers = static_cast<int>(state.range(0))};
  for (auto _ : state) orthavion::TransformObj(t, in, "/dev/null", {}, shape);
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TerrainCommand)->Arg(0)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
