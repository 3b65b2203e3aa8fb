// A drawing of the project: what the plan, profile and section views show, as lines,
// marks and labels on layers, in the drawing's own units (layout coordinates in plan,
// station and elevation in profile, offset and elevation in section). The windows paint
// it, print it and save it; `kelvara plan` writes it as SVG or DXF. Lines are drawn to
// scale; marks, labels and line widths keep their size on screen.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "geometry/plane.h"

namespace kv::draw {

using geom::Vec2;

// Layers by kind of line, in the order they are painted.
enum class Layer : int {
  Grid,           // the axes' grid lines
  Axes,           // frames, axes and their numbers, titles
  Stations,       // station ticks and numbers
  Tangents,       // tangents to the PI (plan) and to the PVIs (profile)
  ControlLine,    // the horizontal control line
  LayoutLine,
  ReferenceLine,
  Profile,        // the profile grade line (profile), where it is (section)
  Deck,           // the deck surface (section)
  BentLines,
  GirderLines,    // girder lines (plan), their elevations (profile, section)
  KeyPoints,      // TS, SC, CS, ST or PC, PT, PI; PVC, PVI, PVT, high and low points
  Cut,            // where the section is taken
  Findings,
};
inline constexpr int kLayerCount = 14;

struct LayerStyle {
  const char* name;  // the DXF layer and the SVG group
  std::uint8_t r, g, b;
  double width;  // of a line, in pixels
  bool dashed;
  int dxfColor;  // colour index of DXF files
};
const LayerStyle& StyleOf(Layer layer);

// What a line or mark stands for.
struct Ref {
  enum Kind { None, GirderRow, BentRow, Finding } kind = None;
  int index = 0;  // the grid row (1-based), or the finding's place in the findings
  bool operator==(const Ref&) const = default;
};

struct Path {
  Layer layer;
  std::vector<Vec2> points;
  Ref ref;
};

enum class Shape { Dot, Circle, Triangle, Diamond, Tick, Warning };

struct Mark {
  Layer layer;
  Vec2 at;
  Shape shape;
  double size = 8;  // pixels across
  Vec2 dir{};       // a tick's direction, in drawing units
  Ref ref;
  std::string tip;  // shown when the pointer rests on it
};

// Where a label sits: along its direction, from its point (Start: the text begins `gap`
// pixels past the point; End: it ends `gap` before; Middle: centred), and across it
// (Above or Below the point by `lift` pixels, or centred on it). Text is kept upright:
// a direction that reads leftward or downward is turned round, its start and end
// swapped, so the text stays on the same side of its point.
enum class Align { Start, Middle, End };
enum class Side { Above, Middle, Below };

struct Label {
  Layer layer;
  std::string text;  // Latin-1, as the project holds it
  Vec2 at;
  Vec2 dir{1, 0};  // in drawing units
  Align align = Align::Start;
  Side side = Side::Middle;
  double gap = 0, lift = 0;
  int priority = 5;  // lower first: a label is left out where it would overlap one placed before
  Ref ref;
  // Another place for the label before it in the list, tried (after every first place
  // of its priority) only when that one found no room. Files that keep every label
  // leave it out.
  bool alternative = false;
};

// A linear map of the plane.
struct Mat2 {
  double a = 1, b = 0, c = 0, d = 1;
  Vec2 operator()(Vec2 p) const { return {a * p.x + b * p.y, c * p.x + d * p.y}; }
  Mat2 operator*(const Mat2& m) const {
    return {a * m.a + b * m.c, a * m.b + b * m.d, c * m.a + d * m.c, c * m.b + d * m.d};
  }
  double Det() const { return a * d - b * c; }
  Mat2 Inverse() const {
    const double k = Det();
    return {d / k, -b / k, -c / k, a / k};
  }
};

struct Box {
  double x0 = 1, y0 = 1, x1 = -1, y1 = -1;  // empty until a point is added
  bool Empty() const { return x0 > x1 || y0 > y1; }
  void Add(Vec2 p);
  void Add(const Box& b);
  double Width() const { return Empty() ? 0 : x1 - x0; }
  double Height() const { return Empty() ? 0 : y1 - y0; }
};

struct Drawing {
  std::string title;
  bool metric = false;
  // Drawing units to page units (y up): the plan turned so the stations run to the
  // right, the profile and section with their vertical scale.
  Mat2 page;
  double exaggeration = 1;  // of the vertical scale
  Vec2 north{};             // the drawing's north, drawn as an arrow when set
  bool scaleBar = false;
  // Drawing units to the units a DXF file holds them in.
  Mat2 dxf;
  // What the views show first, in page units: the structure, or the whole frame.
  Box focus;

  std::vector<Path> paths;
  std::vector<Mark> marks;
  std::vector<Label> labels;
  std::vector<std::string> findings;  // the texts Ref::Finding marks stand for

  Box PageExtent() const;
};

// The size of a label's text, in pixels.
struct TextSize {
  double width = 0, height = 0, ascent = 0;
};
using MeasureText = std::function<TextSize(const std::string& text)>;
// For writers without fonts: an estimate, on the safe side, for a sans-serif face.
inline constexpr double kLabelPixels = 12;
TextSize EstimateText(const std::string& text, double pixels = kLabelPixels);

// Where the drawing lies on a screen (pixels, y down): the page point at the middle
// and the pixels per page unit.
struct View {
  Mat2 page;
  double scale = 1;
  Vec2 centre;
  double width = 0, height = 0;

  Vec2 ToScreen(Vec2 p) const;
  Vec2 ToDrawing(Vec2 s) const;
  Vec2 ScreenDir(Vec2 d) const;  // a drawing direction on screen, unit length
  View ZoomedAt(Vec2 s, double factor) const;
  View Panned(Vec2 pixels) const;
};

// The drawing's focus filling a screen of w by h with its labels.
View FitView(const Drawing& d, double w, double h, const MeasureText& measure, const Box& box);
View FitView(const Drawing& d, double w, double h, const MeasureText& measure);
// A screen's own pixels as a view, for what is drawn on the screen itself.
View ScreenView(double w, double h);

// A label on screen: its top-left corner, the unit direction its text runs along and
// its size; the four corners for hit tests.
struct Placed {
  std::size_t label;  // its place in the drawing's labels
  Vec2 origin, along;
  double width = 0, height = 0, ascent = 0;
  Box bounds;  // on screen, for a quick test before the exact one
  std::array<Vec2, 4> Corners() const;
  double Angle() const;  // degrees, clockwise on screen
};
// The labels that fit on the screen without overlapping one placed before, in order of
// priority; with `cull` false every label, wherever it falls.
std::vector<Placed> PlaceLabels(const Drawing& d, const View& v, const MeasureText& measure, bool cull = true,
                                const std::vector<Placed>& taken = {});
bool Overlap(const Placed& a, const Placed& b);

// What the screen adds: the title, the north arrow and the scale bar, as a drawing in
// screen pixels (draw it with ScreenView).
Drawing Overlay(const Drawing& d, const View& v);

// The line or mark nearest a screen point, within `tolerance` pixels; marks first.
Ref HitTest(const Drawing& d, const View& v, Vec2 screen, double tolerance = 5);
// The mark under a screen point that has a tip, or nullptr.
const Mark* TipAt(const Drawing& d, const View& v, Vec2 screen, double tolerance = 6);

// A "nice" step (1, 2 or 5 times a power of ten) of at least `raw`.
double NiceStep(double raw);
// Text of a number with `decimals`, without a minus on zero.
std::string Fixed(double v, int decimals);

}  // namespace kv::draw
