// The plan: everything in layout coordinates, turned on the page so that the stations
// run to the right and the left of the control line is up.
#include <algorithm>
#include <cmath>
#include <map>

#include "drawing/drawing_parts.h"
#include "drawing/project_drawings.h"

namespace kv::draw {
namespace {

using geom::BentLine;
using geom::GirderLineData;
using geom::GirderPoint;
using geom::ProjectGeometry;
using parts::GridFrame;
using parts::PageAcross;

// Priorities of the plan's labels: what names a line before what counts along it.
enum { kCut, kKeyPoint, kGirder, kBent, kReference, kStation, kOther };

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

// The points of one girder line in plan, bent by bent, with more between bents where a
// line that follows the control line bends visibly.
std::vector<Vec2> GirderPath(const ProjectGeometry& g, const GridFrame& f, const GirderLineData& line, double tol) {
  std::vector<Vec2> out;
  const geom::HorizontalCurve& c = g.controlLine();
  const bool follows = line.lineType == 0 || line.lineType == 4;  // parallel to the control line, offset varies
  const double R = c.HasCurve() ? c.input().R : 0;
  const GirderPoint* prev = nullptr;
  for (const GirderPoint& p : line.points) {
    if (!p.found) continue;
    const Vec2 at{p.x, p.y};
    if (prev != nullptr && follows && R > 0) {
      const double chord = geom::Length(at - Vec2{prev->x, prev->y});
      const double u0 = g.stationing().Chainage(prev->station), u1 = g.stationing().Chainage(p.station);
      const bool curved = std::max(u0, u1) > c.TS && std::min(u0, u1) < c.ST;
      if (curved && chord * chord / (8 * R) > tol) {
        const int n = std::min(64, int(std::ceil(chord / std::sqrt(8 * tol * R))));
        for (int i = 1; i < n; ++i) {
          const double t = double(i) / n;
          out.push_back(f.Grid(c.PointAt(u0 + t * (u1 - u0), prev->offset + t * (p.offset - prev->offset))));
        }
      }
    }
    out.push_back(at);
    prev = &p;
  }
  return out;
}

// The control line from u0 to u1, straight on the tangents, in steps on the curve.
std::vector<Vec2> ControlPath(const ProjectGeometry& g, const GridFrame& f, double u0, double u1, double tol) {
  const geom::HorizontalCurve& c = g.controlLine();
  std::vector<double> breaks = {u0};
  for (double k : {c.TS, c.SC, c.CS, c.ST})
    if (k > u0 && k < u1) breaks.push_back(k);
  breaks.push_back(u1);
  std::vector<Vec2> out;
  for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
    const double a = breaks[i], b = breaks[i + 1];
    int n = 1;
    if (c.HasCurve() && b > c.TS && a < c.ST) n = std::clamp(int(std::ceil((b - a) / std::sqrt(8 * tol * c.input().R))), 1, 2000);
    for (int k = i == 0 ? 0 : 1; k <= n; ++k) out.push_back(f.Grid(c.At(a + (b - a) * k / n).at));
  }
  return out;
}

// Where two segments meet, if they do.
bool Meet(Vec2 a0, Vec2 a1, Vec2 b0, Vec2 b1, Vec2& at) {
  double t = 0;
  if (!geom::MeetLines(a0, a1 - a0, b0, b1 - b0, t) || t < -1e-9 || t > 1 + 1e-9) return false;
  at = a0 + t * (a1 - a0);
  return true;
}

}  // namespace

