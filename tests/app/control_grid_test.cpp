#include "app/control_grid.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "shell_fakes.h"

namespace kv {
namespace {

// Names, places, scrolling, appending and the current row are seen through the grid windows.
TEST(ControlGrid, DropDownPromptAndListSelection) {
  QWidget host;
  ControlGrid grid{&host,
                   {{GridColumn::Kind::TextBox, "Text1", 100, 1000, "Station"},
                    {GridColumn::Kind::DropDown, "Combo1", 1200, 1500, "Type", "Line Type", {"Straight", "Flared"}},
                    {GridColumn::Kind::MultiList, "List1", 2800, 1200, "", "", {"A", "B", "C"}}},
                   GridGeometry{}};
  grid.AddInitialRows(1);
  auto* combo = qobject_cast<QComboBox*>(grid.Cell(0, 1));
  auto state = [combo] {
    return QString("%1 %2 %3").arg(combo->count()).arg(combo->currentIndex()).arg(combo->placeholderText());
  };
  EXPECT_EQ(state() + grid.CellText(0, 1), "2 -1 Line Type");
  std::vector<std::pair<int, int>> edited;
  QObject::connect(&grid, &ControlGrid::CellEdited, [&](int r, int c) { edited.push_back({r, c}); });
  grid.SetChosenIndex(0, 1, 1);
  EXPECT_EQ(grid.CellText(0, 1), "Flared");
  EXPECT_TRUE(edited.empty()) << "loading must not count as an edit";
  combo->setCurrentIndex(0);  // as a user pick does
  EXPECT_EQ(edited, (std::vector<std::pair<int, int>>{{0, 1}}));
  grid.SetItems(0, 1, {"Left", "Right", "Both"}, "Offset Type");
  EXPECT_EQ(state(), "3 -1 Offset Type");
  auto* list = qobject_cast<QListWidget*>(grid.Cell(0, 2));
  grid.SetSelectedIndexes(0, 2, {0, 2});
  EXPECT_EQ(grid.CellText(0, 2) + " / " + list->toolTip(), "A,C / A, C");
  // The keyboard reaches every item of the one-line list.
  host.show();
  list->setFocus();
  list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  for (int k = 0; k < 2; ++k) QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 2);
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(grid.CellText(0, 2) + " / " + list->toolTip(), "A / A");
}

}  // namespace
}  // namespace kv
