// The drawings of the samples: lines through the geometry's own points, left of the
// control line drawn above it whatever the layout grid's hand, key points and stations
// where the curve puts them, findings marked where they happen, labels that never
// overlap, and the SVG and DXF files made from the same drawing.
#include "drawing/project_drawings.h"

#include <cmath>
#include <functional>
#include <regex>
#include <set>

#include "drawing/export.h"
#include "tests/test_support.h"

namespace kv::draw {
namespace {

using geom::ProjectGeometry;

std::set<std::string> Texts(const Drawing& d, Layer layer) {
  std::set<std::string> out;
  for (const Label& l : d.labels)
    if (l.layer == layer && !l.alternative) out.insert(l.text);
  return out;
}

const Path* PathOf(const Drawing& d, Ref::Kind kind, int row) {
  for (const Path& p : d.paths)
    if (p.ref.kind == kind && p.ref.index == row && p.layer != Layer::Findings) return &p;
  return nullptr;
}

std::string Trim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

const MeasureText kMeasure = [](const std::string& s) { return EstimateText(s); };

struct Sample {
  const char* file;
  std::set<std::string> keys, stations;
  int left, right;  // a girder row left of the control line, one right of it
};

TEST(PlanDrawing, SamplesDrawnThroughTheGeometrysPointsWithLeftUpAndStationsToTheRight) {
  const Sample samples[] = {
      {"bridge_english.dat",
       {"PI 125+40.50", "TS 122+12.79", "SC 123+62.79", "CS 127+16.09", "ST 128+66.09"},
       {"122+00", "123+00", "126+00", "127+00", "128+00", "129+00"},
       1, 5},
      // A layout grid that is a mirror image (decreasing and reversed).
      {"overpass_metric.dat",
       {"PI 3+400.125", "TS 3+283.485", "SC 3+343.485", "CS 3+456.448", "ST 3+516.448"},
       {"3+280", "3+300", "3+320", "3+340", "3+360", "3+380", "3+400", "3+500", "3+520"},
       1, 2},
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.file);
    const ProjectGeometry g(test::Read(s.file));
    const Drawing d = BuildPlan(g);
    const std::set<std::string> keys = Texts(d, Layer::KeyPoints);
    EXPECT_EQ(keys, s.keys);
    const std::set<std::string> stations = Texts(d, Layer::Stations);
    for (const std::string& t : s.stations) EXPECT_TRUE(stations.count(t)) << t;
    // Every girder line passes through its points, and names itself.
    for (const geom::GirderLineData& line : g.girders()) {
      const Path* p = PathOf(d, Ref::GirderRow, line.row);
      ASSERT_NE(p, nullptr);
      for (const geom::GirderPoint& pt : line.points) {
        double nearest = INFINITY;
        for (geom::Vec2 q : p->points) nearest = std::min(nearest, geom::Length(q - geom::Vec2{pt.x, pt.y}));
        EXPECT_LT(nearest, 1e-9);
      }
      EXPECT_TRUE(Texts(d, Layer::GirderLines).count(Trim(line.description))) << line.description;
    }
    // On the page the stations run to the right and the left side is up.
    const Path* first = PathOf(d, Ref::BentRow, g.bents().front().row);
    const Path* last = PathOf(d, Ref::BentRow, g.bents().back().row);
    const bool upStation = g.bents().back().station > g.bents().front().station;
    EXPECT_EQ(d.page(first->points[0]).x < d.page(last->points[0]).x, upStation);
    const geom::GirderPoint& l = g.girders()[std::size_t(s.left - 1)].points[0];
    const geom::GirderPoint& r = g.girders()[std::size_t(s.right - 1)].points[0];
    ASSERT_LT(l.offset, r.offset);
    EXPECT_GT(d.page({l.x, l.y}).y, d.page({r.x, r.y}).y);
    // A key point lies on the control line at its station, in the geometry's x, y.
    for (const Label& key : d.labels)
      if (key.text.rfind("ST ", 0) == 0) {
        const geom::PointData at = g.At(g.curve().ST, 0);
        bool marked = false;
        for (const Mark& m : d.marks) marked = marked || geom::Length(m.at - geom::Vec2{at.x, at.y}) < 1e-6;
        EXPECT_TRUE(marked);
      }
    EXPECT_TRUE(g.findings().empty());
    EXPECT_TRUE(d.findings.empty());
  }
}

// Findings from one change each to the English sample: the mark stands where it happens.
TEST(PlanDrawing, FindingsAreMarkedWhereTheyHappen) {
  struct Case {
    const char* what;
    std::function<void(Project&)> change;
    std::string tip;
    std::function<geom::Vec2(const ProjectGeometry&)> where;
  };
  auto girderPoint = [](int girder, int bent) {
    return [=](const ProjectGeometry& g) {
      const geom::GirderPoint& p = g.girders()[std::size_t(girder - 1)].points[std::size_t(bent - 1)];
      return geom::Vec2{p.x, p.y};
    };
  };
  const Case cases[] = {
      {"G2 on G1", [](Project& p) { p.GirderLine.rows[1].Text1 = "-12"; },
       "Geometry: (05) GirderLine rows 1 and 2, Text1: the girder lines meet at bent row 1", girderPoint(1, 1)},
      {"PIER 3 before PIER 2", [](Project& p) { p.BentLine.rows[2].Text1 = "50"; },
       "Geometry: (06) BentLine row 3, Text1: its station 126+50.00 does not follow on from 126+85.00 of the bent line "
       "before it (row 2)",
       [](const ProjectGeometry& g) {
         const geom::PointData p = g.AtChainage(g.bentLines()[2].u, 0);
         return geom::Vec2{p.x, p.y};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Project p = test::Read("bridge_english.dat");
    c.change(p);
    const ProjectGeometry g(p);
    const Drawing d = BuildPlan(g);
    ASSERT_FALSE(d.findings.empty());
    EXPECT_EQ(d.findings[0], c.tip);
    const Mark* mark = nullptr;
    for (const Mark& m : d.marks)
      if (m.shape == Shape::Warning && m.ref == Ref{Ref::Finding, 0} && mark == nullptr) mark = &m;
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->tip, c.tip);
    EXPECT_LT(geom::Length(mark->at - c.where(g)), 1e-6);
    // Pointing at it finds it.
    const View v = FitView(d, 1200, 700, kMeasure);
    EXPECT_EQ(HitTest(d, v, v.ToScreen(mark->at)), (Ref{Ref::Finding, 0}));
    EXPECT_EQ(TipAt(d, v, v.ToScreen(mark->at) + geom::Vec2{3, 2}), mark);
  }
}

TEST(DrawingLabels, PlacedLabelsNeverOverlapAndAFirstPlaceWithoutRoomFallsBackOrDrops) {
  for (const char* file : {"bridge_english.dat", "overpass_metric.dat"}) {
    const ProjectGeometry g(test::Read(file));
    for (const Drawing& d : {BuildPlan(g), BuildProfile(g), BuildSection(g, MiddleStation(g))}) {
      SCOPED_TRACE(std::string(file) + " " + d.title);
      const View v = FitView(d, 1000, 560, kMeasure);
      const std::vector<Placed> placed = PlaceLabels(d, v, kMeasure);
      for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j)
          EXPECT_FALSE(Overlap(placed[i], placed[j])) << d.labels[placed[i].label].text << " / " << d.labels[placed[j].label].text;
      // At the first zoom every girder and bent line is named.
      std::set<std::string> shown;
      for (const Placed& p : placed) shown.insert(d.labels[p.label].text);
      for (const Label& l : d.labels)
        if ((l.layer == Layer::GirderLines || l.layer == Layer::BentLines) && !l.text.empty()) {
          EXPECT_TRUE(shown.count(l.text)) << l.text;
        }
    }
  }
  Drawing d;
  d.labels = {{Layer::Axes, "second", {0, 0}, {1, 0}, Align::Middle, Side::Middle, 0, 0, 2, {}},
              {Layer::Axes, "first", {0, 0}, {1, 0}, Align::Middle, Side::Middle, 0, 0, 1, {}},
              {Layer::Axes, "moved", {0, 0}, {1, 0}, Align::Start, Side::Middle, 0, 0, 1, {}},
              {Layer::Axes, "moved", {0, 0}, {0, 1}, Align::Start, Side::Middle, 20, 0, 1, {}, true}};
  View v = ScreenView(400, 400);
  v.page = {};
  v.centre = {0, 0};
  std::vector<std::string> out;
  for (const Placed& p : PlaceLabels(d, v, kMeasure)) out.push_back(d.labels[p.label].text + std::to_string(p.label));
  EXPECT_EQ(out, (std::vector<std::string>{"first1", "moved3"}));
}

TEST(DrawingView, ZoomKeepsThePointUnderThePointerAndPanMovesByThePixels) {
  View v;
  v.page = {0.6, 0.8, -0.8, 0.6};  // a turn
  v.scale = 3, v.centre = {10, -4}, v.width = 800, v.height = 500;
  const geom::Vec2 pointer{123, 321};
  const geom::Vec2 under = v.ToDrawing(pointer);
  const View z = v.ZoomedAt(pointer, 1.25);
  EXPECT_LT(geom::Length(z.ToScreen(under) - pointer), 1e-9);
  EXPECT_DOUBLE_EQ(z.scale, 3.75);
  const View p = v.Panned({30, -12});
  EXPECT_LT(geom::Length(p.ToScreen(under) - (pointer + geom::Vec2{30, -12})), 1e-9);
}

TEST(ProfileAndSection, KeyPointsOfTheProfileAndGirderElevationsOfTheSection) {
  const ProjectGeometry g(test::Read("bridge_english.dat"));
  const Drawing profile = BuildProfile(g);
  const std::set<std::string> keys = Texts(profile, Layer::KeyPoints);
  for (const char* k : {"PVC 125+00.00", "EL 509.840", "PVI 127+00.00", "EL 512.340", "PVT 129+00.00", "EL 513.567",
                        "High point 131+30.19", "EL 514.579", "PVT 133+00.00", "EL 513.900"})
    EXPECT_TRUE(keys.count(k)) << k;
  EXPECT_EQ(profile.exaggeration, 20);
  EXPECT_TRUE(Texts(profile, Layer::Axes).count("Elevation (ft, vertical scale 20 times)"));
  EXPECT_EQ(Texts(profile, Layer::BentLines), (std::set<std::string>{"ABUT 1", "PIER 2", "PIER 3", "ABUT 4"}));
  // A section through a girder point gives that point's elevation (G1 parallel, G3 segmented).
  for (const auto& [girder, bent] : {std::pair{1, 1}, {3, 2}, {1, 3}}) {
    const geom::GirderLineData& line = g.girders()[std::size_t(girder - 1)];
    const geom::GirderPoint& pt = line.points[std::size_t(bent - 1)];
    const Drawing s = BuildSection(g, pt.station);
    bool found = false;
    for (const Mark& m : s.marks)
      if (m.ref == Ref{Ref::GirderRow, girder}) {
        found = true;
        EXPECT_NEAR(m.at.x, pt.offset, 1e-6);
        EXPECT_NEAR(m.at.y, pt.elevation, 1e-6);
      }
    EXPECT_TRUE(found) << girder << " " << bent;
  }
  // Bent lines that run down the stations (the metric sample's): the same.
  const ProjectGeometry m(test::Read("overpass_metric.dat"));
  for (const auto& [girder, bent] : {std::pair{1, 2}, {3, 2}, {2, 3}}) {
    const geom::GirderPoint& pt = m.girders()[std::size_t(girder - 1)].points[std::size_t(bent - 1)];
    bool found = false;
    for (const Mark& mk : BuildSection(m, pt.station).marks)
      if (mk.ref == Ref{Ref::GirderRow, girder}) {
        found = true;
        EXPECT_NEAR(mk.at.x, pt.offset, 1e-6);
        EXPECT_NEAR(mk.at.y, pt.elevation, 1e-6);
      }
    EXPECT_TRUE(found) << "metric " << girder << " " << bent;
  }
  // Past the last bent no girder line reaches: the deck alone.
  for (const Mark& mk : BuildSection(g, 13000).marks) EXPECT_NE(mk.ref.kind, Ref::GirderRow);
  // Full superelevation past the spiral: one plane falling 4% to the right.
  const Drawing full = BuildSection(g, 12550);
  EXPECT_TRUE(Texts(full, Layer::Deck).count("Left rises 4.00% outward"));
  EXPECT_TRUE(Texts(full, Layer::Deck).count("Right falls 4.00% outward"));
}

TEST(DrawingFiles, DxfHasALayerPerKindOfLineAndTheGeometrysCoordinatesAndSvgIsWellFormed) {
  const ProjectGeometry g(test::Read("bridge_english.dat"));
  const Drawing d = BuildPlan(g);
  const std::string dxf = WriteDxf(d);
  std::vector<std::string> lines;
  std::istringstream in(dxf);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size() % 2, 0u);
  EXPECT_EQ(lines[lines.size() - 2] + lines.back(), "  0EOF");
  std::set<std::string> layers;
  for (std::size_t i = 0; i + 3 < lines.size(); i += 2)
    if (lines[i + 1] == "LAYER" && lines[i + 2] == "  2") layers.insert(lines[i + 3]);
  EXPECT_EQ(layers, (std::set<std::string>{"STATIONS", "TANGENTS", "CONTROL_LINE", "LAYOUT_LINE", "REFERENCE_LINE",
                                           "BENT_LINES", "GIRDER_LINES", "KEY_POINTS"}));
  // G3 at the second bent, as kelvara geometry lists it, is a vertex of the girder lines.
  EXPECT_NE(dxf.find("  8\nGIRDER_LINES\n 10\n5013.102270\n 20\n2083.979178\n"), std::string::npos);
  EXPECT_NE(dxf.find("  1\nG5 EXTERIOR FLARED\n"), std::string::npos);

