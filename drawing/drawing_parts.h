// What the plan, profile and section builders share.
#pragma once

#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "geometry/project_geometry.h"

namespace kv::draw::parts {

// Between the control line's frame and the layout grid, which may be a mirror image.
struct GridFrame {
  explicit GridFrame(const geom::Layout& layout);
  Vec2 Grid(Vec2 plan) const { return origin + toGrid(plan); }
  Vec2 GridDir(Vec2 planDir) const { return toGrid(planDir); }
  Vec2 Plan(Vec2 grid) const { return toPlan(grid - origin); }
  Mat2 toGrid, toPlan;
  Vec2 origin;
};

// Stations are ticked every 100 ft or 20 m.
inline double StationInterval(bool metric) { return metric ? 20 : 100; }
// Decimals of lengths and elevations in texts.
inline int LengthDecimals(bool metric) { return metric ? 3 : 2; }
inline const char* Unit(bool metric) { return metric ? "m" : "ft"; }
// A length that is big enough to see beside the structure: 50 ft or 15 m.
inline double Room(bool metric) { return metric ? 15 : 50; }

// Running lengths where the structure stands: its bent lines and girder points.
struct Span {
  double lo = 0, hi = 0;
  bool empty = true;
  void Add(double u);
};
Span StructureSpan(const geom::ProjectGeometry& g);

// The offset of `station`'s girder points from the control line, by girder line, where
// the line reaches that far: linear between its points.
struct GirderAt {
  const geom::GirderLineData* line;
  double offset;
};
std::vector<GirderAt> GirdersAt(const geom::ProjectGeometry& g, double u);

// Every row number in a finding's rows ("4", "2 and 5").
std::vector<int> Rows(const std::string& rows);

// The labelling direction that reads horizontally on the page.
inline Vec2 PageAcross(const Drawing& d) { return d.page.Inverse()({1, 0}); }
inline Vec2 PageUp(const Drawing& d) { return d.page.Inverse()({0, 1}); }

// The ticks of an axis from lo to hi, at multiples of step.
std::vector<double> Ticks(double lo, double hi, double step);
int StepDecimals(double step);

}  // namespace kv::draw::parts
