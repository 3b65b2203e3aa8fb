// The project's geometry read from the samples: girder-bent points checked by hand (an
// independent computation that integrates the control line's curvature and finds each
// intersection by bisection, to 1e-6), every line type and distance type among them, and
// the findings, each from one change to the English sample.
#include "geometry/project_geometry.h"

#include <cmath>
#include <functional>

#include "tests/test_support.h"

namespace kv::geom {
namespace {

Project Sample(const std::string& name) {
  Project p;
  EXPECT_TRUE(ReadInputFile(test::Data(name), p, test::kIgnore));
  return p;
}

struct Expected {
  int girder, bent;  // 1-based rows
  double station, offset, x, y, elevation;
};

void ExpectPoints(const ProjectGeometry& g, std::initializer_list<Expected> points) {
  for (const Expected& e : points) {
    SCOPED_TRACE("girder row " + std::to_string(e.girder) + ", bent row " + std::to_string(e.bent));
    const GirderPoint* got = nullptr;
    for (const GirderLineData& line : g.girders())
      for (const GirderPoint& pt : line.points)
        if (line.row == e.girder && pt.bent == e.bent) got = &pt;
    ASSERT_TRUE(got != nullptr && got->found);
    EXPECT_NEAR(got->station, e.station, 1e-4);
    EXPECT_NEAR(got->offset, e.offset, 1e-4);
    EXPECT_NEAR(got->x, e.x, 1e-4);
    EXPECT_NEAR(got->y, e.y, 1e-4);
    if (!std::isnan(e.elevation)) { EXPECT_NEAR(got->elevation, e.elevation, 1e-4); }
  }
}

TEST(ProjectGeometry, SamplePointsCheckedByHand) {
  // English: a right curve, R 2291.83 with 150-ft spirals; the layout line is the back tangent through
  // the reference point 126+00 (grid origin 5000, 2000); bents parallel to the reference line, 15 deg
  // left of the radial. G1: parallel to the control line, -12 square from the layout line at the first
  // bent, in full superelevation (4% falling right). G3: segmented at 0, at the override between
  // 126+50 and 128+00. G5: flared to 14.5 square from the control line at bent 4, which stands where
  // the control line is 280 square from the reference line, 12 30' 15.5" right of the radial.
  const ProjectGeometry english(Sample("bridge_english.dat"));
  EXPECT_TRUE(english.findings().empty());
  ExpectPoints(english, {{1, 1, 12603.350819, -12.576511, 4988.0, 2005.045614, 511.289940},
                         {3, 2, 12685.0, 0.0, 5013.102270, 2083.979178, 511.620126},
                         {5, 4, 12889.465951, 14.5, 5068.991597, 2280.960185, 512.786427}});
  // A line parallel to the control line keeps its offset at every bent, on the arc, the spiral and
  // the tangent alike, whatever the bent's skew.
  for (const GirderLineData& line : english.girders())
    for (const GirderPoint& pt : line.points)
      if (line.row <= 4) { EXPECT_NEAR(pt.offset, line.points[0].offset, 1e-9) << line.row << " " << pt.bent; }

  // Metric: a left curve; the layout line is the long chord through the reference point 3+390 on the
  // back tangent, decreasing and reversed (so offsets positive right looking up-station), grid origin
  // 100, -50; bents along it at 0, 32.5 and 65, with the reference line's skew, 5 30' right of the
  // layout line. G2 lies on the layout line; G1 parallel to it 4.5 to the left; G3 holds 4.5 along the
  // deck from the pivot (-1.8 from the profile line at -2.25) as measured on the 2.5% crown, now on
  // the 5% superelevation.
  const ProjectGeometry metric(Sample("overpass_metric.dat"));
  EXPECT_TRUE(metric.findings().empty());
  ExpectPoints(metric, {{2, 1, 3389.889242, 2.561717, 100.0, -50.0, NAN},
                        {1, 2, 3356.884665, -1.187463, 95.520717, -17.068694, 102.922945},
                        {3, 3, 3324.418704, 0.445790, 95.564347, 15.427105, 103.076963}});
}

TEST(ProjectGeometry, EveryDistanceTypeCheckedByHand) {
  // The English sample with its bent lines measured along the back tangent, the ahead tangent, square
  // to the reference line and by chord from the reference point; G3 (at 0) gives where each crosses
  // the control line. Tangents are stationed on from the TS and back from the ST.
  Project p = Sample("bridge_english.dat");
  const struct { int type; const char* distance; double station, x, y; } bents[] = {
      {2, "0", 12592.235547, 4998.958579, 1992.305709},
      {3, "200", 12799.974465, 5035.481450, 2196.746442},
      {4, "150", 12754.026446, 5026.001837, 2151.787213},
      {6, "250", 12850.083895, 5046.262627, 2245.682253}};
  for (int k = 0; k < 4; ++k) {
    BentRow& b = p.BentLine.rows[k];
    SelectBentDistanceType(b, bents[k].type);
    SelectBentSkewType(b, 0);
    b.Text1 = bents[k].distance;
  }
  const ProjectGeometry g(p);
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(kBentDistanceTypeItems[bents[k].type]);
    const GirderPoint& pt = g.girders()[2].points[k];
    EXPECT_NEAR(pt.station, bents[k].station, 1e-4);
    EXPECT_NEAR(pt.offset, 0, 1e-9);
    EXPECT_NEAR(pt.x, bents[k].x, 1e-4);
    EXPECT_NEAR(pt.y, bents[k].y, 1e-4);
  }
}

TEST(ProjectGeometry, FindingsNameRecordRowAndField) {
  const struct {
    const char* what;
    std::function<void(Project&)> change;
    std::vector<std::string> findings;
  } cases[] = {
      {"spirals longer than the curve", [](Project& p) { p.Horizontal.InSpiral = p.Horizontal.OutSpiral = "1000"; },
       {"Geometry: (01) Horizontal, InSpiral, OutSpiral: the spirals turn 25 degrees together, more than the "
        "Combined Delta of 12.5824; the points are computed on the circular curve alone"}},
      {"radius against degree", [](Project& p) { p.Horizontal.Radius = "2200"; },
       {"Geometry: (01) Horizontal, Radius: the radius 2200 does not match the Degree (2291.83 by the arc definition); "
        "the radius is used"}},
      {"vertical curves overlap", [](Project& p) { p.Vertical.InLength2 = "400"; },
       {"Geometry: (02) Vertical, OutLength1, InLength2: vertical curve 1 ends at 129+00.00, after vertical curve 2 "
        "begins at 127+50.00"}},
      {"a vertical curve over the station equation",
       [](Project& p) { p.Horizontal.Back = "130+00.0000", p.Horizontal.Ahead = "130+25.5000"; },
       {"Geometry: (02) Vertical, PISta2: vertical curve 2 from 129+74.50 to 133+00.00 runs over the station "
        "equation at back 130+00.00 = ahead 130+25.50"}},
      {"one length of a vertical curve", [](Project& p) { p.Vertical.OutLength1 = ""; },
       {"Geometry: (02) Vertical, OutLength1: vertical curve 1 needs both an in and an out length; the grades meet "
        "at its PI without a curve"}},
      {"no profile", [](Project& p) { p.Vertical.PISta1 = p.Vertical.PISta2 = ""; },
       {"Geometry: (02) Vertical, PISta1: no PI station: the profile, and so every elevation, is unknown"}},
      {"bents out of station order", [](Project& p) { p.BentLine.rows[1].Text1 = "210"; },
       {"Geometry: (06) BentLine row 3, Text1: its station 127+95.00 does not follow on from 128+10.00 of the bent "
        "line before it (row 2)"}},
      {"points past the limit of valid data", [](Project& p) { p.RefLine.LimitEndSta = "128+50.0000"; },
       {"Geometry: (06) BentLine row 4, Text1: its girder points reach on to 128+89.47, past the end of valid "
        "elevation and cross-slope data at 128+50.00 (RefLine LimitEndSta)"}},
      // G5 runs straight from 12 at bent 1 to 14.5 at bent 4, a chord that bulges to 16.3 inside the curve.
      {"girder lines that cross", [](Project& p) { p.GirderLine.rows[3].Text1 = "13"; },
       {"Geometry: (05) GirderLine rows 4 and 5, Text1: the girder lines cross between bent rows 1 and 2"}},
      {"girder lines that meet", [](Project& p) { p.GirderLine.rows[1].Text1 = "-12"; },
       {"Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines meet at bent row 1",
        "Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines meet at bent row 2",
        "Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines meet at bent row 3",
        "Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines meet at bent row 4"}},
      // G2 then runs north while the control line bends away right, across G1.
      {"a girder line that misses a bent",
       [](Project& p) {
         ChooseGirderLineType(p.GirderLine.rows[1], 2);  // parallel to the layout line (north)...
         SelectBentSkewType(p.BentLine.rows[2], 2);      // ...and so is bent 3, 90 deg from its normal
         p.BentLine.rows[2].Text7 = "L", p.BentLine.rows[2].Text2 = "90" + test::kDeg + " 0' 0.00\"";
       },
       {"Geometry: (05) GirderLine row 2, Text1: the girder line does not meet bent row 3",
        "Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines cross between bent rows 1 and 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Project p = Sample("bridge_english.dat");
    c.change(p);
    test::Strings got;
    for (const Finding& f : ProjectGeometry(p).findings()) got.push_back(f.Text());
    EXPECT_EQ(test::Join(got), test::Join(c.findings));
  }
}

// What the drawings take from the geometry: the bents a girder finding is at, each line's
// type and elevation shift as written, and the reference station.
TEST(ProjectGeometry, GirderFindingsNameTheirBentsAndLinesTheirTypeAndShift) {
  const struct {
    std::function<void(Project&)> change;
    std::vector<std::vector<int>> bents;
  } cases[] = {
      {[](Project& p) { p.GirderLine.rows[3].Text1 = "13"; }, {{1, 2}}},
      {[](Project& p) { p.GirderLine.rows[1].Text1 = "-12"; }, {{1}, {2}, {3}, {4}}},
      {[](Project& p) { p.BentLine.rows[1].Text1 = "210"; }, {{}}},
  };
  for (const auto& c : cases) {
    Project p = Sample("bridge_english.dat");
    c.change(p);
    std::vector<std::vector<int>> got;
    for (const Finding& f : ProjectGeometry(p).findings()) got.push_back(f.bents);
    EXPECT_EQ(got, c.bents);
  }
  const ProjectGeometry g(Sample("bridge_english.dat"));
  std::vector<std::pair<int, double>> lines;
  for (const GirderLineData& l : g.girders()) lines.push_back({l.lineType, l.shift});
  EXPECT_EQ(lines, (std::vector<std::pair<int, double>>{{0, 0}, {0, 0.125}, {1, 0}, {0, -0.125}, {3, 0}}));
  EXPECT_EQ(g.referenceStation(), 12600);
  const PointData at = g.At(12650, -6), byLength = g.AtChainage(12650, -6);
  EXPECT_EQ(at.x, byLength.x);
  EXPECT_EQ(at.elevation, byLength.elevation);
}

}  // namespace
}  // namespace kv::geom
