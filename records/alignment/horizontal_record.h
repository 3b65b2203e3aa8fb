// Horizontal alignment ("01"): one curve of the horizontal control line with its
// station equation, held as the texts the Horizontal window shows.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct HorizontalData {
  std::string PIStation;  // station text, 4 (English) or 5 (metric) decimals
  bool Option1 = false;   // "Left"
  bool Option2 = false;   // "Right"
  std::string Delta;      // angle text, 3 degree digits on file
  std::string Degree;     // angle text, 2 degree digits on file; English projects only
  std::string Radius;
  std::string InSpiral;
  std::string OutSpiral;
  std::string ProfOffset;  // negative to the left
  std::string Back;        // station equation, station texts as PIStation
  std::string Ahead;
};

// Fills the fields from one "01" line. A blank spiral length, and Degree in a metric
// project, keep what they held. Reports nothing.
void ReadHorizontalRecord(std::string_view line, Project& p, const WarningSink& warn);
// The one "01" line; written whether or not a record was ever read.
void WriteHorizontalRecord(const Project& p, LineSink& out);
// The columns of a field, named by the text that holds it.
const FieldSpec& HorizontalField(std::string HorizontalData::*text);

}  // namespace kv