Drawing BuildPlan(const ProjectGeometry& g) {
  Drawing d;
  d.title = "Plan";
  d.metric = g.metric();
  d.scaleBar = true;
  d.north = {0, 1};
  const bool metric = g.metric();
  const geom::HorizontalCurve& c = g.controlLine();
  const geom::Stationing& st = g.stationing();
  const GridFrame f(g.layout());
  const std::vector<BentLine>& lines = g.bentLines();
  const auto& bents = g.bents();
  const auto& girders = g.girders();

  // Where the structure stands, and how wide it is about the control line.
  const parts::Span span = parts::StructureSpan(g);
  const geom::Foot refFoot = c.Project(g.layout().refPoint());
  double oLo = 0, oHi = 0;
  for (const GirderLineData& line : girders)
    for (const GirderPoint& p : line.points)
      if (p.found) oLo = std::min(oLo, p.offset), oHi = std::max(oHi, p.offset);
  const double length = span.empty ? 0 : span.hi - span.lo;
  const double size = std::max({length, oHi - oLo, parts::Room(metric)});
  const double tol = std::max(2e-4 * size, 1e-3);

  // The page: the control line's direction in the middle of the structure to the right.
  const double uMid = span.empty ? (refFoot.valid ? refFoot.u : c.input().pi) : (span.lo + span.hi) / 2;
  const Vec2 t = c.At(uMid).Ahead();
  d.page = Mat2{t.x, t.y, -t.y, t.x} * f.toPlan;
  d.dxf = {};

  // The control line over the structure and the curve, and a little beyond.
  double u0 = span.empty ? c.input().pi : span.lo, u1 = span.empty ? c.input().pi : span.hi;
  if (refFoot.valid) u0 = std::min(u0, refFoot.u), u1 = std::max(u1, refFoot.u);
  if (c.HasCurve()) u0 = std::min(u0, c.TS), u1 = std::max(u1, c.ST);
  const double room = std::max(0.12 * (u1 - u0), parts::Room(metric));
  u0 -= room, u1 += room;
  d.paths.push_back({Layer::ControlLine, ControlPath(g, f, u0, u1, tol), {}});
  {
    // Named where the structure ends, so the name shows with it.
    const double u = span.empty ? uMid : span.hi;
    d.labels.push_back({Layer::ControlLine, "Control line", f.Grid(c.At(u).at), f.GridDir(c.At(u).Ahead()), Align::Start,
                        Side::Above, 10, 2, kOther, {}});
    const double back = span.empty ? uMid : span.lo;
    d.labels.push_back({Layer::ControlLine, "Control line", f.Grid(c.At(back).at), f.GridDir(c.At(back).Ahead()), Align::End,
                        Side::Below, 10, 2, kOther, {}, true});
  }

  // Station ticks and numbers, below the line.
  const double step = parts::StationInterval(metric);
  for (double s : parts::Ticks(st.Station(u0), st.Station(u1), step)) {
    bool gap = false;
    const double u = st.Chainage(s, &gap);
    if (gap || u < u0 || u > u1) continue;
    const geom::Pose pose = c.At(u);
    const Vec2 at = f.Grid(pose.at);
    d.marks.push_back({Layer::Stations, at, Shape::Tick, 12, f.GridDir(pose.Right()), {}, {}});
    d.labels.push_back({Layer::Stations, StationLabel(g, s, true), at, f.GridDir(pose.Ahead()), Align::Middle,
                        Side::Below, 0, 7, kStation, {}});
  }

  // Key points, with a leader out past the right of the deck to their names.
  const double leader = std::max(oHi, -oLo) + 0.4 * std::max(oHi - oLo, parts::Room(metric) / 2);
  if (c.HasCurve()) {
    d.paths.push_back({Layer::Tangents, {f.Grid(c.TSPoint()), f.Grid({0, 0}), f.Grid(c.STPoint())}, {}});
    d.marks.push_back({Layer::KeyPoints, f.Grid({0, 0}), Shape::Triangle, 9, {}, {}, {}});
    d.labels.push_back({Layer::KeyPoints, "PI " + StationLabel(g, st.Station(c.input().pi)), f.Grid({0, 0}), PageAcross(d),
                        Align::Middle, Side::Above, 0, 8, kKeyPoint, {}});
    const bool in = c.in.L > 0, out = c.out.L > 0;
    const std::pair<const char*, double> keys[] = {
        {in ? "TS" : "PC", c.TS}, {in ? "SC" : nullptr, c.SC}, {out ? "CS" : nullptr, c.CS}, {out ? "ST" : "PT", c.ST}};
    for (const auto& [name, u] : keys) {
      if (name == nullptr) continue;
      const geom::Pose pose = c.At(u);
      const Vec2 at = f.Grid(pose.at), end = f.Grid(pose.at + leader * pose.Right());
      d.marks.push_back({Layer::KeyPoints, at, Shape::Circle, 8, {}, {}, {}});
      d.paths.push_back({Layer::KeyPoints, {at, end}, {}});
      d.labels.push_back({Layer::KeyPoints, std::string(name) + " " + StationLabel(g, st.Station(u)), end,
                          f.GridDir(pose.Right()), Align::Start, Side::Middle, 3, 0, kKeyPoint, {}});
    }
  } else if (c.input().delta > 0) {
    d.marks.push_back({Layer::KeyPoints, f.Grid({0, 0}), Shape::Triangle, 9, {}, {}, {}});
    d.labels.push_back({Layer::KeyPoints, "PI " + StationLabel(g, st.Station(c.input().pi)), f.Grid({0, 0}), PageAcross(d),
                        Align::Middle, Side::Above, 0, 8, kKeyPoint, {}});
  }

  // Bent lines across the girder lines they carry, a little past the outer ones.
  std::map<int, std::size_t> bentAt, girderAt;  // row -> index
  std::vector<std::pair<Vec2, Vec2>> bentEnds(lines.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const BentLine& b = lines[k];
    bentAt[bents[k].row] = k;
    const Vec2 base = b.found ? b.crossing.at : b.anchor;
    double lo = 0, hi = 0;
    bool any = false;
    for (const GirderLineData& line : girders) {
      const GirderPoint& p = line.points[k];
      if (!p.found) continue;
      const double along = geom::Dot(f.Plan({p.x, p.y}) - base, b.dir);
      lo = any ? std::min(lo, along) : along, hi = any ? std::max(hi, along) : along;
      any = true;
    }
    if (!any) lo = -parts::Room(metric) / 2.5, hi = parts::Room(metric) / 2.5;
    const double ext = std::max(0.06 * (hi - lo), metric ? 0.6 : 2.0);
    bentEnds[k] = {f.Grid(base + (lo - ext) * b.dir), f.Grid(base + (hi + ext) * b.dir)};
    d.paths.push_back({Layer::BentLines, {bentEnds[k].first, bentEnds[k].second}, {Ref::BentRow, bents[k].row}});
    d.labels.push_back({Layer::BentLines, Trimmed(bents[k].description), bentEnds[k].first,
                        bentEnds[k].first - bentEnds[k].second, Align::Start, Side::Middle, 5, 0, kBent,
                        {Ref::BentRow, bents[k].row}});
  }

  // Girder lines, named at their left end.
  std::vector<std::vector<Vec2>> girderPaths;
  for (std::size_t i = 0; i < girders.size(); ++i) {
    const GirderLineData& line = girders[i];
    girderAt[line.row] = i;
    girderPaths.push_back(GirderPath(g, f, line, tol));
    const std::vector<Vec2>& pts = girderPaths.back();
    if (pts.empty()) continue;
    const Ref ref{Ref::GirderRow, line.row};
    if (pts.size() == 1) {
      d.marks.push_back({Layer::GirderLines, pts[0], Shape::Dot, 5, {}, ref, {}});
    } else {
      d.paths.push_back({Layer::GirderLines, pts, ref});
    }
    const bool firstLeft = d.page(pts.front()).x <= d.page(pts.back()).x;
    const Vec2 end = firstLeft ? pts.front() : pts.back();
    const Vec2 next = pts.size() > 1 ? (firstLeft ? pts[1] : pts[pts.size() - 2]) : end - PageAcross(d);
    d.labels.push_back({Layer::GirderLines, Trimmed(line.description), end, end - next, Align::Start, Side::Middle, 6, 0,
                        kGirder, ref});
    // Where lines start close together, the other end may have room.
    const Vec2 other = firstLeft ? pts.back() : pts.front();
    const Vec2 before = pts.size() > 1 ? (firstLeft ? pts[pts.size() - 2] : pts[1]) : other + PageAcross(d);
    d.labels.push_back({Layer::GirderLines, Trimmed(line.description), other, other - before, Align::Start, Side::Middle, 6,
                        0, kGirder, ref, true});
  }

  // The reference point and line, across the deck; the layout line along the structure.
  {
    const Vec2 ref = g.layout().refPoint(), dir = g.layout().refDir();
    // Across the deck: from the outer girder line on the left to the one on the right.
    double lo = -parts::Room(metric) / 2.5, hi = parts::Room(metric) / 2.5;
    if (refFoot.valid && oHi > oLo) {
      const double rate = geom::Dot(dir, c.At(refFoot.u).Right());  // offset per length along the line
      if (std::abs(rate) > 1e-3) {
        lo = (oLo - refFoot.offset) / rate, hi = (oHi - refFoot.offset) / rate;
        if (lo > hi) std::swap(lo, hi);
      }
    }
    const double ext = 0.15 * (hi - lo);
    const Vec2 a = f.Grid(ref + (lo - ext) * dir), b = f.Grid(ref + (hi + ext) * dir);
    d.paths.push_back({Layer::ReferenceLine, {a, b}, {}});
    d.marks.push_back({Layer::ReferenceLine, f.Grid(ref), Shape::Diamond, 8, {}, {}, {}});
    const std::string station = " " + StationLabel(g, g.referenceStation());
    d.labels.push_back({Layer::ReferenceLine, "Reference line" + station, b, b - a, Align::Start, Side::Middle, 4, 0,
                        kReference, {}});

    const Vec2 ld = g.layout().layoutDir();
    double l0 = 0, l1 = 0;
    auto reach = [&](Vec2 planPoint) {
      const double along = geom::Dot(planPoint - ref, ld);
      l0 = std::min(l0, along), l1 = std::max(l1, along);
    };
    for (const BentLine& bl : lines) reach(bl.found ? bl.crossing.at : bl.anchor);
    for (const auto& pts : girderPaths)
      if (!pts.empty()) reach(f.Plan(pts.front())), reach(f.Plan(pts.back()));
    const double lext = std::max(0.08 * (l1 - l0), parts::Room(metric) / 5);
    const Vec2 la = f.Grid(ref + (l0 - lext) * ld), lb = f.Grid(ref + (l1 + lext) * ld);
    d.paths.push_back({Layer::LayoutLine, {la, lb}, {}});
    const bool aLeft = d.page(la).x <= d.page(lb).x;
    d.labels.push_back({Layer::LayoutLine, "Layout line", aLeft ? la : lb, aLeft ? lb - la : la - lb, Align::Start,
                        Side::Above, 4, 2, kOther, {}});
    d.labels.push_back({Layer::LayoutLine, "Layout line", aLeft ? lb : la, aLeft ? lb - la : la - lb, Align::End,
                        Side::Above, 4, 2, kOther, {}, true});
  }

  // The findings: the lines in red, a mark where it happens.
  const auto& findings = g.findings();
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const geom::Finding& fd = findings[i];
    d.findings.push_back(fd.Text());
    const Ref ref{Ref::Finding, int(i)};
    std::optional<Vec2> at;
    const std::vector<int> rows = parts::Rows(fd.rows);
    auto bentIndex = [&](int row) { return bentAt.count(row) ? std::optional<std::size_t>(bentAt[row]) : std::nullopt; };
    if (fd.window == "GirderLine") {
      std::vector<std::size_t> gi;
      for (int r : rows)
        if (girderAt.count(r)) gi.push_back(girderAt[r]);
      std::vector<std::size_t> bk;
      for (int r : fd.bents)
        if (auto k = bentIndex(r)) bk.push_back(*k);
      if (gi.size() == 2 && bk.size() == 2) {
        // Between two bents: the two chords, and where they cross.
        std::vector<Vec2> chord[2];
        for (int s = 0; s < 2; ++s)
          for (std::size_t k : bk) {
            const GirderPoint& p = girders[gi[s]].points[k];
            if (p.found) chord[s].push_back({p.x, p.y});
          }
        for (int s = 0; s < 2; ++s)
          if (chord[s].size() == 2) d.paths.push_back({Layer::Findings, chord[s], ref});
        Vec2 x;
        if (chord[0].size() == 2 && chord[1].size() == 2 && Meet(chord[0][0], chord[0][1], chord[1][0], chord[1][1], x))
          at = x;
        else if (chord[0].size() == 2)
          at = 0.5 * (chord[0][0] + chord[0][1]);
      } else {
        for (std::size_t i2 : gi)
          if (girderPaths[i2].size() > 1) d.paths.push_back({Layer::Findings, girderPaths[i2], ref});
        if (!gi.empty() && bk.size() == 1) {
          const GirderPoint& p = girders[gi[0]].points[bk[0]];
          at = p.found ? Vec2{p.x, p.y} : 0.5 * (bentEnds[bk[0]].first + bentEnds[bk[0]].second);
        } else if (!gi.empty() && !girderPaths[gi[0]].empty()) {
          at = girderPaths[gi[0]].front();
        }
      }
    } else if (fd.window == "BentLine") {
      for (int r : rows)
        if (auto k = bentIndex(r)) {
          d.paths.push_back({Layer::Findings, {bentEnds[*k].first, bentEnds[*k].second}, ref});
          if (!at) at = lines[*k].found ? f.Grid(lines[*k].crossing.at) : 0.5 * (bentEnds[*k].first + bentEnds[*k].second);
        }
    } else if (fd.window == "Horizontal") {
      at = f.Grid({0, 0});
    } else if (fd.window == "RefLine") {
      at = f.Grid(g.layout().refPoint());
    }
    if (at) d.marks.push_back({Layer::Findings, *at, Shape::Warning, 14, {}, ref, fd.Text()});
  }

  // First shown: the structure, or the line about the PI without one.
  for (const Path& p : d.paths)
    if (p.layer == Layer::GirderLines || p.layer == Layer::BentLines)
      for (Vec2 q : p.points) d.focus.Add(d.page(q));
  if (!d.focus.Empty()) d.focus.Add(d.page(f.Grid(g.layout().refPoint())));
  return d;
}

