// Roadway approaches ("08"): begin and end stations, approach length and seven
// offsets from horizontal control, in one line written only when a begin station
// is given.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct RoadApprData {
  std::string BegStr;  // station text
  std::string EndStr;  // station text
  std::string Length;
  std::string Off1, Off2, Off3, Off4, Off5, Off6, Off7;
};

// Fills the ten boxes from one "08" line. Reports nothing.
void ReadRoadApprRecord(std::string_view line, Project& p, const WarningSink& warn);
// The "08" line, or nothing when BegStr is empty or seven blanks.
void WriteRoadApprRecord(const Project& p, LineSink& out);

}  // namespace kv
