// The reference line ("04"): one line per project, as the RefLine window shows it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

// List items, in list order. StaOn and RevLayoutLine write their index, SkewRespTo
// and LayoutLineIs their index + 1.
inline constexpr std::array<const char*, 4> kStaOnItems = {
    "Horizontal Control", "Back Tangent", "Ahead Tangent", "Same Ref. as Before"};
inline constexpr std::array<const char*, 4> kSkewRespToItems = {
    "Horizontal Control", "Layout Line", "Back Tangent", "Ahead Tangent"};
inline constexpr std::array<const char*, 3> kLayoutLineIsItems = {"Back Tangent", "Chord",
                                                                  "Ahead Tangent"};
inline constexpr std::array<const char*, 4> kRevLayoutLineItems = {"Incr/Not", "Decr/Reversed",
                                                                   "Decr/Not", "Incr/Reversed"};

struct RefLineData {
  std::string RefLineSta;  // reference station text
  int StaOn = -1;          // selected index, -1 none
  bool Option1 = true;     // skew "Left"
  bool Option2 = false;    // skew "Right"
  std::string SkewAngle;   // degrees-minutes-seconds text
  int SkewRespTo = -1;
  bool Option3 = true;   // bent lines "Parallel to Ref. Line"
  bool Option4 = false;  // bent lines "Same Skew as Ref. Line"
  int LayoutLineIs = -1;
  int RevLayoutLine = -1;
  std::string TransX, TransY;            // transform constant
  std::string LimitBegSta, LimitEndSta;  // limits of valid elevation and cross-slope data
  bool Check1 = false;  // segmented girder lines broken at the reference line
  bool Check2 = false;  // suppress listing
  bool Check3 = false;  // offset option for segmented girder pattern shift
  bool Check4 = false;  // request X-0 points
};

// Reads the "04" line. Warnings, in order:
//   "Warning: (04) Reference line data, bad "Station is on" value.  Valid values are 0 to 3"
//   "Warning: (04) Reference line data, bad "Skew is with respect to" value.  Valid values are 1 to 4."
//   "Warning: (04) Reference line data, bad "Layout line is" value."
//   "Warning: (04) Reference line data, bad "Reverse layout line" value."
void ReadRefLineRecord(std::string_view line, Project& p, const WarningSink& warn);
// The "04" line, written whether or not the reference line was ever edited.
void WriteRefLineRecord(const Project& p, LineSink& out);
// The columns of a station, angle or number field, named by the text that holds it.
const FieldSpec& RefLineField(std::string RefLineData::*text);

}  // namespace kv
