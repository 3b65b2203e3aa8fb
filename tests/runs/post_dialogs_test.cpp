// The camber, stick-figure and project-coordinate dialogs and the runs behind "OK".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "run_fakes.h"
#include "runs/post_dialogs.h"

namespace kv {
namespace {

using testing::RunShell;
using testing::WriteFile;

TEST(PostDialogs, FieldsLabelsAndCaptions) {
  RunShell s;
  struct Case {
    const char* action;
    const char* name;
    const char* caption;
    QStringList fields, labels;  // labels sorted
  } const cases[] = {
      {"mnuFileRunCamber", "Camber", "Camber", {"GirderSelect"},
       {"Girder selection list:", "e.g.  1,3,4,6  or 1-20"}},
      {"mnuFileRunStick", "Stick", "Stick Figure", {}, {"Select Output Type:"}},
      {"mnuFileRunProjCoord", "ProjectCoord", "Project Coordinates",
       {"NorthOff", "EastOff", "NorS", "Degrees", "Minutes", "Seconds", "EorW"},
       {"All bearing fields must be filled.", "Bearing:", "Deg.", "E/W", "Easting Offset:", "Min.",
        "N/S", "Northing Offset:", "Sec."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s.window->findChild<QAction*>(c.action)->trigger();
    s.window->findChild<QAction*>(c.action)->trigger();  // still the one dialog
    QWidgetList found;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == c.name) found.append(w);
    ASSERT_EQ(found.size(), 1);
    QWidget* d = found[0];
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), c.caption);
    EXPECT_EQ(d->windowModality(), Qt::NonModal);
    EXPECT_EQ(d->parentWidget(), nullptr);
    QStringList labels = testing::LabelTexts(*d);
    labels.sort();
    EXPECT_EQ(labels, c.labels);
    for (const QString& f : c.fields) EXPECT_NE(d->findChild<QLineEdit*>(f), nullptr) << f.toStdString();
    EXPECT_EQ(d->findChildren<QLineEdit*>().size(), c.fields.size());
    auto* ok = d->findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
  }
  QComboBox* type = ShowPostDialog<Stick>(*s.window)->findChild<QComboBox*>("cmbOutType");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->currentIndex(), -1);
  EXPECT_EQ(type->placeholderText(), "Output Type");
  QStringList items;
  for (int i = 0; i < type->count(); ++i) items << type->itemText(i);
  EXPECT_EQ(items, (QStringList{"Series 5000", "AutoCAD DXF", "MX Genio"}));
}

// The dialog of `kind` with `input` typed: camber girders, stick type index, coordinates.
PostDialog* Fill(RunShell& s, char kind, const QStringList& input) {
  if (kind == 'c') {
    auto* d = ShowPostDialog<Camber>(*s.window);
    QTest::keyClicks(d->GirderSelect, input[0]);
    return d;
  }
  if (kind == 's') {
    auto* d = ShowPostDialog<Stick>(*s.window);
    d->cmbOutType->setCurrentIndex(input[0].toInt());
    return d;
  }
  auto* d = ShowPostDialog<ProjectCoord>(*s.window);
  QLineEdit* f[] = {d->NorthOff, d->EastOff, d->NorS, d->Degrees, d->Minutes, d->Seconds, d->EorW};
  for (int i = 0; i < 7; ++i) QTest::keyClicks(f[i], input[i]);
  return d;
}

