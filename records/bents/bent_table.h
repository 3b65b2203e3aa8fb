// The bent line table: one row per bent line, as the BentLine grid shows it, and the
// operations that append, insert and delete rows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "inputfile/grid_scroll.h"

namespace kv {

// Combo1: what the distance is measured along.
inline constexpr std::array<const char*, 7> kBentDistanceTypeItems = {
    "Horiz. Control", "Layout Line",    "Back Tangent",     "Ahead Tangent",
    "Normal to Ref.", "Normal Offset", "Seg. Chord Length"};
// Combo2: what the skew angle is measured from.
inline constexpr std::array<const char*, 5> kBentSkewTypeItems = {
    "Default", "Horiz. Control", "Layout Line", "Back Tangent", "Ahead Tangent"};
// List1, multi-selection; item k is written in column 39 + k.
inline constexpr std::array<const char*, 4> kBentOptionItems = {
    "Break Girder Lines", "Flared Girder Offsets", "Chord Layout Line", "Suppress Listing"};

inline constexpr const char* kBentDistancePrompt = "Distance Type";
inline constexpr const char* kBentSkewPrompt = "Skew Type";

inline constexpr int kBentInitialRows = 20;

struct BentRow {
  std::string Text1;                             // distance
  int Combo1 = -1;                               // distance type, selected index
  std::string Combo1Text = kBentDistancePrompt;  // what the combo shows (it accepts typing)
  std::string Text7;                             // skew direction, "L" or "R"
  std::string Text2;                             // skew angle, degrees-minutes-seconds
  int Combo2 = -1;                               // skew type, selected index
  std::string Combo2Text = kBentSkewPrompt;
  std::string Text3;                     // fractional points
  std::string Text4;                     // description; a row without one is not written
  std::string Text5;                     // sel. intersect
  std::string Text6;                     // DL
  std::string Text8;                     // sec. ref.
  std::array<bool, 4> List1{};           // options
};

// The designed rows start with "L" as skew direction; appended rows start empty.
inline std::vector<BentRow> DesignedBentRows() {
  BentRow r;
  r.Text7.push_back('L');  // (assigning the literal trips a false warning of gcc 12)
  return std::vector<BentRow>(kBentInitialRows, r);
}

struct BentTable {
  std::vector<BentRow> rows = DesignedBentRows();
  GridScroll scroll{.Max = 3000, .Step = 300, .Small = 100, .Large = 300, .Pos = 0};
};

int BentRowCount(const BentTable& t);

// True when a cell other than the description and the skew direction (which the
// designed rows start with) holds something: a type chosen, a text with more than
// blanks, an option selected. Such a row without a description is lost on saving.
bool BentRowHoldsValues(const BentRow& r);

// Selecting a list item also puts its text in the combo, as the drop-down does.
void SelectBentDistanceType(BentRow& r, int index);
void SelectBentSkewType(BentRow& r, int index);

// Appends an empty row whose combos show row 0's texts with nothing selected; the
// scroll maximum grows by one step. False, and nothing changed, when the maximum
// would pass 32767.
bool AddBentRow(BentTable& t);
// An empty row at currentRow, that row and those below moving down by one; the
// scroll maximum grows by two steps. The emptied row keeps its option selections.
// False, and nothing changed, at capacity or for a row that does not exist.
bool InsertBentRow(BentTable& t, int currentRow);
// The rows below currentRow move up by one and the last row is emptied (its options
// stay); the row count and the scroll maximum do not change.
void DeleteBentRow(BentTable& t, int currentRow);

}  // namespace kv
