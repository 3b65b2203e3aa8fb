// The horizontal control line: back tangent, entry clothoid, circular arc, exit
// clothoid, ahead tangent, measured by its own running length ("chainage", the
// station before any station equation). The PI lies at the origin and the back
// tangent runs north.
#pragma once

#include "geometry/plane.h"

namespace kv::geom {

// Degree of curve (arc definition, 100-ft arc) to radius: 18000 / pi = 5729.578.
double RadiusFromDegree(double degrees);

// A clothoid whose curvature grows from 0 to 1/R over its length L.
struct SpiralElements {
  double L = 0;      // length
  double theta = 0;  // spiral angle, radians: L / 2R
  double X = 0, Y = 0;  // the spiral's far end from its tangent end: along and across the tangent
  double p = 0;      // throw: the shift of the arc from the tangent
  double k = 0;      // the arc's shifted PC from the tangent end, along the tangent
};
SpiralElements Spiral(double R, double L);

// The clothoid point at length l from its tangent end, for R * L = A2: x along the
// tangent, y toward the curve.
Vec2 ClothoidPoint(double l, double A2);

struct CurveInput {
  double pi = 0;     // chainage of the PI
  double delta = 0;  // deflection, radians, >= 0
  int turn = 1;      // +1 right, -1 left
  double R = 0;      // 0: the tangents meet at the PI without a curve
  double Lin = 0, Lout = 0;  // spiral lengths, 0 for none
};

// A point of the line: where, which way it runs, and how sharply it turns (1/R,
// positive to the right).
struct Pose {
  Vec2 at;
  double azimuth = 0;
  double curvature = 0;
  Vec2 ahead;  // Heading(azimuth), worked out once
  Vec2 Ahead() const { return ahead; }
  Vec2 Right() const { return RightOf(ahead); }
};

// The foot of a point on the line: its chainage and offset (positive right).
// Not valid when the point lies at or beyond the centre of the curve there.
struct Foot {
  double u = 0, offset = 0;
  bool valid = true;
};

class HorizontalCurve {
 public:
  explicit HorizontalCurve(const CurveInput& in);

  const CurveInput& input() const { return in_; }
  SpiralElements in, out;
  double Tin = 0, Tout = 0;  // tangent lengths PI-TS and PI-ST
  double Lc = 0;             // length of the circular arc
  double E = 0;              // external distance, PI to the arc
  double TS = 0, SC = 0, CS = 0, ST = 0;  // chainages; TS = SC (PC), CS = ST (PT) without spirals
  Vec2 center;
  bool spiralsDropped = false;  // the spirals turned more than the deflection

  Pose At(double u) const;
  Vec2 PointAt(double u, double offset) const {
    const Pose p = At(u);
    return p.at + offset * p.Right();
  }
  Foot Project(Vec2 point) const;
  // Where the line through b along d meets the line at `offset` from this one,
  // starting near chainage u0, and the pose there. False when none is found.
  bool MeetOffset(Vec2 b, Vec2 d, double offset, double u0, double& u, Pose* pose = nullptr) const;

  // The back and ahead tangents as lines through TS and ST.
  Vec2 BackDir() const { return {0, 1}; }
  Vec2 AheadDir() const { return aheadDir_; }
  Vec2 TSPoint() const { return {0, -Tin}; }
  Vec2 STPoint() const { return Tout * AheadDir(); }
  bool HasCurve() const { return in_.R > 0 && in_.delta > 0 && in_.delta < kPi; }

 private:
  Foot OnSpiral(Vec2 point, double u0, double u1) const;
  Pose Make(Vec2 at, double azimuth, double curvature) const { return {at, azimuth, curvature, Heading(azimuth)}; }
  CurveInput in_;
  Vec2 aheadDir_{0, 1};
};

}  // namespace kv::geom
