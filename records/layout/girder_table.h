// The girder line table: one row per girder line, as the GirderLine grid shows it,
// and the operations that append, insert and delete rows and follow a change of a
// row's line type.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "inputfile/grid_scroll.h"

namespace kv {

// Combo1; the code written for a line type is its index.
inline constexpr std::array<const char*, 5> kGirderLineTypeItems = {
    "Parallel to Horiz.", "Segmented", "Parallel to Layout", "Flared Girder Line",
    "Offset Varies"};
inline constexpr int kGirderSegmented = 1;
inline constexpr int kGirderFlared = 3;
inline constexpr int kGirderOffsetVaries = 4;

// Combo3 entries by line type; Combo2 always offers the first list.
inline constexpr std::array<const char*, 4> kGirderOffsetTypeItems = {
    "Bent from LOL", "Norm. from LOL", "Bent from HCL", "Norm. from HCL"};
inline constexpr std::array<const char*, 4> kGirderSegmentedOffsetTypeItems = {
    "Normal from base", "", "", ""};
inline constexpr std::array<const char*, 4> kGirderVariesOffsetTypeItems = {
    "Fr HC at Nom. CS", "Fr HC at Level CS", "Fr Pivot at Nom. CS", "Fr Pivot at Level CS"};

// List1, multi-selection, in list order.
inline constexpr std::array<const char*, 5> kGirderOptionItems = {
    "Girder lines Parallel", "Layout line is a chord", "Camber cutting diagram",
    "Type 4 constant offset", "Suppress listing"};

inline constexpr const char* kGirderLineTypePrompt = "Line Type";
inline constexpr const char* kGirderOffsetTypePrompt = "Offset Type";

inline constexpr int kGirderInitialRows = 20;

// The initial offset type entries that go with line type t (-1 for none).
std::vector<std::string> GirderOffsetTypeItemsFor(int lineType);

struct GirderRow {
  int Combo1 = -1;                                  // line type, selected index
  std::string Combo1Text = kGirderLineTypePrompt;   // what the box shows (it accepts typing)
  std::string Text1;                                // initial offset
  int Combo3 = -1;                                  // initial offset type, index into Combo3Items
  std::string Combo3Text = kGirderOffsetTypePrompt;
  std::vector<std::string> Combo3Items = GirderOffsetTypeItemsFor(-1);
  std::string Text2;                                // terminal offset
  int Combo2 = -1;                                  // terminal offset type
  std::string Combo2Text = kGirderOffsetTypePrompt;
  std::string Text3;                                // elevation shift
  std::string Text4;                                // description; a row without one is not written
  std::string Text13;                               // X-type fraction points
  std::string Text16;                               // DL character
  std::array<bool, 5> List1{};                      // options
  // The terminal cells take input only on a flared girder line.
  bool Text2Enabled = true;
  bool Combo2Enabled = true;
};

struct GirderTable {
  std::vector<GirderRow> rows = std::vector<GirderRow>(kGirderInitialRows);
  GridScroll scroll{.Max = 3000, .Step = 300, .Small = 100, .Large = 300, .Pos = 0};
};

int GirderRowCount(const GirderTable& t);

// True when a cell other than the description holds something: a line type or offset
// type chosen, a text with more than blanks, an option selected. Such a row without a
// description is lost on saving.
bool GirderRowHoldsValues(const GirderRow& r);

// What choosing line type t does to the row: new initial offset type entries with
// none chosen, the terminal cells enabled for a flared line only. Their contents stay.
void GirderLineTypeChange(GirderRow& r);
void GirderLineTypeChange(GirderTable& t, int row);

// Selecting an item puts its text in the box, as the drop-down does; -1 leaves the
// text. Choosing a line type runs the line-type change.
void ChooseGirderLineType(GirderRow& r, int index);
void ChooseGirderInitialOffsetType(GirderRow& r, int index);
void ChooseGirderTerminalOffsetType(GirderRow& r, int index);

// Appends an empty row whose initial offset types are those row 0 offers at the
// moment; the scroll maximum grows by one step. False, and nothing changed, when the
// maximum would pass 32767.
bool AddGirderRow(GirderTable& t);
// An empty row at currentRow, that row and those below moving down by one; the
// scroll maximum grows by two steps. The emptied row keeps its offset type entries
// and terminal cell states. False, and nothing changed, at capacity or for a row
// that does not exist.
bool InsertGirderRow(GirderTable& t, int currentRow);
// The rows below currentRow move up by one and the last row is emptied; the row
// count and the scroll maximum do not change.
void DeleteGirderRow(GirderTable& t, int currentRow);

}  // namespace kv
