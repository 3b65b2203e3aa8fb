// The structure's lines in plan: the reference point and line, the layout line and
// its grid, the bent lines and where the girder lines meet them. Everything is in
// the control line's frame (PI at the origin, back tangent north); distances along
// the control line are running lengths.
#pragma once

#include <optional>

#include "geometry/horizontal.h"

namespace kv::geom {

// What a skew angle is measured from: the normal to this line (0 is square to it).
enum class SkewBase { Control, Layout, Back, Ahead };
struct Skew {
  SkewBase base = SkewBase::Control;
  bool right = false;  // right forward: the line's right-hand end lies ahead
  double angle = 0;    // radians
};

// Where the reference station lies, and the layout line's kind.
enum class StationOn { Control, Back, Ahead };
enum class LayoutKind { Back, Chord, Ahead };
// What a bent line's distance is measured along, in the order of the bent editor's list.
enum class Distance { Control, Layout, Back, Ahead, NormalToRef, NormalOffset, Chord };

struct LayoutInput {
  double refU = 0;  // running length of the reference station
  StationOn on = StationOn::Control;
  Skew refSkew;
  bool bentsSameSkew = false;  // else parallel to the reference line
  LayoutKind kind = LayoutKind::Back;
  bool decreasing = false;  // the layout line points down-station: its distances grow that way
  bool reversed = false;    // its offsets are positive to the left of it (looking along it)
  double transX = 0, transY = 0;
};

// A bent line: a point it passes through, its direction (pointing to the right of the
// control line) and where it crosses the control line.
struct BentLine {
  Vec2 anchor, dir;
  double u = 0;
  bool found = false;
  Pose crossing;  // the control line where the bent crosses it
};

class Layout {
 public:
  Layout(const HorizontalCurve& curve, const LayoutInput& in);

  const HorizontalCurve& curve() const { return curve_; }
  Vec2 refPoint() const { return ref_; }
  Vec2 refDir() const { return refDir_; }
  Vec2 layoutDir() const { return layoutDir_; }  // up-station sense

  // Layout grid: y along the layout line in the sense its distances grow, x the
  // offset from it in the sense its offsets grow (a mirror image when reversed); the
  // reference point is at the transform constant.
  Vec2 ToGrid(Vec2 p) const;
  // Angle of a plan azimuth from the grid's +y toward its +x, degrees in [0, 360).
  double GridBearing(double azimuth) const;

  // The direction of a skewed line at running length u (pointing right).
  Vec2 SkewedDir(const Skew& s, double u) const;
  // A bent line from its distance and skew; no skew: the reference line's default.
  BentLine Bent(double distance, Distance type, const std::optional<Skew>& skew) const;

  // Points on a bent line: at an offset from the layout or control line, measured
  // along the bent or square to that line. Offsets from the layout line follow its
  // sense.
  std::optional<Vec2> AlongFromLayout(const BentLine& b, double offset) const;
  std::optional<Vec2> SquareFromLayout(const BentLine& b, double offset) const;
  Vec2 AlongFromControl(const BentLine& b, double offset) const { return b.crossing.at + offset * b.dir; }
  // Where the bent meets the line at `offset` from the control line, and its running length.
  std::optional<Vec2> SquareFromControl(const BentLine& b, double offset, double* u = nullptr) const;
  // Where the bent meets the straight line through p along d.
  std::optional<Vec2> OnLine(const BentLine& b, Vec2 p, Vec2 d) const;

 private:
  // +1 when layout offsets are positive to the right looking up-station, else -1.
  double OffsetSense() const { return in_.decreasing != in_.reversed ? -1 : 1; }
  const HorizontalCurve& curve_;
  LayoutInput in_;
  Vec2 ref_, refDir_, layoutDir_;
};

}  // namespace kv::geom
