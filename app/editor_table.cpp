// The editor window of each "&Data Entry" entry. An editor joins the program with one
// line here; a form without a line has its menu entry, which then only sets its mark.
#include "app/editor_registry.h"
// Record editors.
// Grid editors.

namespace kv {

EditorFactories DefaultEditorFactories() {
  EditorFactories f;
  // Each entry: f[static_cast<int>(Form::X)] = [](Project& p) { return new Window(p); };
  // Record editors: description, alignment, reference line, roadway approaches.
  // Grid editors: cross slope, girder lines, bent lines, dead loads.
  return f;
}

}  // namespace kv