void AddPlanCut(Drawing& plan, const ProjectGeometry& g, double station) {
  const GridFrame f(g.layout());
  const double u = g.stationing().Chainage(station);
  const geom::Pose pose = g.controlLine().At(u);
  double lo = 0, hi = 0;
  for (const GirderLineData& line : g.girders())
    for (const GirderPoint& p : line.points)
      if (p.found) lo = std::min(lo, p.offset), hi = std::max(hi, p.offset);
  const double ext = std::max(0.25 * (hi - lo), parts::Room(g.metric()) / 5);
  const Vec2 a = f.Grid(pose.at + (lo - ext) * pose.Right()), b = f.Grid(pose.at + (hi + ext) * pose.Right());
  plan.paths.push_back({Layer::Cut, {a, b}, {}});
  plan.labels.push_back(
      {Layer::Cut, "Section " + StationLabel(g, station), a, a - b, Align::Start, Side::Middle, 4, 0, kCut, {}});
}

std::optional<double> PlanStation(const ProjectGeometry& g, Vec2 at) {
  const geom::Foot foot = g.controlLine().Project(GridFrame(g.layout()).Plan(at));
  if (!foot.valid || !std::isfinite(foot.u)) return std::nullopt;
  return g.stationing().Station(foot.u);
}

double MiddleStation(const ProjectGeometry& g) {
  const parts::Span span = parts::StructureSpan(g);
  if (!span.empty) return g.stationing().Station((span.lo + span.hi) / 2);
  return g.curve().PI;
}