  const std::string svg = WriteSvg(d, FitView(d, kExportWidth, kExportHeight, kMeasure));
  // Every element closed in order.
  std::vector<std::string> open;
  const std::regex tag("<(/?)([a-z]+)[^>]*?(/?)>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tag); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m[1] == "/") {
      ASSERT_FALSE(open.empty());
      EXPECT_EQ(open.back(), m[2]);
      open.pop_back();
    } else if (m[3] != "/") {
      open.push_back(m[2]);
    }
  }
  EXPECT_TRUE(open.empty());
  for (const char* part : {"<g id=\"GIRDER_LINES\"", "<g id=\"BENT_LINES_TEXT\"", ">G1 EXTERIOR LEFT</text>", ">N</text>",
                           ">50 ft</text>"})
    EXPECT_NE(svg.find(part), std::string::npos) << part;
}

TEST(DrawingTexts, StationsAsTheViewsLabelThem) {
  const ProjectGeometry english(test::Read("bridge_english.dat")), metric(test::Read("overpass_metric.dat"));
  const struct {
    const ProjectGeometry& g;
    double station;
    bool whole;
    const char* text;
  } cases[] = {{english, 12600, true, "126+00"},  {english, 12685, false, "126+85.00"}, {english, 5, true, "0+05"},
               {english, -100, true, "-1+00"},   {metric, 3380, true, "3+380"},        {metric, 20, true, "0+020"},
               {metric, 3357.1185, false, "3+357.119"}, {metric, -20, true, "-0+020"}};
  for (const auto& c : cases) EXPECT_EQ(StationLabel(c.g, c.station, c.whole), c.text) << c.station;
}

