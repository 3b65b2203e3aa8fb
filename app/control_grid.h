// One grid of control arrays, shared by the override, girder line, bent line and dead load
// windows. The caller describes the columns; the grid builds Frame1 and VScroll1 on the host
// window and rows of widgets inside Frame1.
//
// Only the rows within the frame, and a margin of rows above and below it, have widgets; as
// the grid scrolls, the widgets of rows that leave are bound to rows that come in. Every row
// still has its place: its top moves with the scroll bar as if all of them were built, and a
// cell asked for by row (Cell) is that row's cell, bound on the spot when it had none.
//
// Usage:
//   std::vector<GridColumn> columns = {
//       {GridColumn::Kind::TextBox, "OverSta", 100, 1200, "Station"},
//       {GridColumn::Kind::DropDown, "Combo1", 1400, 1500, "Line Type", "Line Type", items}};
//   GridGeometry geometry;            // frame and scroll bar rectangles, row top/spacing, ...
//   ControlGrid grid(window, columns, geometry);
//   grid.SetRowBinder([&](int row) { grid.SetCellText(row, 0, ...); });  // shows a row's data
//   grid.AddRow();                    // every row: one control per column, objectName = the
//                                     // column's name, dynamic property "Index" = the row
//   grid.Cell(row, column)            // the control; CellText / SetCellText for any kind
//   grid.ShowRows(first)              // the rows' data changed from `first` on
//   grid.ScrollPos()                  // the scroll value last applied to the rows
//   grid.CurrentRow()                 // the row of the cell that last lost the focus
// Every position is in twips and goes through TwipsToPixels.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "inputfile/grid_scroll.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QScrollBar;
class QWidget;

namespace kv {

struct GridColumn {
  enum class Kind {
    TextBox,    // QLineEdit
    DropDown,   // QComboBox showing the prompt while nothing is chosen
    MultiList,  // one-line QListWidget, several items may be selected
  };
  Kind kind = Kind::TextBox;
  QString name;     // array name, used as every cell's objectName
  int left = 0;     // twips, inside Frame1
  int width = 0;    // twips
  QString heading;  // label above the column (empty: none)
  QString prompt;   // DropDown: text shown while nothing is chosen
  QStringList items;
  QString headingName;  // objectName of the heading label (empty: name + "Heading")
  bool editable = false;  // DropDown: the box also accepts typing; it shows the prompt as its text
  int height = 0;         // twips; 0: the geometry's rowHeight
  int maxLength = 0;      // TextBox: most characters it takes; 0: no limit
  QString fixedFont;      // TextBox: family of a fixed-pitch font (empty: the window's font)
  QString label;          // what a screen reader calls its cells (empty: the heading, else the name)
};

inline QString GridColumnLabel(const GridColumn& c) {
  return !c.label.isEmpty() ? c.label : !c.heading.isEmpty() ? c.heading : c.name;
}

struct GridGeometry {
  // Frame1 on the host, in twips.
  int frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
  // VScroll1 on the host (inside Frame1 with scrollInFrame), in twips.
  int scrollLeft = 0, scrollTop = 0, scrollWidth = 255, scrollHeight = 0;
  bool scrollInFrame = false;  // the bar stands inside the frame, over the cells
  int scrollMin = 0, scrollMax = 0, scrollSmall = 1, scrollLarge = 1, scrollValue = 0;
  // A new window's VScroll1 from its table: Min 0, the table's Max and changes, Value 0.
  void ScrollFrom(const GridScroll& s) {
    scrollMin = 0, scrollMax = s.Max, scrollSmall = s.Small, scrollLarge = s.Large, scrollValue = 0;
  }
  // The first rows: row i at rowTop + i * rowSpacing (inside Frame1).
  int rowTop = 0;
  int rowSpacing = 240;
  int rowHeight = 285;
  int initialRows = 0;  // AddRow places this many rows so, the later ones below the last
  // Appended rows: top of the last + its height + appendOffset (e.g. -50 or -20).
  int appendOffset = -20;
  // Heading labels' top on the host (twips), their height.
  int headingTop = 0;
  int headingHeight = 255;
};

class ControlGrid : public QObject {
  Q_OBJECT

 public:
  ControlGrid(QWidget* host, std::vector<GridColumn> columns, GridGeometry geometry);
  ~ControlGrid() override;

  QFrame* Frame() const { return frame_; }
  QScrollBar* ScrollBar() const { return scroll_; }
  const std::vector<GridColumn>& Columns() const { return columns_; }
  int ColumnIndex(const QString& name) const;  // -1 when unknown

  // Shows row `row`'s data in its cells; called whenever a row gets its widgets, and by
  // ShowRows. Without one a row's cells start empty.
  void SetRowBinder(std::function<void(int row)> binder) { binder_ = std::move(binder); }
  // The rows from `first` up to `end` changed: the ones with widgets show their data again.
  void ShowRows(int first = 0, int end = INT_MAX);
  // Tab goes from `before` into the first row and on row by row (default: the cells keep
  // the place in the Tab order the first row's cells took when they were made).
  void SetTabAnchor(QWidget* before) { tabAnchor_ = before; }

