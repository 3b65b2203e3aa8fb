// The main window: menus, toolbar, status bar, "&Data Entry", the stored position and
// the closing sequence.

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <QProcess>

#include "app/command_line.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::Shell;

TEST(MainWindow, MenusTextsOrderShortcutsAndStates) {
  Shell s;
  EXPECT_EQ(s.window->windowTitle(), "Wexa Kelvara");
  const std::pair<const char*, QStringList> menus[] = {  // "name|text|shortcut[|checked][|off]", "-" a separator
      {"", {"mnuFile|&File|", "mnuEdit|&Edit|", "mnuView|&View|", "mnuForm|&Data Entry|", "mnuHelp|&Help|"}},
      {"mnuFile", {"mnuFileNew|&New|Ctrl+N", "mnuFileOpen|&Open|Ctrl+O", "-", "mnuFileSave|&Save|Ctrl+S",
                   "mnuFileSaveAs|Save &As...|", "-", "mnuFileRun|Run|", "-", "mnuFilePrint|&Print...|Ctrl+P", "-",
                   "mnuFileExit|E&xit|"}},
      {"mnuFileRun", {"mnuFileRunGeometry|Geometry|", "mnuFileRunProjCoord|Project Coordinates|",
                      "mnuFileRunCamber|Camber|", "mnuFileRunStick|Stick Figure|"}},
      {"mnuEdit", {"-", "mnuEditCopy|&Copy from Output|Ctrl+C"}},
      {"mnuView", {"mnuViewToolbar|&Toolbar||checked", "mnuViewStatusBar|Status &Bar||checked", "-",
                   "mnuViewOptions|&Options...||off", "mnuViewColumns|&Columns|", "mnuViewPlan|&Plan|",
                   "mnuViewProfile|P&rofile|", "mnuViewSection|&Section|"}},
      {"mnuForm", {"mnuFormDesc|&Description|", "mnuFormHoriz|&Horizontal Alignment|",
                   "mnuFormVert|&Vertical Alignment|", "mnuFormCross|&Cross Slope and Transition Data|",
                   "mnuFormRef|&Reference Line|", "mnuFormGird|&Girder Line|", "mnuFormBent|&Bent Line|",
                   "mnuFormDead|D&ead Load|", "mnuFormRoadApp|R&oadway Approach|"}},
      {"mnuHelp", {"mnuHelpContents|&Contents|", "mnuHelpSearch|&Search For Help On...|", "-",
                   "mnuHelpAbout|&About Wexa_Kelvara...|"}},
  };
  for (const auto& [name, lines] : menus) {
    QStringList out;
    for (const QAction* a : *name ? s.window->findChild<QMenu*>(name)->actions() : s.window->menuBar()->actions())
      out << (a->isSeparator() ? "-"
                               : QStringList{a->objectName(), a->text(), a->shortcut().toString()}.join('|') +
                                     (a->isChecked() ? "|checked" : "") + (a->isEnabled() ? "" : "|off"));
    EXPECT_EQ(out, lines) << name;
  }
  auto* edit = s.window->findChild<QMenu*>("mnuEdit");  // its leading line stands clear of the frame
  edit->popup(QPoint(0, 0));
  QCoreApplication::processEvents();
  EXPECT_GE(edit->actionGeometry(edit->actions().at(0)).height(), 6);
  edit->hide();
}

// What a command left in the fakes, to compare a button with its menu entry.
QString Effects(const Shell& s) {
  QStringList out;
  for (const QStringList& c : s.dialogs.calls) out << c.mid(0, 3).join(',');
  out << QFileInfo(s.window->CurrentInputFile).fileName() << s.messages.texts.join('/')
      << QString::number(s.printer.jobs.size()) << QString::number(s.clipboard.sets) << s.clipboard.text
      << QString::fromLatin1(s.window->project().Description.StructureID);
  return out.join('\n');
}

