// The camber, stick-figure and project-coordinate dialogs and the runs behind "OK".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "run_fakes.h"
#include "runs/post_dialogs.h"

namespace kv {
namespace {

using testing::RunShell;
using testing::WriteFile;

QStringList Labels(QWidget* w) {
  QStringList texts;
  for (QLabel* l : w->findChildren<QLabel*>()) texts.append(l->text());
  texts.sort();
  return texts;
}

TEST(PostDialogs, FieldsLabelsAndCaptions) {
  RunShell s;
  struct Case {
    const char* action;
    const char* name;
    const char* caption;
    QStringList fields, labels;
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
    QStringList labels = c.labels;
    labels.sort();
    EXPECT_EQ(Labels(d), labels);
    for (const QString& f : c.fields) EXPECT_NE(d->findChild<QLineEdit*>(f), nullptr) << f.toStdString();
    EXPECT_EQ(d->findChildren<QLineEdit*>().size(), c.fields.size());
    auto* ok = d->findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
  }
  auto* stick = ShowPostDialog<Stick>(*s.window);
  QComboBox* type = stick->findChild<QComboBox*>("cmbOutType");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->currentIndex(), -1);
  EXPECT_EQ(type->placeholderText(), "Output Type");
  const QStringList items{"Series 5000", "AutoCAD DXF", "MX Genio"};
  const int codes[] = {4, 8, 16};
  ASSERT_EQ(type->count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(type->itemText(i), items[i]);
    type->setCurrentIndex(i);
    EXPECT_EQ(stick->OutputCode(), codes[i]);
  }
}

// What a click on "OK" starts, with the file dialog answering `answer`.
struct OkCase {
  const char* name;
  std::function<PostDialog*(RunShell&)> open;
  QString answer;  // relative to the test folder; empty: cancelled
  bool writeCmb;
  QStringList dialogCall;  // title, filter, file name
  QStringList log;         // "%1" is the test folder
  bool closes;
};

TEST(PostDialogs, OkStartsTheRunAndClosesTheDialog) {
  const QString lisFilter = "Geometry Output Files (*.lis)|*.lis";
  const QString pcTitle = "Select Kelvara Output file for processing.";
  const QString pcFilter = "Kelvara Output Files (*.lis)|*.lis";
  auto camber = [](const char* girders) {
    return [girders](RunShell& s) {
      auto* d = ShowPostDialog<Camber>(*s.window);
      QTest::keyClicks(d->GirderSelect, girders);
      return static_cast<PostDialog*>(d);
    };
  };
  auto stick = [](int index) {
    return [index](RunShell& s) {
      auto* d = ShowPostDialog<Stick>(*s.window);
      d->cmbOutType->setCurrentIndex(index);
      return static_cast<PostDialog*>(d);
    };
  };
  auto coord = [](QStringList texts) {
    return [texts](RunShell& s) {
      auto* d = ShowPostDialog<ProjectCoord>(*s.window);
      QLineEdit* f[] = {d->NorthOff, d->EastOff, d->NorS, d->Degrees, d->Minutes, d->Seconds, d->EorW};
      for (int i = 0; i < 7; ++i) QTest::keyClicks(f[i], texts[i]);
      return static_cast<PostDialog*>(d);
    };
  };
  const OkCase cases[] = {
      {"camber 1-20", camber("1-20"), "b.lis", true, {"", lisFilter, ""},
       {"start hidden \"/geo/Kvar2Cmb\" \"%1/b.lis\" \"1-20\"", "wait 1000",
        "start hidden \"/geo/KvarCamb\" \"%1/b.cmb\" \"%1/b.out\""}, true},
      {"camber without .cmb", camber("1,3,4,6"), "b.x.lis", false, {"", lisFilter, ""},
       {"start hidden \"/geo/Kvar2Cmb\" \"%1/b.lis\" \"1,3,4,6\"", "wait 1000",
        "message Wexa_Kelvara: File%1/b.cmb does not exist.  Camber run aborted."}, true},
      {"camber cancelled", camber("2"), "", false, {"", lisFilter, ""}, {}, false},
      {"stick DXF", stick(1), "b.lis", false, {"", lisFilter, ""},
       {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"8\""}, true},
      {"stick Series 5000", stick(0), "b.lis", false, {"", lisFilter, ""},
       {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"4\""}, true},
      {"stick MX Genio", stick(2), "b.lis", false, {"", lisFilter, ""},
       {"start hidden \"/geo/KvarStFi\" \"%1/b.lis\" \"16\""}, true},
      {"stick no type", stick(-1), "b.lis", false, {"", lisFilter, ""}, {}, true},
      {"stick cancelled", stick(1), "", false, {"", lisFilter, ""}, {}, false},
      {"coordinates empty", coord({"", "", "", "", "", "", ""}), "b.lis", false,
       {pcTitle, pcFilter, "/kept.dat"},
       {"start hidden \"/geo/KvarPrCo\" \"%1/b.lis\" \"%1/b.pcf\" \"\" \"\" \"\" \"\" \"\" \"\" \"\""}, true},
      {"coordinates typed", coord({"100.5", "-20", "N", "12", "30", "15.5", "E"}), "b.lis", false,
       {pcTitle, pcFilter, "/kept.dat"},
       {"start hidden \"/geo/KvarPrCo\" \"%1/b.lis\" \"%1/b.pcf\" \"100.5\" \"-20\" \"N\" \"12\" \"30\" \"15.5\" \"E\""}, true},
      {"coordinates cancelled", coord({"1", "2", "N", "3", "4", "5", "W"}), "", false,
       {pcTitle, pcFilter, "/kept.dat"}, {}, false},
  };
  for (const OkCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.window->DialogFileName = "/kept.dat";
    const QString folder = s.dir.path();
    if (c.writeCmb)
      s.starter.onStart["Kvar2Cmb"] = [&](const QStringList& a) { WriteFile(BaseName(a[0]) + ".cmb", "x"); };
    QPointer<PostDialog> d = c.open(s);
    s.dialogs.answers = {c.answer.isEmpty() ? QString() : s.Path(c.answer)};
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    QStringList log;
    for (const QString& l : c.log) log.append(QString(l).replace("%1", folder));
    EXPECT_EQ(s.log, log);
    ASSERT_EQ(s.dialogs.calls.size(), 1u);
    EXPECT_EQ(s.dialogs.calls[0], QStringList{"open"} + c.dialogCall);
    EXPECT_EQ(!d->isVisible(), c.closes);
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
