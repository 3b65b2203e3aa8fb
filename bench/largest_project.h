// The largest project the tables hold, for the benchmarks: 119 girder lines by 119 bent
// lines on the English sample's alignment, as the bytes of its file.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "inputfile/input_file.h"

namespace kv::bench {

// The English sample with every grid filled to capacity by copies of its own lines: 133
// overrides, 119 girder lines, 119 bent lines and 117 dead-load rows. What the reading,
// writing and window benchmarks hold.
inline const std::string& FullTablesFile() {
  static const std::string bytes = [] {
    std::ifstream in(KV_SAMPLE, std::ios::binary);
    std::ostringstream sample;
    sample << in.rdbuf();
    const std::string eng = sample.str();
    auto lineOf = [&](const std::string& prefix) {
      auto at = eng.find("\r\n" + prefix) + 2;
      return eng.substr(at, eng.find("\r\n", at) + 2 - at);
    };
    std::string file = eng.substr(0, eng.find("\r\n03  1265000") + 2);
    for (int i = 0; i < 133; ++i) file += lineOf("03  1265000");
    file += lineOf("04");
    for (int i = 0; i < 119; ++i) file += lineOf(i % 2 ? "053" : "050 -120000");
    for (int i = 0; i < 119; ++i) file += lineOf("06 28000006R");
    for (int i = 0; i < 117; ++i) file += lineOf("07A1");
    file += lineOf("08");
    return file;
  }();
  return bytes;
}

// FullTablesFile written once to the temporary folder under name; its path.
inline std::string FullTablesFileAt(const std::string& name) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary) << FullTablesFile();
  return path;
}

// The English sample's alignment with both tables full: girder lines a foot apart that follow
// the control line (parallel, segmented, offset varies), bent lines every 5 ft from 125+70 to
// 131+60, over the arc, the exit spiral and the ahead tangent.
inline const std::string& LargestProjectFile() {
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

}  // namespace kv::bench
