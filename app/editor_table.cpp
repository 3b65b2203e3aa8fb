// The editor window of each "&Data Entry" entry. An editor joins the program with one
// line here; a form without a line has its menu entry, which then only sets its mark.
#include "app/editor_registry.h"

namespace kv {

EditorFactories DefaultEditorFactories() {
  EditorFactories f;
  // Each entry: f[static_cast<int>(Form::X)] = [](Project& p) { return new Window(p); };
  return f;
}

}  // namespace kv
