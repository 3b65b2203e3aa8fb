// Stations as the designer writes them, and the running length along the control
// line they stand for. A station equation at the back station restarts the numbering
// at the ahead station: stations up to the back station count from before it, every
// later one from after it (a gap when ahead > back, an overlap when ahead < back).
#pragma once

namespace kv::geom {

class Stationing {
 public:
  Stationing() = default;
  Stationing(double back, double ahead) : back_(back), shift_(ahead - back) {}

  bool HasEquation() const { return shift_ != 0; }
  double back() const { return back_; }
  double ahead() const { return back_ + shift_; }
  // Running length of a station; inGap when the station lies in the gap the
  // equation jumps over (then the equation point is taken).
  double Chainage(double station, bool* inGap = nullptr) const {
    if (inGap) *inGap = false;
    if (shift_ == 0 || station <= back_) return station;
    if (station < back_ + shift_) {
      if (inGap) *inGap = true;
      return back_;
    }
    return station - shift_;
  }
  double Station(double chainage) const {
    return shift_ == 0 || chainage <= back_ ? chainage : chainage + shift_;
  }

 private:
  double back_ = 0, shift_ = 0;
};

}  // namespace kv::geom
