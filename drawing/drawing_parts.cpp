#include "drawing/drawing_parts.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "drawing/project_drawings.h"

namespace kv::draw {

std::string StationLabel(const geom::ProjectGeometry& g, double station, bool whole) {
  if (!whole) return geom::StationText(station, parts::LengthDecimals(g.metric()), g.metric());
  // 126+00, metric 3+380: the hundreds (kilometres), a plus and the rest.
  const long long s = std::llround(std::abs(station));
  const int per = g.metric() ? 1000 : 100, digits = g.metric() ? 3 : 2;
  std::string rest = std::to_string(s % per);
  rest.insert(0, std::size_t(digits) - std::min<std::size_t>(rest.size(), std::size_t(digits)), '0');
  return (station < 0 && s != 0 ? "-" : "") + std::to_string(s / per) + "+" + rest;
}

namespace parts {

GridFrame::GridFrame(const geom::Layout& layout) {
  origin = layout.ToGrid({0, 0});
  const Vec2 ex = layout.ToGrid({1, 0}) - origin, ey = layout.ToGrid({0, 1}) - origin;
  toGrid = {ex.x, ey.x, ex.y, ey.y};
  toPlan = toGrid.Inverse();
}

void Span::Add(double u) {
  if (!std::isfinite(u)) return;
  if (empty) {
    lo = hi = u;
    empty = false;
  }
  lo = std::min(lo, u), hi = std::max(hi, u);
}

Span StructureSpan(const geom::ProjectGeometry& g) {
  Span s;
  for (const geom::BentLine& b : g.bentLines())
    if (b.found) s.Add(b.u);
  for (const geom::GirderLineData& line : g.girders())
    for (const geom::GirderPoint& p : line.points)
      if (p.found) s.Add(g.stationing().Chainage(p.station));
  return s;
}

std::vector<GirderAt> GirdersAt(const geom::ProjectGeometry& g, double u) {
  std::vector<GirderAt> out;
  for (const geom::GirderLineData& line : g.girders()) {
    bool have = false;
    double uPrev = 0, oPrev = 0;
    for (const geom::GirderPoint& p : line.points) {
      if (!p.found) continue;
      const double uk = g.stationing().Chainage(p.station);
      if (std::abs(uk - u) < 1e-9) {
        out.push_back({&line, p.offset});
        have = false;
        break;
      }
      if (have && (uPrev - u) * (uk - u) < 0) {
        out.push_back({&line, oPrev + (p.offset - oPrev) * (u - uPrev) / (uk - uPrev)});
        break;
      }
      have = true, uPrev = uk, oPrev = p.offset;
    }
  }
  return out;
}

std::vector<int> Rows(const std::string& rows) {
  std::vector<int> out;
  int n = -1;
  for (char c : rows + " ") {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      n = (n < 0 ? 0 : 10 * n) + (c - '0');
    } else if (n >= 0) {
      out.push_back(n);
      n = -1;
    }
  }
  return out;
}

std::vector<double> Ticks(double lo, double hi, double step) {
  std::vector<double> t;
  if (!(step > 0) || !(hi >= lo)) return t;
  for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + 1e-9 * step && t.size() < 10000; ++k) t.push_back(k * step);
  return t;
}

int StepDecimals(double step) {
  int d = 0;
  while (d < 6 && std::abs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-6) ++d;
  return d;
}

}  // namespace parts
}  // namespace kv::draw
