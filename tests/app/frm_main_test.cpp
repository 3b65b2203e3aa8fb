// The main window: menus, toolbar, status bar, "&Data Entry", the stored window
// position and the closing sequence.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/frm_document.h"
#include "app/settings.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::Shell;

// "name|text|shortcut" per entry, "-" per separator.
QStringList Describe(const QList<QAction*>& actions) {
  QStringList out;
  for (const QAction* a : actions) {
    out.append(a->isSeparator() ? QStringLiteral("-")
                                : QStringList{a->objectName(), a->text(), a->shortcut().toString()}.join('|'));
  }
  return out;
}

TEST(MainWindow, MenusTextsOrderShortcutsAndNames) {
  Shell s;
  EXPECT_EQ(s.window->windowTitle(), "Wexa Kelvara");
  EXPECT_EQ(Describe(s.window->menuBar()->actions()),
            (QStringList{"mnuFile|&File|", "mnuEdit|&Edit|", "mnuView|&View|", "mnuForm|&Data Entry|",
                         "mnuHelp|&Help|"}));
  const std::pair<const char*, QStringList> menus[] = {
      {"mnuFile", {"mnuFileNew|&New|Ctrl+N", "mnuFileOpen|&Open|Ctrl+O", "-", "mnuFileSave|&Save|Ctrl+S",
                   "mnuFileSaveAs|Save &As...|", "-", "mnuFileRun|Run|", "-",
                   "mnuFilePrint|&Print...|Ctrl+P", "-", "mnuFileExit|E&xit|"}},
      {"mnuFileRun", {"mnuFileRunGeometry|Geometry|", "mnuFileRunProjCoord|Project Coordinates|",
                      "mnuFileRunCamber|Camber|", "mnuFileRunStick|Stick Figure|"}},
      {"mnuEdit", {"-", "mnuEditCopy|&Copy from Output|Ctrl+C"}},
      {"mnuView", {"mnuViewToolbar|&Toolbar|", "mnuViewStatusBar|Status &Bar|", "-",
                   "mnuViewOptions|&Options...|"}},
      {"mnuForm", {"mnuFormDesc|&Description|", "mnuFormHoriz|&Horizontal Alignment|",
                   "mnuFormVert|&Vertical Alignment|", "mnuFormCross|&Cross Slope and Transition Data|",
                   "mnuFormRef|&Reference Line|", "mnuFormGird|&Girder Line|", "mnuFormBent|&Bent Line|",
                   "mnuFormDead|D&ead Load|", "mnuFormRoadApp|R&oadway Approach|"}},
      {"mnuHelp", {"mnuHelpContents|&Contents|", "mnuHelpSearch|&Search For Help On...|", "-",
                   "mnuHelpAbout|&About Wexa_Kelvara...|"}},
  };
  for (const auto& [name, lines] : menus) {
    const auto* menu = s.window->findChild<QMenu*>(name);
    ASSERT_NE(menu, nullptr) << name;
    EXPECT_EQ(Describe(menu->actions()), lines) << name;
  }
  // Only the two bars start checked, only Options is disabled.
  for (QAction* a : s.window->findChildren<QAction*>()) {
    if (a->isSeparator() || a->objectName().startsWith("tbToolBar")) continue;
    const QString n = a->objectName();
    EXPECT_EQ(a->isChecked(), n == "mnuViewToolbar" || n == "mnuViewStatusBar") << n.toStdString();
    EXPECT_EQ(a->isEnabled(), n != "mnuViewOptions") << n.toStdString();
  }
}

TEST(MainWindow, EditMenuShowsItsLeadingSeparator) {
  Shell s;
  auto* edit = s.window->findChild<QMenu*>("mnuEdit");
  edit->popup(QPoint(0, 0));
  QCoreApplication::processEvents();
  // Tall enough for its line to stand clear of the menu's frame.
  EXPECT_GE(edit->actionGeometry(edit->actions().at(0)).height(), 6);
  edit->hide();
}

// What a command left in the fakes, to compare a button with its menu entry.
QString Effects(const Shell& s) {
  QStringList out;
  for (const QStringList& c : s.dialogs.calls) out.append(c.mid(0, 3).join(','));
  out << QFileInfo(s.window->CurrentInputFile).fileName() << s.messages.texts.join('/')
      << QString::number(s.printer.jobs.size()) << QString::number(s.clipboard.sets) << s.clipboard.text
      << QString::fromLatin1(s.window->project().Description.StructureID);
  return out.join('\n');
}

