// "Run", "Geometry": units of the chosen file, command lines and waits, the listing.
#include <gtest/gtest.h>

#include <QDir>

#include "app/frm_document.h"
#include "run_fakes.h"

namespace kv {
namespace {

using testing::RunShell;
using testing::WriteFile;

QByteArray TitleLine(char col80) {
  QByteArray t = "00BR-1      ";
  if (col80 != ' ') t = t.leftJustified(79, ' ') + col80;
  return t + "\r\n";
}

TEST(GeometryRun, UnitsOfTheChosenFilePickTheEnginesAndWaits) {
  struct Case {
    const char* name;
    QByteArray file;
    short projectUnits;
    bool metric;
  };
  const Case cases[] = {
      {"title feet", TitleLine(' ') + "00 Units: feet;\r\n00 Project: 7;\r\n01R\r\n", 0, false},
      {"title m", TitleLine('m') + "00 Units: feet;\r\n", 0, true},
      {"title M", TitleLine('M') + "01R\r\n", 0, true},
      {"units line metric", TitleLine(' ') + "00 Project: 7;\r\n00 UNITS: MeTrIc;\r\n", 0, true},
      {"units line feet wins over earlier", TitleLine(' ') + "00 Units: metric;\r\n00 units: feet;\r\n", 1, false},
      {"metric before the keyword's value", TitleLine(' ') + "00Metric Units: feet\r\n", 1, false},
      {"keyword in columns 1-2 not seen", TitleLine(' ') + "Units: metric\r\n", 1, false},
      {"description ends before the line", TitleLine(' ') + "01R\r\n00 Units: metric;\r\n", 1, false},
      {"file English, project metric", TitleLine(' '), 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.window->project().MetricUnits = c.projectUnits;
    const QString b = s.Path("pier");
    WriteFile(b + ".dat", c.file);
    s.dialogs.answers = {b + ".dat"};
    s.window->findChild<QAction*>("mnuFileRunGeometry")->trigger();
    const QStringList expected =
        c.metric ? QStringList{"start maximized \"/geo/KvarM2e\" \"" + b + ".dat\" \"" + b + ".bip\"",
                               "wait 1000",
                               "start hidden \"/geo/KvarMetr\" \"" + b + ".bip\" \"" + b + ".lis\"",
                               "wait 2000", "message Wexa_Kelvara: Output file not found " + b + ".lis"}
                 : QStringList{"start hidden \"/geo/KvarEngl\" \"" + b + ".dat\" \"" + b + ".lis\"",
                               "wait 2000", "message Wexa_Kelvara: Output file not found " + b + ".lis"};
    EXPECT_EQ(s.log, expected);
    EXPECT_EQ(s.window->project().MetricUnits, c.projectUnits);
    EXPECT_EQ(s.window->Output()->toPlainText(), "");
    EXPECT_EQ(s.window->Output()->MaxLength(), 0);
    ASSERT_EQ(s.dialogs.calls.size(), 1u);
    EXPECT_EQ(s.dialogs.calls[0], (QStringList{"open", "", "Kelvara input (*.dat)|*.dat", ""}));
  }
}

TEST(GeometryRun, BaseNameEndsAtTheFirstPeriodOfTheWholePath) {
  struct Case {
    QString path, base;
  } const cases[] = {
      {"/jobs/pier.dat", "/jobs/pier"},
      {"/jobs/pier.old.dat", "/jobs/pier"},
      {"/jobs.v2/pier.dat", "/jobs"},
      {"/jobs/pier", "/jobs/pier"},
      {".dat", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BaseName(c.path), c.base) << c.path.toStdString();

  // A period in a folder: the engine is handed the names made from that base.
  RunShell s;
  QDir(s.dir.path()).mkdir("job.v2");
  const QString p = s.Path("job.v2/pier.dat"), b = s.Path("job");
  WriteFile(p, TitleLine(' '));
  s.dialogs.answers = {p};
  RunGeometry(*s.window);
  ASSERT_FALSE(s.log.isEmpty());
  EXPECT_EQ(s.log[0], "start hidden \"/geo/KvarEngl\" \"" + b + ".dat\" \"" + b + ".lis\"");
  EXPECT_EQ(s.window->DialogFileName, p);
}

TEST(GeometryRun, NoFileAndEmptyBaseAndUnstartableEngine) {
  struct Case {
    const char* name;
    QString answer;
    bool refuse;
    QStringList log;
  } const cases[] = {
      {"cancelled", "", false, {}},
      {"empty base", ".dat", false, {"message Wexa_Kelvara: No input file has been selected."}},
      {"engine missing", "/nowhere/x.dat", true,
       {"start hidden \"/geo/KvarEngl\" \"/nowhere/x.dat\" \"/nowhere/x.lis\"",
        "message Wexa_Kelvara: The program /geo/KvarEngl could not be started."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.starter.refuse = c.refuse;
    s.window->Output()->setPlainText("before");
    s.dialogs.answers = {c.answer};
    RunGeometry(*s.window);
    EXPECT_EQ(s.log, c.log);
    EXPECT_EQ(s.window->Output()->toPlainText(), "before");
  }
}

// A listing of `lines` lines of `width` characters each, numbered at the start.
QByteArray Listing(int lines, int width) {
  QByteArray out;
  for (int i = 0; i < lines; ++i)
    out += QByteArray::number(i).leftJustified(width, 'x') + "\r\n";
  return out;
}

TEST(GeometryRun, ListingIsShownUpToTheFirstLineEndAtOrAfter65000) {
  struct Case {
    const char* name;
    int lines, width;
    bool warning;
    int shownLines;
  } const cases[] = {
      {"exactly 65000 bytes", 650, 98, false, 650},
      {"short", 3, 10, false, 3},
      {"longer, line end on 65000", 700, 98, true, 650},
      {"longer, line end past 65000", 700, 99, true, 644},  // 643 lines make 64943
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    const QString b = s.Path("pier");
    WriteFile(b + ".dat", TitleLine(' '));
    const QByteArray listing = Listing(c.lines, c.width);
    s.starter.onStart["KvarEngl"] = [&](const QStringList& a) { WriteFile(a[1], listing); };
    s.dialogs.answers = {b + ".dat"};
    RunGeometry(*s.window);
    const QString warning =
        "message Wexa_Kelvara: Warning: the output file is too large to display completely.";
    EXPECT_EQ(s.log.contains(warning), c.warning);
    EXPECT_EQ(s.log.size(), c.warning ? 3 : 2);
    const QStringList shown = s.window->Output()->toPlainText().split('\n');
    ASSERT_EQ(shown.size(), c.shownLines + 1);  // the text ends in a line end
    EXPECT_EQ(shown[c.shownLines - 1], QString::fromLatin1(listing.split('\n')[c.shownLines - 1].chopped(1)));
    EXPECT_EQ(s.window->Output()->MaxLength(), 0);
  }
}

TEST(GeometryRun, RunStartedDuringAWaitGoesOnWithItsOwnSteps) {
  RunShell s;
  const QString a = s.Path("a"), m = s.Path("m");
  WriteFile(a + ".dat", TitleLine(' '));
  WriteFile(m + ".dat", TitleLine('M'));
  s.starter.onStart["KvarEngl"] = [](const QStringList& x) { WriteFile(x[1], "listing A\r\n"); };
  s.starter.onStart["KvarMetr"] = [](const QStringList& x) { WriteFile(x[1], "listing M\r\n"); };
  s.dialogs.answers = {a + ".dat", m + ".dat"};
  QString shownByInner;
  // During A's wait the user starts a metric run; it finishes before A goes on.
  s.clock.duringWait.push_back([&] {
    RunGeometry(*s.window);
    shownByInner = s.window->Output()->toPlainText();
  });
  RunGeometry(*s.window);
  EXPECT_EQ(s.log, (QStringList{
                       "start hidden \"/geo/KvarEngl\" \"" + a + ".dat\" \"" + a + ".lis\"", "wait 2000",
                       "start maximized \"/geo/KvarM2e\" \"" + m + ".dat\" \"" + m + ".bip\"", "wait 1000",
                       "start hidden \"/geo/KvarMetr\" \"" + m + ".bip\" \"" + m + ".lis\"", "wait 2000"}));
  EXPECT_EQ(shownByInner, "listing M\n");
  EXPECT_EQ(s.window->Output()->toPlainText(), "listing A\n");
  EXPECT_EQ(s.window->DialogFileName, m + ".dat");
}

}  // namespace
}  // namespace kv
