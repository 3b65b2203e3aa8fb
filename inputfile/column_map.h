// The column map: what Save would write for the project now, where every field stands
// in it, and what the writer knows is wrong with it. The editors' marks, the column
// view, Save's report and `kelvara check` all read this one map.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inputfile/project.h"
#include "inputfile/record_io.h"

namespace kv {

struct ColumnMap {
  std::vector<std::string> lines;  // as Save writes them, without line ends
  std::vector<FieldPlace> places;  // every written field, in file order
  std::vector<Finding> findings;   // in file order

  // Every place of a field: a list's options may stand in several columns. Empty when
  // the field is not written (a row left out, a record not written).
  std::vector<const FieldPlace*> Find(std::string_view window, int row,
                                      std::string_view field) const;
  // The field whose columns hold `column` (1-based) of line `line`, or nullptr.
  const FieldPlace* At(int line, int column) const;
  // The findings about a field or about its row.
  std::vector<const Finding*> FindingsOf(std::string_view window, int row,
                                         std::string_view field) const;
};

// The whole file as Save writes it, with the map and the findings.
ColumnMap MapColumns(const Project& p);
// The findings alone, as MapColumns finds them.
std::vector<Finding> WriteFindings(const Project& p);

// What is wrong, after the window, row and field it is about:
//   Horizontal, Radius: "12345.678" takes 8 columns; the field has 7
//   DeadLoad row 25: not written; it comes after the empty row 21
std::string DescribeFinding(const Finding& f);
// Where in the file, lines counted from 1: "line 7, columns 52-59" or "after line 30".
std::string FindingPlaceText(const Finding& f);
// How the field is written: "7.2 digits", "8 digits, 4 implied decimals", "1 character".
std::string FieldFormatText(const FieldPlace& p);
// The record code, the field and its columns, as the column view's status line shows
// them: "01 Radius, columns 52-58, 7.2 digits". Empty for no places.
std::string FieldPlaceText(const ColumnMap& m, const std::vector<const FieldPlace*>& places);

}  // namespace kv