TEST(MainWindow, ToolbarButtonsInOrderWithTipsIconsAndTheirMenuEntrysEffect) {
  const struct {
    const char *key, *menu, *tip;
  } buttons[] = {{"New", "mnuFileNew", "New Kelvara input file"},
                 {"Open", "mnuFileOpen", "Open existing file"},
                 {"Save", "mnuFileSave", "Save input file"},
                 {"Print", "mnuFilePrint", "Print to the default printer"},
                 {"Copy", "mnuEditCopy", "Copy text from the output area"}};
  QStringList seen;
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.key);
    Shell byMenu, byButton;
    for (Shell* s : {&byMenu, &byButton}) {
      s->dialogs.answers = {KV_TEST_DATA "/bridge_english.dat"};
      s->window->show();
      s->window->Output()->selectAll();
    }
    auto* bar = byButton.window->findChild<QToolBar*>("tbToolBar");
    ASSERT_EQ(bar->actions().size(), 5);
    QAction* a = bar->actions()[&b - buttons];
    EXPECT_EQ(a, byButton.Action(QStringLiteral("tbToolBar") + b.key));
    EXPECT_EQ(a->property("Key").toString(), b.key);
    EXPECT_EQ(a->toolTip(), b.tip);
    EXPECT_FALSE(a->icon().pixmap(24, 24).isNull());
    byMenu.Action(b.menu)->trigger();
    QTest::mouseClick(bar->widgetForAction(a), Qt::LeftButton);
    EXPECT_EQ(Effects(byButton), Effects(byMenu));
    EXPECT_FALSE(seen.contains(Effects(byMenu))) << "leaves the same trace as another command";
    seen.append(Effects(byMenu));
  }
  Shell other;  // a key of none of the five does nothing
  const QString before = Effects(other);
  for (const char* key : {"Help", "new", "", "Copy "}) other.window->tbToolBar_ButtonClick(key);
  EXPECT_EQ(Effects(other), before);
  EXPECT_TRUE(other.dialogs.calls.empty());
}

TEST(MainWindow, ViewEntriesToggleTheBarsAndTheStatusBarShowsTheClock) {
  Shell s;
  s.window->show();
  const std::pair<const char*, QWidget*> cases[] = {
      {"mnuViewToolbar", s.window->findChild<QToolBar*>("tbToolBar")}, {"mnuViewStatusBar", s.window->statusBar()}};
  for (const auto& [name, bar] : cases) {
    for (bool visible : {false, true, false}) {
      s.Action(name)->trigger();
      EXPECT_EQ(s.Action(name)->isChecked(), visible) << name;
      EXPECT_EQ(bar->isVisible(), visible) << name;
    }
  }
  auto* bar = s.window->findChild<QStatusBar*>("sbStatusBar");
  ASSERT_EQ(bar, s.window->statusBar());
  auto panel = [bar](const char* name) { return bar->findChild<QLabel*>(name)->text(); };
  const QLocale l;
  EXPECT_EQ(panel("sbStatusBarText"), "Use File | New or File | Open to start");
  EXPECT_EQ(panel("sbStatusBarDate"), l.toString(QDate(2024, 3, 9), QLocale::ShortFormat));
  EXPECT_EQ(panel("sbStatusBarTime"), l.toString(QTime(14, 5, 7), QLocale::ShortFormat));
  s.clock.now = QDateTime(QDate(2024, 3, 10), QTime(9, 41));
  QTest::qWait(1200);
  EXPECT_EQ(panel("sbStatusBarDate"), l.toString(QDate(2024, 3, 10), QLocale::ShortFormat));
  EXPECT_EQ(panel("sbStatusBarTime"), l.toString(QTime(9, 41), QLocale::ShortFormat));
}

TEST(MainWindow, DataEntryMarksAndShowsTheSameEditorEachTime) {
  Shell s(true);
  s.window->show();
  for (int i = 0; i < kFormCount; ++i) EXPECT_EQ(s.Editor(Form(i)), nullptr) << "none at start-up";
  for (int i = 0; i < kFormCount; ++i) {
    QAction* entry = s.Action(kFormMenuNames[i]);
    entry->trigger();
    EditorWindow* first = s.Editor(Form(i));
    ASSERT_NE(first, nullptr) << kFormMenuNames[i];
    EXPECT_EQ(first->objectName(), kEditorWindowNames[i]);
    EXPECT_TRUE(first->isVisible() && first->isWindow() && !first->isModal());
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_TRUE(entry->isChecked() && s.window->project().IsMarked(Form(i)));
    // The close box only hides; the entry shows the same window and keeps its mark.
    first->close();
    EXPECT_FALSE(first->isVisible());
    entry->trigger();
    EXPECT_EQ(s.Editor(Form(i)), first);
    EXPECT_TRUE(first->isVisible() && entry->isChecked());
  }
  EXPECT_TRUE(s.destroyed.isEmpty());

  Shell bare;  // a form without an editor: the mark only
  bare.Action("mnuFormGird")->trigger();
  bare.Action("mnuFormGird")->trigger();
  EXPECT_TRUE(bare.Action("mnuFormGird")->isChecked() && bare.window->project().IsMarked(Form::Gird));
}

