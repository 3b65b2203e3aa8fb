// The BentLine window: the bent line table as a grid of control arrays, one row per
// bent line, with Add, Insert and Delete Row and a scroll bar that moves the rows.
#pragma once

#include "app/control_grid.h"
#include "app/editor_window.h"

namespace kv {

class BentLine : public EditorWindow {
  Q_OBJECT

 public:
  explicit BentLine(Project& project, QWidget* parent = nullptr);

  void Refresh() override;

  void AddRecord_Click();
  void Insert_Click();
  void Delete_Click();
  void VScroll1_Change(int value);

  ControlGrid& grid() const { return *grid_; }
  int CurrentRow() const { return grid_->CurrentRow(); }

 private:
  void ShowRow(int i);
  void ShowRowsFrom(int first);
  void CellEdited(int row, int column);
  void ChoiceEdited(int row, int column, int index, const QString& text);
  void SyncMaximum();

  ControlGrid* grid_ = nullptr;
  bool refreshing_ = false;
};

}  // namespace kv