TEST(MainWindow, ToolbarButtonsInOrderWithTipsIconsAndTheirMenuEntrysEffect) {
  const std::tuple<const char*, const char*, const char*> buttons[] = {
      {"New", "mnuFileNew", "New Kelvara input file"},      {"Open", "mnuFileOpen", "Open existing file"},
      {"Save", "mnuFileSave", "Save input file"},           {"Print", "mnuFilePrint", "Print to the default printer"},
      {"Copy", "mnuEditCopy", "Copy text from the output area"}};
  QStringList seen;
  for (const auto& [key, menu, tip] : buttons) {
    SCOPED_TRACE(key);
    Shell byMenu, byButton;
    for (Shell* s : {&byMenu, &byButton})
      s->dialogs.answers = {KV_TEST_DATA "/bridge_english.dat"}, s->window->show(), s->window->Output()->selectAll();
    auto* bar = byButton.window->findChild<QToolBar*>("tbToolBar");
    ASSERT_EQ(bar->actions().size(), 5);
    QAction* a = bar->actions()[seen.size()];
    EXPECT_EQ((QStringList{a->objectName(), a->property("Key").toString(), a->toolTip(),
                           a->icon().pixmap(24, 24).isNull() ? "no icon" : "icon"}),
              (QStringList{QStringLiteral("tbToolBar") + key, key, tip, "icon"}));
    byMenu.Action(menu)->trigger();
    QTest::mouseClick(bar->widgetForAction(a), Qt::LeftButton);
    EXPECT_EQ(Effects(byButton), Effects(byMenu));
    EXPECT_FALSE(seen.contains(Effects(byMenu))) << "leaves the same trace as another command";
    seen << Effects(byMenu);
  }
  Shell other;  // a key of none of the five does nothing
  const QString before = Effects(other);
  for (const char* key : {"Help", "new", "", "Copy "}) other.window->tbToolBar_ButtonClick(key);
  EXPECT_TRUE(Effects(other) == before && other.dialogs.calls.empty());
}

TEST(MainWindow, ViewEntriesToggleTheBarsAndTheStatusBarShowsTheClock) {
  Shell s;
  s.window->show();
  for (const auto& [name, bar] : {std::pair<const char*, QWidget*>{"mnuViewToolbar", s.window->findChild<QToolBar*>()},
                                  {"mnuViewStatusBar", s.window->statusBar()}}) {
    for (bool visible : {false, true, false}) {
      s.Action(name)->trigger();
      EXPECT_EQ(QList({s.Action(name)->isChecked(), bar->isVisible()}), QList({visible, visible})) << name;
    }
  }
  ASSERT_EQ(s.window->findChild<QStatusBar*>("sbStatusBar"), s.window->statusBar());
  for (const QDateTime& t : {s.clock.now, QDateTime(QDate(2024, 3, 10), QTime(9, 41))}) {
    if (t != s.clock.now) s.clock.now = t, QTest::qWait(1200);  // the panels follow the clock
    QStringList panels;
    for (const char* n : {"sbStatusBarText", "sbStatusBarDate", "sbStatusBarTime"})
      panels << s.window->statusBar()->findChild<QLabel*>(n)->text();
    EXPECT_EQ(panels, (QStringList{"Use File | New or File | Open to start",
                                   QLocale().toString(t.date(), QLocale::ShortFormat),
                                   QLocale().toString(t.time(), QLocale::ShortFormat)}));
  }
}

