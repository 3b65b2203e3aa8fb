#include "geometry/layout.h"

#include <cmath>

namespace kv::geom {
namespace {

// The point at running length u on the back or ahead tangent, extended past the
// curve with the control line's own stationing.
Vec2 OnBackTangent(const HorizontalCurve& c, double u) { return c.TSPoint() + (u - c.TS) * c.BackDir(); }
Vec2 OnAheadTangent(const HorizontalCurve& c, double u) { return c.STPoint() + (u - c.ST) * c.AheadDir(); }

// Newton on a function of the running length with a known slope; false if it does not settle.
template <class F>
bool Solve(F f, double& u) {
  for (int i = 0; i < 50; ++i) {
    double slope = 0;
    const double v = f(u, slope);
    if (std::abs(slope) < 1e-12) return false;
    const double step = v / slope;
    u -= step;
    if (std::abs(step) < 1e-10 * (1 + std::abs(u))) return true;
  }
  return false;
}

}  // namespace

Layout::Layout(const HorizontalCurve& curve, const LayoutInput& in) : curve_(curve), in_(in) {
  switch (in_.on) {
    case StationOn::Control: ref_ = curve_.At(in_.refU).at; break;
    case StationOn::Back: ref_ = OnBackTangent(curve_, in_.refU); break;
    case StationOn::Ahead: ref_ = OnAheadTangent(curve_, in_.refU); break;
  }
  switch (in_.kind) {
    case LayoutKind::Back: layoutDir_ = curve_.BackDir(); break;
    case LayoutKind::Ahead: layoutDir_ = curve_.AheadDir(); break;
    case LayoutKind::Chord:
      // The long chord of the curve, TS to ST.
      layoutDir_ = curve_.HasCurve() ? Unit(curve_.At(curve_.ST).at - curve_.At(curve_.TS).at) : curve_.BackDir();
      break;
  }
  refDir_ = SkewedDir(in_.refSkew, in_.refU);
}

Vec2 Layout::ToGrid(Vec2 p) const {
  const Vec2 v = p - ref_;
  return {OffsetSense() * Dot(v, RightOf(layoutDir_)) + in_.transX,
          (in_.decreasing ? -1 : 1) * Dot(v, layoutDir_) + in_.transY};
}

double Layout::GridBearing(double azimuth) const {
  const Vec2 d = Heading(azimuth);
  const double bx = OffsetSense() * Dot(d, RightOf(layoutDir_));
  const double by = (in_.decreasing ? -1 : 1) * Dot(d, layoutDir_);
  double b = Degrees(std::atan2(bx, by));
  if (b < 0) b += 360;
  return b >= 360 ? 0 : b;
}

Vec2 Layout::SkewedDir(const Skew& s, double u) const {
  Vec2 t;
  switch (s.base) {
    case SkewBase::Control: t = curve_.At(u).Ahead(); break;
    case SkewBase::Layout: t = layoutDir_; break;
    case SkewBase::Back: t = curve_.BackDir(); break;
    case SkewBase::Ahead: t = curve_.AheadDir(); break;
  }
  // Square to the base, then turned so that the right-hand end goes ahead (right
  // forward) or back (left forward).
  return Turned(RightOf(t), s.right ? -s.angle : s.angle);
}

BentLine Layout::Bent(double distance, Distance type, const std::optional<Skew>& skew) const {
  auto direction = [&](double u) {
    if (skew) return SkewedDir(*skew, u);
    return in_.bentsSameSkew ? SkewedDir(in_.refSkew, u) : refDir_;
  };
  BentLine b;
  const Vec2 normalToRef{-refDir_.y, refDir_.x};  // square to the reference line, up-station
  bool onControl = false;
  double u = in_.refU + distance;
  switch (type) {
    case Distance::Control:
      onControl = true;
      break;
    case Distance::Layout:
      b.anchor = ref_ + ((in_.decreasing ? -1 : 1) * distance) * layoutDir_;
      break;
    case Distance::Back:
      b.anchor = OnBackTangent(curve_, u);
      break;
    case Distance::Ahead:
      b.anchor = OnAheadTangent(curve_, u);
      break;
    case Distance::NormalToRef:
      b.anchor = ref_ + distance * normalToRef;
      break;
    case Distance::NormalOffset:
      // Where the control line is `distance` square from the reference line.
      onControl = Solve(
          [&](double w, double& slope) {
            const Pose p = curve_.At(w);
            slope = Dot(p.Ahead(), normalToRef);
            return Dot(p.at - ref_, normalToRef) - distance;
          },
          u);
      if (!onControl) return b;
      break;
    case Distance::Chord:
      // Where the control line is `distance` in a straight line from the reference point.
      onControl = Solve(
          [&](double w, double& slope) {
            const Pose p = curve_.At(w);
            const Vec2 v = p.at - ref_;
            const double len = Length(v);
            slope = len > 0 ? Dot(p.Ahead(), (1 / len) * v) : 1;
            return len - std::abs(distance);
          },
          u);
      if (!onControl || (u - in_.refU) * distance < 0) return b;
      break;
  }
  if (onControl) {
    b.u = u;
    b.crossing = curve_.At(u);
    b.anchor = b.crossing.at;
    b.dir = direction(u);
    b.found = true;
    return b;
  }
  // A bent through a point off the control line: its direction may hang on where it
  // crosses the control line, so settle the two together.
  double w = curve_.Project(b.anchor).u;
  for (int i = 0; i < 8; ++i) {
    b.dir = direction(w);
    double next = w;
    if (!curve_.MeetOffset(b.anchor, b.dir, 0, w, next)) return b;
    const bool settled = std::abs(next - w) < 1e-9 * (1 + std::abs(w));
    w = next;
    if (settled || (skew && skew->base != SkewBase::Control) ||
        (!skew && !(in_.bentsSameSkew && in_.refSkew.base == SkewBase::Control)))
      break;
  }
  b.u = w;
  b.crossing = curve_.At(w);
  b.found = true;
  return b;
}

std::optional<Vec2> Layout::OnLine(const BentLine& b, Vec2 p, Vec2 d) const {
  double t = 0;
  if (!MeetLines(b.anchor, b.dir, p, d, t)) return std::nullopt;
  return b.anchor + t * b.dir;
}

std::optional<Vec2> Layout::AlongFromLayout(const BentLine& b, double offset) const {
  const std::optional<Vec2> at = OnLine(b, ref_, layoutDir_);
  if (!at) return std::nullopt;
  return *at + (OffsetSense() * offset) * b.dir;
}

std::optional<Vec2> Layout::SquareFromLayout(const BentLine& b, double offset) const {
  return OnLine(b, ref_ + (OffsetSense() * offset) * RightOf(layoutDir_), layoutDir_);
}

std::optional<Vec2> Layout::SquareFromControl(const BentLine& b, double offset, double* u) const {
  // Start where a straight control line would put the point: far fewer steps.
  const Pose& p = b.crossing;
  const double across = Dot(b.dir, p.Right());
  double w = std::abs(across) > 0.1 ? b.u + offset * Dot(b.dir, p.Ahead()) / across : b.u;
  Pose at;
  if (!curve_.MeetOffset(b.anchor, b.dir, offset, w, w, &at)) return std::nullopt;
  if (u) *u = w;
  return at.at + offset * at.Right();
}

}  // namespace kv::geom