  // Rows placed at their first-row places (row i at rowTop + i * rowSpacing, as scrolled).
  void AddInitialRows(int count);
  // Row `RowCount()` below the last (at its first-row place while fewer than initialRows).
  int AddRow();
  void AddRows(int count);  // AddRow count times, the widgets bound once at the end
  // The table behind the grid has fewer rows again (a file was read anew).
  void RemoveLastRow();
  // Drops the rows from `count` on.
  void TrimRows(int count);
  int RowCount() const { return static_cast<int>(tops_.size()); }
  // Rows that have widgets now.
  int BuiltRows() const;

  // Row `row`'s control in `column`: the widget bound to that row, bound now when the row
  // had none (it then keeps it until the grid next scrolls or changes its rows).
  QWidget* Cell(int row, int column) const;
  QWidget* Cell(int row, const QString& name) const { return Cell(row, ColumnIndex(name)); }
  // Text of a text box, the chosen item of a drop-down ("" when nothing is chosen), the
  // selected items of a list joined by ",".
  QString CellText(int row, int column) const;
  // Without emitting CellEdited.
  void SetCellText(int row, int column, const QString& text);
  // Drop-down: replace the entries, nothing chosen, the prompt shown.
  void SetItems(int row, int column, const QStringList& items, const QString& prompt);
  // Drop-down chosen index (-1: nothing); list: selected rows.
  int ChosenIndex(int row, int column) const;
  void SetChosenIndex(int row, int column, int index);
  // Drop-down that accepts typing: `index` chosen (nothing when out of range) and `text`
  // shown from its start.
  void ShowChoice(int row, int column, int index, const QString& text);
  std::vector<int> SelectedIndexes(int row, int column) const;
  void SetSelectedIndexes(int row, int column, const std::vector<int>& indexes);

  // Row top inside Frame1 in twips, as currently scrolled.
  double RowTop(int row) const { return tops_.at(row) - scrollPos_; }
  int ScrollPos() const { return scrollPos_; }
  int CurrentRow() const { return currentRow_; }
  void SetCurrentRow(int row) { currentRow_ = row; }

  // Raise VScroll1's Max by `amount`.
  void GrowMax(int amount);
  // Moves VScroll1, in SmallChange steps, until the row lies inside Frame1.
  void ScrollIntoView(int row);

  // What a screen reader calls each column's cells, in column order (an empty or missing
  // name keeps the column's own); the cells are named "Label, row N".
  void SetColumnLabels(const QStringList& labels);

  // Marks belong to a row index, not to the widgets that show it: a cell shows the marks
  // of the row it shows (a red frame and the tip, see SetFieldMark). An empty tip takes
  // the mark away.
  void SetCellMark(int row, int column, const QString& tip);
  void SetRowMark(int row, const QString& tip);
  // The tip of a cell's marks, "" when it has none.
  QString MarkTip(int row, int column) const;

 signals:
  // A user edit (not SetCellText / SetChosenIndex / loading).
  void CellEdited(int row, int column);
  // The same for a drop-down that accepts typing: an item picked (its index and text), or
  // text typed over it, which chooses nothing (index -1).
  void ChoiceEdited(int row, int column, int index, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One row's widgets, bound to a row or spare (row -1, hidden).
  struct Slot {
    int row = -1;
    std::vector<QWidget*> cells;
    int top = INT_MIN;  // pixels, where its cells were last placed
  };
  // What a one-line list shows of itself, kept per row while the row has no widgets.
  struct ListView {
    int current = 0;
    int scroll = 0;
  };

  int X(double twips) const;
  int Y(double twips) const;
  int TallestCell() const;
  Slot* SlotOf(int row) const;
  Slot& MakeSlot() const;
  void Bind(Slot& slot, int row) const;
  void Release(Slot& slot) const;
  void Place(Slot& slot) const;
  void PushRow(bool firstRowPlace);  // the next row's top, no widgets yet
  void Layout();
  void ChainTabOrder() const;
  void Restack() const;
  void DeleteSlot(Slot* slot);
  void ApplyScroll(int value);
  QWidget* MakeCell(int column) const;
  void UpdateListTip(QListWidget* list) const;
  // Whether a list column's longest item needs the narrow face to fit (once per column).
  bool NeedsNarrowFace(int column, const QListWidget* list) const;
  void ShowMark(int row, int column) const;

  struct RowMarks {
    QString row;
    std::map<int, QString> cells;
  };
  int FocusedRow() const;

  QWidget* host_;
  std::vector<GridColumn> columns_;
  GridGeometry geometry_;
  QFrame* frame_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  std::function<void(int)> binder_;
  QWidget* tabAnchor_ = nullptr;
  // Every row's top in twips at scroll value 0; its top now is that minus scrollPos_.
  std::vector<double> tops_;
  // The widgets: bound to rows (slotOfRow_) or spare. Made on demand, so mutable.
  mutable std::vector<std::unique_ptr<Slot>> slots_;
  mutable std::vector<Slot*> slotOfRow_;
  mutable std::vector<Slot*> chain_;  // every slot in its Tab order
  mutable std::vector<Slot*> stack_;  // bound slots, bottom to top
  mutable std::unordered_map<int, std::vector<ListView>> listViews_;
  int scrollPos_ = 0;
  int currentRow_ = 0;
  mutable bool quiet_ = false;
  std::map<int, RowMarks> marks_;
  mutable std::vector<int> narrow_;  // per column: -1 not yet known, 0 regular face, 1 narrow
  bool layingOut_ = false;
};

}  // namespace kv