TEST(MainWindow, DataEntryShowsTheSameEditorEachTimeAndClosingClosesThemInOrder) {
  Shell s(true);
  s.window->show();
  for (int i = 0; i < kFormCount; ++i) {
    QAction* entry = s.Action(kFormMenuNames[i]);
    entry->trigger();
    EditorWindow* first = s.Editor(Form(i));
    ASSERT_NE(first, nullptr) << kFormMenuNames[i];
    EXPECT_EQ(first->objectName(), kEditorWindowNames[i]);
    EXPECT_TRUE(first->isVisible() && first->isWindow() && !first->isModal() && first->parentWidget() == nullptr);
    EXPECT_TRUE(entry->isChecked() && s.window->project().IsMarked(Form(i)));
    first->close();  // the close box only hides; the entry shows the same window and keeps its mark
    EXPECT_FALSE(first->isVisible());
    entry->trigger();
    EXPECT_TRUE(s.Editor(Form(i)) == first && first->isVisible() && entry->isChecked());
    first->showMinimized();  // a minimized editor comes back, restored
    entry->trigger();
    EXPECT_TRUE(first->isVisible() && !first->isMinimized()) << kFormMenuNames[i];
    if (i % 2) first->close();  // shown or hidden, Exit closes each without asking
  }
  EXPECT_TRUE(s.destroyed.isEmpty());
  s.Action("mnuFileExit")->trigger();
  EXPECT_EQ(s.destroyed, (QStringList{"BentLine", "CrossTrans", "DeadLoad", "Description", "GirderLine",
                                      "Horizontal", "RefLine", "Vertical", "RoadAppr"}));
  EXPECT_TRUE(!s.window->isVisible() && s.messages.texts.isEmpty() && s.dialogs.calls.empty());
  Shell some(true);  // editors never created are not made just to close them
  some.window->show();
  some.window->OpenEditor(Form::Vert);
  some.window->editors().Ensure(Form::Bent);
  some.window->close();
  EXPECT_TRUE(some.destroyed == QStringList({"BentLine", "Vertical"}) && !some.window->isVisible());
  Shell bare;  // a form without an editor: the mark only
  bare.Action("mnuFormGird")->trigger();
  bare.Action("mnuFormGird")->trigger();
  EXPECT_TRUE(bare.Action("mnuFormGird")->isChecked() && bare.window->project().IsMarked(Form::Gird));
}

TEST(MainWindowSettings, PositionComesFromTheStoreAndGoesBackOnClose) {
  Shell s;  // an empty store: the default placement
  s.window->show();
  ASSERT_EQ(s.window->screen()->logicalDotsPerInchX(), 96) << "the figures below are pixels at 96 dots per inch";
  EXPECT_EQ(QRect(s.window->pos(), s.window->size()), QRect(67, 67, 433, 433));
  const std::pair<QStringList, std::vector<double>> stored[] = {  // as read, or the default
      {{"abc", "", "12x", "(none)"}, {1000, 1000, 6500, 6500}},
      {{" 1350 ", "450.5", "-30", "2e3"}, {1350, 450.5, -30, 2000}},
      {{"1500", "1200", "7200", "6000"}, {1500, 1200, 7200, 6000}},  // kept for the window below
  };
  const char* keys[] = {"Settings/MainLeft", "Settings/MainTop", "Settings/MainWidth", "Settings/MainHeight"};
  for (const auto& [texts, expected] : stored) {
    s.settings->clear();
    for (int i = 0; i < 4; ++i)
      if (texts[i] != "(none)") s.settings->setValue(keys[i], texts[i]);
    const WindowPlacement p = ReadPlacement(*s.settings);
    EXPECT_EQ((std::vector<double>{p.left, p.top, p.width, p.height}), expected) << texts.join(',').toStdString();
  }
  frmMain w(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, s.settings.get()}, {});
  w.show();
  EXPECT_EQ(QRect(w.pos(), w.size()), QRect(100, 80, 480, 400));
  w.move(150, 90), w.resize(500, 420);
  w.close();
  auto written = [&] {
    QSettings reread(s.settings->fileName(), QSettings::IniFormat);
    QStringList texts;
    for (const QString& k : reread.allKeys()) texts << k + "=" + reread.value(k).toString();
    return texts.join(' ');
  };
  const QString placed =
      "Settings/MainHeight=6300 Settings/MainLeft=2250 Settings/MainTop=1350 Settings/MainWidth=7500";
  EXPECT_EQ(written(), placed);
  s.window->move(300, 300);  // closing minimized writes nothing
  s.window->showMinimized();
  ASSERT_TRUE(s.window->isMinimized());
  s.window->close();
  EXPECT_EQ(written(), placed);
}

