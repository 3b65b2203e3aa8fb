// The BentLine window: the bent line table as a grid of control arrays, one row per
// bent line, with Add, Insert and Delete Row and a scroll bar that moves the rows.
#pragma once

#include "app/grid_window.h"

namespace kv {

class BentLine : public GridWindow {
  Q_OBJECT

 public:
  explicit BentLine(Project& project, QWidget* parent = nullptr);
};

}  // namespace kv
