// The profile and the section: drawn in a frame with numbered axes, the vertical scale
// exaggerated by a round factor that the elevation axis names.
#include <algorithm>
#include <cmath>

#include "drawing/drawing_parts.h"
#include "drawing/project_drawings.h"

namespace kv::draw {
namespace {

using geom::ProjectGeometry;

enum { kGirder = 1, kKeyPoint = 2, kBent = 2, kAxis = 3, kOther = 4 };

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

// A round factor that gives the elevations about `share` of the width.
double Exaggeration(double width, double height, double share, double most) {
  if (!(height > 0)) return 1;
  const double raw = share * width / height;
  double best = 1;
  for (double f : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0})
    if (f <= raw && f <= most) best = f;
  return best;
}

// The frame, its grid, and the numbers along both axes; the titles name the units and
// the vertical scale.
struct Frame {
  double x0, x1, z0, z1, zStep;
};

Frame RoundFrame(double x0, double x1, double zLo, double zHi) {
  if (!(zHi > zLo)) zLo -= 0.5, zHi += 0.5;
  const double step = NiceStep((zHi - zLo) / 5);
  Frame f{x0, x1, std::floor(zLo / step) * step, std::ceil(zHi / step) * step, step};
  if (f.z1 - f.z0 < 2 * step) f.z1 += step, f.z0 -= step;
  return f;
}

void DrawFrame(Drawing& d, const Frame& f, const std::vector<std::pair<double, std::string>>& xTicks,
               const std::string& xTitle, const std::string& zTitle) {
  d.paths.push_back({Layer::Axes, {{f.x0, f.z0}, {f.x1, f.z0}, {f.x1, f.z1}, {f.x0, f.z1}, {f.x0, f.z0}}, {}});
  for (const auto& [x, text] : xTicks) {
    d.paths.push_back({Layer::Grid, {{x, f.z0}, {x, f.z1}}, {}});
    d.labels.push_back({Layer::Axes, text, {x, f.z0}, {1, 0}, Align::Middle, Side::Below, 0, 4, kAxis, {}});
  }
  const int dec = parts::StepDecimals(f.zStep);
  for (double z : parts::Ticks(f.z0, f.z1, f.zStep)) {
    d.paths.push_back({Layer::Grid, {{f.x0, z}, {f.x1, z}}, {}});
    d.labels.push_back({Layer::Axes, Fixed(z, dec), {f.x0, z}, {1, 0}, Align::End, Side::Middle, 6, 0, kAxis, {}});
  }
  d.labels.push_back({Layer::Axes, xTitle, {(f.x0 + f.x1) / 2, f.z0}, {1, 0}, Align::Middle, Side::Below, 0, 24, kAxis, {}});
  d.labels.push_back({Layer::Axes, zTitle, {f.x0, (f.z0 + f.z1) / 2}, {0, 1}, Align::Middle, Side::Above, 0, 60, kAxis, {}});
  d.focus.Add(d.page({f.x0, f.z0}));
  d.focus.Add(d.page({f.x1, f.z1}));
}

std::string ScaleText(double exaggeration) {
  return exaggeration > 1 ? ", vertical scale " + Fixed(exaggeration, 0) + " times" : "";
}

}  // namespace

