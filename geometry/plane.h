// Plan vectors. Azimuths are radians clockwise from +y ("north"); x is to the
// right of y, as on a plan drawn with north up.
#pragma once

#include <cmath>
#include <numbers>

namespace kv::geom {

inline constexpr double kPi = std::numbers::pi;
inline double Radians(double degrees) { return degrees * kPi / 180; }
inline double Degrees(double radians) { return radians * 180 / kPi; }

struct Vec2 {
  double x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator-(Vec2 a) { return {-a.x, -a.y}; }
inline Vec2 operator*(double s, Vec2 a) { return {s * a.x, s * a.y}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
// Positive when b turns counter-clockwise from a.
inline double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double Length(Vec2 a) { return std::hypot(a.x, a.y); }
inline Vec2 Unit(Vec2 a) {
  const double l = Length(a);
  return l > 0 ? Vec2{a.x / l, a.y / l} : Vec2{0, 1};
}

// The unit vector of an azimuth, and back.
inline Vec2 Heading(double azimuth) { return {std::sin(azimuth), std::cos(azimuth)}; }
inline double Azimuth(Vec2 d) { return std::atan2(d.x, d.y); }
// The unit normal to the right of a direction (a quarter turn clockwise).
inline Vec2 RightOf(Vec2 d) { return {d.y, -d.x}; }
// d turned clockwise by a (radians).
inline Vec2 Turned(Vec2 d, double a) {
  const double c = std::cos(a), s = std::sin(a);
  return {d.x * c + d.y * s, -d.x * s + d.y * c};
}

// Where the line through a along da meets the line through b along db: the distance
// along da (in units of |da|); false for parallel lines.
inline bool MeetLines(Vec2 a, Vec2 da, Vec2 b, Vec2 db, double& t) {
  const double den = Cross(da, db);
  if (std::abs(den) < 1e-12 * Length(da) * Length(db)) return false;
  t = Cross(b - a, db) / den;
  return true;
}

}  // namespace kv::geom
