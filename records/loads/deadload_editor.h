// The DeadLoad window: the dead-load deflection table as a grid of text boxes, one row
// per "07" line, with Add, Insert and Delete Row and a scroll bar that moves the rows.
#pragma once

#include "app/grid_window.h"

namespace kv {

class DeadLoad : public GridWindow {
  Q_OBJECT

 public:
  explicit DeadLoad(Project& project, QWidget* parent = nullptr);
};

}  // namespace kv