// What the first view shows: the structure whole, with room for its names; the SVG
// holds exactly the labels the screen places, in the same places.
TEST(DrawingView, TheFirstViewHoldsTheStructureAndTheSvgTheScreensLabels) {
  for (const char* file : {"bridge_english.dat", "overpass_metric.dat"}) {
    const ProjectGeometry g(test::Read(file));
    for (const Drawing& d : {BuildPlan(g), BuildProfile(g), BuildSection(g, MiddleStation(g))}) {
      SCOPED_TRACE(std::string(file) + " " + d.title);
      const View v = FitView(d, 1000, 560, kMeasure);
      for (const Path& p : d.paths) {
        if (p.layer != Layer::GirderLines && p.layer != Layer::BentLines) continue;
        for (geom::Vec2 q : p.points) {
          const geom::Vec2 s = v.ToScreen(q);
          EXPECT_TRUE(s.x > 0 && s.y > 0 && s.x < 1000 && s.y < 560) << s.x << " " << s.y;
        }
      }
      const std::vector<Placed> placed = PlaceLabels(d, v, kMeasure, true, PlaceLabels(Overlay(d, v), ScreenView(1000, 560), kMeasure, false));
      const std::string svg = WriteSvg(d, v, kMeasure);
      for (const Placed& p : placed) {
        char at[64];
        std::snprintf(at, sizeof at, "translate(%.2f,%.2f)", p.origin.x, p.origin.y);
        EXPECT_NE(svg.find(at), std::string::npos) << d.labels[p.label].text;
      }
      std::size_t texts = 0;
      for (std::size_t i = svg.find("<text"); i != std::string::npos; i = svg.find("<text", i + 1)) ++texts;
      std::size_t warnings = 0;
      for (const Mark& m : d.marks) warnings += m.shape == Shape::Warning;
      EXPECT_EQ(texts, placed.size() + PlaceLabels(Overlay(d, v), ScreenView(1000, 560), kMeasure, false).size() + warnings);
    }
  }
}

TEST(ProfileAndSection, TheCutStandsAtTheSectionsStationAndAProjectWithoutProfileSaysSo) {
  const ProjectGeometry g(test::Read("bridge_english.dat"));
  Drawing profile = BuildProfile(g);
  AddProfileCut(profile, g, 12743.12);
  const Path& cut = profile.paths.back();
  EXPECT_EQ(cut.layer, Layer::Cut);
  EXPECT_DOUBLE_EQ(cut.points[0].x, 12743.12);
  EXPECT_EQ(ProfileStation(g, cut.points[0]).value(), 12743.12);
  Drawing plan = BuildPlan(g);
  AddPlanCut(plan, g, 12743.12);
  const Path& across = plan.paths.back();
  EXPECT_NEAR(PlanStation(g, across.points[0]).value(), 12743.12, 1e-6);
  EXPECT_NEAR(PlanStation(g, across.points[1]).value(), 12743.12, 1e-6);
  EXPECT_TRUE(Texts(plan, Layer::Cut).count("Section 127+43.12"));

  Project p = test::Read("bridge_english.dat");
  p.Vertical.PISta1 = p.Vertical.PISta2 = "";
  const ProjectGeometry none(p);
  EXPECT_EQ(BuildProfile(none).title, "Profile: no PI station, so no profile grade");
  EXPECT_TRUE(BuildProfile(none).paths.empty());
  EXPECT_EQ(BuildSection(none, 12700).title, "Section at 127+00.00, looking up-station: no profile grade, so no elevations");
}

}  // namespace
}  // namespace kv::draw
