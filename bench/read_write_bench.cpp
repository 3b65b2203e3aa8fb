// Reading and writing the largest file the grids hold, against a line copy of the same
// bytes: plain, and saved the safe way Save saves (its flushes are waits on the disk).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/largest_project.h"
#include "inputfile/column_map.h"
#include "inputfile/input_file.h"
#include "inputfile/process_heap.h"
#include "inputfile/safe_save.h"

namespace {

namespace fs = std::filesystem;

// The largest file the grids hold, as a file.
const std::string& LargestFile() {
  static const std::string path = kv::bench::FullTablesFileAt("kv-bench-largest.dat");
  return path;
}

void BM_ReadWriteProject(benchmark::State& state) {
  const std::string in = LargestFile();
  const std::string out = (fs::temp_directory_path() / "kv-bench-out.dat").string();
  for (auto _ : state) {
    kv::Project p;
    kv::ReadInputFile(in, p, {});
    auto r = kv::WriteInputFile(out, p, {});
    benchmark::DoNotOptimize(r.ok);
  }
}
BENCHMARK(BM_ReadWriteProject)->Unit(benchmark::kMicrosecond);

// The same read, and Save's bytes written the way the plain line copy writes its own.
void BM_ReadWriteProjectPlain(benchmark::State& state) {
  const std::string in = LargestFile();
  const std::string out = (fs::temp_directory_path() / "kv-bench-out-plain.dat").string();
  for (auto _ : state) {
    kv::Project p;
    kv::ReadInputFile(in, p, {});
    std::ofstream os(out, std::ios::binary);
    os << kv::ProjectFileBytes(p);
  }
}
BENCHMARK(BM_ReadWriteProjectPlain)->Unit(benchmark::kMicrosecond);

void BM_BaselineLineCopy(benchmark::State& state) {
  const std::string in = LargestFile();
  const std::string out = (fs::temp_directory_path() / "kv-bench-base.dat").string();
  for (auto _ : state) {
    std::ifstream is(in, std::ios::binary);
    std::ofstream os(out, std::ios::binary);
    std::string line;
    while (std::getline(is, line)) os << line << '\n';
  }
}
BENCHMARK(BM_BaselineLineCopy)->Unit(benchmark::kMicrosecond);

// The same lines saved through SafeSave, as Save writes its bytes.
void BM_BaselineLineCopySafe(benchmark::State& state) {
  const std::string in = LargestFile();
  const std::string out = (fs::temp_directory_path() / "kv-bench-base-safe.dat").string();
  for (auto _ : state) {
    std::ifstream is(in, std::ios::binary);
    std::string bytes, line;
    while (std::getline(is, line)) bytes.append(line).push_back('\n');
    benchmark::DoNotOptimize(kv::SafeSave(out, bytes).ok);
  }
}
BENCHMARK(BM_BaselineLineCopySafe)->Unit(benchmark::kMicrosecond);

const kv::Project& LargestProject() {
  static const kv::Project p = [] {
    kv::Project read;
    kv::ReadInputFile(LargestFile(), read, {});
    return read;
  }();
  return p;
}

// What every keystroke costs the column view and the editors' marks: the whole file
// with every field's place and the findings.
void BM_MapColumns(benchmark::State& state) {
  const kv::Project& p = LargestProject();
  for (auto _ : state) {
    kv::ColumnMap map = kv::MapColumns(p);
    benchmark::DoNotOptimize(map.places.data());
  }
}
BENCHMARK(BM_MapColumns)->Unit(benchmark::kMicrosecond);

// The lines alone, as Save makes them.
void BM_BaselineWriteProjectLines(benchmark::State& state) {
  const kv::Project& p = LargestProject();
  for (auto _ : state) {
    kv::LineSink lines = kv::WriteProjectLines(p);
    benchmark::DoNotOptimize(lines.lines.data());
  }
}
BENCHMARK(BM_BaselineWriteProjectLines)->Unit(benchmark::kMicrosecond);

}  // namespace

// The heap kept as the programs keep it.
int main(int argc, char** argv) {
  kv::KeepFreedHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
