// The control line, the profile and the cross slope against published worked examples
// (each row names its source), and the properties every line must keep.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/cross_section.h"
#include "geometry/horizontal.h"
#include "geometry/layout.h"
#include "geometry/profile.h"

namespace kv::geom {
namespace {

double Dms(double d, double m, double s) { return Radians(d + m / 60 + s / 3600); }

TEST(Spiral, PublishedElements) {
  const struct { double R, L, theta, X, Y, p, k, tol; const char* source; } cases[] = {
      // Issue 19's figures for R = 500 with spirals of 100 and 200 (clothoid series, X to 1e-6).
      {500, 100, 0.1, 99.900046, 3.330953, 0.83303, 49.98333, 1e-5, "issue 19, entry spiral"},
      {500, 200, 0.2, 199.201480, 13.295287, 3.32857, 99.86681, 1e-5, "issue 19, exit spiral"},
      // MDT Road Design Manual, Appendix K, Example 3-1 (Rc 3000 ft, Ls 210 ft): theta 2.00535 deg,
      // p = 0.612', k = 104.996' (Hickerson's series); X and Y from the same series.
      {3000, 210, Radians(2.00535), NAN, NAN, 0.612, 104.996, 1e-3, "MDT Appendix K, Example 3-1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const SpiralElements s = Spiral(c.R, c.L);
    EXPECT_NEAR(s.theta, c.theta, 1e-7);
    if (!std::isnan(c.X)) { EXPECT_NEAR(s.X, c.X, 1e-6); }
    if (!std::isnan(c.Y)) { EXPECT_NEAR(s.Y, c.Y, 1e-6); }
    EXPECT_NEAR(s.p, c.p, c.tol);
    EXPECT_NEAR(s.k, c.k, c.tol);
  }
}

TEST(HorizontalCurve, PublishedCurves) {
  const double nan = NAN;
  const struct {
    const char* source;
    CurveInput in;
    double TS, SC, CS, ST, Tin, Tout, Lc, E, tol;
  } cases[] = {
      // Issue 19: R = 500, spirals 100 and 200, 45 degrees right; tangents 260.96439 and 304.82311.
      {"issue 19, unequal spirals", {0, Radians(45), 1, 500, 100, 200}, -260.96439, -160.96439, nan, nan, 260.96439,
       304.82311, 500 * (Radians(45) - 0.3), nan, 1e-5},
      // MDT Road Design Manual, Appendix K, Example 3-1: PI 243+18.72, delta 15 deg, Rc 3000, Ls 210:
      // Ts 500.034, Es 26.504, TS 238+18.69, SC 240+28.69, CS 246+04.09, ST 248+14.09, Lc 575.40.
      {"MDT Appendix K, Example 3-1", {24318.72, Radians(15), 1, 3000, 210, 210}, 23818.69, 24028.69, 24604.09,
       24814.09, 500.034, 500.034, 575.40, 26.504, 0.01},
      // Arc definition, Da = 8 deg (R = 18000 / 8 pi = 716.20), delta 25 deg 30', PI 12+50:
      // T 162.06, L 318.75, PC 10+87.94, PT 14+06.69 (Scribd 338936993, worked solution).
      {"arc definition, Da 8, delta 25 30", {1250, Dms(25, 30, 0), -1, RadiusFromDegree(8), 0, 0}, 1087.94, 1087.94,
       1406.69, 1406.69, 162.06, 162.06, 318.75, nan, 0.01},
      // The same curve continued, delta 103 deg 30': T 908.50, L 1293.75 (same source).
      {"arc definition, Da 8, delta 103 30", {1900, Dms(103, 30, 0), 1, RadiusFromDegree(8), 0, 0}, 991.50, 991.50,
       2285.25, 2285.25, 908.50, 908.50, 1293.75, nan, 0.01},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const HorizontalCurve h(c.in);
    for (auto [got, want] : {std::pair{h.TS, c.TS}, {h.SC, c.SC}, {h.CS, c.CS}, {h.ST, c.ST}, {h.Tin, c.Tin},
                             {h.Tout, c.Tout}, {h.Lc, c.Lc}, {h.E, c.E}})
      if (!std::isnan(want)) { EXPECT_NEAR(got, want, c.tol); }
  }
  EXPECT_NEAR(RadiusFromDegree(8), 716.20, 0.005);
  EXPECT_NEAR(RadiusFromDegree(2.5), 2291.83, 0.005);  // the English sample's Degree and Radius
}

// MDT Road Design Manual, Appendix K, Example 2-1: the middle ordinate of a 570-ft sight line on an
// R = 1400 ft curve, M = R (1 - cos(90 S / pi R)) = 28.91 ft. The chord's midpoint lies that far inside
// the control line; on the outer offset line the points stay R + |offset| from the centre.
TEST(HorizontalCurve, MiddleOrdinateAndOffsetLineOnTheArc) {
  for (int turn : {1, -1}) {
    const HorizontalCurve h({10000, Radians(60), turn, 1400, 0, 0});
    const Vec2 a = h.At(h.TS + 100).at, b = h.At(h.TS + 670).at;
    const Foot mid = h.Project(0.5 * (a + b));
    EXPECT_NEAR(mid.offset, turn * 28.91, 0.005);
    EXPECT_NEAR(mid.u, h.TS + 385, 1e-6);
    for (double u : {h.TS + 1.0, h.TS + 700, h.CS - 1})
      EXPECT_NEAR(Length(h.PointAt(u, -turn * 24.5) - h.center), 1424.5, 1e-9);
  }
}

// Station to point and back, across every element of curves with and without spirals,
// on both sides; and the offset line's points keep their offset.
TEST(HorizontalCurve, StationPointStationGivesTheStationBack) {
  const CurveInput curves[] = {{5000, Radians(45), 1, 500, 100, 200},
                               {5000, Radians(12.58), -1, 2291.83, 150, 150},
                               {5000, Radians(30), 1, 800, 0, 0},
                               {5000, Radians(20), -1, 600, 0, 120},
                               {5000, Radians(8), 1, 0, 0, 0}};  // tangents meeting at the PI
  for (const CurveInput& in : curves) {
    const HorizontalCurve h(in);
    for (double u = h.TS - 150; u <= h.ST + 150; u += 7.3)
      for (double offset : {-40.0, -6.0, 0.0, 3.5, 35.0}) {
        if (in.R == 0 && in.turn * offset < 0 && std::abs(u - in.pi) < 6) continue;  // outside the corner
        const Foot f = h.Project(h.PointAt(u, offset));
        ASSERT_TRUE(f.valid) << u << " " << offset;
        EXPECT_NEAR(f.u, u, 1e-6) << offset;
        EXPECT_NEAR(f.offset, offset, 1e-6) << u;
      }
  }
}

// A bent line skewed from the control line's normal meets an offset line: on a tangent at
// u + N tan(skew) (right forward: the right end ahead), on an arc where the law of sines puts it
// (line and circle: |A + s d - C| = R - N, s = R cos a - sqrt(R^2 cos^2 a - R^2 + (R - N)^2)).
TEST(Layout, SkewedLineMeetsOffsetLine) {
  const HorizontalCurve h({10000, Radians(40), 1, 1000, 0, 0});
  const Layout lay(h, LayoutInput{h.SC - 300, StationOn::Control, {}, false, LayoutKind::Back, false, false, 0, 0});
  for (const bool right : {true, false})
    for (const double N : {-15.0, 8.0, 30.0}) {
      const double a = Radians(22.5), side = right ? 1 : -1;
      // On the back tangent, 200 before the PC.
      BentLine b = lay.Bent(-100, Distance::Control, Skew{SkewBase::Control, right, a});
      double u = 0;
      const auto p = lay.SquareFromControl(b, N, &u);
      ASSERT_TRUE(p);
      EXPECT_NEAR(u, h.SC - 400 + side * N * std::tan(a), 1e-7);
      // On the arc, 150 past the PC; the curve turns right, so its centre is on the right.
      b = lay.Bent(450, Distance::Control, Skew{SkewBase::Control, right, a});
      ASSERT_TRUE(lay.SquareFromControl(b, N, &u));
      const double R = 1000, s = R * std::cos(a) - std::sqrt(R * R * std::cos(a) * std::cos(a) - R * R + (R - N) * (R - N));
      const double phi = std::asin(s * std::sin(a) / (R - N));
      EXPECT_NEAR(u, h.SC + 150 + side * R * phi, 1e-6);
    }
}

TEST(Profile, PublishedVerticalCurves) {
  const double nan = NAN;
  struct At { double u, z, grade; };
  const struct {
    const char* source;
    double gIn, gOut;
    VerticalPI pi;
    double pvc, zPvc, pvt, zPvt, turnU, turnZ;
    std::vector<At> points;
  } cases[] = {
      // J. Mahun, Open Access Surveying Library, vertical curve solutions, problem 2: PVI 56+50 at 1325.00,
      // +5.0% / -3.5%, L 500: BVC 54+00 at 1312.500, EVC 59+00 at 1316.250; curve table with grades.
      // The high point (56+94.12 at 1319.853) is from the curve's own equation.
      {"Mahun problem 2", 0.05, -0.035, {5650, 1325, 250, 250}, 5400, 1312.5, 5900, 1316.25, 5694.118, 1319.853,
       {{5500, 1316.650, 3.3}, {5600, 1319.100, 1.6}, {5700, 1319.850, -0.1}, {5800, 1318.900, -1.8}}},
      // Problem 3: BVC 88+00 at 1220.00, -4.00% / +2.75%, L 425; low point 90+51.852 at 1214.963;
      // table 89+00 1216.794, 90+00 1215.176, 92+00 1216.706, EVC 92+25 1217.344. 91+00 is printed
      // 1216.147, a slip for 1215.147: its +0.76% grade and 92+00 above it give 1215.15.
      {"Mahun problem 3", -0.04, 0.0275, {9012.5, 1211.5, 212.5, 212.5}, 8800, 1220, 9225, 1217.344, 9051.852,
       1214.963,
       {{8900, 1216.794, -2.41}, {9000, 1215.176, -0.82}, {9100, 1215.147, 0.76}, {9200, 1216.706, 2.35}}},
      // Problem 4: BVC 32+00 at 912.00, EVC 38+00 at 915.00, PVI at 918.00: high point 36+00 at 916.000.
      {"Mahun problem 4", 0.02, -0.01, {3500, 918, 300, 300}, 3200, 912, 3800, 915, 3600, 916,
       {{3300, 913.750, 1.5}, {3400, 915.000, 1.0}, {3500, 915.750, 0.5}, {3700, 915.750, -0.5}}},
      // MDT Road Design Manual, Appendix K, Example 4-1: VPI 15+00 at 577.43, -1.75% / +2.25%, L 1200:
      // VPC 9+00, VPT 21+00 (their elevations and the low point at 14+25 from the tangents and the curve).
      {"MDT Appendix K, Example 4-1", -0.0175, 0.0225, {1500, 577.43, 600, 600}, 900, 587.93, 2100, 590.93, 1425,
       583.33625, {}},
      // US Navy, Engineering Aid 2 (NAVEDTRA 14071), Figures 11-19 and 11-20: unsymmetrical curve, PVI 42+00
      // at 332.68, l1 400, l2 200, -4% / +6%: middle offset e = 6.67 ft, so 339.35 on the curve at the PVI.
      // Its turning point lies on the l2 side, 1.8 stations from the PVT (the manual's formula).
      {"NAVEDTRA 14071, unsymmetrical", -0.04, 0.06, {4200, 332.68, 400, 200}, 3800, 348.68, 4400, 344.68, 4220,
       339.28, {{4200, 339.35, nan}}},
      // An 800-ft unequal-tangent curve, PI 40+00 at 5888.27, PVC 37+40, -3.3% / +2.6%: the published table
      // (homeworksource.com, problem 1014003) to 0.01 ft; the low point from the first parabola's equation.
      {"unequal tangents, 260 / 540", -0.033, 0.026, {4000, 5888.27, 260, 540}, 3740, 5896.85, 4540, 5902.31,
       3955.4425, 5893.295,
       {{3850, 5894.15, nan}, {3900, 5893.53, nan}, {3950, 5893.30, nan}, {4000, 5893.45, nan},
        {4100, 5894.31, nan}, {4400, 5899.02, nan}, {4500, 5901.30, nan}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const Profile p(c.gIn, {c.pi}, c.gOut);
    const VerticalCurve& v = p.Curves().at(0);
    EXPECT_NEAR(v.pvc, c.pvc, 1e-9);
    EXPECT_NEAR(v.pvt, c.pvt, 1e-9);
    EXPECT_NEAR(v.zPvc, c.zPvc, 0.005);
    EXPECT_NEAR(v.zPvt, c.zPvt, 0.005);
    EXPECT_NEAR(p.Elevation(c.pvc), c.zPvc, 0.005);
    EXPECT_NEAR(p.Elevation(c.pvt), c.zPvt, 0.005);
    ASSERT_TRUE(v.hasTurn);
    EXPECT_NEAR(v.turnU, c.turnU, 0.001);
    EXPECT_NEAR(v.turnZ, c.turnZ, 0.005);
    for (const At& a : c.points) {
      EXPECT_NEAR(p.Elevation(a.u), a.z, 0.005) << a.u;
      if (!std::isnan(a.grade)) { EXPECT_NEAR(100 * p.Grade(a.u), a.grade, 0.005) << a.u; }
    }
  }
}

TEST(Profile, TwoCurvesShareTheGradeBetweenTheirPIs) {
  // The English sample's profile: +1.25%, PIs 127+00 at 512.34 and 131+50 at 515.10, -0.8%.
  const Profile p(0.0125, {{12700, 512.34, 200, 200}, {13150, 515.10, 150, 150}}, -0.008);
  const double mid = (515.10 - 512.34) / 450;
  EXPECT_NEAR(p.Grade(12950), mid, 1e-12);
  EXPECT_NEAR(p.Elevation(12950), 512.34 + 250 * mid, 1e-9);
  EXPECT_NEAR(p.Curves()[1].gIn, mid, 1e-12);
  EXPECT_NEAR(p.Elevation(13400), 515.10 - 0.008 * 250, 1e-9);
  EXPECT_FALSE(p.Curves()[0].hasTurn);  // +1.25% to +0.61%: still climbing
  EXPECT_TRUE(p.Curves()[1].hasTurn);   // +0.61% to -0.8%: its high point is on the curve
}

// Superelevation by centreline rotation (transtutors.com, transportation problem 2706796): two 10-ft lanes,
// normal crown 1%, e = 3%, run-off 300 ft, PC 120+00 at 600.00 on a +4% grade. Published: the run-out starts
// at 117+00, the run-off at 118+00, the "hinge" (reverse crown) is at 119+00, full superelevation at 121+00,
// so 2/3 of the run-off lies on the tangent. The edge elevations at 117+50, 118+50 and 121+50 follow.
TEST(CrossSection, SuperelevationTransitionByCentrelineRotation) {
  SectionInput in;
  in.slope = 0.01;
  in.rate = 0.03;
  in.in = {100, 300, 200.0 / 3};
  in.out = in.in;
  const Profile grade(0.04, {{12000, 600, 0, 0}}, 0.04);
  for (int turn : {1, -1}) {
    const CrossSection s(in, {true, turn, 12000, 12600, 0, 0});
    EXPECT_NEAR(s.runoutStart, 11700, 1e-9);
    EXPECT_NEAR(s.runoffStart, 11800, 1e-9);
    EXPECT_NEAR(s.fullStart, 12100, 1e-9);
    const double out = -turn * 10, inside = turn * 10;  // edge offsets outside and inside the curve
    const struct { double u, outside, centre, insideEdge; } rows[] = {
        {11750, 589.95, 590.00, 589.90}, {11850, 594.05, 594.00, 593.90}, {12150, 606.30, 606.00, 605.70}};
    for (const auto& r : rows) {
      EXPECT_NEAR(grade.Elevation(r.u) + s.Rise(r.u, out), r.outside, 1e-9) << r.u;
      EXPECT_NEAR(grade.Elevation(r.u), r.centre, 1e-9) << r.u;
      EXPECT_NEAR(grade.Elevation(r.u) + s.Rise(r.u, inside), r.insideEdge, 1e-9) << r.u;
    }
    // At the hinge the section is one plane falling 1% to the inside; before it the inside has not
    // moved and the outside has not come round.
    const Slopes hinge = s.At(11900), before = s.At(11899);
    EXPECT_NEAR(hinge.left, turn * 0.01, 1e-12);
    EXPECT_NEAR(hinge.right, turn * 0.01, 1e-12);
    EXPECT_NEAR(turn > 0 ? before.right : before.left, turn * 0.01, 1e-12);
    EXPECT_LT(turn * (turn > 0 ? before.left : before.right), 0.01);
    // The transition out mirrors it about the PT.
    EXPECT_NEAR(s.Rise(12600 + 150, out), s.Rise(12000 - 150, out), 1e-12);
  }
}

// With spirals the run-off lies on the spiral when its length is left to it (MDT Road Design Manual,
// Appendix K, Example 3-1: e = 7%, "Ls is set equal to the superelevation runoff length"; the tangent
// run-out for a 2% crown at the same relative gradient is 0.02 / 0.07 x 210 = 60 ft): level outside at
// the TS, full superelevation from the SC to the CS, one plane at half the rate halfway down the exit.
TEST(CrossSection, RunOffOnTheSpiral) {
  SectionInput in;
  in.slope = 0.02;
  in.rate = 0.07;
  in.in.runout = in.out.runout = 60;
  const HorizontalCurve h({24318.72, Radians(15), 1, 3000, 210, 210});
  const CrossSection s(in, {true, 1, h.TS, h.ST, h.in.L, h.out.L});
  // Falls to the right; the curve turns right, so its outside is the left.
  EXPECT_NEAR(s.At(h.TS).left, 0, 1e-12);
  EXPECT_NEAR(s.At(h.TS - 30).left, -0.01, 1e-12);
  EXPECT_NEAR(s.At(h.TS - 30).right, 0.02, 1e-12);
  EXPECT_NEAR(s.At(h.SC).left, 0.07, 1e-12);
  EXPECT_NEAR(s.At(h.SC).right, 0.07, 1e-12);
  EXPECT_NEAR(s.At(h.CS + 105).right, 0.035, 1e-12);
  EXPECT_NEAR(s.At(h.CS + 105).left, 0.035, 1e-12);
  EXPECT_NEAR(s.At(h.ST + 30).left, -0.01, 1e-12);
  EXPECT_TRUE(s.At(h.ST + 60).normal);
}

}  // namespace
}  // namespace kv::geom
