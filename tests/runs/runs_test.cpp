// "Run": geometry and the post-processor dialogs, through a starter, clock and message
// box that write into one log; then end to end with the stand-in programs.

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <functional>
#include <map>

#include "../app/shell_fakes.h"
#include "app/qt_platform.h"
#include "runs/post_dialogs.h"
#include "runs/runs.h"

namespace kv {
namespace {

// Starts, waits and messages in the order they happen; a start can act as well (write
// an engine's file). A wait's step runs when the test lets the time pass (Elapse).
struct Recorder : ProgramStarter, MessageBoxes, testing::FakeClock {
  bool Start(const QString& program, const QStringList& args, WindowStyle style) override {
    const char* styles[] = {"hidden", "maximized", "normal"};
    log << QStringLiteral("start %1 %2").arg(styles[int(style)], QuotedCommandLine(program, args));
    if (auto it = onStart.find(program.section('/', -1)); it != onStart.end()) it->second(args);
    return !refuse;
  }
  void Show(QWidget*, const QString& title, const QString& text, MessageIcon) override {
    log << QStringLiteral("message %1: %2").arg(title, text);
  }
  bool Ask(QWidget*, const QString& title, const QString& text) override {
    log << QStringLiteral("ask %1: %2").arg(title, text);
    return false;
  }
  void After(int ms, QObject* context, std::function<void()> then) override {
    log << QStringLiteral("wait %1").arg(ms);
    FakeClock::After(ms, context, std::move(then));
  }
  QStringList log;
  std::map<QString, std::function<void(const QStringList&)>> onStart;  // by program name
  bool refuse = false;
};

// The shell with the runs installed and the program folder "/geo".
struct RunShell : testing::Shell {
  explicit RunShell(ProgramStarter* starter = nullptr, Clock* waits = nullptr) {
    window = std::make_unique<frmMain>(Platform{&dialogs, &rec, &printer, &clipboard, starter ? starter : &rec,
                                                waits ? waits : &rec, settings.get()},
                                       EditorFactories{});
    window->ProgramFolder = "/geo";
    InstallRuns(*window);
  }
  ~RunShell() { window.reset(); }  // before the seams it uses
  QString Shown() const { return window->Output()->toPlainText(); }
  Recorder rec;
};

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << path.toStdString();
}

QByteArray TitleLine(char col80) {
  return (col80 == ' ' ? QByteArray("00BR-1      ") : QByteArray("00BR-1").leftJustified(79, ' ') + col80) + "\r\n";
}

// The steps of a run on base `b` when no listing appears.
QStringList English(const QString& b) {
  return {"start hidden \"/geo/KvarEngl\" \"" + b + ".dat\" \"" + b + ".lis\"", "wait 2000",
          "message Wexa_Kelvara: Output file not found " + b + ".lis"};
}
QStringList Metric(const QString& b) {
  return QStringList{"start maximized \"/geo/KvarM2e\" \"" + b + ".dat\" \"" + b + ".bip\"", "wait 1000",
                     "start hidden \"/geo/KvarMetr\" \"" + b + ".bip\" \"" + b + ".lis\""} + English(b).mid(1);
}

TEST(GeometryRun, UnitsOfTheChosenFilePickTheEnginesWaitsAndMessages) {
  const QByteArray t = TitleLine(' ');
  const struct {  // answer and log: "%d" the test folder; no answer: cancelled
    const char* name; QString answer; QByteArray file;
    short projectUnits; QStringList log; bool refuse = false;
  } cases[] = {
      {"title m", "%d/pier.dat", TitleLine('m') + "00 Units: feet;\r\n", 0, Metric("%d/pier")},
      {"title M", "%d/pier.dat", TitleLine('M') + "01R\r\n", 0, Metric("%d/pier")},
      {"units line metric", "%d/pier.dat", t + "00 Project: 7;\r\n00 UNITS: MeTrIc;\r\n", 0, Metric("%d/pier")},
      {"later feet wins", "%d/pier.dat", t + "00 Units: metric;\r\n00 units: feet;\r\n", 1, English("%d/pier")},
      {"metric before the keyword", "%d/pier.dat", t + "00Metric Units: feet\r\n", 1, English("%d/pier")},
      {"keyword in columns 1-2", "%d/pier.dat", t + "Units: metric\r\n", 1, English("%d/pier")},
      {"after the description", "%d/pier.dat", t + "01R\r\n00 Units: metric;\r\n", 1, English("%d/pier")},
      {"period in a folder ends the base", "%d/job.v2/pier.dat", t, 0, English("%d/job")},
      {"cancelled", "", {}, 0, {}},
      {"empty base", ".dat", {}, 0, {"message Wexa_Kelvara: No input file has been selected."}},
      {"engine missing", "/nowhere/x.dat", {}, 0,
       {"start hidden \"/geo/KvarEngl\" \"/nowhere/x.dat\" \"/nowhere/x.lis\"",
        "message Wexa_Kelvara: The program /geo/KvarEngl could not be started."}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunShell s;
    s.window->project().MetricUnits = c.projectUnits, s.rec.refuse = c.refuse;
    s.window->Output()->setPlainText("before");
    QDir(s.dir.path()).mkdir("job.v2");
    const QString answer = QString(c.answer).replace("%d", s.dir.path());
    if (!c.file.isEmpty()) Write(answer, c.file);
    s.dialogs.answers = {answer};
    s.Action("mnuFileRunGeometry")->trigger();
    s.rec.Elapse(3000);
    EXPECT_EQ(s.rec.log, QStringList(c.log).replaceInStrings("%d", s.dir.path()));
    EXPECT_EQ(s.dialogs.calls, (std::vector<QStringList>{{"open", "", "Kelvara input (*.dat)|*.dat", ""}}));
    const bool cleared = !c.file.isEmpty();  // the listing was looked for; the project's units stay
    EXPECT_EQ((QStringList{s.Shown(), QString::number(s.window->Output()->MaxLength()), s.window->DialogFileName,
                           QString::number(s.window->project().MetricUnits)}),
              (QStringList{cleared ? "" : "before", cleared ? "0" : "65000", answer, QString::number(c.projectUnits)}));
  }
  EXPECT_EQ(BaseName("/jobs/pier"), "/jobs/pier");
}

TEST(GeometryRun, ListingIsShownUpToTheFirstLineEndAtOrAfter65000) {
  const struct { int lines, width; bool warning; int shownLines; } cases[] = {  // each line numbered at its start
      {650, 98, false, 650}, {3, 10, false, 3}, {700, 98, true, 650}, {700, 99, true, 644}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines * (c.width + 2));
    RunShell s;
    const QString b = s.Path("pier");
    Write(b + ".dat", TitleLine(' '));
    QByteArray listing;
    for (int i = 0; i < c.lines; ++i) listing += QByteArray::number(i).leftJustified(c.width, 'x') + "\r\n";
    s.rec.onStart["KvarEngl"] = [&](const QStringList& a) { Write(a[1], listing); };
    s.dialogs.answers = {b + ".dat"};
    RunGeometry(*s.window);
    s.rec.Elapse(2000);
    QStringList log = English(b).mid(0, 2);
    if (c.warning) log << "message Wexa_Kelvara: Warning: the output file is too large to display completely.";
    EXPECT_EQ(s.rec.log, log);
    const QStringList shown = s.Shown().split('\n');
    ASSERT_EQ(shown.size(), c.shownLines + 1);  // the text ends in a line end
    EXPECT_EQ(shown[c.shownLines - 1], QString::fromLatin1(listing.split('\n')[c.shownLines - 1].chopped(1)));
    EXPECT_EQ(s.window->Output()->MaxLength(), 0);
  }
}

TEST(GeometryRun, RunStartedDuringAWaitGoesOnWithItsOwnSteps) {
  RunShell s;
  const QString a = s.Path("a"), m = s.Path("m");
  Write(a + ".dat", TitleLine(' '));
  Write(m + ".dat", TitleLine('M'));
  s.rec.onStart["KvarEngl"] = [](const QStringList& x) { Write(x[1], "listing A\r\n"); };
  s.rec.onStart["KvarMetr"] = [](const QStringList& x) { Write(x[1], "listing M\r\n"); };
  s.dialogs.answers = {a + ".dat", m + ".dat"};
  // English A at 0 s (listing at 2 s), metric M at 0.5 s (second stage at 1.5 s, listing at
  // 3.5 s): each shows its own listing when its own wait ends, so M's is shown last.
  RunGeometry(*s.window);
  s.rec.Elapse(500);
  RunGeometry(*s.window);
  QStringList shown;
  for (int step : {1200, 400, 1400}) s.rec.Elapse(step), shown << s.Shown();
  EXPECT_EQ(s.rec.log, (QStringList{English(a)[0], "wait 2000", Metric(m)[0], "wait 1000", Metric(m)[2],
                                    "wait 2000"}));
  EXPECT_EQ(shown + QStringList{s.window->DialogFileName},
            (QStringList{"Geometry Output Display", "listing A\n", "listing M\n", m + ".dat"}));
}

// A run whose main window is gone when its wait ends stops there.
TEST(GeometryRun, RunEndsQuietlyWhenTheMainWindowIsGone) {
  RunShell s;
  Write(s.Path("a.dat"), TitleLine(' '));
  s.dialogs.answers = {s.Path("a.dat")};
  RunGeometry(*s.window);
  s.window.reset();
  s.rec.Elapse(3000);
  EXPECT_EQ(s.rec.log, English(s.Path("a")).mid(0, 2));
}

// Each post-processor dialog: its menu entry, name, caption, fields, and labels sorted.
const struct Dialog { const char *action, *name, *caption; QStringList fields, labels; } kDialogs[] = {
    {"mnuFileRunCamber", "Camber", "Camber", {"GirderSelect"}, {"Girder selection list:", "e.g.  1,3,4,6  or 1-20"}},
    {"mnuFileRunStick", "Stick", "Stick Figure", {}, {"Select Output Type:"}},
    {"mnuFileRunProjCoord", "ProjectCoord", "Project Coordinates",
     {"NorthOff", "EastOff", "NorS", "Degrees", "Minutes", "Seconds", "EorW"},
     {"All bearing fields must be filled.", "Bearing:", "Deg.", "E/W", "Easting Offset:", "Min.", "N/S",
      "Northing Offset:", "Sec."}},
};

// The dialog its menu entry shows (the one dialog however often it is asked for), checked
// against its table line, with `input` typed into its fields (the stick type's index).
PostDialog* Open(RunShell& s, const Dialog& d, const QStringList& input = {}) {
  s.Action(d.action)->trigger();
  s.Action(d.action)->trigger();
  QList<PostDialog*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == d.name) found << qobject_cast<PostDialog*>(w);
  EXPECT_EQ(found.size(), 1) << d.name;
  PostDialog* w = found.value(0);
  if (w == nullptr || w->Command1 == nullptr) return nullptr;
  EXPECT_TRUE(w->isVisible() && w->windowModality() == Qt::NonModal && w->parentWidget() == nullptr);
  QStringList labels = testing::LabelTexts(*w), fields;
  labels.sort();
  for (const QLineEdit* e : w->findChildren<QLineEdit*>()) fields << e->objectName();
  EXPECT_EQ((QStringList{w->windowTitle(), labels.join('|'), fields.join('|'), w->Command1->objectName(),
                         w->Command1->text()}),
            (QStringList{d.caption, d.labels.join('|'), d.fields.join('|'), "Command1", "OK"}));
  for (int i = 0; i < d.fields.size() && i < input.size(); ++i)
    QTest::keyClicks(w->findChild<QLineEdit*>(d.fields[i]), input[i]);
  if (auto* type = w->findChild<QComboBox*>("cmbOutType"); type) {
    QStringList items;
    for (int i = 0; i < type->count(); ++i) items << type->itemText(i);
    EXPECT_EQ(QStringList({QString::number(type->currentIndex()), type->placeholderText()}) + items,
              (QStringList{"-1", "Output Type", "Series 5000", "AutoCAD DXF", "MX Genio"}));
    if (!input.isEmpty()) type->setCurrentIndex(input[0].toInt());
  }
  return w;
}

