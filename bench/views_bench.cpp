// What one edit costs the plan, profile and section views on the largest project the
// tables hold (119 girder lines by 119 bent lines), against the English sample in the
// same run: the geometry alone, each drawing built and painted anti-aliased at its
// window's size, and the real thing: the main window with the three views open, an
// edit of a girder offset, the views' update and each canvas painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "app/frm_main.h"
#include "bench/largest_project.h"
#include "bench/qt_bench_main.h"
#include "drawing/project_drawings.h"
#include "views/drawing_canvas.h"
#include "views/drawing_window.h"
#include "views/geometry_views.h"

namespace {

using kv::bench::LargestProjectFile;

// Argument 0: the English sample; 1: the largest project.
kv::Project ProjectOf(int which) {
  kv::Project p;
  if (which == 0) {
    kv::ReadInputFile(KV_SAMPLE, p, {});
  } else {
    kv::ReadInputText(LargestProjectFile(), p, {});
  }
  return p;
}

void Name(benchmark::State& state) { state.SetLabel(state.range(0) == 0 ? "English sample" : "119 x 119"); }

// The baseline: what every redraw needs first.
void BM_Redraw_GeometryOnly(benchmark::State& state) {
  const kv::Project p = ProjectOf(int(state.range(0)));
  for (auto _ : state) {
    const kv::geom::ProjectGeometry g(p);
    benchmark::DoNotOptimize(g.girders().size());
  }
  Name(state);
}
BENCHMARK(BM_Redraw_GeometryOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

enum Kind { kPlan, kProfile, kSection };

kv::draw::Drawing Build(const kv::geom::ProjectGeometry& g, int kind) {
  switch (kind) {
    case kPlan: return kv::draw::BuildPlan(g);
    case kProfile: return kv::draw::BuildProfile(g);
    default: return kv::draw::BuildSection(g, kv::draw::MiddleStation(g));
  }
}

// Geometry, drawing and an anti-aliased paint at the window's first zoom (the view is
// kept from edit to edit, so it is fitted once).
void BM_Redraw_Paint(benchmark::State& state) {
  const kv::Project p = ProjectOf(int(state.range(0)));
  const int kind = int(state.range(1));
  QImage image(1000, 560, QImage::Format_ARGB32_Premultiplied);
  const QFont font = kv::LabelFont(QApplication::font());
  kv::draw::View view;
  {
    const kv::geom::ProjectGeometry g(p);
    view = kv::draw::FitView(Build(g, kind), image.width(), image.height(), kv::QtMeasure(font));
  }
  for (auto _ : state) {
    const kv::geom::ProjectGeometry g(p);
    const kv::draw::Drawing d = Build(g, kind);
    QPainter painter(&image);
    kv::PaintDrawing(painter, d, view, font);
  }
  state.SetLabel(std::string(state.range(0) == 0 ? "English sample, " : "119 x 119, ") +
                 (kind == kPlan ? "plan" : kind == kProfile ? "profile" : "section"));
}
BENCHMARK(BM_Redraw_Paint)
    ->ArgsProduct({{0, 1}, {kPlan, kProfile, kSection}})
    ->Unit(benchmark::kMillisecond);

// The program itself: the three views open on the file, a girder offset typed into the
// project, the views told, and every canvas painted before the next edit.
void BM_Redraw_LiveThreeViews(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("project.dat"));
  {
    std::ofstream out(file.toStdString(), std::ios::binary);
    if (state.range(0) == 0) {
      std::ifstream in(KV_SAMPLE, std::ios::binary);
      out << in.rdbuf();
    } else {
      out << LargestProjectFile();
    }
  }
  QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  kv::Platform platform;
  platform.settings = &settings;
  kv::frmMain window(platform);
  window.show();
  window.OpenFile(file);
  kv::GeometryViews& views = window.views();
  views.ShowPlan(true);
  views.ShowProfile(true);
  views.ShowSection(true);
  QCoreApplication::processEvents();
  kv::GirderRow& row = window.project().GirderLine.rows[1];
  const std::string was = row.Text1;
  int i = 0;
  for (auto _ : state) {
    row.Text1 = (++i % 2) ? was + "1" : was;
    views.Schedule();
    views.Update();
    for (kv::DrawingWindow* w : {views.Plan(), views.Profile(), views.Section()}) w->Canvas->repaint();
  }
  Name(state);
}
BENCHMARK(BM_Redraw_LiveThreeViews)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
