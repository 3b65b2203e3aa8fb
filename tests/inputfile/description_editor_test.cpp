#include "inputfile/description_editor.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "../app/shell_fakes.h"

namespace kv {
namespace {

TEST(DescriptionEditor, GeneralDescriptionKeepsItsLineEndsAsInTheFile) {
  Project p;
  Description w(p);
  auto* gen = w.findChild<QPlainTextEdit*>("GenDesc");
  QTest::keyClicks(gen, "one");
  QTest::keyClick(gen, Qt::Key_Return);
  QTest::keyClicks(gen, "two");
  EXPECT_EQ(p.Description.GenDesc, "one\r\ntwo");
  p.Description.GenDesc = "a\r\nb\r\n";
  w.Refresh();
  EXPECT_EQ(gen->toPlainText(), "a\nb\n");
  EXPECT_EQ(p.Description.GenDesc, "a\r\nb\r\n");
}

TEST(DescriptionEditor, UnitsButtonsSetTheUnitsAtOnceAndStayExclusive) {
  Project p;
  Description w(p);
  w.show();
  auto* metric = w.findChild<QRadioButton*>("Option1");
  auto* english = w.findChild<QRadioButton*>("Option2");
  EXPECT_TRUE(english->isChecked() && !metric->isChecked()) << "English in a new project";
  const std::pair<QRadioButton*, int16_t> steps[] = {{metric, 1}, {metric, 1}, {english, 0}, {metric, 1}};
  for (const auto& [click, units] : steps) {
    QTest::mouseClick(click, Qt::LeftButton);
    EXPECT_EQ(p.MetricUnits, units);
    EXPECT_EQ(p.Description.Option1, units == 1);
    EXPECT_EQ(p.Description.Option2, units == 0);
    EXPECT_NE(metric->isChecked(), english->isChecked());
  }
  // Showing what was read does not switch the units by itself.
  p.Description.Option1 = false;
  p.Description.Option2 = true;
  w.Refresh();
  EXPECT_TRUE(english->isChecked());
  EXPECT_EQ(p.MetricUnits, 1);
}

}  // namespace
}  // namespace kv
