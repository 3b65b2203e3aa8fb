// The editor window of each "&Data Entry" entry. An editor joins the program with one
// line here; a form without a line has its menu entry, which then only sets its mark.
#include "app/editor_registry.h"
// Record editors.
#include "inputfile/description_editor.h"
#include "records/alignment/horizontal_editor.h"
#include "records/alignment/vertical_editor.h"
#include "records/layout/refline_editor.h"
#include "records/loads/roadappr_editor.h"
// Grid editors.
#include "records/alignment/crosstrans_editor.h"
#include "records/bents/bent_editor.h"
#include "records/layout/girder_editor.h"
#include "records/loads/deadload_editor.h"

namespace kv {

EditorFactories DefaultEditorFactories() {
  EditorFactories f;
  // Each entry: f[static_cast<int>(Form::X)] = [](Project& p) { return new Window(p); };
  // Record editors: description, alignment, reference line, roadway approaches.
  f[static_cast<int>(Form::Desc)] = [](Project& p) { return new Description(p); };
  f[static_cast<int>(Form::Horiz)] = [](Project& p) { return new Horizontal(p); };
  f[static_cast<int>(Form::Vert)] = [](Project& p) { return new Vertical(p); };
  f[static_cast<int>(Form::Ref)] = [](Project& p) { return new RefLine(p); };
  f[static_cast<int>(Form::RoadApp)] = [](Project& p) { return new RoadAppr(p); };
  // Grid editors: cross slope, girder lines, bent lines, dead loads.
  f[static_cast<int>(Form::Cross)] = [](Project& p) { return new CrossTrans(p); };
  f[static_cast<int>(Form::Gird)] = [](Project& p) { return new GirderLine(p); };
  f[static_cast<int>(Form::Bent)] = [](Project& p) { return new BentLine(p); };
  f[static_cast<int>(Form::Dead)] = [](Project& p) { return new DeadLoad(p); };
  return f;
}

}  // namespace kv
