// The Horizontal Alignment window: the PI, curve data and the station equation.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

class Horizontal : public EditorWindow {
  Q_OBJECT

 public:
  explicit Horizontal(Project& project, QWidget* parent = nullptr);
  void Refresh() override { fields_.Load(); }

 private:
  FieldBinder fields_;
};

}  // namespace kv