Drawing BuildProfile(const ProjectGeometry& g) {
  Drawing d;
  d.title = "Profile grade";
  d.metric = g.metric();
  const bool metric = g.metric();
  const geom::Stationing& st = g.stationing();
  if (!g.hasProfile()) {
    d.title = "Profile: no PI station, so no profile grade";
    return d;
  }
  // Along the structure and every vertical curve, and a little beyond.
  parts::Span span = parts::StructureSpan(g);
  for (const geom::ProfileCurveData& v : g.profileCurves()) span.Add(st.Chainage(v.PVC)), span.Add(st.Chainage(v.PVT));
  const double room = std::max(0.08 * (span.hi - span.lo), parts::Room(metric) / 2.5);
  const double x0 = span.lo - room, x1 = span.hi + room;

  std::vector<double> us;
  constexpr int kSamples = 240;
  for (int i = 0; i <= kSamples; ++i) us.push_back(x0 + (x1 - x0) * i / kSamples);
  for (const geom::ProfileCurveData& v : g.profileCurves())
    for (double s : {v.PVC, v.PVI, v.PVT}) us.push_back(st.Chainage(s));
  std::sort(us.begin(), us.end());
  std::vector<Vec2> grade;
  double zLo = INFINITY, zHi = -INFINITY;
  for (double u : us) {
    if (u < x0 || u > x1) continue;
    const double z = g.AtChainage(u, g.profileOffset()).profileElevation;
    grade.push_back({u, z});
    zLo = std::min(zLo, z), zHi = std::max(zHi, z);
  }
  // The girder lines' elevations at each bent, as one bar.
  const auto& bents = g.bents();
  const auto& lines = g.bentLines();
  std::vector<std::pair<double, double>> bars(bents.size(), {INFINITY, -INFINITY});
  for (const geom::GirderLineData& line : g.girders())
    for (std::size_t k = 0; k < line.points.size(); ++k)
      if (line.points[k].found && std::isfinite(line.points[k].elevation)) {
        bars[k].first = std::min(bars[k].first, line.points[k].elevation);
        bars[k].second = std::max(bars[k].second, line.points[k].elevation);
      }
  for (const auto& [lo, hi] : bars)
    if (lo <= hi) zLo = std::min(zLo, lo), zHi = std::max(zHi, hi);
  const Frame f = RoundFrame(x0, x1, zLo, zHi);
  d.exaggeration = Exaggeration(x1 - x0, f.z1 - f.z0, 0.3, 100);
  d.page = {1, 0, 0, d.exaggeration};
  d.dxf = d.page;

  std::vector<std::pair<double, std::string>> ticks;
  for (double s : parts::Ticks(st.Station(x0), st.Station(x1), parts::StationInterval(metric))) {
    bool gap = false;
    const double u = st.Chainage(s, &gap);
    if (!gap && u >= x0 && u <= x1) ticks.push_back({u, StationLabel(g, s, true)});
  }
  DrawFrame(d, f, ticks, "Station", std::string("Elevation (") + parts::Unit(metric) + ScaleText(d.exaggeration) + ")");

  d.paths.push_back({Layer::Profile, grade, {}});
  auto key = [&](const std::string& name, double station, double z, Shape shape) {
    const double u = st.Chainage(station);
    d.marks.push_back({Layer::KeyPoints, {u, z}, shape, shape == Shape::Triangle ? 9.0 : 7.0, {}, {}, {}});
    // Its name and station up from it, its elevation down, so neither runs far.
    d.labels.push_back({Layer::KeyPoints, name + " " + StationLabel(g, station), {u, z}, {0, 1}, Align::Start,
                        Side::Middle, 9, 0, kKeyPoint, {}});
    d.labels.push_back({Layer::KeyPoints, "EL " + Fixed(z, 3), {u, z}, {0, 1}, Align::End, Side::Middle, 9, 0, kKeyPoint, {}});
  };
  for (const geom::ProfileCurveData& v : g.profileCurves()) {
    const double pvc = st.Chainage(v.PVC), pvi = st.Chainage(v.PVI), pvt = st.Chainage(v.PVT);
    d.paths.push_back({Layer::Tangents, {{pvc, v.zPVC}, {pvi, v.zPVI}, {pvt, v.zPVT}}, {}});
    if (pvt > pvc) {
      key("PVC", v.PVC, v.zPVC, Shape::Circle);
      key("PVT", v.PVT, v.zPVT, Shape::Circle);
    }
    key("PVI", v.PVI, v.zPVI, Shape::Triangle);
    if (v.hasTurn)
      key(v.turnZ >= std::max(v.zPVC, v.zPVT) ? "High point" : "Low point", v.turnStation, v.turnZ, Shape::Diamond);
  }

  // The bents at their stations, named up from the bottom of the frame.
  for (std::size_t k = 0; k < bents.size(); ++k) {
    if (!lines[k].found) continue;
    const double u = lines[k].u;
    const Ref ref{Ref::BentRow, bents[k].row};
    const double z = g.AtChainage(u, g.profileOffset()).profileElevation;
    d.paths.push_back({Layer::BentLines, {{u, f.z0}, {u, std::max(z, bars[k].second)}}, ref});
    d.labels.push_back(
        {Layer::BentLines, Trimmed(bents[k].description), {u, f.z0}, {0, 1}, Align::Start, Side::Above, 4, 2, kBent, ref});
    if (bars[k].first <= bars[k].second) {
      d.paths.push_back({Layer::GirderLines, {{u, bars[k].first}, {u, bars[k].second}}, {}});
      d.marks.push_back({Layer::GirderLines, {u, bars[k].first}, Shape::Dot, 4, {}, {}, {}});
      d.marks.push_back({Layer::GirderLines, {u, bars[k].second}, Shape::Dot, 4, {}, {}, {}});
    }
  }

  // Findings of the profile at the curve they name, of a bent at the bent.
  const auto& findings = g.findings();
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const geom::Finding& fd = findings[i];
    d.findings.push_back(fd.Text());
    std::optional<Vec2> at;
    if (fd.record == "02" && !g.profileCurves().empty()) {
      const bool second = fd.field.find('2') != std::string::npos && g.profileCurves().size() > 1;
      const geom::ProfileCurveData& v = g.profileCurves()[second ? 1 : 0];
      at = Vec2{st.Chainage(v.PVI), v.zPVI};
    } else if (fd.window == "BentLine") {
      for (int r : parts::Rows(fd.rows))
        for (std::size_t k = 0; k < bents.size(); ++k)
          if (bents[k].row == r && lines[k].found && !at) at = Vec2{lines[k].u, f.z0};
    }
    if (at) d.marks.push_back({Layer::Findings, *at, Shape::Warning, 14, {}, {Ref::Finding, int(i)}, fd.Text()});
  }
  return d;
}