// A stored position that lies off every screen comes back onto the nearest one; a window
// with enough of it on a screen stays where it is.
TEST(MainWindowSettings, APositionOffEveryScreenComesBackOntoTheNearest) {
  const QList<QRect> two = {{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
  const struct { QRect frame; QPoint placed; } cases[] = {
      {{100, 80, 480, 400}, {100, 80}},       {{1180, 50, 480, 400}, {1180, 50}},   // on one, across both
      {{5000, 300, 480, 400}, {2720, 300}},   {{-3000, -500, 480, 400}, {0, 0}},   // far right, far up-left
      {{1300, 2000, 600, 500}, {1300, 580}},  {{-470, 100, 480, 400}, {0, 100}},  // below the second, 10 px left on
      {{200, 200, 4000, 3000}, {200, 200}}};                                   // larger than any, yet on one
  for (const auto& c : cases) EXPECT_EQ(KeepOnScreen(c.frame, two), c.placed) << c.frame.x() << "," << c.frame.y();
  Shell s;
  s.settings->setValue("Settings/MainLeft", "900000"), s.settings->setValue("Settings/MainTop", "-90000");
  frmMain w(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, s.settings.get()}, {});
  w.show();
  const QRect area = w.screen()->availableGeometry();  // in its top right corner
  EXPECT_EQ(w.pos(), QPoint(area.x() + area.width() - w.width(), area.y()));
}

// The main window, the editors and the dialogs carry the program's own icon, not a toolbar image.
TEST(MainWindow, EveryWindowCarriesTheProgramsIcon) {
  testing::RealShell s;
  s.window->OpenEditor(Form::Gird);
  auto image = [](const QIcon& i) { return i.pixmap(32, 32).toImage(); };
  const QImage own = image(QIcon(":/icons/wexa-kelvara-32.png"));
  ASSERT_FALSE(own.isNull());
  EXPECT_TRUE(image(s.window->windowIcon()) == own && image(QApplication::windowIcon()) == own);
  EXPECT_TRUE(image(s.Editor(Form::Gird)->windowIcon()) == own);
  EXPECT_FALSE(image(s.Action("tbToolBarNew")->icon()) == own);
}

// `wexa-kelvara FILE` opens FILE; an unknown option is a usage error; -h is --help.
TEST(CommandLine, FileVersionHelpAndWrongOptions) {
  using A = CommandLine::Action;
  const struct { std::vector<const char*> args; A action; const char *file, *error; } cases[] = {
      {{}, A::Run, "", ""},
      {{"/jobs/pier.dat"}, A::Run, "/jobs/pier.dat", ""},
      {{"-platform", "offscreen", "--style=fusion", "-reverse", "pier.dat"}, A::Run, "pier.dat", ""},
      {{"--", "-odd.dat"}, A::Run, "-odd.dat", ""},
      {{"-h"}, A::Help, "", ""}, {{"x.dat", "--help"}, A::Help, "x.dat", ""}, {{"--version"}, A::Version, "", ""},
      {{"--bogus"}, A::Error, "", "unknown option --bogus"}, {{"-x", "a.dat"}, A::Error, "", "unknown option -x"},
      {{"a.dat", "b.dat"}, A::Error, "a.dat", "only one file can be opened"},
      {{"-style"}, A::Error, "", "option -style needs a value"}};
  for (const auto& c : cases) {
    std::vector<const char*> argv{"wexa-kelvara"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const CommandLine line = ParseCommandLine(int(argv.size()), argv.data());
    EXPECT_EQ(std::tuple(line.action, line.file, line.error), std::tuple(c.action, std::string(c.file), std::string(c.error)))
        << (c.args.empty() ? "" : c.args[0]);
  }
  // The real program, without a display: exit codes and where the usage goes.
  const QString program = QCoreApplication::applicationDirPath() + "/wexa-kelvara";
  if (!QFileInfo::exists(program)) GTEST_SKIP() << "wexa-kelvara not built";
  for (const auto& [arg, code, out, err] : {std::tuple("-h", 0, true, false), {"--nope", 2, false, true}}) {
    QProcess p;
    p.setProcessEnvironment(QProcessEnvironment());  // no display at all
    p.start(program, {arg});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(std::tuple(p.exitCode(), p.readAllStandardOutput().contains("Usage: wexa-kelvara"),
                         p.readAllStandardError().contains("Usage: wexa-kelvara")),
              std::tuple(code, out, err)) << arg;
  }
}

}  // namespace
}  // namespace kv