TEST(PostDialogs, OkStartsTheRunAndClosesTheDialog) {
  const QString coord = "start hidden \"/geo/KvarPrCo\" \"%1/b.lis\" \"%1/b.pcf\" ",
                cmb = "start hidden \"/geo/Kvar2Cmb\" \"%1/b.lis\" ", camb = "start hidden \"/geo/KvarCamb\" ",
                stick = "start hidden \"/geo/KvarStFi\" \"%1/b.lis\" ";
  // The answer is relative to the test folder, empty when cancelled; "%1" in the log is the test folder.
  const struct { int dialog; QStringList input; QString answer; bool writeCmb; QStringList log; } cases[] = {
      {0, {"1-20"}, "b.lis", true, {cmb + "\"1-20\"", "wait 1000", camb + "\"%1/b.cmb\" \"%1/b.out\""}},
      {0, {"1,3,4,6"}, "b.x.lis", false,
       {cmb + "\"1,3,4,6\"", "wait 1000", "message Wexa_Kelvara: File%1/b.cmb does not exist.  Camber run aborted."}},
      {0, {"2"}, "", false, {}},
      {1, {"1"}, "b.lis", false, {stick + "\"8\""}}, {1, {"0"}, "b.lis", false, {stick + "\"4\""}},
      {1, {"2"}, "b.lis", false, {stick + "\"16\""}}, {1, {"-1"}, "b.lis", false, {}}, {1, {"1"}, "", false, {}},
      {2, {"100.5", "-20", "N", "12", "30", "15.5", "E"}, "b.lis", false,
       {coord + "\"100.5\" \"-20\" \"N\" \"12\" \"30\" \"15.5\" \"E\""}},
      {2, {"1", "2", "N", "3", "4", "5", "W"}, "", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((kDialogs[c.dialog].name + c.input.join(',') + '/' + c.answer).toStdString());
    RunShell s;
    s.window->DialogFileName = "/kept.dat";
    if (c.writeCmb) s.rec.onStart["Kvar2Cmb"] = [](const QStringList& a) { Write(BaseName(a[0]) + ".cmb", "x"); };
    QPointer<PostDialog> d = Open(s, kDialogs[c.dialog], c.input);
    ASSERT_FALSE(d.isNull());
    s.dialogs.answers = {c.answer.isEmpty() ? QString() : s.Path(c.answer)};
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    s.rec.Elapse(1000);
    EXPECT_EQ(s.rec.log, QStringList(c.log).replaceInStrings("%1", s.dir.path()));
    const QStringList call = c.dialog == 2  // names its listing, starts from the last file chosen
                                 ? QStringList{"open", "Select Kelvara Output file for processing.",
                                               "Kelvara Output Files (*.lis)|*.lis", "/kept.dat"}
                                 : QStringList{"open", "", "Geometry Output Files (*.lis)|*.lis", ""};
    EXPECT_EQ(s.dialogs.calls, std::vector{call});
    EXPECT_EQ(d->isVisible(), c.answer.isEmpty()) << "a cancelled file dialog keeps it open";
    if (!c.answer.isEmpty()) { EXPECT_EQ(s.window->DialogFileName, s.Path(c.answer)); }
  }
}

TEST(PostDialogs, StayOpenBesideOtherWindowsAndAfterTheMainWindowCloses) {
  RunShell s;
  s.window->show();
  QPointer<PostDialog> d = Open(s, kDialogs[0], {"1-3"});
  ASSERT_FALSE(d.isNull());
  s.window->activateWindow();
  EXPECT_TRUE(d->isVisible());
  s.dialogs.answers = {s.Path("a.lis"), s.Path("b.lis")};
  // Each OK is a run of its own: a second click during the first run's wait runs another
  // listing, and each run ends when its own wait does; the dialog closes after the first.
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  s.rec.Elapse(400);
  QTest::keyClick(d->findChild<QLineEdit*>("GirderSelect"), Qt::Key_Return);  // Enter is "OK"
  s.rec.Elapse(600);
  const bool openAfterFirst = !d.isNull() && d->isVisible();
  s.rec.Elapse(400);
  const QString start = "start hidden \"/geo/Kvar2Cmb\" \"%1/%2.lis\" \"1-3\"",
                aborted = "message Wexa_Kelvara: File%1/%2.cmb does not exist.  Camber run aborted.";
  const QString f = s.dir.path();
  EXPECT_EQ(s.rec.log, (QStringList{start.arg(f, "a"), "wait 1000", start.arg(f, "b"), "wait 1000",
                                    aborted.arg(f, "a"), aborted.arg(f, "b")}));
  EXPECT_FALSE(openAfterFirst);
  EXPECT_TRUE(d.isNull() || !d->isVisible());
  QPointer<PostDialog> p = Open(s, kDialogs[2]);
  ASSERT_FALSE(p.isNull());
  s.window->close();
  EXPECT_TRUE(!s.window->isVisible() && p->isVisible());
  s.window.reset();
  EXPECT_TRUE(p.isNull());
}

// The platform's own waits, half as long: the stand-ins need far less.
struct QuickClock : testing::FakeClock {
  explicit QuickClock(Clock& platform) : real(platform) {}
  void After(int ms, QObject* context, std::function<void()> then) override {
    real.After(ms / 2, context, std::move(then));
  }
  Clock& real;
};

// What the file holds once it is there; the stand-ins run detached, so give them a moment.
QByteArray Read(const QString& path) {
  (void)QTest::qWaitFor([&] { return QFileInfo::exists(path); }, 2000);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

TEST(StandIns, GeometryThenEveryPostProcessorOnItsListing) {
  const QString folder = QCoreApplication::applicationDirPath();
  if (!QFileInfo::exists(ExecutablePath(folder, "KvarEngl"))) GTEST_SKIP() << "stand-ins not built (kelvara_engines)";
  QtPlatform real;
  QuickClock clock(*real.Get().clock);
  RunShell s(real.Get().starter, &clock);
  s.window->ProgramFolder = folder;
  // After the echo, the geometry: one girder point each, checked by hand (G1 on bent 1 in English,
  // G1 on bent 2 in metric: station, offset, x, y, elevation).
  for (const auto& [sample, units, point] :
       {std::tuple{"bridge_english.dat", "Units: English",
                   "\n      1    1     126+03.3508    -12.5765     4988.0000     2005.0456    511.2899  G1 EXTERIOR"},
        std::tuple{"overpass_metric.dat", "Units: metric",
                   "\n      1    2      3+356.8847     -1.1875       95.5207      -17.0687    102.9229  G1 LEFT"}}) {
    SCOPED_TRACE(sample);
    const QString dat = s.Path(sample);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_DATA "/") + sample, dat));
    s.dialogs.answers = {dat};
    s.window->Output()->setPlainText("before");
    RunGeometry(*s.window);
    (void)QTest::qWaitFor([&] { return s.Shown() != "before"; }, 5000);
    EXPECT_EQ(s.rec.log, QStringList{});
    const QString shown = s.Shown();
    EXPECT_TRUE(shown.startsWith("STAND-IN GEOMETRY ENGINE")) << shown.left(400).toStdString();
    // The input's lines, then the report family by family with what the editors show.
    for (const QString& part : {QString(units), QString::fromLatin1(Read(dat).split('\n').value(1).trimmed()),
                                QString("\nGirder lines\n"), QString("Text4=\"G1 "), QString(point)})
      EXPECT_TRUE(shown.contains(part)) << part.toStdString();
  }
  const QString base = BaseName(s.Path("bridge_english.dat"));
  s.dialogs.answers = {base + ".lis", base + ".lis", base + ".lis"};
  for (const auto& [d, input] : {std::pair{0, QStringList{"1-20"}}, {1, {"1"}}, {2, {"1000"}}})
    Open(s, kDialogs[d], input)->Command1->click();
  const QByteArray out = Read(base + ".out"), dxf = Read(base + ".dxf"), cmb = Read(base + ".cmb");
  EXPECT_EQ(s.rec.log, QStringList{});
  // Girders A, C and E carry the sample's three dead-load rows; B and D have none.
  EXPECT_TRUE(cmb.startsWith("Girders: 1-20\r\n") && cmb.count("\r\n07") == 3) << cmb.toStdString();
  // ...and every selected girder line's points from the listing's geometry.
  EXPECT_TRUE(cmb.count("\r\nGirder row ") == 20 &&
              cmb.contains("\r\nGirder row   5, bent row   4: station 128+89.4660, elevation 512.7864\r\n"));
  EXPECT_TRUE(out.contains(cmb.split('\n').value(1).trimmed()));
  EXPECT_TRUE(dxf.startsWith("0\r\nSECTION\r\n2\r\nENTITIES\r\n")) << dxf.left(80).toStdString();
  // Bent lines at their distances, girder lines at their offsets, with descriptions.
  for (const char* part : {"GIRDERS", "BENTS", "10\r\n85.0000\r\n20\r\n-12.0000", "PIER 2"})
    EXPECT_TRUE(dxf.contains(part)) << part << "\n" << dxf.toStdString();
  EXPECT_TRUE(Read(base + ".pcf").contains("Northing offset: [1000]\r\nEasting offset: []"));
}

}  // namespace
}  // namespace kv
