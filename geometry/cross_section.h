// The roadway's cross slope along the control line: the normal section of the crown
// type, the superelevation transitions in and out of the curve, and the overrides.
// Each side's slope is its fall per unit width going to the right (looking
// up-station), as the overrides give it: 0.04 on both sides is one plane falling 4%
// to the right; a normal two-way crown of 2% is -0.02 left and 0.02 right. The
// nominal cross-slope and the crown slopes are falls away from the crown. Offsets
// here are measured from the profile grade line, where the crown is.
#pragma once

#include <vector>

namespace kv::geom {

enum class Crown { A, B, C, P };  // two-way crown, one-way falling right, one-way falling left, parabolic

struct Transition {
  double runout = 0;   // tangent run-out: the outside side from its normal slope to level
  double length = 0;   // superelevation run-off: level to full superelevation
  double percent = 0;  // share of the run-off outside the curve, in percent
};

struct SectionOverride {
  double u = 0;  // running length
  double left = 0, right = 0;
};

struct SectionInput {
  Crown crown = Crown::A;
  double slope = 0;  // nominal cross-slope
  double rate = 0;   // superelevation rate; 0 for none
  double pivot = 0;  // pivot point from the profile grade line, negative left
  Transition in, out;
  double crownWidth = 0, crownHeight = 0, crownLeft = 0, crownRight = 0;
  std::vector<SectionOverride> overrides;  // in running-length order
};

// Where the curve's transitions hang: the curve's first and last points (TS and ST,
// or PC and PT) and its spirals.
struct CurveSpan {
  bool curved = false;
  int turn = 1;  // +1 right, -1 left
  double begin = 0, end = 0;
  double spiralIn = 0, spiralOut = 0;
};

struct Slopes {
  double left = 0, right = 0;  // falls to the right
  bool normal = true;          // the normal section of the crown type (the parabola for P)
};

class CrossSection {
 public:
  CrossSection() = default;
  CrossSection(SectionInput in, CurveSpan span);

  Slopes At(double u) const;
  // Height of the deck at x right of the profile grade line, over the profile grade
  // elevation. The section turns about the pivot, which keeps its normal height.
  double Rise(double u, double x) const;
  // The width x (from the profile grade line) reached by walking the deck surface a
  // distance s (negative to the left) from x0; normal: on the normal section.
  double WidthAlongDeck(double u, double x0, double s, bool normal) const;
  double DeckLength(double u, double x0, double x1, bool normal) const;

  // Where the transitions in and out begin and end (running lengths), for listings.
  double runoutStart = 0, runoffStart = 0, fullStart = 0;
  double fullEnd = 0, runoffEnd = 0, runoutEnd = 0;

 private:
  double NormalDrop(double x) const;
  double PlaneDrop(const Slopes& s, double x) const;
  double Progress(double u) const;  // 0 normal, 1 outside level, 2 full superelevation
  SectionInput in_;
  CurveSpan span_;
  double normalLeft_ = 0, normalRight_ = 0;
};

}  // namespace kv::geom