TEST(PostDialogs, OkStartsTheRunAndClosesTheDialog) {
  const QString coordStart = "start hidden \"/geo/KvarPrCo\" \"%1/b.lis\" \"%1/b.pcf\" ";
  const struct {
    const char* name;
    char kind;
    QStringList input;
    QString answer;  // relative to the test folder; empty: cancelled
    bool writeCmb;
    QStringList log;  // "%1" is the test folder
  } cases[] = {
      {"camber 1-20", 'c', {"1-20"}, "b.lis", true,
       {"start hidden \"/geo/Kvar2Cmb\" \"%1/b.lis\" \"1-20\"", "wait 1000",
        "start hidden \"/geo/KvarCamb\" \"%1/b.cmb\" \"%1/b.out\""}},
      {"camber without .cmb", 'c', {"1,3,4,6"}, "b.x.lis", false,
       {"start hidden \"/geo/Kvar2Cmb\" \"%1/b.lis\" \"1,3,4,6\"", "wait 1000",
        "message Wexa_Kelvara: File%1/b.cmb does not exist.  Camber run aborted."}},
      {"camber cancelled", 'c', {"2"}, "", false, {}},
      {"stick DXF", 's', {"1"}, "b.lis", false, {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"8\""}},
      {"stick Series 5000", 's', {"0"}, "b.lis", false, {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"4\""}},
      {"stick MX Genio", 's', {"2"}, "b.lis", false, {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"16\""}},
      {"stick no type", 's', {"-1"}, "b.lis", false, {}},
      {"stick cancelled", 's', {"1"}, "", false, {}},
      {"coordinates empty", 'p', {"", "", "", "", "", "", ""}, "b.lis", false,
       {coordStart + "\"\" \"\" \"\" \"\" \"\" \"\" \"\""}},
      {"coordinates typed", 'p', {"100.5", "-20", "N", "12", "30", "15.5", "E"}, "b.lis", false,
       {coordStart + "\"100.5\" \"-20\" \"N\" \"12\" \"30\" \"15.5\" \"E\""}},
      {"coordinates cancelled", 'p', {"1", "2", "N", "3", "4", "5", "W"}, "", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.window->DialogFileName = "/kept.dat";
    const QString folder = s.dir.path();
    if (c.writeCmb)
      s.starter.onStart["Kvar2Cmb"] = [&](const QStringList& a) { WriteFile(BaseName(a[0]) + ".cmb", "x"); };
    QPointer<PostDialog> d = Fill(s, c.kind, c.input);
    s.dialogs.answers = {c.answer.isEmpty() ? QString() : s.Path(c.answer)};
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    EXPECT_EQ(s.log, QStringList(c.log).replaceInStrings("%1", folder));
    // The coordinates dialog names its listing and starts from the last file chosen.
    const bool pc = c.kind == 'p';
    ASSERT_EQ(s.dialogs.calls.size(), 1u);
    EXPECT_EQ(s.dialogs.calls[0],
              (pc ? QStringList{"open", "Select Kelvara Output file for processing.",
                                "Kelvara Output Files (*.lis)|*.lis", "/kept.dat"}
                  : QStringList{"open", "", "Geometry Output Files (*.lis)|*.lis", ""}));
    EXPECT_EQ(d->isVisible(), c.answer.isEmpty()) << "a cancelled file dialog keeps it open";
    if (!c.answer.isEmpty()) EXPECT_EQ(s.window->DialogFileName, s.Path(c.answer));
  }
}

TEST(PostDialogs, StayOpenBesideOtherWindowsAndAfterTheMainWindowCloses) {
  RunShell s;
  s.window->show();
  auto* d = ShowPostDialog<Camber>(*s.window);
  QTest::keyClicks(d->GirderSelect, "1-3");
  s.window->activateWindow();
  EXPECT_TRUE(d->isVisible());
  s.dialogs.answers = {s.Path("a.lis"), s.Path("b.lis")};
  // Each OK is a run of its own: the second click, during the first run's wait, starts
  // another listing's run.
  s.clock.duringWait.push_back([&] { QTest::mouseClick(d->Command1, Qt::LeftButton); });
  QPointer<Camber> alive(d);
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  const QString f = s.dir.path();
  EXPECT_EQ(s.log, (QStringList{"start hidden \"/geo/Kvar2Cmb\" \"" + f + "/a.lis\" \"1-3\"", "wait 1000",
                                "start hidden \"/geo/Kvar2Cmb\" \"" + f + "/b.lis\" \"1-3\"", "wait 1000",
                                "message Wexa_Kelvara: File" + f + "/b.cmb does not exist.  Camber run aborted.",
                                "message Wexa_Kelvara: File" + f + "/a.cmb does not exist.  Camber run aborted."}));
  EXPECT_TRUE(alive.isNull() || !alive->isVisible());

  auto* p = ShowPostDialog<ProjectCoord>(*s.window);
  s.window->close();
  EXPECT_FALSE(s.window->isVisible());
  EXPECT_TRUE(p->isVisible());
  QPointer<ProjectCoord> gone(p);
  s.window.reset();
  EXPECT_TRUE(gone.isNull());
}

}  // namespace
}  // namespace kv
