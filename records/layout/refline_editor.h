// The Reference Line window: reference station, skew, layout line, transform constant,
// limits of valid data and the options, laid out at fixed positions.
#pragma once

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

class RefLine : public EditorWindow {
  Q_OBJECT

 public:
  explicit RefLine(Project& project, QWidget* parent = nullptr);
  void Refresh() override { fields_.Load(); }

 private:
  FieldBinder fields_;
};

}  // namespace kv
