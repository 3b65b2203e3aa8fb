// The Roadway Approaches window: one row of ten boxes under their headings.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

class RoadAppr : public EditorWindow {
  Q_OBJECT

 public:
  explicit RoadAppr(Project& project, QWidget* parent = nullptr);
  void Refresh() override { fields_.Load(); }

 private:
  FieldBinder fields_;
};

}  // namespace kv
