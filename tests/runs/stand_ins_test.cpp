// The runs end to end with the stand-in programs from the program's folder, real
// starts and shortened real waits.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/frm_document.h"
#include "app/qt_platform.h"
#include "run_fakes.h"
#include "runs/post_dialogs.h"

namespace kv {
namespace {

// The platform's own waits, half as long: the stand-ins need far less.
class QuickClock : public testing::FakeClock {
 public:
  explicit QuickClock(Clock& real) : real_(real) {}
  void Wait(int ms) override { real_.Wait(ms / 2); }

 private:
  Clock& real_;
};

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The stand-ins are started detached; give a slow machine a moment more.
bool AppearsSoon(const QString& path, Clock& clock) {
  for (int i = 0; i < 20 && !QFileInfo::exists(path); ++i) clock.Wait(100);
  return QFileInfo::exists(path);
}

TEST(StandIns, GeometryThenEveryPostProcessorOnItsListing) {
  const QString folder = QCoreApplication::applicationDirPath();
  if (!QFileInfo::exists(ExecutablePath(folder, "KvarEngl")))
    GTEST_SKIP() << "stand-ins not built (target kelvara_engines)";
  QtPlatform real;
  QuickClock clock(*real.Get().clock);
  testing::RunShell s;
  s.window = std::make_unique<frmMain>(
      Platform{&s.dialogs, &s.messages, &s.printer, &s.clipboard, real.Get().starter, &clock,
               s.settings.get()},
      EditorFactories{});
  s.window->ProgramFolder = folder;
  struct Case {
    const char* sample;
    const char* units;
  } const cases[] = {{"bridge_english.dat", "Units: English"}, {"overpass_metric.dat", "Units: metric"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample);
    const QString dat = s.Path(QString::fromLatin1(c.sample));
    QFile::remove(dat);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_DATA "/") + c.sample, dat));
    s.dialogs.answers = {dat};
    RunGeometry(*s.window);
    EXPECT_EQ(s.log.filter("message"), QStringList{});
    const QString shown = s.window->Output()->toPlainText();
    EXPECT_TRUE(shown.startsWith("STAND-IN GEOMETRY ENGINE")) << shown.left(200).toStdString();
    EXPECT_TRUE(shown.contains(c.units));
    const QByteArray firstRecord = Read(dat).split('\n').value(1).trimmed();
    EXPECT_TRUE(shown.contains(QString::fromLatin1(firstRecord)));
    // The report goes family by family with what the editors show.
    EXPECT_TRUE(shown.contains("\nGirder lines\n")) << shown.left(400).toStdString();
    EXPECT_TRUE(shown.contains("Text4=\"G1 "));
    s.log.clear();
  }

  const QString lis = BaseName(s.Path("bridge_english.dat")) + ".lis";
  const QString base = BaseName(lis);
  s.dialogs.answers = {lis, lis, lis};
  auto* camber = ShowPostDialog<Camber>(*s.window);
  camber->GirderSelect->setText("1-20");
  camber->Command1->click();
  auto* stick = ShowPostDialog<Stick>(*s.window);
  stick->cmbOutType->setCurrentIndex(1);
  stick->Command1->click();
  auto* coord = ShowPostDialog<ProjectCoord>(*s.window);
  coord->NorthOff->setText("1000");
  coord->Command1->click();
  EXPECT_EQ(s.log.filter("message"), QStringList{});
  ASSERT_TRUE(AppearsSoon(base + ".out", *real.Get().clock));
  ASSERT_TRUE(AppearsSoon(base + ".dxf", *real.Get().clock));
  ASSERT_TRUE(AppearsSoon(base + ".pcf", *real.Get().clock));
  const QByteArray cmb = Read(base + ".cmb");
  EXPECT_TRUE(cmb.startsWith("Girders: 1-20\r\n"));
  // Girders A, C and E carry the sample's three dead-load rows; B and D have none.
  EXPECT_EQ(cmb.count("\r\n07"), 3) << cmb.toStdString();
  EXPECT_TRUE(Read(base + ".out").contains(Read(base + ".cmb").split('\n').value(1).trimmed()));
  const QByteArray dxf = Read(base + ".dxf");
  EXPECT_TRUE(dxf.startsWith("0\r\nSECTION\r\n2\r\nENTITIES\r\n")) << dxf.left(80).toStdString();
  EXPECT_TRUE(dxf.contains("GIRDERS"));
  EXPECT_TRUE(dxf.contains("BENTS"));
  // Bent lines at their distances, girder lines at their offsets, with descriptions.
  EXPECT_TRUE(dxf.contains("10\r\n85.0000\r\n20\r\n-12.0000")) << dxf.toStdString();
  EXPECT_TRUE(dxf.contains("PIER 2"));
  EXPECT_TRUE(Read(base + ".pcf").contains("Northing offset: [1000]\r\nEasting offset: []"));
}

}  // namespace
}  // namespace kv
