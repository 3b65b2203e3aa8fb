// The largest project the tables hold, for the benchmarks: 119 girder lines by 119 bent
// lines on the English sample's alignment, as the bytes of its file.
#pragma once

#include <string>

#include "inputfile/input_file.h"

namespace kv::bench {

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
