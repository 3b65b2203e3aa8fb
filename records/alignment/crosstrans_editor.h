// The Cross-Slope and Transition Data window: crown type, cross-slope, transitions in
// and out, the parabolic crown, and the growing grid of superelevation overrides.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

class QPushButton;

namespace kv {

class ControlGrid;
class GridBinding;

class CrossTrans : public EditorWindow {
  Q_OBJECT

 public:
  explicit CrossTrans(Project& project, QWidget* parent = nullptr);

  void Refresh() override;

  // "Add New Override": one empty row below the last; a full grid refuses with a message.
  void AddOverRecord_Click();
  // The grid has moved the rows; the value applied is kept as OverrideScrollPos.
  void VScroll1_Change(int value);

  ControlGrid& Grid() const;

 private:
  FieldBinder fields_;
  GridBinding* overrides_ = nullptr;
  QPushButton* add_ = nullptr;
  QWidget* lastField_ = nullptr;  // the last single field in the tab order
};

}  // namespace kv
