// The dead-load deflection table: one row per "07" line, as the DeadLoad grid shows
// it, and the operations that append, insert and delete rows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "inputfile/grid_scroll.h"

namespace kv {

inline constexpr int kDeadLoadInitialRows = 20;

struct DeadLoadRow {
  std::string Text1;   // girder code
  std::string Text2;   // bent line code
  std::string Text14;  // units code
  // Deflections at tenth points 0 to 10.
  std::string Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12, Text13;

  // True when every cell is empty text (a blank is not empty).
  bool IsEmpty() const;
};

// The cells in grid order, left to right: codes, units, then the eleven deflections.
inline constexpr std::array<std::string DeadLoadRow::*, 14> kDeadLoadCells = {
    &DeadLoadRow::Text1,  &DeadLoadRow::Text2,  &DeadLoadRow::Text14, &DeadLoadRow::Text3,
    &DeadLoadRow::Text4,  &DeadLoadRow::Text5,  &DeadLoadRow::Text6,  &DeadLoadRow::Text7,
    &DeadLoadRow::Text8,  &DeadLoadRow::Text9,  &DeadLoadRow::Text10, &DeadLoadRow::Text11,
    &DeadLoadRow::Text12, &DeadLoadRow::Text13};
inline constexpr std::array<const char*, 14> kDeadLoadCellNames = {
    "Text1", "Text2", "Text14", "Text3",  "Text4",  "Text5",  "Text6",
    "Text7", "Text8", "Text9",  "Text10", "Text11", "Text12", "Text13"};
// The deflection cells, tenth point 0 first.
inline constexpr std::array<std::string DeadLoadRow::*, 11> kDeadLoadDeflections = {
    &DeadLoadRow::Text3, &DeadLoadRow::Text4,  &DeadLoadRow::Text5,  &DeadLoadRow::Text6,
    &DeadLoadRow::Text7, &DeadLoadRow::Text8,  &DeadLoadRow::Text9,  &DeadLoadRow::Text10,
    &DeadLoadRow::Text11, &DeadLoadRow::Text12, &DeadLoadRow::Text13};

struct DeadLoadTable {
  std::vector<DeadLoadRow> rows = std::vector<DeadLoadRow>(kDeadLoadInitialRows);
  GridScroll scroll{.Max = 3500, .Step = 300, .Small = 50, .Large = 300, .Pos = 0};
};

int DeadLoadRowCount(const DeadLoadTable& t);

// Appends an empty row; the scroll maximum grows by one step. False, and nothing
// changed, when the maximum would pass 32767.
bool AddDeadLoadRow(DeadLoadTable& t);
// An empty row at currentRow, that row and those below moving down by one; the
// scroll maximum grows by two steps. False, and nothing changed, at capacity or for
// a row that does not exist.
bool InsertDeadLoadRow(DeadLoadTable& t, int currentRow);
// The rows below currentRow move up by one and the last row is emptied; the row
// count and the scroll maximum do not change.
void DeleteDeadLoadRow(DeadLoadTable& t, int currentRow);

}  // namespace kv
