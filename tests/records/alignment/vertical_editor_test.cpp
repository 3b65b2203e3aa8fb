#include "records/alignment/vertical_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "../../app/shell_fakes.h"

namespace kv {
namespace {

struct Box {
  const char *name, *label;
  int column;  // 0: "Vertical Curve #1", 1: "Vertical Curve #2"
};
// Top to bottom, first column then second.
const Box kBoxes[] = {{"GradeIn", "% Grade In:", 0},     {"InLength1", "In Length:", 0},
                      {"OutLength1", "Out Length:", 0},  {"PISta1", "PI Station:", 0},
                      {"PIElev1", "PI Elevation:", 0},   {"InLength2", "In Length:", 1},
                      {"OutLength2", "Out Length:", 1},  {"PISta2", "PI Station:", 1},
                      {"PIElev2", "PI Elevation:", 1},   {"GradeOut", "% Grade Out:", 1}};

QLabel* LabelLeftOf(QWidget& w, QWidget* box) {
  QLabel* best = nullptr;
  for (QLabel* l : w.findChildren<QLabel*>()) {
    if (qAbs(l->geometry().center().y() - box->geometry().center().y()) > 4) continue;
    if (l->geometry().right() >= box->geometry().left()) continue;
    if (best == nullptr || l->geometry().right() > best->geometry().right()) best = l;
  }
  return best;
}

TEST(VerticalEditor, TwoColumnsUnderTheirHeadings) {
  Project p;
  Vertical w(p);
  w.show();  // lays the grid out
  QLabel* headings[2] = {};
  for (QLabel* l : w.findChildren<QLabel*>()) {
    if (l->text() == "Vertical Curve #1") headings[0] = l;
    if (l->text() == "Vertical Curve #2") headings[1] = l;
  }
  ASSERT_TRUE(headings[0] && headings[1]);
  EXPECT_LT(headings[0]->x(), headings[1]->x());
  int lastTop[2] = {headings[0]->y(), headings[1]->y()};
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto* box = w.findChild<QLineEdit*>(b.name);
    ASSERT_NE(box, nullptr);
    QLabel* label = LabelLeftOf(w, box);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), b.label);
    EXPECT_GT(box->y(), lastTop[b.column]);
    lastTop[b.column] = box->y();
    // The second column stands right of the first one's boxes.
    EXPECT_EQ(label->x() >= headings[1]->x(), b.column == 1);
  }
}

}  // namespace
}  // namespace kv
