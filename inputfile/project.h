// The project data model: what every editor shows, exactly as the user sees it
// (display texts, selections, check states), the grid tables, the units and the
// "&Data Entry" check marks. There is one Project; the editors are views on it.
#pragma once

#include <array>
#include <cstdint>

#include "inputfile/description_record.h"
#include "records/alignment/crosstrans_record.h"
#include "records/alignment/horizontal_record.h"
#include "records/alignment/vertical_record.h"
#include "records/bents/bent_record.h"
#include "records/layout/girder_record.h"
#include "records/layout/refline_record.h"
#include "records/loads/deadload_record.h"
#include "records/loads/roadappr_record.h"

namespace kv {

// The "&Data Entry" entries, in menu order.
enum class Form { Desc, Horiz, Vert, Cross, Ref, Gird, Bent, Dead, RoadApp };
inline constexpr int kFormCount = 9;
inline constexpr std::array<const char*, kFormCount> kFormMenuNames = {
    "mnuFormDesc", "mnuFormHoriz", "mnuFormVert", "mnuFormCross", "mnuFormRef",
    "mnuFormGird", "mnuFormBent",  "mnuFormDead", "mnuFormRoadApp"};
// The editor window of each entry.
inline constexpr std::array<const char*, kFormCount> kFormWindowNames = {
    "Description", "Horizontal", "Vertical", "CrossTrans", "RefLine",
    "GirderLine",  "BentLine",   "DeadLoad", "RoadAppr"};

struct Project {
  int16_t MetricUnits = 0;  // 1 metric, 0 English
  std::array<bool, kFormCount> marked{};

  DescriptionData Description;
  HorizontalData Horizontal;
  VerticalData Vertical;
  CrossTransData CrossTrans;
  RefLineData RefLine;
  GirderTable GirderLine;
  BentTable BentLine;
  DeadLoadTable DeadLoad;
  RoadApprData RoadAppr;

  void Mark(Form f) { marked[static_cast<int>(f)] = true; }
  bool IsMarked(Form f) const { return marked[static_cast<int>(f)]; }
  // Back to the state of a freshly started program.
  void Reset() { *this = Project{}; }
};

}  // namespace kv
