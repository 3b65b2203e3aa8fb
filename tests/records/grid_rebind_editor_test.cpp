// The grids build widgets for the rows the frame shows and bind them to other rows as they
// scroll: far and back, Tab through every row, a focused cell scrolled away, the wheel.
#include <gtest/gtest.h>

#include <span>

#include "grid_fixture.h"
#include "records/alignment/crosstrans_record.h"
#include "records/bents/bent_table.h"
#include "records/layout/girder_table.h"
#include "records/loads/deadload_table.h"

namespace kv {
namespace {

// Each grid with the column that tells its rows apart, its last column and what Tab
// reaches after the last row.
struct Kind { Form form; const char *key, *last, *after; };
const Kind kKinds[] = {{Form::Gird, "Text4", "List1", "AddRecord"},
                       {Form::Bent, "Text4", "List1", "AddRecord"},
                       {Form::Dead, "Text3", "Text13", "AddRecord"},
                       {Form::Cross, "OverSta", "OverRight", "AddOverRecord"}};

std::string& KeyOf(Project& p, Form f, int row) {
  switch (f) {
    case Form::Gird: return p.GirderLine.rows.at(row).Text4;
    case Form::Bent: return p.BentLine.rows.at(row).Text4;
    case Form::Dead: return p.DeadLoad.rows.at(row).Text3;
    default: return p.CrossTrans.rows.at(row).OverSta;
  }
}

// The table filled to capacity, row i's key "R<i>", and shown; its row count.
int Fill(Program& prog, Form f) {
  Project& p = prog.project();
  while (f == Form::Gird ? AddGirderRow(p.GirderLine) : f == Form::Bent ? AddBentRow(p.BentLine)
         : f == Form::Dead ? AddDeadLoadRow(p.DeadLoad) : AddOverRecord(p.CrossTrans)) {}
  const int n = f == Form::Cross ? OverrideRowCount(p.CrossTrans) : WithTable(p, f, [](auto& t) { return int(t.rows.size()); });
  for (int i = 0; i < n; ++i) KeyOf(p, f, i) = "R" + std::to_string(i);
  prog.window->editors().RefreshAll();
  return n;
}

// Every row that shows in the frame, as "row:text@top" where its cell disagrees with the
// table or its place; the rows shown, first-last; how many rows have widgets.
struct Seen { QStringList wrong; QString rows; int built; };
Seen Look(Program& prog, const Kind& k, QWidget& w) {
  ControlGrid& g = GridOf(w);
  const int key = g.ColumnIndex(k.key), n = g.RowCount(), frame = g.Frame()->height();
  Seen s{{}, {}, g.BuiltRows()};
  int first = -1, last = -1;
  QWidget* below = nullptr;  // the cell of the row above, which the row's cell lies over
  for (int row = 0; row < n; ++row) {
    const int top = Py(w, g.RowTop(row));
    if (top + Py(w, 288) <= 0 || top >= frame) continue;
    QWidget* cell = g.Cell(row, key);
    if (first < 0) first = row;
    last = row;
    const QString text = g.CellText(row, key);
    if (text != QString::fromStdString(KeyOf(prog.project(), k.form, row)) || cell->y() != top ||
        cell->property("Index").toInt() != row || !cell->isVisible() ||
        (below && g.Frame()->children().indexOf(cell) < g.Frame()->children().indexOf(below)))
      s.wrong << QString("%1:%2@%3").arg(row).arg(text).arg(cell->y());
    below = cell;
  }
  s.rows = QString("%1-%2").arg(first).arg(last);
  return s;
}

TEST(GridRebind, ScrollingFarAndBackShowsEveryRowInItsOwnCellsAndPlace) {
  for (const Kind& k : kKinds) {
    SCOPED_TRACE(k.key + std::to_string(int(k.form)));
    Program prog;
    QWidget& w = *prog.window->editors().Show(k.form);
    Activate(w);
    ControlGrid& g = GridOf(w);
    const int n = Fill(prog, k.form);
    const std::vector<int> tops = Tops(w, 6);
    QScrollBar* bar = g.ScrollBar();
    // The list of row 3 scrolled to its third option, which it keeps while other rows use its widget.
    auto* list = qobject_cast<QListWidget*>(g.Cell(3, "List1"));
    if (list) list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    const Seen top = Look(prog, k, w);
    // The last row at the foot of the frame (the maximum scrolls the rows out of the frame).
    const int end = int(g.RowTop(n - 1)) + 300 - int(g.Frame()->height() * 1440.0 / w.logicalDpiY());
    for (int value : {bar->maximum(), end, bar->maximum() / 2, end - 7 * bar->pageStep(), bar->pageStep(), 0}) {
      bar->setValue(value);
      const Seen s = Look(prog, k, w);
      SCOPED_TRACE(value);
      EXPECT_EQ(s.wrong, QStringList());
      EXPECT_LE(s.built, top.built + 5);  // the rows in the frame, one more each side and the focus row's, none else
      EXPECT_EQ(int(ScrollOf(prog.project(), k.form).Pos), value);
    }
    EXPECT_EQ(std::pair(Look(prog, k, w).rows, Tops(w, 6)), std::pair(top.rows, tops));
    if (list) { EXPECT_EQ(qobject_cast<QListWidget*>(g.Cell(3, "List1"))->verticalScrollBar()->value(), 2); }
    // Typing into the last row's cell goes into the last row and no other.
    bar->setValue(end);
    Type(g.Cell(n - 1, k.key), "X");
    EXPECT_EQ(KeyOf(prog.project(), k.form, n - 1), "XR" + std::to_string(n - 1));
    EXPECT_EQ(Look(prog, k, w).wrong, QStringList());
    EXPECT_LT(g.BuiltRows(), n / 3);
  }
}

// Tab from each row's last cell reaches the next row's first cell, showing it whole;
// Shift+Tab from each row's first cell reaches the row above's last.
TEST(GridRebind, TabAndShiftTabGoThroughEveryRowAsTheGridScrolls) {
  for (const Kind& k : kKinds) {
    SCOPED_TRACE(k.key + std::to_string(int(k.form)));
    Program prog;
    QWidget& w = *prog.window->editors().Show(k.form);
    Activate(w);
    ControlGrid& g = GridOf(w);
    const int n = Fill(prog, k.form), last = g.ColumnIndex(k.last);
    const QString first = g.Columns().front().name;
    QStringList wrong;
    auto at = [&](int row, const QString& name) {
      const QWidget* f = QApplication::focusWidget();
      const QWidget* c = g.Cell(row, 0);
      const bool whole = c->y() >= 0 && c->y() + c->height() <= g.Frame()->height();
      if (!f || f->objectName() != name || f->property("Index").toInt() != row || !whole)
        wrong << QString("%1 %2").arg(row).arg(f ? f->objectName() + "(" + f->property("Index").toString() + ")" : "none");
    };
    for (int row = 0; row + 1 < n; ++row) {
      g.Cell(row, last)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      at(row + 1, first);
    }
    g.Cell(n - 1, last)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), k.after);
    for (int row = n - 1; row > 0; --row) {
      g.Cell(row, 0)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
      at(row - 1, k.last);
    }
    EXPECT_EQ(wrong, QStringList());
  }
}

