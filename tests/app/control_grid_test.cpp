#include "app/control_grid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include "app/settings.h"

namespace kv {
namespace {

std::vector<GridColumn> Columns() {
  return {
      {GridColumn::Kind::TextBox, "Text1", 100, 1000, "Station"},
      {GridColumn::Kind::DropDown, "Combo1", 1200, 1500, "Type", "Line Type", {"Straight", "Flared"}},
      {GridColumn::Kind::MultiList, "List1", 2800, 1200, "", "", {"A", "B", "C"}},
  };
}

GridGeometry Geometry() {
  GridGeometry g;
  g.frameLeft = 200;
  g.frameTop = 600;
  g.frameWidth = 4200;
  g.frameHeight = 1500;
  g.scrollLeft = 4400;
  g.scrollTop = 600;
  g.scrollHeight = 1500;
  g.scrollMin = 0;
  g.scrollMax = 1000;
  g.scrollSmall = 10;
  g.scrollLarge = 50;
  g.rowTop = 120;
  g.rowSpacing = 240;
  g.rowHeight = 285;
  g.appendOffset = -20;
  g.headingTop = 300;
  return g;
}

struct Fixture {
  QWidget host;
  ControlGrid grid{&host, Columns(), Geometry()};
  int Px(double twips) const { return TwipsToPixels(twips, host.logicalDpiY()); }
  int PxX(double twips) const { return TwipsToPixels(twips, host.logicalDpiX()); }
};

TEST(ControlGrid, CellsCarryNameIndexPlaceAndKind) {
  Fixture f;
  f.grid.AddInitialRows(3);
  struct Case {
    int row, column;
    const char* name;
    int left, width;
    const char* kind;
  };
  const Case cases[] = {
      {0, 0, "Text1", 100, 1000, "QLineEdit"},  {2, 0, "Text1", 100, 1000, "QLineEdit"},
      {1, 1, "Combo1", 1200, 1500, "QComboBox"}, {2, 2, "List1", 2800, 1200, "QListWidget"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* cell = f.grid.Cell(c.row, c.column);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->objectName(), c.name);
    EXPECT_EQ(cell->property("Index").toInt(), c.row);
    EXPECT_EQ(cell->parentWidget(), f.grid.Frame());
    EXPECT_STREQ(cell->metaObject()->className(), c.kind);
    EXPECT_EQ(cell->x(), f.PxX(c.left));
    EXPECT_EQ(cell->width(), f.PxX(c.width));
    EXPECT_EQ(cell->y(), f.Px(120 + c.row * 240));
  }
  EXPECT_EQ(f.grid.Frame()->objectName(), "Frame1");
  auto* heading = f.host.findChild<QLabel*>("Combo1Heading");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->text(), "Type");
  EXPECT_EQ(f.host.findChild<QLabel*>("List1Heading"), nullptr);
}

TEST(ControlGrid, ScrollBarValuesAndScrollingThenAppending) {
  Fixture f;
  QScrollBar* bar = f.grid.ScrollBar();
  EXPECT_EQ(bar->objectName(), "VScroll1");
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 1000);
  EXPECT_EQ(bar->singleStep(), 10);
  EXPECT_EQ(bar->pageStep(), 50);
  EXPECT_EQ(bar->value(), 0);

  f.grid.AddInitialRows(2);
  struct Step {
    int value;
    double row0Top;
  };
  const Step steps[] = {{50, 70}, {300, -180}, {10, 110}, {0, 120}};
  for (const Step& s : steps) {
    bar->setValue(s.value);
    EXPECT_EQ(f.grid.ScrollPos(), s.value);
    EXPECT_DOUBLE_EQ(f.grid.RowTop(0), s.row0Top);
    EXPECT_DOUBLE_EQ(f.grid.RowTop(1), s.row0Top + 240);
  }
  bar->setValue(100);
  const int added = f.grid.AddRow();
  EXPECT_EQ(added, 2);
  // Below the scrolled last row: its top + height - 20.
  EXPECT_DOUBLE_EQ(f.grid.RowTop(2), (120 + 240 - 100) + 285 - 20);
  bar->setValue(0);
  EXPECT_DOUBLE_EQ(f.grid.RowTop(2), 120 + 240 + 285 - 20);
  EXPECT_EQ(f.grid.Cell(2, 0)->y(), f.Px(120 + 240 + 285 - 20));
  f.grid.GrowMax(250);
  EXPECT_EQ(bar->maximum(), 1250);
}

TEST(ControlGrid, CurrentRowIsTheRowThatLastLostFocus) {
  Fixture f;
  f.grid.AddInitialRows(4);
  f.host.show();
  QApplication::setActiveWindow(&f.host);
  const int sequence[] = {2, 0, 3};
  for (int row : sequence) {
    f.grid.Cell(row, 0)->setFocus();
    f.grid.Cell((row + 1) % 4, 1)->setFocus();  // row loses focus
    QApplication::processEvents();
    EXPECT_EQ(f.grid.CurrentRow(), row);
  }
}

TEST(ControlGrid, DropDownPromptAndListSelection) {
  Fixture f;
  f.grid.AddInitialRows(1);
  auto* combo = qobject_cast<QComboBox*>(f.grid.Cell(0, 1));
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->placeholderText(), "Line Type");
  EXPECT_EQ(f.grid.CellText(0, 1), "");

  std::vector<std::pair<int, int>> edited;
  QObject::connect(&f.grid, &ControlGrid::CellEdited, [&](int r, int c) { edited.push_back({r, c}); });
  f.grid.SetChosenIndex(0, 1, 1);
  EXPECT_EQ(f.grid.CellText(0, 1), "Flared");
  EXPECT_TRUE(edited.empty()) << "loading must not count as an edit";
  combo->setCurrentIndex(0);  // as a user pick does
  ASSERT_EQ(edited.size(), 1u);
  EXPECT_EQ(edited[0], std::make_pair(0, 1));

  f.grid.SetItems(0, 1, {"Left", "Right"}, "Offset Type");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->placeholderText(), "Offset Type");

  auto* list = qobject_cast<QListWidget*>(f.grid.Cell(0, 2));
  f.grid.SetSelectedIndexes(0, 2, {0, 2});
  EXPECT_EQ(f.grid.CellText(0, 2), "A,C");
  EXPECT_EQ(list->toolTip(), "A, C");
  // The keyboard reaches every item of the one-line list.
  f.host.show();
  list->setFocus();
  list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 2);
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(f.grid.CellText(0, 2), "A");
  EXPECT_EQ(list->toolTip(), "A");
}

}  // namespace
}  // namespace kv
