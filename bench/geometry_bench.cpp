// Every girder-bent point of the largest project the tables hold (119 girder lines by 119
// bent lines), against reading that project's file in the same run. The plan view will
// redraw this on every keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "geometry/project_geometry.h"
#include "bench/largest_project.h"
#include "inputfile/input_file.h"

namespace {

using kv::bench::LargestProjectFile;

kv::Project LargestProject() {
  kv::Project p;
  kv::ReadInputText(LargestProjectFile(), p, {});
  return p;
}

void BM_GeometryEveryPoint(benchmark::State& state) {
  const kv::Project p = LargestProject();
  std::size_t points = 0;
  for (auto _ : state) {
    const kv::geom::ProjectGeometry g(p);
    points = g.girders().size() * g.girders().front().points.size();
    benchmark::DoNotOptimize(g.girders().back().points.back().elevation);
  }
  state.counters["points"] = double(points);
}
BENCHMARK(BM_GeometryEveryPoint)->Unit(benchmark::kMillisecond);

// The baseline: reading the same project from its bytes, as File Open does.
void BM_GeometryBaselineRead(benchmark::State& state) {
  const std::string& bytes = LargestProjectFile();
  for (auto _ : state) {
    kv::Project p;
    kv::ReadInputText(bytes, p, {});
    benchmark::DoNotOptimize(p.BentLine.rows.back().Text1);
  }
}
BENCHMARK(BM_GeometryBaselineRead)->Unit(benchmark::kMillisecond);

}  // namespace