// The cell with the focus stays its row's cell while that row is scrolled out of the frame:
// typing goes on into the row, and leaving it for Delete Row deletes that row.
TEST(GridRebind, TheFocusedCellKeepsItsRowWhileScrolledAwayAndSetsCurrentRow) {
  for (const Kind& k : std::span(kKinds, 3)) {
    SCOPED_TRACE(k.key);
    Program prog;
    QWidget& w = *prog.window->editors().Show(k.form);
    Activate(w);
    ControlGrid& g = GridOf(w);
    Fill(prog, k.form);
    QWidget* cell = g.Cell(5, k.key);
    Type(cell, "Z");
    QScrollBar* bar = g.ScrollBar();
    for (int value : {bar->maximum(), bar->maximum() / 2}) {
      bar->setValue(value);
      QTest::keyClicks(cell, "Y");
      EXPECT_EQ(std::tuple(QApplication::focusWidget(), cell->property("Index").toInt(), Look(prog, k, w).wrong),
                std::tuple(cell, 5, QStringList()));
    }
    EXPECT_EQ(KeyOf(prog.project(), k.form, 5), "ZYYR5");
    Click(w, "Delete");
    EXPECT_EQ(std::tuple(g.CurrentRow(), KeyOf(prog.project(), k.form, 5), g.CellText(5, g.ColumnIndex(k.key)).toStdString()),
              std::tuple(5, std::string("R6"), std::string("R6")));
    bar->setValue(0);
    EXPECT_EQ(std::pair(g.Cell(5, k.key), Look(prog, k, w).wrong), std::pair(cell, QStringList()));
  }
}

// Far down the table, where every widget has served other rows, a turn of the wheel over a
// cell without the focus scrolls the grid and changes nothing.
TEST(GridRebind, TheWheelOverAReboundCellScrollsAndChangesNothing) {
  const std::pair<Form, const char*> cases[] = {
      {Form::Gird, "Combo1"}, {Form::Gird, "List1"}, {Form::Bent, "Combo2"}, {Form::Dead, "Text3"}, {Form::Cross, "OverLeft"}};
  for (const auto& [form, name] : cases) {
    SCOPED_TRACE(name + std::to_string(int(form)));
    Program prog;
    QWidget& w = *prog.window->editors().Show(form);
    Activate(w);
    ControlGrid& g = GridOf(w);
    Fill(prog, form);
    QScrollBar* bar = g.ScrollBar();
    bar->setValue(bar->maximum() / 2);
    int row = 0;
    while (g.RowTop(row) < 300) ++row;  // whole in the frame
    const std::string before = RowText(w, row), saved = test::Bytes(prog.project());
    const double top = g.RowTop(row);
    const int value = bar->value();
    Wheel(g.Cell(row, name));
    const int moved = std::min(QApplication::wheelScrollLines() * bar->singleStep(), bar->pageStep());
    EXPECT_EQ(std::tuple(RowText(w, row), bar->value(), g.RowTop(row)), std::tuple(before, value + moved, top - moved));
    EXPECT_EQ(test::Bytes(prog.project()), saved);
  }
}

}  // namespace
}  // namespace kv
