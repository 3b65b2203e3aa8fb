#include "app/control_grid.h"

#include <QComboBox>
#include <QListWidget>

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

}  // namespace
}  // namespace kv