void AddProfileCut(Drawing& profile, const ProjectGeometry& g, double station) {
  if (!g.hasProfile()) return;
  const Box b = profile.focus;
  if (b.Empty()) return;
  const double u = g.stationing().Chainage(station);
  const double z0 = b.y0 / profile.exaggeration, z1 = b.y1 / profile.exaggeration;
  profile.paths.push_back({Layer::Cut, {{u, z0}, {u, z1}}, {}});
  profile.labels.push_back(
      {Layer::Cut, "Section " + StationLabel(g, station), {u, z1}, {0, 1}, Align::End, Side::Below, 4, 3, 0, {}});
}

std::optional<double> ProfileStation(const ProjectGeometry& g, Vec2 at) {
  if (!std::isfinite(at.x)) return std::nullopt;
  return g.stationing().Station(at.x);
}

std::string DescribeProfilePoint(const ProjectGeometry& g, Vec2 at) {
  const geom::PointData p = g.AtChainage(at.x, g.profileOffset());
  std::string s = "station " + StationLabel(g, p.station);
  if (std::isfinite(p.profileElevation))
    s += ": profile grade elevation " + Fixed(p.profileElevation, 3) + ", grade " + Fixed(p.grade, 3) + "%";
  return s + "; pointer at elevation " + Fixed(at.y, 2);
}

