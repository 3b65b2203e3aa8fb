// How long the main window takes from construction to its first paint, beside a bare
// main window with a multiple-document area, the same menus and a status bar; and File
// Open of the largest file the grids hold with every editor created and hidden.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "app/editor_registry.h"
#include "app/editor_window.h"
#include "app/frm_main.h"
#include "bare_window.h"
#include "bench/largest_project.h"
#include "bench/qt_bench_main.h"
#include "inputfile/input_file.h"

namespace {

// The largest file the grids hold, as a file.
const std::string& LargestFile() {
  static const std::string path = kv::bench::FullTablesFileAt("kv-startup-bench-largest.dat");
  return path;
}

// Watches the whole application for the first paint of a widget of one window.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~FirstPaint() override { qApp->removeEventFilter(this); }
  bool painted = false;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType() &&
        static_cast<QWidget*>(o)->window() == window_) {
      painted = true;
    }
    return false;
  }

 private:
  QWidget* window_;
};

// Shows the window and runs the event loop until the frame that holds its first paint
// has been handled.
bool ShowUntilPainted(QWidget* w) {
  FirstPaint probe(w);
  w->show();
  QElapsedTimer guard;
  guard.start();
  while (!probe.painted && guard.elapsed() < 5000) QCoreApplication::processEvents();
  return probe.painted;
}

void Drain() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

class NoDialogs : public kv::FileDialogs {
 public:
  QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return answer;
  }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString NewFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString answer;
};

struct Store {
  QTemporaryDir dir;
  QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
};

void BM_MainWindowFirstPaint(benchmark::State& state) {
  Store store;
  kv::Platform platform;
  platform.settings = &store.settings;
  for (auto _ : state) {
    auto w = std::make_unique<kv::frmMain>(platform);
    if (!ShowUntilPainted(w.get())) state.SkipWithError("no paint");
    state.PauseTiming();
    w.reset();
    Drain();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindowFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BareWindowFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    auto w = BareWindow(state.range(0) != 0);
    if (!ShowUntilPainted(w.get())) state.SkipWithError("no paint");
    state.PauseTiming();
    w.reset();
    Drain();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BareWindowFirstPaint)->ArgName("listing")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FileOpenLargest(benchmark::State& state) {
  Store store;
  NoDialogs dialogs;
  dialogs.answer = QString::fromStdString(LargestFile());
  kv::Platform platform;
  platform.settings = &store.settings;
  platform.dialogs = &dialogs;
  kv::frmMain w(platform);
  w.show();
  int editors = 0;
  for (int i = 0; i < kv::kFormCount; ++i) {
    if (w.editors().Ensure(static_cast<kv::Form>(i)) != nullptr) ++editors;
  }
  for (auto _ : state) w.mnuFileOpen_Click();
  state.counters["editors"] = editors;
  state.counters["girders"] = static_cast<double>(w.project().GirderLine.rows.size());
}
BENCHMARK(BM_FileOpenLargest)->Unit(benchmark::kMillisecond);

// The rows of the grid a window shows (the overrides in the cross-slope window).
std::size_t GridRows(const kv::Project& p, kv::Form form) {
  switch (form) {
    case kv::Form::Gird: return p.GirderLine.rows.size();
    case kv::Form::Bent: return p.BentLine.rows.size();
    case kv::Form::Dead: return p.DeadLoad.rows.size();
    default: return p.CrossTrans.rows.size();
  }
}

// The factory of the form's window; none, and the benchmark skipped, when this build has no
// such window.
kv::EditorFactory FactoryOf(benchmark::State& state, kv::Form form) {
  const kv::EditorFactory make = kv::DefaultEditorFactories()[static_cast<int>(form)];
  if (!make) state.SkipWithError("no window for this form in this build");
  return make;
}

// A grid window made from a project that holds its largest table (table:1) or the rows
// a new project has (table:0), from construction to the first paint.
void BM_GridWindowFirstPaint(benchmark::State& state) {
  const auto form = static_cast<kv::Form>(state.range(0));
  const kv::EditorFactory make = FactoryOf(state, form);
  if (!make) return;
  kv::Project project;
  if (state.range(1) != 0) kv::ReadInputFile(LargestFile(), project, {});
  for (auto _ : state) {
    std::unique_ptr<kv::EditorWindow> w(make(project));
    if (!ShowUntilPainted(w.get())) state.SkipWithError("no paint");
    state.PauseTiming();
    w.reset();
    Drain();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(GridRows(project, form));
}
void GridForms(benchmark::internal::Benchmark* b) {
  b->ArgNames({"form", "largest"});
  for (kv::Form f : {kv::Form::Gird, kv::Form::Bent, kv::Form::Dead, kv::Form::Cross})
    for (int largest : {0, 1}) b->Args({static_cast<int>(f), largest});
}
BENCHMARK(BM_GridWindowFirstPaint)->Apply(GridForms)->Unit(benchmark::kMillisecond)->UseRealTime();

// A shown grid window holding its largest table, scrolled one LargeChange down and back
// from the middle, each step to its paint.
void BM_GridScrollPage(benchmark::State& state) {
  const auto form = static_cast<kv::Form>(state.range(0));
  kv::Project project;
  kv::ReadInputFile(LargestFile(), project, {});
  std::unique_ptr<kv::EditorWindow> w(kv::DefaultEditorFactories()[static_cast<int>(form)](project));
  ShowUntilPainted(w.get());
  auto* bar = w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
  const int middle = bar->maximum() / 2;
  bar->setValue(middle);
  Drain();
  bool down = true;
  for (auto _ : state) {
    FirstPaint probe(w.get());
    bar->setValue(down ? middle + bar->pageStep() : middle);
    down = !down;
    QElapsedTimer guard;
    guard.start();
    while (!probe.painted && guard.elapsed() < 5000) QCoreApplication::processEvents();
  }
  state.counters["rows"] = static_cast<double>(GridRows(project, form));
}
BENCHMARK(BM_GridScrollPage)
    ->ArgName("form")
    ->Arg(static_cast<int>(kv::Form::Gird))
    ->Arg(static_cast<int>(kv::Form::Bent))
    ->Arg(static_cast<int>(kv::Form::Dead))
    ->Arg(static_cast<int>(kv::Form::Cross))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The heap a shown editor holds with the largest project (its window image included on
// the offscreen platform), and its widgets: what a window costs to keep open.
void BM_EditorHeap(benchmark::State& state) {
  const auto form = static_cast<kv::Form>(state.range(0));
  const kv::EditorFactory make = FactoryOf(state, form);
  if (!make) return;
  kv::Project project;
  kv::ReadInputFile(LargestFile(), project, {});
  double heap = 0, widgets = 0;
  for (auto _ : state) {
    Drain();
    const auto before = mallinfo2().uordblks;
    std::unique_ptr<kv::EditorWindow> w(make(project));
    ShowUntilPainted(w.get());
    Drain();
    heap = double(mallinfo2().uordblks) - double(before);
    widgets = double(w->findChildren<QWidget*>().size());
    state.PauseTiming();
    w.reset();
    Drain();
    state.ResumeTiming();
  }
  state.counters["heap_kB"] = heap / 1024;
  state.counters["widgets"] = widgets;
}
BENCHMARK(BM_EditorHeap)->DenseRange(0, kv::kFormCount - 1)->ArgName("form")->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }

