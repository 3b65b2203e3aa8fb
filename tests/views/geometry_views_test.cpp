// The plan, profile and section views beside the editors: typing moves and turns the
// lines, a click on a line leads to its row, findings are marked and listed, a click
// elsewhere takes the section there, and the views print and save.
#include "views/geometry_views.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "app/control_grid.h"
#include "drawing/project_drawings.h"
#include "geometry/project_geometry.h"
#include "tests/app/shell_fakes.h"
#include "views/drawing_canvas.h"
#include "views/drawing_window.h"

namespace kv {
namespace {

using geom::Vec2;
using testing::RealShell;

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct ViewsShell : RealShell {
  ViewsShell() {
    window->resize(900, 700);
    window->show();
    window->OpenFile(KV_TEST_DATA "/bridge_english.dat");
    Action("mnuViewPlan")->trigger();
    Settle();
    plan = window->views().Plan();
    plan->resize(1000, 640);
    Settle();
  }
  ControlGrid* Grid(Form f) {
    window->OpenEditor(f);
    return Editor(f)->findChild<ControlGrid*>();
  }
  // Replaces a cell's text as a user does: select all, type.
  void Type(Form f, int row, const char* column, const QString& text) {
    ControlGrid* grid = Grid(f);
    QWidget* cell = grid->Cell(row, grid->ColumnIndex(column));
    cell->activateWindow();
    cell->setFocus();
    QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(cell, text);
    Settle();
  }
  const draw::Path& PathOf(draw::Ref::Kind kind, int row, draw::Layer layer) const {
    for (const draw::Path& p : plan->drawing()->paths)
      if (p.ref.kind == kind && p.ref.index == row && p.layer == layer) return p;
    throw std::runtime_error("no path");
  }
  QPoint OnScreen(Vec2 at) const { return plan->Canvas->ScreenPoint(at).toPoint(); }
  // Whether the canvas shows the colour of a layer within a pixel or two of a point: a
  // line between two pixels is drawn anti-aliased in both, half its colour on the white.
  bool Shows(QPoint at, draw::Layer layer) const {
    const QImage image = plan->Canvas->grab().toImage();
    const draw::LayerStyle& s = draw::StyleOf(layer);
    const double line[3] = {double(s.r), double(s.g), double(s.b)};
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy) {
        const QColor c = image.pixelColor(at + QPoint(dx, dy));
        const double pixel[3] = {double(c.red()), double(c.green()), double(c.blue())};
        // The pixel as white mixed with the line's colour: how much of the line, and how far off that mix.
        double num = 0, den = 0;
        for (int k = 0; k < 3; ++k) num += (255 - pixel[k]) * (255 - line[k]), den += (255 - line[k]) * (255 - line[k]);
        const double share = den > 0 ? num / den : 0;
        double off = 0;
        for (int k = 0; k < 3; ++k) off += std::abs(255 - share * (255 - line[k]) - pixel[k]);
        if (share >= 0.4 && off < 40) return true;
      }
    return false;
  }
  DrawingWindow* plan = nullptr;
};

Vec2 Mid(const draw::Path& p, std::size_t i) { return 0.5 * (p.points[i] + p.points[i + 1]); }

TEST(GeometryViews, EachViewComesAndGoesWithItsMenuEntryAndFollowsFileOpen) {
  ViewsShell s;
  for (const char* entry : {"mnuViewPlan", "mnuViewProfile", "mnuViewSection"}) {
    if (!s.Action(entry)->isChecked()) s.Action(entry)->trigger();
    Settle();
  }
  GeometryViews& v = s.window->views();
  for (DrawingWindow* w : {v.Plan(), v.Profile(), v.Section()}) ASSERT_TRUE(w && w->isVisible() && w->drawing());
  EXPECT_EQ(v.Profile()->drawing()->title, "Profile grade");
  EXPECT_EQ(v.Section()->drawing()->title, "Section at 127+43.12, looking up-station");  // the middle of the bents
  v.Section()->close();
  EXPECT_FALSE(s.Action("mnuViewSection")->isChecked());
  s.window->OpenFile(KV_TEST_DATA "/overpass_metric.dat");
  Settle();
  EXPECT_EQ(v.Plan()->drawing()->paths.size(), draw::BuildPlan(geom::ProjectGeometry(s.window->project())).paths.size());
  EXPECT_EQ(s.window->views().Findings()->count(), 0);
  EXPECT_EQ(v.Plan()->findChild<QLabel*>("lblFindings")->text(), "No geometry findings.");
}

TEST(GeometryViews, TypingAGirderOffsetMovesItsLineAndTheStatusLineTellsTheNewOffset) {
  ViewsShell s;
  const draw::Path before = s.PathOf(draw::Ref::GirderRow, 3, draw::Layer::GirderLines);  // G3, segmented at 0
  s.Type(Form::Gird, 2, "Text1", "4");
  const draw::Path& after = s.PathOf(draw::Ref::GirderRow, 3, draw::Layer::GirderLines);
  ASSERT_EQ(after.points.size(), before.points.size());
  // Square from the control line: 4 ft right, along the skewed bents a little more.
  for (std::size_t i = 0; i < after.points.size(); ++i) {
    const double moved = geom::Length(after.points[i] - before.points[i]);
    EXPECT_GT(moved, 4.0);
    EXPECT_LT(moved, 4.5);
  }
  const QPoint now = s.OnScreen(Mid(after, 1)), then = s.OnScreen(Mid(before, 1));
  EXPECT_TRUE(s.Shows(now, draw::Layer::GirderLines));
  EXPECT_FALSE(s.Shows(then, draw::Layer::GirderLines));
  // The pointer on its point at the second bent.
  const QPointF on = s.OnScreen(after.points[1]);
  QMouseEvent move(QEvent::MouseMove, on, s.plan->Canvas->mapToGlobal(on), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(s.plan->Canvas, &move);
  EXPECT_TRUE(s.plan->lblStatus->text().startsWith("Click to edit girder line row 3. G3 CENTER SEGMENTED at PIER 2: station "))
      << s.plan->lblStatus->text().toStdString();
  EXPECT_TRUE(s.plan->lblStatus->text().contains(", 4.00 ft right; x ")) << s.plan->lblStatus->text().toStdString();
}

TEST(GeometryViews, TypingABentSkewTurnsIt) {
  ViewsShell s;
  const draw::Path before = s.PathOf(draw::Ref::BentRow, 4, draw::Layer::BentLines);  // 12 30' 15.5" from the radial
  s.Type(Form::Bent, 3, "Text2", "20");
  const draw::Path& after = s.PathOf(draw::Ref::BentRow, 4, draw::Layer::BentLines);
  auto angle = [](const draw::Path& p) {
    const Vec2 d = p.points.back() - p.points.front();
    return geom::Degrees(std::atan2(d.x, d.y));
  };
  EXPECT_NEAR(std::abs(angle(after) - angle(before)), 20 - (12 + 30 / 60.0 + 15.5 / 3600), 1e-6);
}

TEST(GeometryViews, ClickingALineBringsItsEditorWithTheRowsFirstCellFocused) {
  ViewsShell s;
  // G4 between the second and third bents, where no other line passes.
  const draw::Path& g4 = s.PathOf(draw::Ref::GirderRow, 4, draw::Layer::GirderLines);
  QTest::mouseClick(s.plan->Canvas, Qt::LeftButton, {}, s.OnScreen(Mid(g4, g4.points.size() / 2)));
  Settle();
  EditorWindow* girders = s.Editor(Form::Gird);
  ASSERT_TRUE(girders && girders->isVisible() && s.Action("mnuFormGird")->isChecked());
  ControlGrid* grid = girders->findChild<ControlGrid*>();
  EXPECT_EQ(girders->focusWidget(), grid->Cell(3, 0));
  // PIER 3 past the outer girder line on the left.
  const draw::Path& pier = s.PathOf(draw::Ref::BentRow, 3, draw::Layer::BentLines);
  QTest::mouseClick(s.plan->Canvas, Qt::LeftButton, {}, s.OnScreen(0.97 * pier.points[0] + 0.03 * pier.points[1]));
  Settle();
  EditorWindow* bents = s.Editor(Form::Bent);
  ASSERT_TRUE(bents && bents->isVisible());
  EXPECT_EQ(bents->focusWidget(), bents->findChild<ControlGrid*>()->Cell(2, 0));
  EXPECT_TRUE(s.window->views().Section() == nullptr);  // a line is no place for a section
}

TEST(GeometryViews, CrossingGirderLinesAreMarkedListedAndLeadToTheirRows) {
  ViewsShell s;
  s.Type(Form::Gird, 4, "Text2", "-3");  // G5 flares to 3 ft left of the control line at the last bent
  const QStringList expected = {
      "Geometry: (05) GirderLine rows 4 and 5, Text1: the girder lines cross between bent rows 2 and 3",
      "Geometry: (05) GirderLine rows 3 and 5, Text1: the girder lines cross between bent rows 3 and 4"};
  QListWidget* list = s.window->views().Findings();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(QStringList({list->item(0)->text(), list->item(1)->text()}), expected);
  EXPECT_EQ(s.plan->findChild<QLabel*>("lblFindings")->text(), "2 geometry findings, marked in red:");
  std::vector<const draw::Mark*> marks;
  for (const draw::Mark& m : s.plan->drawing()->marks)
    if (m.shape == draw::Shape::Warning) marks.push_back(&m);
  ASSERT_EQ(marks.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(QString::fromStdString(marks[i]->tip), expected[i]);
    // Where the two lines cross: on G5's chord between the bents the finding names.
    const draw::Path& g5 = s.PathOf(draw::Ref::GirderRow, 5, draw::Layer::GirderLines);
    const Vec2 a = g5.points[std::size_t(i) + 1], b = g5.points[std::size_t(i) + 2], p = marks[i]->at;
    EXPECT_GT(geom::Dot(p - a, b - a), 0);
    EXPECT_LT(geom::Dot(p - b, a - b) , geom::Dot(b - a, b - a));
    EXPECT_NEAR(geom::Cross(b - a, p - a) / geom::Length(b - a), 0, 1e-6);
    EXPECT_TRUE(s.Shows(s.OnScreen(p), draw::Layer::Findings));
  }
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  Settle();
  EXPECT_EQ(s.Editor(Form::Gird)->focusWidget(), s.Grid(Form::Gird)->Cell(2, s.Grid(Form::Gird)->ColumnIndex("Text1")));
  s.Type(Form::Gird, 4, "Text2", "14.5");
  EXPECT_EQ(list->count(), 0);
  for (const draw::Mark& m : s.plan->drawing()->marks) EXPECT_NE(m.shape, draw::Shape::Warning);
}

TEST(GeometryViews, AClickBesideTheLinesTakesTheSectionThereAndTheSectionShowsTheGirdersElevations) {
  ViewsShell s;
  // Between G2 and G3 (on the control line), halfway between the first two bents' crossings.
  const geom::ProjectGeometry g(s.window->project());
  const double u = 0.5 * (g.bentLines()[0].u + g.bentLines()[1].u);
  const geom::PointData on = g.AtChainage(u, -3.1);
  QTest::mouseClick(s.plan->Canvas, Qt::LeftButton, {}, s.OnScreen({on.x, on.y}));
  Settle();
  DrawingWindow* section = s.window->views().Section();
  ASSERT_TRUE(section && section->isVisible() && s.Action("mnuViewSection")->isChecked());
  // Where the click fell, to the pixel.
  const QString station = section->findChild<QLineEdit*>("txtStation")->text();
  EXPECT_NEAR(QString(station).remove('+').toDouble(), on.station, 1 / s.plan->Canvas->view().scale);
  EXPECT_EQ(QString::fromStdString(section->drawing()->title), "Section at " + station + ", looking up-station");
  int girders = 0;
  for (const draw::Mark& m : section->drawing()->marks) girders += m.ref.kind == draw::Ref::GirderRow;
  EXPECT_EQ(girders, 5);
  // Typed: the station of G3 at the second bent, where the section meets its point.
  QLineEdit* box = section->findChild<QLineEdit*>("txtStation");
  box->selectAll();
  QTest::keyClicks(box, "126+85");
  QTest::keyClick(box, Qt::Key_Return);
  Settle();
  bool found = false;
  for (const draw::Label& l : section->drawing()->labels) found = found || l.text == "G3 CENTER SEGMENTED  511.620";
  EXPECT_TRUE(found);
  // The cut stands in the plan where the section is.
  bool cut = false;
  for (const draw::Label& l : s.plan->drawing()->labels) cut = cut || l.text == "Section 126+85.00";
  EXPECT_TRUE(cut);
}

TEST(GeometryViews, ViewsPrintAndSaveWhatTheyShowAndFilePrintStillPrintsTheListing) {
  ViewsShell s;
  s.plan->Print();
  ASSERT_EQ(s.printer.pictures.size(), 1u);
  const QImage& page = s.printer.pictures[0];
  int inked = 0;
  for (int y = 0; y < page.height(); y += 4)
    for (int x = 0; x < page.width(); x += 4) inked += page.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_GT(inked, 200);
  EXPECT_TRUE(s.printer.jobs.isEmpty());
  s.Action("mnuFilePrint")->trigger();
  EXPECT_EQ(s.printer.jobs.size(), 1);
  EXPECT_EQ(s.printer.pictures.size(), 1u);

  for (const char* name : {"plan.svg", "plan.png", "plan.dxf"}) {
    s.dialogs.answers = {s.Path(name)};
    QTest::mouseClick(s.plan->cmdSave, Qt::LeftButton);
    const std::string bytes = testing::Slurp(s.Path(name));
    EXPECT_EQ(bytes, s.plan->FileBytes(name)) << name;
    EXPECT_EQ(s.dialogs.calls.back()[2], "SVG drawing (*.svg)|*.svg|PNG image (*.png)|*.png|DXF drawing (*.dxf)|*.dxf");
  }
  EXPECT_EQ(testing::Slurp(s.Path("plan.svg")).rfind("<?xml", 0), 0u);
  QImage png;
  ASSERT_TRUE(png.load(s.Path("plan.png")));
  EXPECT_EQ(png.size(), s.plan->Canvas->size() * 2);
  EXPECT_NE(testing::Slurp(s.Path("plan.dxf")).find("GIRDER_LINES"), std::string::npos);
}

TEST(GeometryViews, WheelZoomsAboutThePointerDragPansAndFFits) {
  ViewsShell s;
  DrawingCanvas* c = s.plan->Canvas;
  const draw::View first = c->view();
  const QPointF at(300, 200);
  const Vec2 under = first.ToDrawing({at.x(), at.y()});
  QWheelEvent wheel(at, c->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(c, &wheel);
  EXPECT_NEAR(c->view().scale, first.scale * 1.25 * 1.25, 1e-9);
  EXPECT_LT(geom::Length(c->view().ToScreen(under) - Vec2{at.x(), at.y()}), 1e-6);
  // A drag moves the drawing with the pointer and opens nothing.
  QTest::mousePress(c, Qt::LeftButton, {}, QPoint(300, 200));
  for (int x : {310, 330, 350}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 220), c->mapToGlobal(QPointF(x, 220)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(c, &move);
  }
  QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(350, 220));
  EXPECT_LT(geom::Length(c->view().ToScreen(under) - Vec2{350, 220}), 1e-6);
  EXPECT_EQ(s.window->views().Section(), nullptr);
  EXPECT_EQ(s.Editor(Form::Gird), nullptr);
  // An edit keeps the place; F brings the first view back.
  s.Type(Form::Gird, 0, "Text1", "-13");
  EXPECT_LT(geom::Length(c->view().ToScreen(under) - Vec2{350, 220}), 1e-6);
  QTest::keyClick(c, Qt::Key_F);
  EXPECT_DOUBLE_EQ(c->view().scale, draw::FitView(*c->drawing(), c->width(), c->height(),
                                                  QtMeasure(LabelFont(c->font()))).scale);
}

TEST(GeometryViews, TheProfileFollowsTheVerticalEditorAndAFindingsMarkTellsItself) {
  ViewsShell s;
  s.Action("mnuViewProfile")->trigger();
  Settle();
  DrawingWindow* profile = s.window->views().Profile();
  auto keyTexts = [&] {
    QStringList out;
    for (const draw::Label& l : profile->drawing()->labels)
      if (l.layer == draw::Layer::KeyPoints && !l.alternative) out << QString::fromStdString(l.text);
    return out;
  };
  EXPECT_TRUE(keyTexts().contains("PVI 127+00.00"));
  s.window->OpenEditor(Form::Vert);
  auto* pi = s.Editor(Form::Vert)->findChild<QLineEdit*>("PISta1");
  pi->setFocus();
  pi->selectAll();
  QTest::keyClicks(pi, "127+20");
  Settle();
  EXPECT_TRUE(keyTexts().contains("PVI 127+20.00") && !keyTexts().contains("PVI 127+00.00")) << keyTexts().join(", ").toStdString();
  // Overlapping curves: marked at the PVI of the first, its text on the mark.
  auto* in2 = s.Editor(Form::Vert)->findChild<QLineEdit*>("InLength2");
  in2->setFocus();
  in2->selectAll();
  QTest::keyClicks(in2, "400");
  Settle();
  const draw::Mark* mark = nullptr;
  for (const draw::Mark& m : profile->drawing()->marks)
    if (m.shape == draw::Shape::Warning) mark = &m;
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->tip, "Geometry: (02) Vertical, OutLength1, InLength2: vertical curve 1 ends at 129+20.00, after "
                       "vertical curve 2 begins at 127+50.00");
  const QPoint on = profile->Canvas->ScreenPoint(mark->at).toPoint();
  QHelpEvent help(QEvent::ToolTip, on, profile->Canvas->mapToGlobal(on));
  QApplication::sendEvent(profile->Canvas, &help);
  EXPECT_EQ(QToolTip::text().toStdString(), mark->tip);
}

TEST(GeometryViews, ASaveThatFailsSaysWhereAndWhy) {
  ViewsShell s;
  s.dialogs.answers = {s.Path("no/such/folder/plan.svg")};
  s.plan->SaveAs();
  ASSERT_EQ(s.messages.texts.size(), 1);
  EXPECT_TRUE(s.messages.texts[0].startsWith("The plan could not be saved to " + s.Path("no/such/folder/plan.svg") +
                                             ": No such file or directory"))
      << s.messages.texts[0].toStdString();
}

}  // namespace
}  // namespace kv