Drawing BuildSection(const ProjectGeometry& g, double station) {
  Drawing d;
  const bool metric = g.metric();
  const int dec = parts::LengthDecimals(metric);
  d.metric = metric;
  d.title = "Section at " + StationLabel(g, station) + ", looking up-station";
  const double u = g.stationing().Chainage(station);
  const double pgl = g.profileOffset();
  const std::vector<parts::GirderAt> at = parts::GirdersAt(g, u);

  const double pivot = pgl + g.pivotOffset();
  double oLo = std::min({0.0, pgl, pivot}), oHi = std::max({0.0, pgl, pivot});
  for (const parts::GirderAt& a : at) oLo = std::min(oLo, a.offset), oHi = std::max(oHi, a.offset);
  if (at.empty()) oLo = std::min(oLo, pgl - parts::Room(metric) / 2.5), oHi = std::max(oHi, pgl + parts::Room(metric) / 2.5);
  const double room = std::max(0.12 * (oHi - oLo), metric ? 1.0 : 3.0);
  const double x0 = oLo - room, x1 = oHi + room;
  if (!g.hasProfile()) {
    d.title += ": no profile grade, so no elevations";
    return d;
  }

  // The deck across, with its breaks where the section turns.
  std::vector<double> xs;
  constexpr int kSamples = 120;
  for (int i = 0; i <= kSamples; ++i) xs.push_back(x0 + (x1 - x0) * i / kSamples);
  for (double x : {pgl, pgl + g.pivotOffset()})
    if (x > x0 && x < x1) xs.push_back(x);
  std::sort(xs.begin(), xs.end());
  std::vector<Vec2> deck;
  double zLo = INFINITY, zHi = -INFINITY;
  for (double x : xs) {
    const double z = g.AtChainage(u, x).elevation;
    deck.push_back({x, z});
    zLo = std::min(zLo, z), zHi = std::max(zHi, z);
  }
  struct Point {
    const parts::GirderAt* at;
    double z;
  };
  std::vector<Point> points;
  for (const parts::GirderAt& a : at) {
    const double z = g.AtChainage(u, a.offset).elevation + a.line->shift;
    points.push_back({&a, z});
    zLo = std::min(zLo, z), zHi = std::max(zHi, z);
  }
  const Frame f = RoundFrame(x0, x1, zLo, zHi);
  d.exaggeration = Exaggeration(x1 - x0, f.z1 - f.z0, 0.35, 50);
  d.page = {1, 0, 0, d.exaggeration};
  d.dxf = d.page;
  std::vector<std::pair<double, std::string>> ticks;
  const double step = NiceStep((x1 - x0) / 8);
  for (double x : parts::Ticks(x0, x1, step)) ticks.push_back({x, Fixed(x, parts::StepDecimals(step))});
  DrawFrame(d, f, ticks, std::string("Offset from the control line (") + parts::Unit(metric) + "), right positive",
            std::string("Elevation (") + parts::Unit(metric) + ScaleText(d.exaggeration) + ")");

  d.paths.push_back({Layer::Deck, deck, {}});
  // The control line, and the profile grade line with the elevation it carries.
  d.paths.push_back({Layer::ControlLine, {{0, f.z0}, {0, f.z1}}, {}});
  d.labels.push_back({Layer::ControlLine, "CL", {0, f.z0}, {1, 0}, Align::Start, Side::Above, 3, 2, kOther, {}});
  const geom::PointData p = g.AtChainage(u, pgl);
  d.marks.push_back({Layer::Profile, {pgl, p.profileElevation}, Shape::Triangle, 9, {}, {}, {}});
  d.labels.push_back({Layer::Profile, "PGL EL " + Fixed(p.profileElevation, 3), {pgl, p.profileElevation}, {1, 0},
                      Align::Middle, Side::Below, 0, 8, kKeyPoint, {}});
  if (g.pivotOffset() != 0) {
    const double xp = pgl + g.pivotOffset();
    d.marks.push_back({Layer::KeyPoints, {xp, g.AtChainage(u, xp).elevation}, Shape::Diamond, 8, {}, {}, {}});
    d.labels.push_back(
        {Layer::KeyPoints, "Pivot", {xp, g.AtChainage(u, xp).elevation}, {1, 0}, Align::Middle, Side::Below, 0, 6, kOther, {}});
  }
  // Each side's slope, over the middle of that side: falls are to the right, as the
  // overrides give them; which way it goes is said in words.
  const geom::Slopes s = g.SlopesAt(u);
  auto slope = [&](const char* side, double outward, double x) {
    const std::string way = outward < 0 ? "falls " : outward > 0 ? "rises " : "level";
    const std::string text = std::string(side) + " " + way + (outward != 0 ? Fixed(std::abs(outward) * 100, 2) + "% outward" : "");
    const Vec2 on{x, g.AtChainage(u, x).elevation};
    d.labels.push_back({Layer::Deck, text, on, {1, 0}, Align::Middle, Side::Below, 0, 36, kOther, {}});
    d.labels.push_back({Layer::Deck, text, on, {1, 0}, Align::Middle, Side::Above, 0, 36, kOther, {}, true});
  };
  slope("Left", s.left, (x0 + pgl) / 2);
  slope("Right", -s.right, (x1 + pgl) / 2);

  // The girder lines' elevations: a point and its name and elevation above it.
  for (const Point& pt : points) {
    const Ref ref{Ref::GirderRow, pt.at->line->row};
    d.marks.push_back({Layer::GirderLines, {pt.at->offset, pt.z}, Shape::Dot, 7, {}, ref, {}});
    d.labels.push_back({Layer::GirderLines, Trimmed(pt.at->line->description) + "  " + Fixed(pt.z, 3), {pt.at->offset, pt.z},
                        {0, 1}, Align::Start, Side::Middle, 8, 0, kGirder, ref});
  }
  (void)dec;
  return d;
}

std::string DescribeSectionPoint(const ProjectGeometry& g, double station, Vec2 at) {
  const bool metric = g.metric();
  const double u = g.stationing().Chainage(station);
  const geom::PointData p = g.AtChainage(u, at.x);
  std::string s = Fixed(std::abs(at.x), parts::LengthDecimals(metric)) + " " + parts::Unit(metric) +
                  (at.x < 0 ? " left" : at.x > 0 ? " right" : "") + " of the control line";
  if (std::isfinite(p.elevation)) s += ": deck elevation " + Fixed(p.elevation, 3);
  return s + "; x " + Fixed(p.x, 3) + ", y " + Fixed(p.y, 3) + "; pointer at elevation " + Fixed(at.y, 2);
}

}  // namespace kv::draw
