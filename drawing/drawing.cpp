#include "drawing/drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>

namespace kv::draw {
namespace {

// Colours that stay apart on white paper and on screen; findings in red over everything.
constexpr std::array<LayerStyle, kLayerCount> kStyles = {{
    {"GRID", 226, 226, 226, 1.0, false, 9},
    {"AXES", 80, 80, 80, 1.0, false, 8},
    {"STATIONS", 60, 60, 60, 1.0, false, 7},
    {"TANGENTS", 150, 150, 150, 1.0, true, 8},
    {"CONTROL_LINE", 40, 40, 40, 1.6, false, 7},
    {"LAYOUT_LINE", 20, 140, 60, 1.3, true, 3},
    {"REFERENCE_LINE", 150, 40, 170, 1.4, false, 6},
    {"PROFILE", 40, 40, 40, 1.8, false, 7},
    {"DECK", 40, 40, 40, 2.0, false, 7},
    {"BENT_LINES", 0, 120, 140, 1.8, false, 4},
    {"GIRDER_LINES", 30, 60, 170, 1.0, false, 5},
    {"KEY_POINTS", 215, 110, 0, 1.4, false, 30},
    {"SECTION_CUT", 230, 130, 0, 1.4, true, 2},
    {"FINDINGS", 220, 0, 0, 6.0, false, 1},
}};

double Dist2(Vec2 a, Vec2 b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double len2 = geom::Dot(ab, ab);
  double t = len2 > 0 ? geom::Dot(p - a, ab) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::sqrt(Dist2(p, a + t * ab));
}

// Text a few degrees off level or plumb reads better level or plumb; other angles go
// to whole degrees, so that text at one angle is drawn from one set of glyphs.
Vec2 Snapped(Vec2 u) {
  double a = geom::Degrees(std::atan2(u.y, u.x));
  const double square = 90 * std::round(a / 90);
  a = std::abs(a - square) <= 8 ? square : std::round(a);
  return {std::cos(geom::Radians(a)), std::sin(geom::Radians(a))};
}

Placed Place(const Label& l, std::size_t index, const View& v, const MeasureText& measure) {
  Vec2 u = Snapped(v.ScreenDir(l.dir));
  Align align = l.align;
  if (u.x < -1e-9 || (std::abs(u.x) <= 1e-9 && u.y > 0)) {
    u = -u;
    if (align != Align::Middle) align = align == Align::Start ? Align::End : Align::Start;
  }
  const Vec2 down{-u.y, u.x};
  const TextSize size = measure(l.text);
  const Vec2 at = v.ToScreen(l.at);
  Vec2 start = align == Align::Start ? at + l.gap * u
               : align == Align::End ? at - (l.gap + size.width) * u
                                     : at - 0.5 * size.width * u;
  const double top = l.side == Side::Above ? -(l.lift + size.height) : l.side == Side::Below ? l.lift : -0.5 * size.height;
  Placed p;
  p.label = index;
  p.origin = start + top * down;
  p.along = u;
  p.width = size.width;
  p.height = size.height;
  p.ascent = size.ascent;
  for (Vec2 c : p.Corners()) p.bounds.Add(c);
  return p;
}

bool Inside(const Placed& p, const View& v) {
  for (Vec2 c : p.Corners())
    if (c.x < 0 || c.y < 0 || c.x > v.width || c.y > v.height) return false;
  return true;
}

}  // namespace

const LayerStyle& StyleOf(Layer layer) { return kStyles[static_cast<std::size_t>(layer)]; }

void Box::Add(Vec2 p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (Empty()) {
    x0 = x1 = p.x, y0 = y1 = p.y;
    return;
  }
  x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
  y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
}

void Box::Add(const Box& b) {
  if (b.Empty()) return;
  Add(Vec2{b.x0, b.y0});
  Add(Vec2{b.x1, b.y1});
}

Box Drawing::PageExtent() const {
  Box b;
  for (const Path& p : paths)
    for (Vec2 q : p.points) b.Add(page(q));
  for (const Mark& m : marks) b.Add(page(m.at));
  for (const Label& l : labels) b.Add(page(l.at));
  return b;
}

TextSize EstimateText(const std::string& text, double pixels) {
  // Capitals and digits of a sans-serif face run to about 0.65 of the size.
  return {0.66 * pixels * double(text.size()), 1.25 * pixels, 0.95 * pixels};
}

Vec2 View::ToScreen(Vec2 p) const {
  const Vec2 q = page(p);
  return {(q.x - centre.x) * scale + width / 2, height / 2 - (q.y - centre.y) * scale};
}

Vec2 View::ToDrawing(Vec2 s) const {
  const Vec2 q{(s.x - width / 2) / scale + centre.x, (height / 2 - s.y) / scale + centre.y};
  return page.Inverse()(q);
}

Vec2 View::ScreenDir(Vec2 d) const {
  const Vec2 q = page(d);
  if (q.x == 0 && q.y == 0) return {1, 0};
  return geom::Unit({q.x, -q.y});
}

View View::ZoomedAt(Vec2 s, double factor) const {
  const Vec2 at = page(ToDrawing(s));
  View v = *this;
  v.scale = scale * factor;
  v.centre = {at.x - (s.x - width / 2) / v.scale, at.y - (height / 2 - s.y) / v.scale};
  return v;
}

View View::Panned(Vec2 pixels) const {
  View v = *this;
  v.centre = {centre.x - pixels.x / scale, centre.y + pixels.y / scale};
  return v;
}

View ScreenView(double w, double h) {
  View v;
  v.page = {1, 0, 0, -1};
  v.scale = 1;
  v.centre = {w / 2, -h / 2};
  v.width = w, v.height = h;
  return v;
}

View FitView(const Drawing& d, double w, double h, const MeasureText& measure) {
  return FitView(d, w, h, measure, d.focus.Empty() ? d.PageExtent() : d.focus);
}

View FitView(const Drawing& d, double w, double h, const MeasureText& measure, const Box& given) {
  View v;
  v.page = d.page;
  v.width = w, v.height = h;
  Box box = given.Empty() ? d.PageExtent() : given;
  if (box.Empty()) {
    box.Add(Vec2{-1, -1});
    box.Add(Vec2{1, 1});
  }
  const double bw = std::max(box.Width(), 1e-6 + 1e-3 * box.Height());
  const double bh = std::max(box.Height(), 1e-6 + 1e-3 * box.Width());
  const Vec2 mid{(box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2};
  // Room around the box for the labels of what lies in it, found by placing them.
  constexpr double kMargin = 14;
  double left = kMargin, right = kMargin, top = kMargin, bottom = kMargin;
  // The title stands over the top left corner.
  if (!d.title.empty()) top += measure(d.title).height + 6;
  Drawing inBox;
  for (const Label& l : d.labels) {
    const Vec2 q = d.page(l.at);
    const double ex = 1e-6 * (bw + bh);
    if (q.x >= box.x0 - ex && q.x <= box.x1 + ex && q.y >= box.y0 - ex && q.y <= box.y1 + ex) {
      inBox.labels.push_back(l);
      inBox.labels.back().alternative = false;  // room for either place
    }
  }
  inBox.page = d.page;
  const double baseTop = top;
  for (int pass = 0; pass < 4; ++pass) {
    v.scale = std::max(1e-9, std::min((w - left - right) / bw, (h - top - bottom) / bh));
    v.centre = {mid.x - (left - right) / (2 * v.scale), mid.y + (top - bottom) / (2 * v.scale)};
    Box screen;
    screen.Add(v.ToScreen(d.page.Inverse()(Vec2{box.x0, box.y0})));
    screen.Add(v.ToScreen(d.page.Inverse()(Vec2{box.x1, box.y1})));
    const Box bare = screen;
    for (const Placed& p : PlaceLabels(inBox, v, measure, false))
      for (Vec2 c : p.Corners()) screen.Add(c);
    const double l2 = kMargin + (bare.x0 - screen.x0), r2 = kMargin + (screen.x1 - bare.x1);
    const double t2 = std::max(baseTop, kMargin + (bare.y0 - screen.y0)), b2 = kMargin + (screen.y1 - bare.y1);
    // Labels never take more than half the room.
    left = std::min(l2, w / 4), right = std::min(r2, w / 4), top = std::min(t2, h / 4), bottom = std::min(b2, h / 4);
  }
  v.scale = std::max(1e-9, std::min((w - left - right) / bw, (h - top - bottom) / bh));
  v.centre = {mid.x - (left - right) / (2 * v.scale), mid.y + (top - bottom) / (2 * v.scale)};
  return v;
}

std::array<Vec2, 4> Placed::Corners() const {
  const Vec2 down{-along.y, along.x};
  return {origin, origin + width * along, origin + width * along + height * down, origin + height * down};
}

double Placed::Angle() const { return geom::Degrees(std::atan2(along.y, along.x)); }

bool Overlap(const Placed& a, const Placed& b) {
  if (!a.bounds.Empty() && !b.bounds.Empty() &&
      (a.bounds.x1 <= b.bounds.x0 || b.bounds.x1 <= a.bounds.x0 || a.bounds.y1 <= b.bounds.y0 || b.bounds.y1 <= a.bounds.y0))
    return false;
  const auto ca = a.Corners(), cb = b.Corners();
  const Vec2 axes[] = {a.along, {-a.along.y, a.along.x}, b.along, {-b.along.y, b.along.x}};
  for (Vec2 axis : axes) {
    double amin = std::numeric_limits<double>::infinity(), amax = -amin, bmin = amin, bmax = -amin;
    for (Vec2 c : ca) amin = std::min(amin, geom::Dot(c, axis)), amax = std::max(amax, geom::Dot(c, axis));
    for (Vec2 c : cb) bmin = std::min(bmin, geom::Dot(c, axis)), bmax = std::max(bmax, geom::Dot(c, axis));
    if (amax <= bmin || bmax <= amin) return false;
  }
  return true;
}

std::vector<Placed> PlaceLabels(const Drawing& d, const View& v, const MeasureText& measure, bool cull,
                                const std::vector<Placed>& taken) {
  std::vector<Placed> out;
  if (!cull) {
    out.reserve(d.labels.size());
    for (std::size_t i = 0; i < d.labels.size(); ++i)
      if (!d.labels[i].alternative) out.push_back(Place(d.labels[i], i, v, measure));
    return out;
  }
  std::vector<std::size_t> order(d.labels.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Label &la = d.labels[a], &lb = d.labels[b];
    return la.priority != lb.priority ? la.priority < lb.priority : la.alternative < lb.alternative;
  });
  std::vector<Placed> all = taken;
  std::vector<bool> placed(d.labels.size(), false);
  for (std::size_t i : order) {
    const Label& l = d.labels[i];
    if (l.text.empty()) continue;
    // An alternative only where its first place found no room.
    if (l.alternative) {
      std::size_t first = i;
      while (first > 0 && d.labels[first].alternative) --first;
      bool done = false;
      for (std::size_t k = first; k < i; ++k) done = done || placed[k];
      if (done) continue;
    }
    // Far off the screen: not worth measuring.
    const Vec2 at = v.ToScreen(l.at);
    if (at.x < -2000 || at.y < -2000 || at.x > v.width + 2000 || at.y > v.height + 2000) continue;
    const Placed p = Place(l, i, v, measure);
    if (!Inside(p, v)) continue;
    if (std::any_of(all.begin(), all.end(), [&](const Placed& q) { return Overlap(p, q); })) continue;
    all.push_back(p);
    out.push_back(p);
    placed[i] = true;
  }
  return out;
}

Drawing Overlay(const Drawing& d, const View& v) {
  Drawing o;
  o.page = ScreenView(v.width, v.height).page;
  if (!d.title.empty()) o.labels.push_back({Layer::Axes, d.title, {10, 8}, {1, 0}, Align::Start, Side::Below, 0, 0, 0, {}});
  if (d.north.x != 0 || d.north.y != 0) {
    const Vec2 a = v.ScreenDir(d.north), n{-a.y, a.x};
    const Vec2 c{v.width - 36, 56};
    o.paths.push_back({Layer::Axes, {c - 16 * a, c + 16 * a}, {}});
    o.paths.push_back({Layer::Axes, {c + 8 * a + 5 * n, c + 16 * a, c + 8 * a - 5 * n}, {}});
    o.labels.push_back({Layer::Axes, "N", c + 26 * a, {1, 0}, Align::Middle, Side::Middle, 0, 0, 0, {}});
  }
  if (d.scaleBar && v.scale > 0) {
    // A round length of 100 to 250 pixels.
    const double unitPixels = v.scale * std::sqrt(std::abs(d.page.Det()));
    const double length = NiceStep(100 / unitPixels);
    const double px = length * unitPixels;
    const double y = v.height - 22, x0 = 14;
    o.paths.push_back({Layer::Axes, {{x0, y}, {x0 + px, y}}, {}});
    for (double f : {0.0, 0.5, 1.0}) o.paths.push_back({Layer::Axes, {{x0 + f * px, y - 5}, {x0 + f * px, y + 5}}, {}});
    const int decimals = length < 1 ? 2 : length < 2 ? 1 : 0;
    o.labels.push_back({Layer::Axes, "0", {x0, y - 6}, {1, 0}, Align::Middle, Side::Above, 0, 0, 0, {}});
    o.labels.push_back(
        {Layer::Axes, Fixed(length, decimals) + (d.metric ? " m" : " ft"), {x0 + px, y - 6}, {1, 0}, Align::Middle, Side::Above, 0, 0, 0, {}});
  }
  return o;
}

Ref HitTest(const Drawing& d, const View& v, Vec2 screen, double tolerance) {
  Ref best;
  double bestDist = std::numeric_limits<double>::infinity();
  for (const Mark& m : d.marks) {
    if (m.ref.kind == Ref::None) continue;
    const double dist = std::sqrt(Dist2(v.ToScreen(m.at), screen));
    if (dist <= std::max(tolerance, m.size / 2) && dist < bestDist) best = m.ref, bestDist = dist;
  }
  if (best.kind != Ref::None) return best;
  // Where a girder line meets a bent, the point told is the girder's: within a pixel of
  // each other, a girder line wins over a bent line.
  auto better = [&](const Ref& r, double dist) {
    if (best.kind == Ref::None) return dist < bestDist;
    if (r.kind == Ref::GirderRow && best.kind == Ref::BentRow) return dist < bestDist + 1;
    if (r.kind == Ref::BentRow && best.kind == Ref::GirderRow) return dist < bestDist - 1;
    return dist < bestDist;
  };
  for (const Path& p : d.paths) {
    if (p.ref.kind == Ref::None || p.layer == Layer::Findings) continue;
    Vec2 prev{};
    for (std::size_t i = 0; i < p.points.size(); ++i) {
      const Vec2 s = v.ToScreen(p.points[i]);
      if (i > 0) {
        const double dist = SegmentDistance(screen, prev, s);
        if (dist <= tolerance && better(p.ref, dist)) best = p.ref, bestDist = dist;
      }
      prev = s;
    }
  }
  return best;
}

const Mark* TipAt(const Drawing& d, const View& v, Vec2 screen, double tolerance) {
  const Mark* best = nullptr;
  double bestDist = std::numeric_limits<double>::infinity();
  for (const Mark& m : d.marks) {
    if (m.tip.empty()) continue;
    const double dist = std::sqrt(Dist2(v.ToScreen(m.at), screen));
    if (dist <= std::max(tolerance, m.size / 2 + 2) && dist < bestDist) best = &m, bestDist = dist;
  }
  return best;
}

double NiceStep(double raw) {
  if (!(raw > 0) || !std::isfinite(raw)) return 1;
  const double p = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * p >= raw * (1 - 1e-9)) return m * p;
  return 10 * p;
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

}  // namespace kv::draw
