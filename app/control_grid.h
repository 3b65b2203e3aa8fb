// One grid of control arrays, shared by the override, girder line, bent line and dead load
// windows. The caller describes the columns; the grid builds Frame1 and VScroll1 on the host
// window and real rows of widgets inside Frame1.
//
// Usage:
//   std::vector<GridColumn> columns = {
//       {GridColumn::Kind::TextBox, "OverSta", 100, 1200, "Station"},
//       {GridColumn::Kind::DropDown, "Combo1", 1400, 1500, "Line Type", "Line Type", items}};
//   GridGeometry geometry;            // frame and scroll bar rectangles, row top/spacing, ...
//   ControlGrid grid(window, columns, geometry);
//   grid.AddRow();                    // every row: one control per column, objectName = the
//                                     // column's name, dynamic property "Index" = the row
//   grid.Cell(row, column)            // the control; CellText / SetCellText for any kind
//   grid.ScrollPos()                  // the scroll value last applied to the rows
//   grid.CurrentRow()                 // the row of the cell that last lost the focus
// Every position is in twips and goes through TwipsToPixels.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
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
};

struct GridGeometry {
  // Frame1 on the host, in twips.
  int frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
  // VScroll1 on the host, in twips.
  int scrollLeft = 0, scrollTop = 0, scrollWidth = 255, scrollHeight = 0;
  int scrollMin = 0, scrollMax = 0, scrollSmall = 1, scrollLarge = 1, scrollValue = 0;
  // A new window's VScroll1 from its table: Min 0, the table's Max and changes, Value 0.
  void ScrollFrom(const GridScroll& s) {
    scrollMin = 0, scrollMax = s.Max, scrollSmall = s.Small, scrollLarge = s.Large, scrollValue = 0;
  }
  // The first rows: row i at rowTop + i * rowSpacing (inside Frame1).
  int rowTop = 0;
  int rowSpacing = 240;
  int rowHeight = 285;
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

  QFrame* Frame() const { return frame_; }
  QScrollBar* ScrollBar() const { return scroll_; }
  const std::vector<GridColumn>& Columns() const { return columns_; }
  int ColumnIndex(const QString& name) const;  // -1 when unknown

  // Row `RowCount()` built below the last (or at its first-row place while the grid is
  // still within its initial rows, see AddInitialRows).
  void AddInitialRows(int count);
  int AddRow();
  // The table behind the grid has fewer rows again (a file was read anew).
  void RemoveLastRow();
  // Destroys the rows from `count` on.
  void TrimRows(int count);
  int RowCount() const { return static_cast<int>(rows_.size()); }

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
  double RowTop(int row) const { return rows_.at(row).top; }
  int ScrollPos() const { return scrollPos_; }
  int CurrentRow() const { return currentRow_; }
  void SetCurrentRow(int row) { currentRow_ = row; }

  // Marks belong to a row index, not to the widgets that show it: a cell shows the marks
  // of the row it shows (a red frame and the tip, see SetFieldMark). An empty tip takes
  // the mark away. A row mark marks every cell of the row.
  void SetCellMark(int row, int column, const QString& tip);
  void SetRowMark(int row, const QString& tip);
  // The tip a cell shows for its marks; empty when it has none.
  QString MarkTip(int row, int column) const;

  // Raise VScroll1's Max by `amount`.
  void GrowMax(int amount);
  // Moves VScroll1, in SmallChange steps, until the row lies inside Frame1.
  void ScrollIntoView(int row);

 signals:
  // A user edit (not SetCellText / SetChosenIndex / loading).
  void CellEdited(int row, int column);
  // The same for a drop-down that accepts typing: an item picked (its index and text), or
  // text typed over it, which chooses nothing (index -1).
  void ChoiceEdited(int row, int column, int index, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    double top = 0;  // twips inside Frame1
    std::vector<QWidget*> cells;
  };

  int X(double twips) const;
  int Y(double twips) const;
  void Place(Row& row);
  void ApplyScroll(int value);
  QWidget* MakeCell(int row, int column);
  void UpdateListTip(QListWidget* list);
  // Whether a list column's longest item needs the narrow face to fit (once per column).
  bool NeedsNarrowFace(int column, const QListWidget* list);
  void ShowMark(int row, int column);

  struct RowMarks {
    QString row;
    std::map<int, QString> cells;
  };

  QWidget* host_;
  std::vector<GridColumn> columns_;
  GridGeometry geometry_;
  QFrame* frame_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  std::vector<Row> rows_;
  std::map<int, RowMarks> marks_;
  int scrollPos_ = 0;
  int currentRow_ = 0;
  bool quiet_ = false;
  std::vector<int> narrow_;  // per column: -1 not yet known, 0 regular face, 1 narrow
};

}  // namespace kv
