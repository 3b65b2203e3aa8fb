#include "records/alignment/horizontal_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "../../app/shell_fakes.h"

namespace kv {
namespace {

TEST(HorizontalEditor, DirectionOptionsExclusiveAndBothClearAfterReading) {
  Project p;
  Horizontal w(p);
  w.show();  // clicks land where the layout puts the buttons
  auto* left = w.findChild<QRadioButton*>("Option1");
  auto* right = w.findChild<QRadioButton*>("Option2");
  auto state = [&] {
    return QList<bool>{left->isChecked(), right->isChecked(), p.Horizontal.Option1, p.Horizontal.Option2};
  };
  EXPECT_EQ(state(), (QList<bool>{false, false, false, false}));
  QTest::mouseClick(left, Qt::LeftButton);
  EXPECT_EQ(state(), (QList<bool>{true, false, true, false}));
  QTest::mouseClick(right, Qt::LeftButton);
  EXPECT_EQ(state(), (QList<bool>{false, true, false, true}));
  p.Horizontal.Option1 = p.Horizontal.Option2 = false;  // a record with neither letter
  w.Refresh();
  EXPECT_EQ(state(), (QList<bool>{false, false, false, false}));
  p.Horizontal.Option1 = true;
  w.Refresh();
  EXPECT_EQ(state(), (QList<bool>{true, false, true, false}));
}

TEST(HorizontalEditor, DegreeFollowsTheUnitsOfItsCreation) {
  for (const int16_t units : {0, 1}) {
    Project p;
    p.MetricUnits = units;
    Horizontal w(p);
    QLabel* label = nullptr;
    for (QLabel* l : w.findChildren<QLabel*>())
      if (l->text() == "Degree:") label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->isEnabled(), units == 0);
    p.MetricUnits = 1 - units;  // set once: a later change of units leaves it
    w.Refresh();
    EXPECT_EQ(w.findChild<QLineEdit*>("Degree")->isEnabled(), units == 0);
  }
}

}  // namespace
}  // namespace kv
