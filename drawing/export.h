// A drawing as files: SVG as the screen shows it (the view's zoom and pan, its labels
// placed the same way), DXF in the drawing's own units with a layer per kind of line,
// for CAD.
#pragma once

#include <string>

#include "drawing/drawing.h"

namespace kv::draw {

std::string WriteSvg(const Drawing& d, const View& v, const MeasureText& measure = [](const std::string& s) {
  return EstimateText(s);
});
std::string WriteDxf(const Drawing& d);

// The size `kelvara plan` and an unsized export give a drawing.
inline constexpr double kExportWidth = 1400, kExportHeight = 900;

}  // namespace kv::draw
