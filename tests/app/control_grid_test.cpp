#include "app/control_grid.h"

#include <QComboBox>
#include <QListWidget>

#include "app/field_marks.h"
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
  auto* box = qobject_cast<QComboBox*>(grid.Cell(0, 1));
  auto state = [box] { return QString("%1 %2 ").arg(box->count()).arg(box->currentIndex()) + box->placeholderText(); };
  EXPECT_EQ(state() + grid.CellText(0, 1), "2 -1 Line Type");
  std::vector<std::pair<int, int>> edited;
  QObject::connect(&grid, &ControlGrid::CellEdited, [&](int r, int c) { edited.push_back({r, c}); });
  grid.SetChosenIndex(0, 1, 1);  // loading, no edit
  EXPECT_EQ(grid.CellText(0, 1) + " " + QString::number(edited.size()), "Flared 0");
  box->setCurrentIndex(0);  // as a user pick does
  EXPECT_EQ(edited, (std::vector<std::pair<int, int>>{{0, 1}}));
  grid.SetItems(0, 1, {"Left", "Right", "Both"}, "Offset Type");
  EXPECT_EQ(state(), "3 -1 Offset Type");
  auto* list = qobject_cast<QListWidget*>(grid.Cell(0, 2));
  grid.SetSelectedIndexes(0, 2, {0, 2});
  EXPECT_EQ(grid.CellText(0, 2) + " / " + list->toolTip(), "A,C / A, C");
  // Extended selection: a plain click chooses one item, Ctrl+click adds or takes one away,
  // Shift+click takes the range from the last click (one item shows at a time).
  host.show();
  auto click = [list](int item, Qt::KeyboardModifiers keys) {
    list->scrollToItem(list->item(item), QAbstractItemView::PositionAtTop);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(list->item(item)).center());
    return list->toolTip();
  };
  EXPECT_EQ((QStringList{click(1, {}), click(2, Qt::ControlModifier), click(1, Qt::ControlModifier),
                         click(0, Qt::ShiftModifier)}),
            (QStringList{"B", "B, C", "C", "A, B, C"}));
  // The keyboard reaches every item of the one-line list.
  list->setFocus(), list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down}) QTest::keyClick(list, key);
  EXPECT_EQ(QString::number(list->currentRow()) + " " + grid.CellText(0, 2) + " / " + list->toolTip(), "2 C / C");
}

// Marks belong to row indexes: a row made later shows what was marked for it, a row mark
// frames every cell, and taking a mark away gives the cell back its own tooltip.
TEST(ControlGrid, MarksByRowIndex) {
  QWidget host;
  ControlGrid grid{&host,
                   {{GridColumn::Kind::TextBox, "Text1", 100, 1000, ""},
                    {GridColumn::Kind::MultiList, "List1", 1200, 1200, "", "", {"A", "B"}}},
                   GridGeometry{}};
  grid.AddInitialRows(1);
  grid.SetCellMark(2, 0, "too wide");
  grid.SetRowMark(2, "left out");
  grid.SetRowMark(1, "left out");
  grid.SetRowMark(1, "");
  while (grid.RowCount() < 3) grid.AddRow();
  auto marks = [&](int row) {
    return QString("%1%2 %3 | %4").arg(HasFieldMark(grid.Cell(row, 0))).arg(HasFieldMark(grid.Cell(row, 1)))
        .arg(grid.Cell(row, 0)->toolTip(), grid.Cell(row, 1)->toolTip());
  };
  EXPECT_EQ(marks(1), "00  | (none selected)");
  EXPECT_EQ(marks(2), "11 too wide\nleft out | left out\n\n(none selected)");
  grid.SetSelectedIndexes(2, 1, {1});
  grid.SetRowMark(2, "");
  EXPECT_EQ(marks(2), "10 too wide | B");
  grid.SetCellMark(2, 0, "");
  EXPECT_EQ(marks(2), "00  | B");
}

}  // namespace
}  // namespace kv
