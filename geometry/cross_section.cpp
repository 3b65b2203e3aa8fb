#include "geometry/cross_section.h"

#include <algorithm>
#include <cmath>

namespace kv::geom {

CrossSection::CrossSection(SectionInput in, CurveSpan span) : in_(std::move(in)), span_(span) {
  const double c = in_.slope;
  switch (in_.crown) {
    case Crown::A: normalLeft_ = -c, normalRight_ = c; break;
    case Crown::B: normalLeft_ = c, normalRight_ = c; break;
    case Crown::C: normalLeft_ = -c, normalRight_ = -c; break;
    case Crown::P: normalLeft_ = -in_.crownLeft, normalRight_ = in_.crownRight; break;
  }
  // A run-off given as zero lies on the spiral, as long as the spiral.
  if (in_.in.length <= 0) in_.in.length = span_.spiralIn;
  if (in_.out.length <= 0) in_.out.length = span_.spiralOut;
  runoffStart = span_.begin - in_.in.percent / 100 * in_.in.length;
  runoutStart = runoffStart - in_.in.runout;
  fullStart = runoffStart + in_.in.length;
  runoffEnd = span_.end + in_.out.percent / 100 * in_.out.length;
  runoutEnd = runoffEnd + in_.out.runout;
  fullEnd = runoffEnd - in_.out.length;
}

double CrossSection::Progress(double u) const {
  auto progress = [](double d, double runout, double runoff) {  // d: distance past the run-out's start
    if (d <= 0) return 0.0;
    if (d < runout) return d / runout;
    d -= runout;
    if (runoff <= 0 || d >= runoff) return 2.0;
    return 1 + d / runoff;
  };
  return std::min(progress(u - runoutStart, in_.in.runout, in_.in.length),
                  progress(runoutEnd - u, in_.out.runout, in_.out.length));
}

Slopes CrossSection::At(double u) const {
  const std::vector<SectionOverride>& o = in_.overrides;
  if (!o.empty() && u >= o.front().u && u <= o.back().u) {
    std::size_t i = 0;
    while (i + 1 < o.size() && o[i + 1].u <= u) ++i;
    if (i + 1 == o.size() || o[i + 1].u == o[i].u) return {o[i].left, o[i].right, false};
    const double t = (u - o[i].u) / (o[i + 1].u - o[i].u);
    return {o[i].left + t * (o[i + 1].left - o[i].left), o[i].right + t * (o[i + 1].right - o[i].right),
            false};
  }
  const double q = span_.curved && in_.rate != 0 ? Progress(u) : 0;
  if (q <= 0) return {normalLeft_, normalRight_, true};
  // In falls away from the crown: the outside of the curve is lifted first, its fall
  // going to level over the run-out, then on to the full rate toward the inside over
  // the run-off. The inside keeps its normal fall until the outside has come round to
  // one plane with it.
  const bool right = span_.turn > 0;
  const double outN = right ? -normalLeft_ : normalRight_, inN = right ? normalRight_ : -normalLeft_;
  const double e = in_.rate;
  double out = 0, inside = 0;
  if (q <= 1) {
    out = outN > 0 ? outN * (1 - q) : outN;
    inside = e >= inN ? std::max(inN, -out) : inN;
  } else {
    const double t = q - 1, o0 = std::min(outN, 0.0);
    out = o0 + (-e - o0) * t;
    inside = e >= inN ? std::max(inN, -out) : inN + (e - inN) * t;
  }
  return right ? Slopes{-out, inside, false} : Slopes{-inside, out, false};
}

double CrossSection::NormalDrop(double x) const {
  const double w = in_.crownWidth / 2;
  if (in_.crown == Crown::P && w > 0) {
    const double a = std::abs(x);
    if (a <= w) return in_.crownHeight * (a / w) * (a / w);
    return in_.crownHeight + (x > 0 ? normalRight_ * (a - w) : -normalLeft_ * (a - w));
  }
  return x >= 0 ? normalRight_ * x : normalLeft_ * x;
}

double CrossSection::PlaneDrop(const Slopes& s, double x) const { return x >= 0 ? s.right * x : s.left * x; }

double CrossSection::Rise(double u, double x) const {
  const Slopes s = At(u);
  if (s.normal) return -NormalDrop(x);
  return -PlaneDrop(s, x) + PlaneDrop(s, in_.pivot) - NormalDrop(in_.pivot);
}

namespace {

double Stretch(double slope) { return std::sqrt(1 + slope * slope); }  // deck length per plan width

// Deck length over plan width on a two-plane section (slopes left and right of 0).
double PlaneLength(double left, double right, double x0, double x1) {
  auto part = [&](double a, double b) {  // a <= b
    double len = 0;
    if (a < 0) len += (std::min(b, 0.0) - a) * Stretch(left);
    if (b > 0) len += (b - std::max(a, 0.0)) * Stretch(right);
    return len;
  };
  return x1 >= x0 ? part(x0, x1) : -part(x1, x0);
}

}  // namespace

double CrossSection::DeckLength(double u, double x0, double x1, bool normal) const {
  const Slopes s = normal ? Slopes{normalLeft_, normalRight_, true} : At(u);
  if (!(s.normal && in_.crown == Crown::P && in_.crownWidth > 0))
    return PlaneLength(s.left, s.right, x0, x1);
  // The parabolic crown, in short chords.
  const int n = 256;
  double len = 0, prev = -NormalDrop(x0);
  for (int i = 1; i <= n; ++i) {
    const double x = x0 + (x1 - x0) * i / n, z = -NormalDrop(x);
    len += std::hypot((x1 - x0) / n, z - prev);
    prev = z;
  }
  return x1 >= x0 ? len : -len;
}

double CrossSection::WidthAlongDeck(double u, double x0, double s, bool normal) const {
  const Slopes sl = normal ? Slopes{normalLeft_, normalRight_, true} : At(u);
  const double dir = s >= 0 ? 1 : -1;
  double left = std::abs(s), x = x0;
  if (!(sl.normal && in_.crown == Crown::P && in_.crownWidth > 0)) {
    if (dir * x < 0) {  // up to the crown first
      const double f = Stretch(x < 0 ? sl.left : sl.right);
      if (left <= std::abs(x) * f) return x + dir * left / f;
      left -= std::abs(x) * f;
      x = 0;
    }
    return x + dir * left / Stretch(dir > 0 ? sl.right : sl.left);
  }
  // The parabolic crown: walk the deck in short chords (plan steps of a 256th of |s|,
  // which the deck length can only exceed).
  const double h = dir * std::abs(s) / 256;
  for (int i = 0; i < 256 && left > 0; ++i) {
    const double step = std::hypot(h, NormalDrop(x + h) - NormalDrop(x));
    if (step >= left) return x + h * left / step;
    left -= step;
    x += h;
  }
  return x;
}

}  // namespace kv::geom