std::string DescribePlanPoint(const ProjectGeometry& g, Vec2 at, double snap) {
  const bool metric = g.metric();
  const int dec = parts::LengthDecimals(metric);
  auto side = [&](double offset) {
    return Fixed(std::abs(offset), dec) + " " + parts::Unit(metric) + (offset < 0 ? " left" : offset > 0 ? " right" : "");
  };
  auto elevation = [&](double z) { return std::isfinite(z) ? "elevation " + Fixed(z, 3) : std::string("no elevation (no profile)"); };
  auto where = [&](double station, double offset, double x, double y) {
    return "station " + StationLabel(g, station) + ", " + side(offset) + "; x " + Fixed(x, 3) + ", y " + Fixed(y, 3);
  };
  const GirderLineData* bestLine = nullptr;
  const GirderPoint* best = nullptr;
  double bestDist = snap;
  for (const GirderLineData& line : g.girders())
    for (const GirderPoint& p : line.points) {
      if (!p.found) continue;
      const double dist = geom::Length(Vec2{p.x, p.y} - at);
      if (dist <= bestDist) bestDist = dist, best = &p, bestLine = &line;
    }
  if (best != nullptr) {
    std::string bent;
    for (const geom::BentLineData& b : g.bents())
      if (b.row == best->bent) bent = Trimmed(b.description);
    return Trimmed(bestLine->description) + " at " + bent + ": " +
           where(best->station, best->offset, best->x, best->y) + "; " + elevation(best->elevation);
  }
  const geom::Foot foot = g.controlLine().Project(GridFrame(g.layout()).Plan(at));
  if (!foot.valid) return "x " + Fixed(at.x, 3) + ", y " + Fixed(at.y, 3) + ": no square foot on the control line";
  const geom::PointData p = g.AtChainage(foot.u, foot.offset);
  return where(p.station, p.offset, at.x, at.y) + "; deck " + elevation(p.elevation);
}

}  // namespace kv::draw
