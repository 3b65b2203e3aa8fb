#include "records/loads/roadappr_editor.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../../app/shell_fakes.h"
#include "app/settings.h"

namespace kv {
namespace {

struct Box {
  const char* name;
  std::string RoadApprData::*field;
  int left, width;
};
const Box kBoxes[] = {{"BegStr", &RoadApprData::BegStr, 120, 852},  {"EndStr", &RoadApprData::EndStr, 960, 732},
                      {"Length", &RoadApprData::Length, 1680, 972}, {"Off1", &RoadApprData::Off1, 2760, 972},
                      {"Off2", &RoadApprData::Off2, 3720, 852},     {"Off3", &RoadApprData::Off3, 4560, 852},
                      {"Off4", &RoadApprData::Off4, 5400, 852},     {"Off5", &RoadApprData::Off5, 6240, 852},
                      {"Off6", &RoadApprData::Off6, 7080, 852},     {"Off7", &RoadApprData::Off7, 7920, 852}};

TEST(RoadApprEditor, RowInTwipsHeadingsBracketAndTabOrder) {
  Project p;
  RoadAppr w(p);
  EXPECT_EQ(w.windowTitle(), "Roadway Approaches");
  EXPECT_EQ(w.objectName(), "RoadAppr");
  const double dx = w.logicalDpiX(), dy = w.logicalDpiY();
  EXPECT_EQ(w.size(), QSize(TwipsToPixels(8985, dx), TwipsToPixels(1470, dy)));
  QStringList order;
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto found = w.findChildren<QLineEdit*>(b.name);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0]->geometry(), QRect(TwipsToPixels(b.left, dx), TwipsToPixels(480, dy),
                                          TwipsToPixels(b.width, dx), TwipsToPixels(288, dy)));
    EXPECT_TRUE(found[0]->text().isEmpty());
    order << b.name;
  }
  auto* hide = w.findChild<QPushButton*>("Command1");
  ASSERT_NE(hide, nullptr);
  EXPECT_EQ(hide->text(), "Hide");
  EXPECT_EQ(hide->pos(), QPoint(TwipsToPixels(4200, dx), TwipsToPixels(1080, dy)));
  EXPECT_EQ(hide->width(), TwipsToPixels(1092, dx));
  order << "Command1";
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(x->objectName())) chain << x->objectName();
  EXPECT_EQ(chain, order);

  QStringList headings;
  for (QLabel* l : w.findChildren<QLabel*>()) {
    headings << l->text();
    EXPECT_LE(l->geometry().bottom(), TwipsToPixels(480, dy)) << l->text().toStdString();
  }
  EXPECT_EQ(headings, (QStringList{"Begin Structure", "End Structure", "Approach Length",
                                   "Offsets from Horizontal Control"}));
  // The bracket spans Off1's left edge to the row's right end.
  const int off1 = TwipsToPixels(2760, dx), end = TwipsToPixels(7920 + 852, dx);
  int lo = INT_MAX, hi = INT_MIN;
  for (const char* name : {"Line1", "Line2", "Line3", "Line4"}) {
    auto* line = w.findChild<QFrame*>(name);
    ASSERT_NE(line, nullptr) << name;
    lo = std::min(lo, line->geometry().center().x() - (line->width() > 4 ? line->width() / 2 : 0));
    hi = std::max(hi, line->geometry().center().x() + (line->width() > 4 ? line->width() / 2 : 0));
  }
  EXPECT_NEAR(lo, off1, 1);
  EXPECT_NEAR(hi, end, 1);
}

TEST(RoadApprEditor, TypingRefreshHideAndOneWindow) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  testing::FakeClock clock;
  frmMain main(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, &clock, &settings});
  main.OpenEditor(Form::RoadApp);
  EditorWindow* w = main.editors().Window(Form::RoadApp);
  ASSERT_NE(dynamic_cast<RoadAppr*>(w), nullptr);
  RoadApprData& a = main.project().RoadAppr;
  int n = 0;
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    const QString typed = QStringLiteral("%1+0%2").arg(++n).arg(n);
    QTest::keyClicks(w->findChild<QLineEdit*>(b.name), typed);
    EXPECT_EQ(a.*b.field, typed.toStdString());
  }
  QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(a.Off7, "10+010");
  for (const Box& b : kBoxes) a.*b.field = std::string("r") + b.name;
  w->Refresh();
  main.OpenEditor(Form::RoadApp);
  EXPECT_EQ(main.editors().Window(Form::RoadApp), w);
  EXPECT_TRUE(w->isVisible());
  for (const Box& b : kBoxes)
    EXPECT_EQ(w->findChild<QLineEdit*>(b.name)->text(), QString("r") + b.name);
}

}  // namespace
}  // namespace kv