TEST(MainWindow, MenuHooksRunTheirHandlers) {
  Shell s;
  const char* names[] = {"mnuFileRunGeometry", "mnuFileRunProjCoord", "mnuFileRunCamber", "mnuFileRunStick",
                         "mnuHelpContents",    "mnuHelpSearch",       "mnuHelpAbout"};
  QStringList ran;
  for (int i = 0; i < kMenuHookCount; ++i) {
    s.Action(names[i])->trigger();  // nothing installed: nothing happens
    s.window->SetMenuHandler(MenuHook(i), [&ran, n = names[i]] { ran.append(n); });
  }
  EXPECT_TRUE(ran.isEmpty());
  for (const char* n : names) s.Action(n)->trigger();
  EXPECT_EQ(ran, QStringList(std::begin(names), std::end(names)));
}

TEST(MainWindowSettings, StoredTextsAreReadAsNumbersOrDefaults) {
  const std::pair<QStringList, std::vector<double>> cases[] = {
      {{"1500", "1200", "7200", "6000"}, {1500, 1200, 7200, 6000}},
      {{"abc", "", "12x", "(none)"}, {1000, 1000, 6500, 6500}},
      {{" 1350 ", "450.5", "-30", "2e3"}, {1350, 450.5, -30, 2000}},
  };
  for (const auto& [texts, expected] : cases) {
    QTemporaryDir dir;
    QSettings store(dir.filePath("s.ini"), QSettings::IniFormat);
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i)
      if (texts[i] != "(none)") store.setValue(QStringLiteral("Settings/") + keys[i], texts[i]);
    const WindowPlacement p = ReadPlacement(store);
    EXPECT_EQ((std::vector<double>{p.left, p.top, p.width, p.height}), expected) << texts.join(',').toStdString();
  }
}

TEST(MainWindowSettings, PositionComesFromTheStoreAndGoesBackOnClose) {
  Shell s;  // an empty store: the default placement
  s.window->show();
  const double dpi = s.window->screen()->logicalDotsPerInchX();
  EXPECT_EQ(s.window->pos(), QPoint(TwipsToPixels(1000, dpi), TwipsToPixels(1000, dpi)));
  EXPECT_EQ(s.window->size(), QSize(TwipsToPixels(6500, dpi), TwipsToPixels(6500, dpi)));
  const QStringList keys{"Settings/MainLeft", "Settings/MainTop", "Settings/MainWidth", "Settings/MainHeight"};
  const QStringList stored{"1500", "1200", "7200", "6000"};
  for (int i = 0; i < 4; ++i) s.settings->setValue(keys[i], stored[i]);
  frmMain w(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, s.settings.get()}, {});
  w.show();
  ASSERT_EQ(dpi, 96) << "the figures below are pixels at 96 dots per inch";
  EXPECT_EQ(w.pos(), QPoint(100, 80));
  EXPECT_EQ(w.size(), QSize(480, 400));
  w.move(150, 90);
  w.resize(500, 420);
  w.close();
  auto written = [&] {
    QSettings reread(s.settings->fileName(), QSettings::IniFormat);
    QStringList texts;
    for (const QString& k : reread.allKeys()) texts.append(k + "=" + reread.value(k).toString());
    return texts;
  };
  const QStringList placed{"Settings/MainHeight=6300", "Settings/MainLeft=2250", "Settings/MainTop=1350",
                           "Settings/MainWidth=7500"};
  EXPECT_EQ(written(), placed);
  s.window->move(300, 300);  // closing minimized writes nothing
  s.window->showMinimized();
  ASSERT_TRUE(s.window->isMinimized());
  s.window->close();
  EXPECT_EQ(written(), placed);
}

TEST(MainWindowClosing, ClosesTheEditorsInOrderWithoutAsking) {
  const QStringList order{"BentLine", "CrossTrans", "DeadLoad", "Description", "GirderLine",
                          "Horizontal", "RefLine", "Vertical", "RoadAppr"};
  for (const char* how : {"mnuFileExit", "close"}) {
    Shell s(true);
    s.window->show();
    // Created in menu order, every other one shown.
    for (int i = 0; i < kFormCount; ++i) i % 2 ? s.window->OpenEditor(Form(i)) : void(s.window->editors().Ensure(Form(i)));
    how == std::string("close") ? void(s.window->close()) : s.Action(how)->trigger();
    EXPECT_EQ(s.destroyed, order) << how;
    EXPECT_FALSE(s.window->isVisible()) << how;
    EXPECT_TRUE(s.messages.texts.isEmpty() && s.dialogs.calls.empty()) << how;
    EXPECT_EQ(s.settings->value("Settings/MainWidth").toString(), "6495") << how;
  }
  Shell some(true);  // editors never created are not made just to close them
  some.window->OpenEditor(Form::Vert);
  some.window->editors().Ensure(Form::Bent);
  some.window->close();
  EXPECT_EQ(some.destroyed, (QStringList{"BentLine", "Vertical"}));
}

}  // namespace
}  // namespace kv
