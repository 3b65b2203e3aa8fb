// The profile grade line: a grade in, vertical curves at their PIs, a grade out.
// A vertical curve may have unequal in and out lengths: two parabolas that meet
// opposite the PI with a common slope (the unsymmetrical curve of route surveying).
// Distances are running lengths along the control line; grades are fractions.
#pragma once

#include <vector>

namespace kv::geom {

struct VerticalPI {
  double u = 0, elevation = 0;
  double lIn = 0, lOut = 0;  // lengths of the curve's halves; a curve needs both
};

struct VerticalCurve {
  double pvc = 0, pvi = 0, pvt = 0;
  double zPvc = 0, zPvi = 0, zPvt = 0;
  double gIn = 0, gOut = 0;
  double e = 0;  // the curve's offset from the PI: lIn lOut (gOut - gIn) / 2(lIn + lOut)
  bool hasTurn = false;  // a high or low point inside the curve
  double turnU = 0, turnZ = 0;
};

class Profile {
 public:
  Profile() = default;
  Profile(double gradeIn, std::vector<VerticalPI> pis, double gradeOut);

  bool Defined() const { return !pis_.empty(); }
  double Elevation(double u) const;
  double Grade(double u) const;
  const std::vector<VerticalCurve>& Curves() const { return curves_; }

 private:
  double Tangent(double u, double* grade) const;
  std::vector<VerticalPI> pis_;
  std::vector<double> grades_;  // grades_[i] runs into PI i; the last one leaves the last PI
  std::vector<VerticalCurve> curves_;
};

}  // namespace kv::geom
