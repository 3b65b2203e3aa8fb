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

// The steps of a run on base `b` when no listing appears.
QStringList English(const QString& b) {
  return {"start hidden \"/geo/KvarEngl\" \"" + b + ".dat\" \"" + b + ".lis\"", "wait 2000",
          "message Wexa_Kelvara: Output file not found " + b + ".lis"};
}
QStringList Metric(const QString& b) {
  return QStringList{"start maximized \"/geo/KvarM2e\" \"" + b + ".dat\" \"" + b + ".bip\"", "wait 1000",
                     "start hidden \"/geo/KvarMetr\" \"" + b + ".bip\" \"" + b + ".lis\""} +
         English(b).mid(1);
}

TEST(GeometryRun, UnitsOfTheChosenFilePickTheEnginesWaitsAndMessages) {
  const QByteArray title = TitleLine(' ');
  const struct {
    const char* name;
    QString answer;  // in the test folder unless it starts with '/' or '.'; empty: cancelled
    QByteArray file;
    short projectUnits;
    QStringList log;
    bool refuse = false;
  } cases[] = {
      {"title feet", "pier.dat", title + "00 Units: feet;\r\n00 Project: 7;\r\n01R\r\n", 0, English("%d/pier")},
      {"title m", "pier.dat", TitleLine('m') + "00 Units: feet;\r\n", 0, Metric("%d/pier")},
      {"title M", "pier.dat", TitleLine('M') + "01R\r\n", 0, Metric("%d/pier")},
      {"units line metric", "pier.dat", title + "00 Project: 7;\r\n00 UNITS: MeTrIc;\r\n", 0, Metric("%d/pier")},
      {"units line feet wins over earlier", "pier.dat", title + "00 Units: metric;\r\n00 units: feet;\r\n", 1,
       English("%d/pier")},
      {"metric before the keyword's value", "pier.dat", title + "00Metric Units: feet\r\n", 1, English("%d/pier")},
      {"keyword in columns 1-2 not seen", "pier.dat", title + "Units: metric\r\n", 1, English("%d/pier")},
      {"description ends before the line", "pier.dat", title + "01R\r\n00 Units: metric;\r\n", 1,
       English("%d/pier")},
      {"file English, project metric", "pier.dat", title, 1, English("%d/pier")},
      {"period in a folder ends the base", "job.v2/pier.dat", title, 0, English("%d/job")},
      {"cancelled", "", {}, 0, {}},
      {"empty base", ".dat", {}, 0, {"message Wexa_Kelvara: No input file has been selected."}},
      {"engine missing", "/nowhere/x.dat", {}, 0,
       {"start hidden \"/geo/KvarEngl\" \"/nowhere/x.dat\" \"/nowhere/x.lis\"",
        "message Wexa_Kelvara: The program /geo/KvarEngl could not be started."}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.window->project().MetricUnits = c.projectUnits;
    s.window->Output()->setPlainText("before");
    s.starter.refuse = c.refuse;
    QDir(s.dir.path()).mkdir("job.v2");
    const QString answer = c.answer.startsWith('/') || c.answer.startsWith('.') || c.answer.isEmpty()
                               ? c.answer : s.Path(c.answer);
    if (!c.file.isEmpty()) WriteFile(answer, c.file);
    s.dialogs.answers = {answer};
    s.window->findChild<QAction*>("mnuFileRunGeometry")->trigger();
    EXPECT_EQ(s.log, QStringList(c.log).replaceInStrings("%d", s.dir.path()));
    EXPECT_EQ(s.window->project().MetricUnits, c.projectUnits);
    const bool cleared = !c.file.isEmpty();  // the listing was looked for
    EXPECT_EQ(s.window->Output()->toPlainText(), cleared ? "" : "before");
    EXPECT_EQ(s.window->Output()->MaxLength(), cleared ? 0 : kOutputStartLimit);
    ASSERT_EQ(s.dialogs.calls.size(), 1u);
    EXPECT_EQ(s.dialogs.calls[0], (QStringList{"open", "", "Kelvara input (*.dat)|*.dat", ""}));
    EXPECT_EQ(s.window->DialogFileName, answer);
  }
  const std::pair<QString, QString> bases[] = {{"/jobs/pier.dat", "/jobs/pier"}, {"/jobs/pier.old.dat", "/jobs/pier"},
                                               {"/jobs.v2/pier.dat", "/jobs"}, {"/jobs/pier", "/jobs/pier"},
                                               {".dat", ""}};
  for (const auto& [path, base] : bases) EXPECT_EQ(BaseName(path), base) << path.toStdString();
}

// A listing of `lines` lines of `width` characters each, numbered at the start.
QByteArray Listing(int lines, int width) {
  QByteArray out;
  for (int i = 0; i < lines; ++i) out += QByteArray::number(i).leftJustified(width, 'x') + "\r\n";
  return out;
}

TEST(GeometryRun, ListingIsShownUpToTheFirstLineEndAtOrAfter65000) {
  const struct {
    const char* name;
    int lines, width;
    bool warning;
    int shownLines;
  } cases[] = {
      {"exactly 65000 bytes", 650, 98, false, 650},
      {"short", 3, 10, false, 3},
      {"longer, line end on 65000", 700, 98, true, 650},
      {"longer, line end past 65000", 700, 99, true, 644},  // 643 lines make 64943
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    const QString b = s.Path("pier");
    WriteFile(b + ".dat", TitleLine(' '));
    const QByteArray listing = Listing(c.lines, c.width);
    s.starter.onStart["KvarEngl"] = [&](const QStringList& a) { WriteFile(a[1], listing); };
    s.dialogs.answers = {b + ".dat"};
    RunGeometry(*s.window);
    QStringList log = English(b).mid(0, 2);
    if (c.warning) log << "message Wexa_Kelvara: Warning: the output file is too large to display completely.";
    EXPECT_EQ(s.log, log);
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
  EXPECT_EQ(s.log, English(a).mid(0, 2) + Metric(m).mid(0, 4));
  EXPECT_EQ(shownByInner, "listing M\n");
  EXPECT_EQ(s.window->Output()->toPlainText(), "listing A\n");
  EXPECT_EQ(s.window->DialogFileName, m + ".dat");
}

}  // namespace
}  // namespace kv
