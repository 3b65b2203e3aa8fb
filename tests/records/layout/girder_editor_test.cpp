#include "records/layout/girder_editor.h"

#include <gtest/gtest.h>

#include "../grid_fixture.h"

namespace kv {
namespace {

const char *const kOffsetTypes = "Bent from LOL,Norm. from LOL,Bent from HCL,Norm. from HCL",
                  *const kEmptyRow = "(Line Type)||(Offset Type)||(Offset Type)|||||";

TEST(GirderLineEditor, LineTypeSetsOffsetEntriesAndTerminalCellsAndDeleteMovesThem) {
  Project p;
  GirderLine w{p};
  Activate(w);
  auto cell = [&w](int row, const char* name) { return w.Grid().Cell(row, name); };
  const QFont mono = cell(0, "Text13")->font(), plain = cell(0, "Text4")->font();
  EXPECT_EQ(mono.family(), "Courier New");
  auto fixed = [](const QFont& f) { QFontMetrics m(f); return m.horizontalAdvance("ii") == m.horizontalAdvance("WW"); };
  EXPECT_EQ(std::pair(fixed(mono), fixed(plain)), std::pair(true, false));
  EXPECT_EQ(qobject_cast<QListWidget*>(cell(0, "List1"))->selectionMode(), QAbstractItemView::MultiSelection);
  const std::tuple<int, const char*, const char*> steps[] = {
      {1, "Segmented||(Offset Type)|7.5~|(Offset Type)~|||||", "Normal from base,,,"},
      {4, "Offset Varies||(Offset Type)|7.5~|(Offset Type)~|||||",
       "Fr HC at Nom. CS,Fr HC at Level CS,Fr Pivot at Nom. CS,Fr Pivot at Level CS"},
      {3, "Flared Girder Line||(Offset Type)|7.5|(Offset Type)|||||", kOffsetTypes},
      {0, "Parallel to Horiz.||(Offset Type)|7.5~|(Offset Type)~|||||", kOffsetTypes}};
  Type(cell(2, "Text2"), "7.5");
  for (const auto& [type, row, entries] : steps) {
    SCOPED_TRACE(type);
    Pick(cell(2, "Combo3"), 0);
    Pick(cell(2, "Combo1"), type);
    EXPECT_EQ(RowText(w, 2), row);
    EXPECT_EQ(ItemsOf(cell(2, "Combo3")).join(','), entries);
    EXPECT_EQ(p.GirderLine.rows[2].Combo3, -1);
    EXPECT_EQ(RowText(w, 1), kEmptyRow);  // the other rows stay as they were
  }
  // A flared line moved up onto a segmented row keeps its terminal cells and initial type.
  for (auto [row, name, index] : {std::tuple{0, "Combo1", 1}, {1, "Combo1", 3}, {1, "Combo3", 2}, {1, "Combo2", 1}})
    Pick(cell(row, name), index);
  Type(cell(1, "Text2"), "14.5");
  cell(0, "Text1")->setFocus();
  Click(w, "Delete");
  EXPECT_EQ(RowText(w, 0), "Flared Girder Line||Bent from HCL|14.5|Norm. from LOL|||||");
  EXPECT_EQ(ItemsOf(cell(0, "Combo3")).join(','), kOffsetTypes);
  EXPECT_EQ(RowText(w, 1), "Parallel to Horiz.||(Offset Type)|7.5~|(Offset Type)~|||||");  // row 2's
}

}  // namespace
}  // namespace kv
