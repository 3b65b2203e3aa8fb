#include "records/alignment/vertical_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../../app/shell_fakes.h"

namespace kv {
namespace {

struct Box {
  const char* name;
  std::string VerticalData::*field;
  const char* label;
  int column;  // 0: "Vertical Curve #1", 1: "Vertical Curve #2"
};
// Top to bottom, first column then second.
const Box kBoxes[] = {
    {"GradeIn", &VerticalData::GradeIn, "% Grade In:", 0},
    {"InLength1", &VerticalData::InLength1, "In Length:", 0},
    {"OutLength1", &VerticalData::OutLength1, "Out Length:", 0},
    {"PISta1", &VerticalData::PISta1, "PI Station:", 0},
    {"PIElev1", &VerticalData::PIElev1, "PI Elevation:", 0},
    {"InLength2", &VerticalData::InLength2, "In Length:", 1},
    {"OutLength2", &VerticalData::OutLength2, "Out Length:", 1},
    {"PISta2", &VerticalData::PISta2, "PI Station:", 1},
    {"PIElev2", &VerticalData::PIElev2, "PI Elevation:", 1},
    {"GradeOut", &VerticalData::GradeOut, "% Grade Out:", 1}};

QLabel* LabelLeftOf(QWidget& w, QWidget* box) {
  QLabel* best = nullptr;
  for (QLabel* l : w.findChildren<QLabel*>()) {
    if (qAbs(l->geometry().center().y() - box->geometry().center().y()) > 4) continue;
    if (l->geometry().right() >= box->geometry().left()) continue;
    if (best == nullptr || l->geometry().right() > best->geometry().right()) best = l;
  }
  return best;
}

TEST(VerticalEditor, TwoColumnsUnderTheirHeadingsInTabOrder) {
  Project p;
  Vertical w(p);
  EXPECT_EQ(w.windowTitle(), "Vertical Alignment");
  EXPECT_EQ(w.objectName(), "Vertical");
  w.show();  // lays the grid out
  QLabel* headings[2] = {};
  for (QLabel* l : w.findChildren<QLabel*>()) {
    if (l->text() == "Vertical Curve #1") headings[0] = l;
    if (l->text() == "Vertical Curve #2") headings[1] = l;
  }
  ASSERT_TRUE(headings[0] && headings[1]);
  EXPECT_LT(headings[0]->x(), headings[1]->x());
  int lastTop[2] = {headings[0]->y(), headings[1]->y()};
  QStringList order;
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
    order << b.name;
  }
  EXPECT_EQ(w.findChild<QPushButton*>("Command2")->text(), "Hide");
  order << "Command2";
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(x->objectName())) chain << x->objectName();
  EXPECT_EQ(chain, order);
}

TEST(VerticalEditor, TypingLandsInTheProjectRefreshShowsItHideKeepsIt) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  testing::FakeClock clock;
  frmMain main(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, &clock, &settings});
  main.OpenEditor(Form::Vert);
  EditorWindow* w = main.editors().Window(Form::Vert);
  ASSERT_NE(dynamic_cast<Vertical*>(w), nullptr);
  Project& p = main.project();
  int n = 0;
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto* box = w->findChild<QLineEdit*>(b.name);
    const QString typed = QStringLiteral("-%1.5").arg(++n);
    QTest::keyClicks(box, typed);
    EXPECT_EQ(p.Vertical.*b.field, typed.toStdString());
  }
  QTest::mouseClick(w->findChild<QPushButton*>("Command2"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  main.OpenEditor(Form::Vert);
  EXPECT_EQ(main.editors().Window(Form::Vert), w);
  EXPECT_EQ(w->findChild<QLineEdit*>("GradeOut")->text(), "-10.5");
  for (const Box& b : kBoxes) p.Vertical.*b.field = std::string("v") + b.name;
  w->Refresh();
  for (const Box& b : kBoxes)
    EXPECT_EQ(w->findChild<QLineEdit*>(b.name)->text(), QString("v") + b.name);
}

}  // namespace
}  // namespace kv
