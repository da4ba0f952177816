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

#include "model/objtransform.h"
#include "model/objvertexrule.h"
#include "text/numformat.h"
#include "text/tokenizer.h"

namespace {

using orthavion::VertexParameters;

VertexParameters Parameters() {
  VertexParameters t{};
  const double a = 0.61;
  t.start[0] = 1250.0, t.start[1] = 2250.0, t.start[2] = 120.0;
  t.R[1][1] = std::cos(a), t.R[1][2] = -std::sin(a);
  t.R[2][1] = std::sin(a), t.R[2][2] = std::cos(a);
  t.R[3][3] = 1.0;
  for (double& m : t.scale) m = 1.0000123;
  t.offset[0] = 4512345.678, t.offset[1] = 5623456.789, t.offset[2] = 312.3;
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
  orthavion::RuleTally tally;
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
  const VertexParameters t = Parameters();
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    if (out.size() > (1 << 20)) out.clear();
    std::string_view satz = lines[i];
    const std::string_view s = orthavion::TakeField(satz);
    const double X = orthavion::GetFloat(satz), Y = orthavion::GetFloat(satz),
                 Z = orthavion::GetFloat(satz);
    double c[3];
    orthavion::CarryVertex(t, X, Y, Z, c);
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
  orthavion::RunState run;
  run.P.ResetToCentroid();
  const VertexParameters t = Parameters();
  run.P[0].XS = t.start[0], run.P[0].YS = t.start[1], run.P[0].ZS = t.start[2];
  run.P[0].XZ = t.offset[0], run.P[0].YZ = t.offset[1], run.P[0].ZZ = t.offset[2];
  run.R = t.R;
  run.M1 = t.scale[0];
  run.BeginRun();
  for (const auto part : {orthavion::TransformationPart::Centroids,
                          orthavion::TransformationPart::Rotation, orthavion::TransformationPart::Scale})
    run.Written(part);
  const orthavion::PipelineShape shape{.blockBytes = std::size_t{1} << 20,
                                       .workers = static_cast<int>(state.range(0))};
  for (auto _ : state) orthavion::TransformObj(run, in, "/dev/null", {}, shape);
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TerrainCommand)->Arg(0)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
