// The GirderLine window: the girder line table as a grid of control arrays, one row per
// girder line, with Add New Row, Insert Row and Delete Row and a scroll bar that moves
// the rows. Every edit goes straight into the project's table.
#pragma once

#include "app/editor_window.h"

namespace kv {

class ControlGrid;
struct GirderRow;
struct GirderTable;

class GirderLine : public EditorWindow {
  Q_OBJECT

 public:
  explicit GirderLine(Project& project, QWidget* parent = nullptr);

  void Refresh() override;

  void AddRecord_Click();
  void Insert_Click();
  void Delete_Click();
  // Keeps GirderScrollPos; the grid itself moves the rows by the difference.
  void VScroll1_Change(int value);

  int CurrentRow() const;
  ControlGrid& Grid() const { return *grid_; }

 private:
  GirderTable& Table() const;
  GirderRow& RowAt(int i) const;
  void AppendGridRow();
  void DressRow(int i);
  void ShowRow(int i);
  void SyncScrollBar();
  void CellEdited(int row, int column);
  void ChoiceEdited(int row, int column, int index, const QString& text);
  void ShowFull();

  ControlGrid* grid_ = nullptr;
  bool loading_ = false;
};

}  // namespace kv
