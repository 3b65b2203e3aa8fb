// The Vertical Alignment window: grades in and out and two vertical curves.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

class Vertical : public EditorWindow {
  Q_OBJECT

 public:
  explicit Vertical(Project& project, QWidget* parent = nullptr);
  void Refresh() override { fields_.Load(); }

 private:
  FieldBinder fields_;
};

}  // namespace kv
