// The GirderLine window: the girder line table as a grid of control arrays, one row per
// girder line, with Add New Row, Insert Row and Delete Row and a scroll bar that moves
// the rows. Every edit goes straight into the project's table.
#pragma once

#include "app/grid_window.h"

namespace kv {

class GirderLine : public GridWindow {
  Q_OBJECT

 public:
  explicit GirderLine(Project& project, QWidget* parent = nullptr);
};

}  // namespace kv
