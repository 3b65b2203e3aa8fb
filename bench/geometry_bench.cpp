// Every girder-bent point of the largest project the tables hold (119 girder lines by 119
// bent lines), against reading that project's file in the same run. The plan view will
// redraw this on every keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "geometry/project_geometry.h"
#include "inputfile/input_file.h"

namespace {

// The English sample's alignment with both tables full: girder lines a foot apart that follow
// the control line (parallel, segmented, offset varies), bent lines every 5 ft from 125+70 to
// 131+60, over the arc, the exit spiral and the ahead tangent.
const std::string& LargestProjectFile() {
  static const std::string bytes = [] {
    kv::Project p;
    kv::ReadInputFile(KV_SAMPLE, p, {});
    while (kv::GirderRowCount(p.GirderLine) < 119 && kv::AddGirderRow(p.GirderLine)) {
    }
    while (kv::BentRowCount(p.BentLine) < 119 && kv::AddBentRow(p.BentLine)) {
    }
    const int lineTypes[] = {0, 1, 4};
    for (int i = 0; i < kv::GirderRowCount(p.GirderLine); ++i) {
      kv::GirderRow& r = p.GirderLine.rows[i];
      kv::ChooseGirderLineType(r, lineTypes[i % 3]);
      kv::ChooseGirderInitialOffsetType(r, i % 3 == 2 ? 0 : 3);
      r.Text1 = std::to_string(i - 59);
      r.Text3 = "0";
      r.Text4 = "G" + std::to_string(i + 1);
    }
    for (int i = 0; i < kv::BentRowCount(p.BentLine); ++i) {
      kv::BentRow& r = p.BentLine.rows[i];
      kv::SelectBentDistanceType(r, 0);
      kv::SelectBentSkewType(r, 0);
      r.Text1 = std::to_string(5 * i - 30);
      r.Text7 = "L";
      r.Text4 = "B" + std::to_string(i + 1);
    }
    std::string file;
    for (const std::string& l : kv::WriteProjectLines(p).lines) file += l + "\r\n";
    return file;
  }();
  return bytes;
}

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
