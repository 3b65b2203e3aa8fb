#include "geometry/horizontal.h"

#include <algorithm>
#include <cmath>

namespace kv::geom {

double RadiusFromDegree(double degrees) { return degrees > 0 ? 18000 / (kPi * degrees) : 0; }

Vec2 ClothoidPoint(double l, double A2) {
  if (A2 <= 0 || l == 0) return {l, 0};
  // The Fresnel series in tau = l^2 / 2A2: x = l * sum (-1)^n tau^2n / ((4n+1)(2n)!),
  // y = l * sum (-1)^n tau^(2n+1) / ((4n+3)(2n+1)!).
  const double tau = l * l / (2 * A2);
  double x = 0, y = 0, power = 1;  // tau^k / k!
  for (int k = 0; k < 60; ++k) {
    if (k > 0) power *= tau / k;
    const double term = ((k / 2) % 2 ? -power : power) / (2 * k + 1);
    (k % 2 ? y : x) += term;
    if (k > 3 && std::abs(term) < 1e-16) break;
  }
  return {l * x, l * y};
}

SpiralElements Spiral(double R, double L) {
  SpiralElements s;
  if (R <= 0 || L <= 0) return s;
  s.L = L;
  s.theta = L / (2 * R);
  const Vec2 end = ClothoidPoint(L, R * L);
  s.X = end.x;
  s.Y = end.y;
  const double half = std::sin(s.theta / 2);
  s.p = s.Y - 2 * R * half * half;  // Y - R(1 - cos theta) without the cancellation
  s.k = s.X - R * std::sin(s.theta);
  return s;
}

HorizontalCurve::HorizontalCurve(const CurveInput& input) : in_(input) {
  in_.turn = in_.turn < 0 ? -1 : 1;
  aheadDir_ = Heading(in_.turn * in_.delta);
  TS = SC = CS = ST = in_.pi;
  if (!HasCurve()) return;
  const double R = in_.R, delta = in_.delta;
  in = Spiral(R, in_.Lin);
  out = Spiral(R, in_.Lout);
  if (in.theta + out.theta > delta) {
    // The spirals would turn further than the whole curve: the arc alone is kept.
    spiralsDropped = true;
    in_.Lin = in_.Lout = 0;
    in = out = SpiralElements{};
  }
  const double t = std::tan(delta / 2), s = std::sin(delta);
  // Unequal spirals: each tangent takes its own throw, and the arc's shift between
  // them moves both (the spirals' throws differ by p1 - p2 across the deflection).
  Tin = (R + in.p) * t + in.k - (in.p - out.p) / s;
  Tout = (R + out.p) * t + out.k + (in.p - out.p) / s;
  Lc = R * (delta - in.theta - out.theta);
  TS = in_.pi - Tin;
  SC = TS + in.L;
  CS = SC + Lc;
  ST = CS + out.L;
  center = TSPoint() + in.k * BackDir() + (R + in.p) * (in_.turn * RightOf(BackDir()));
  E = Length(center) - R;
}

Pose HorizontalCurve::At(double u) const {
  const int turn = in_.turn;
  const double endAz = turn * in_.delta;
  if (!HasCurve()) {
    if (u <= in_.pi) return {(u - in_.pi) * BackDir(), 0, 0, BackDir()};
    return {(u - in_.pi) * aheadDir_, endAz, 0, aheadDir_};
  }
  const double R = in_.R;
  if (u <= TS) return {TSPoint() + (u - TS) * BackDir(), 0, 0, BackDir()};
  if (u < SC) {
    const double l = u - TS;
    const Vec2 c = ClothoidPoint(l, R * in.L);
    return Make(TSPoint() + c.x * BackDir() + c.y * (turn * RightOf(BackDir())), turn * l * l / (2 * R * in.L),
                turn * l / (R * in.L));
  }
  if (u <= CS) {
    const double az = turn * (in.theta + (u - SC) / R);
    const Vec2 t = Heading(az);
    return {center - (turn * R) * RightOf(t), az, turn / R, t};
  }
  if (u < ST) {
    const double l = ST - u;
    const Vec2 c = ClothoidPoint(l, R * out.L);
    return Make(STPoint() - c.x * aheadDir_ + c.y * (turn * RightOf(aheadDir_)),
                turn * (in_.delta - l * l / (2 * R * out.L)), turn * l / (R * out.L));
  }
  return {STPoint() + (u - ST) * aheadDir_, endAz, 0, aheadDir_};
}

Foot HorizontalCurve::OnSpiral(Vec2 point, double u0, double u1) const {
  // The foot is where the point lies square to the line: g(u) = (point - H(u)) . t(u)
  // falls through zero between the spiral's ends.
  auto g = [&](double u, double* offset, double* slope) {
    const Pose p = At(u);
    const Vec2 v = point - p.at;
    if (offset) *offset = Dot(v, p.Right());
    if (slope) *slope = -1 + p.curvature * Dot(v, p.Right());
    return Dot(v, p.Ahead());
  };
  double lo = u0, hi = u1;
  const double g0 = g(lo, nullptr, nullptr), g1 = g(hi, nullptr, nullptr);
  if (g0 < 0 || g1 > 0) return {0, 0, false};
  double u = g0 == g1 ? lo : lo + (hi - lo) * g0 / (g0 - g1), offset = 0, slope = -1;
  for (int i = 0; i < 60; ++i) {
    const double gu = g(u, &offset, &slope);
    (gu > 0 ? lo : hi) = u;
    double next = slope < 0 ? u - gu / slope : (lo + hi) / 2;
    if (next <= lo || next >= hi) next = (lo + hi) / 2;
    if (std::abs(next - u) < 1e-11 * (1 + std::abs(u)) || hi - lo < 1e-11) break;
    u = next;
  }
  g(u, &offset, nullptr);
  return {u, offset, true};
}

Foot HorizontalCurve::Project(Vec2 point) const {
  Foot best{0, 0, false};
  auto consider = [&](const Foot& f) {
    if (f.valid && (!best.valid || std::abs(f.offset) < std::abs(best.offset))) best = f;
  };
  const double eps = 1e-9;
  const Vec2 back = BackDir(), ahead = AheadDir();
  const Vec2 ts = HasCurve() ? TSPoint() : Vec2{}, st = HasCurve() ? STPoint() : Vec2{};
  const double uTS = TS, uST = ST;
  if (const double u = uTS + Dot(point - ts, back); u <= uTS + eps)
    consider({u, Dot(point - ts, RightOf(back)), true});
  if (const double u = uST + Dot(point - st, ahead); u >= uST - eps)
    consider({u, Dot(point - st, RightOf(ahead)), true});
  if (HasCurve()) {
    const int turn = in_.turn;
    const Vec2 v = point - center;
    const double dist = Length(v);
    if (Lc > 0 && dist > 0) {
      const double az = std::atan2(turn * v.y, -turn * v.x);  // the radius's foot, as At(u)
      const double phi = turn * az;
      if (phi >= in.theta - eps && phi <= in_.delta - out.theta + eps)
        consider({SC + in_.R * (phi - in.theta), turn * (in_.R - dist), true});
    }
    if (in.L > 0) consider(OnSpiral(point, TS, SC));
    if (out.L > 0) consider(OnSpiral(point, CS, ST));
  }
  if (!best.valid) {
    // Outside the corner of tangents that meet without a curve: no square foot.
    const double side = Cross(point, back) + Cross(point, ahead) > 0 ? 1 : -1;
    return {in_.pi, side * Length(point), false};
  }
  return best;
}

bool HorizontalCurve::MeetOffset(Vec2 b, Vec2 d, double offset, double u0, double& u, Pose* pose) const {
  // F(u) = d x (H(u) + offset * n(u) - b) is zero where the line crosses the offset
  // line; F'(u) = (1 - offset * curvature) (d x t).
  Pose last;
  auto F = [&](double w, double* slope) {
    last = At(w);
    if (slope) *slope = (1 - offset * last.curvature) * Cross(d, last.Ahead());
    return Cross(d, last.at + offset * last.Right() - b);
  };
  auto done = [&](double w) {
    u = w;
    if (pose) *pose = last;
    return offset * last.curvature < 1;  // short of the centre of curvature
  };
  const double tol = 1e-10 * (1 + std::abs(u0));
  double w = u0, slope = 0;
  const double maxStep = 50 + 2 * std::abs(offset);
  for (int i = 0; i < 40; ++i) {
    const double f = F(w, &slope);
    if (std::abs(slope) < 1e-12) break;
    const double step = std::clamp(f / slope, -maxStep, maxStep);
    if (std::abs(step) < tol) return done(w);
    w -= step;
  }
  // Newton lost its way (a line nearly along the control line): look for a change of
  // sign on either side of u0 and halve it.
  const double h = 5 + std::abs(offset);
  for (const double dir : {1.0, -1.0}) {
    double a = u0, fa = F(a, nullptr);
    for (int k = 1; k <= 400; ++k) {
      const double b2 = u0 + dir * k * h, fb = F(b2, nullptr);
      if ((fa <= 0) != (fb <= 0)) {
        double lo = a, hi = b2, flo = fa;
        for (int i = 0; i < 200 && std::abs(hi - lo) > tol; ++i) {
          const double mid = (lo + hi) / 2, fm = F(mid, nullptr);
          if ((fm <= 0) == (flo <= 0))
            lo = mid, flo = fm;
          else
            hi = mid;
        }
        F((lo + hi) / 2, nullptr);
        return done((lo + hi) / 2);
      }
      a = b2, fa = fb;
    }
  }
  return false;
}

}  // namespace kv::geom
