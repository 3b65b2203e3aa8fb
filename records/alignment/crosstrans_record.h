// Cross-slope and transitions ("03"): one cross-slope line, then any number of
// superelevation override lines (station, left slope, right slope).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "inputfile/grid_scroll.h"
#include "inputfile/record_io.h"

namespace kv {

struct Project;

// CrownType list items, in list order; "P" is the parabolic crown.
inline constexpr std::array<const char*, 4> kCrownTypeItems = {"A", "B", "C", "P"};

inline constexpr int kOverrideInitialRows = 6;

// One override row; a row whose station is empty text is not written.
struct OverrideRow {
  std::string OverSta;  // station text, 2 (English) or 3 (metric) decimals
  std::string OverLeft;
  std::string OverRight;
};

// The CrossTrans editor: its boxes, the crown-type selection and the override grid.
struct CrossTransData {
  int CrownType = -1;  // selected index of kCrownTypeItems, -1 none
  std::string CrossSlope;
  std::string SuperRate;
  std::string PivotOffset;  // negative to the left
  std::string InRunOut;
  std::string InTransLength;
  std::string InTransPer;
  std::string OutRunout;
  std::string OutTransLength;
  std::string OutTransPer;
  std::string MaxTransVC;
  std::string CrownWidth;
  std::string CrownHeight;
  std::string CrownLeft;
  std::string CrownRight;

  std::vector<OverrideRow> rows = std::vector<OverrideRow>(kOverrideInitialRows);
  // VScroll1; Pos is OverrideScrollPos.
  GridScroll scroll{.Max = 1000, .Step = 250, .Small = 10, .Large = 50, .Pos = 0};
};

// Fills the boxes and the crown type from the line after the "02" record, whatever
// its code. Reports nothing.
void ReadCrossSlopeRecord(std::string_view line, Project& p, const WarningSink& warn);
// Fills override row k, appending rows first when the grid has fewer; a full grid
// leaves the line unread.
void ReadOverrideRecord(std::string_view line, int k, Project& p, const WarningSink& warn);
// "Add New Override": appends an empty row and raises the scroll maximum by one
// step. False, and nothing changed, when the maximum would pass 32767.
bool AddOverRecord(CrossTransData& t);
int OverrideRowCount(const CrossTransData& t);
// The cross-slope line, then one 21-column line per row that has a station.
void WriteCrossSlopeRecords(const Project& p, LineSink& out);
// The columns of a field, named by the text that holds it.
const FieldSpec& CrossTransField(std::string CrossTransData::*text);
const FieldSpec& OverrideField(std::string OverrideRow::*text);
// The crown type letter written in column 3: "B", "C" or "P" for list items 1 to 3,
// otherwise (nothing chosen included) "A".
char CrownTypeLetter(const CrossTransData& c);
// True for an override row that is written: it has a station.
bool OverrideRowIsWritten(const OverrideRow& r);

}  // namespace kv
