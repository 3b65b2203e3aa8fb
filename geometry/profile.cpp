#include "geometry/profile.h"

namespace kv::geom {

Profile::Profile(double gradeIn, std::vector<VerticalPI> pis, double gradeOut) : pis_(std::move(pis)) {
  if (pis_.empty()) return;
  grades_.push_back(gradeIn);
  for (std::size_t i = 1; i < pis_.size(); ++i) {
    const double run = pis_[i].u - pis_[i - 1].u;
    // PIs out of order are reported by the caller; keep the grade line finite.
    grades_.push_back(run > 0 ? (pis_[i].elevation - pis_[i - 1].elevation) / run : gradeIn);
  }
  grades_.push_back(gradeOut);
  for (std::size_t i = 0; i < pis_.size(); ++i) {
    const VerticalPI& pi = pis_[i];
    VerticalCurve c;
    c.gIn = grades_[i];
    c.gOut = grades_[i + 1];
    c.pvi = pi.u;
    c.zPvi = pi.elevation;
    const bool curved = pi.lIn > 0 && pi.lOut > 0;
    const double l1 = curved ? pi.lIn : 0, l2 = curved ? pi.lOut : 0;
    c.pvc = pi.u - l1;
    c.pvt = pi.u + l2;
    c.zPvc = pi.elevation - c.gIn * l1;
    c.zPvt = pi.elevation + c.gOut * l2;
    if (curved) {
      c.e = l1 * l2 * (c.gOut - c.gIn) / (2 * (l1 + l2));
      // Grade zero on the in parabola z = zPvc + gIn x + (e / l1^2) x^2, or on the
      // out parabola z = zPvt - gOut x' + (e / l2^2) x'^2 measured back from the PVT.
      if (c.e != 0) {
        const double xIn = -c.gIn * l1 * l1 / (2 * c.e), xOut = c.gOut * l2 * l2 / (2 * c.e);
        if (xIn >= 0 && xIn <= l1) {
          c.hasTurn = true;
          c.turnU = c.pvc + xIn;
        } else if (xOut >= 0 && xOut <= l2) {
          c.hasTurn = true;
          c.turnU = c.pvt - xOut;
        }
      }
    }
    curves_.push_back(c);
  }
  for (VerticalCurve& c : curves_)
    if (c.hasTurn) c.turnZ = Elevation(c.turnU);
}

double Profile::Tangent(double u, double* grade) const {
  std::size_t i = 0;
  while (i < pis_.size() && pis_[i].u < u) ++i;
  // Grade i runs into PI i, so the segment before PI i starts at PI i - 1.
  const VerticalPI& from = i == 0 ? pis_[0] : pis_[i - 1];
  if (grade) *grade = grades_[i];
  return from.elevation + grades_[i] * (u - from.u);
}

double Profile::Elevation(double u) const {
  if (pis_.empty()) return 0;
  double z = Tangent(u, nullptr);
  for (std::size_t i = 0; i < curves_.size(); ++i) {
    const VerticalCurve& c = curves_[i];
    if (c.e == 0) continue;
    if (u >= c.pvc && u <= c.pvi) {
      const double x = (u - c.pvc) / (c.pvi - c.pvc);
      z += c.e * x * x;
    } else if (u > c.pvi && u <= c.pvt) {
      const double x = (c.pvt - u) / (c.pvt - c.pvi);
      z += c.e * x * x;
    }
  }
  return z;
}

double Profile::Grade(double u) const {
  if (pis_.empty()) return 0;
  double g = 0;
  Tangent(u, &g);
  for (const VerticalCurve& c : curves_) {
    if (c.e == 0) continue;
    if (u >= c.pvc && u <= c.pvi) {
      const double l = c.pvi - c.pvc;
      g += 2 * c.e * (u - c.pvc) / (l * l);
    } else if (u > c.pvi && u <= c.pvt) {
      const double l = c.pvt - c.pvi;
      g -= 2 * c.e * (c.pvt - u) / (l * l);
    }
  }
  return g;
}

}  // namespace kv::geom
