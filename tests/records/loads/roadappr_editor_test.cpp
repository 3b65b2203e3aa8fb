#include "records/loads/roadappr_editor.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "../../app/shell_fakes.h"
#include "app/settings.h"

namespace kv {
namespace {

struct Box {
  const char* name;
  int left, width;  // twips
};
const Box kBoxes[] = {{"BegStr", 120, 852}, {"EndStr", 960, 732},  {"Length", 1680, 972}, {"Off1", 2760, 972},
                      {"Off2", 3720, 852},  {"Off3", 4560, 852},  {"Off4", 5400, 852},   {"Off5", 6240, 852},
                      {"Off6", 7080, 852},  {"Off7", 7920, 852}};

TEST(RoadApprEditor, RowHeadingsAndBracketInTwips) {
  Project p;
  RoadAppr w(p);
  const double dx = w.logicalDpiX(), dy = w.logicalDpiY();
  EXPECT_EQ(w.size(), QSize(TwipsToPixels(8985, dx), TwipsToPixels(1470, dy)));
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto found = w.findChildren<QLineEdit*>(b.name);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0]->geometry(), QRect(TwipsToPixels(b.left, dx), TwipsToPixels(480, dy),
                                          TwipsToPixels(b.width, dx), TwipsToPixels(288, dy)));
    EXPECT_TRUE(found[0]->text().isEmpty());
  }
  auto* hide = w.findChild<QPushButton*>("Command1");
  ASSERT_NE(hide, nullptr);
  EXPECT_EQ(hide->pos(), QPoint(TwipsToPixels(4200, dx), TwipsToPixels(1080, dy)));
  EXPECT_EQ(hide->width(), TwipsToPixels(1092, dx));
  for (QLabel* l : w.findChildren<QLabel*>())
    EXPECT_LE(l->geometry().bottom(), TwipsToPixels(480, dy)) << l->text().toStdString();
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

}  // namespace
}  // namespace kv
