// The Description window: structure ID, project numbers, people, location, general
// description and the project's units.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

class Description : public EditorWindow {
  Q_OBJECT

 public:
  explicit Description(Project& project, QWidget* parent = nullptr);
  void Refresh() override { fields_.Load(); }

 private:
  FieldBinder fields_;
};

}  // namespace kv
