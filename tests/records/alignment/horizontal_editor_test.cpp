#include "records/alignment/horizontal_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../../app/shell_fakes.h"

namespace kv {
namespace {

using Field = std::string HorizontalData::*;
struct Box {
  const char* name;
  Field field;
};
// In visual (and tab) order.
const Box kBoxes[] = {{"PIStation", &HorizontalData::PIStation}, {"Delta", &HorizontalData::Delta},
                      {"Degree", &HorizontalData::Degree},       {"Radius", &HorizontalData::Radius},
                      {"InSpiral", &HorizontalData::InSpiral},   {"OutSpiral", &HorizontalData::OutSpiral},
                      {"ProfOffset", &HorizontalData::ProfOffset}, {"Back", &HorizontalData::Back},
                      {"Ahead", &HorizontalData::Ahead}};

TEST(HorizontalEditor, CaptionLabelsHeadingsButtonsAndTabOrder) {
  Project p;
  Horizontal w(p);
  EXPECT_EQ(w.windowTitle(), "Horizontal Alignment");
  EXPECT_EQ(w.objectName(), "Horizontal");
  QStringList labels;
  for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
  EXPECT_EQ(labels, (QStringList{"PI Station:", "Curve Data", "Direction:", "Combined Delta:",
                                 "Degree:", "Radius:", "In Spiral Length:", "Out Spiral Length:",
                                 "Profile Offset:", "(negative values for left)",
                                 "Station Equation", "Back:", "Ahead:"}));
  const std::pair<const char*, const char*> buttons[] = {
      {"Option1", "Left"}, {"Option2", "Right"}, {"Command2", "Hide"}};
  for (auto [name, text] : buttons) {
    auto found = w.findChildren<QAbstractButton*>(name);
    ASSERT_EQ(found.size(), 1) << name;
    EXPECT_EQ(found[0]->text(), text);
  }
  for (const Box& b : kBoxes) ASSERT_EQ(w.findChildren<QLineEdit*>(b.name).size(), 1) << b.name;
  const QStringList order{"PIStation", "Option1", "Option2", "Delta", "Degree", "Radius", "InSpiral",
                      "OutSpiral", "ProfOffset", "Back", "Ahead", "Command2"};
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(x->objectName())) chain << x->objectName();
  EXPECT_EQ(chain, order);
}

TEST(HorizontalEditor, TypingLandsInTheProjectAndRefreshShowsIt) {
  Project p;
  Horizontal w(p);
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto* box = w.findChild<QLineEdit*>(b.name);
    QTest::keyClicks(box, QStringLiteral("12+34.5"));
    EXPECT_EQ(p.Horizontal.*b.field, "12+34.5");
    p.Horizontal.*b.field = std::string("1\xb0") + "02'03.00\"";
    w.Refresh();
    EXPECT_EQ(box->text(), QString::fromUtf8("1\u00b002'03.00\""));
  }
}

TEST(HorizontalEditor, DirectionOptionsExclusiveAndBothClearAfterReading) {
  Project p;
  Horizontal w(p);
  w.show();  // clicks land where the layout puts the buttons
  auto* left = w.findChild<QRadioButton*>("Option1");
  auto* right = w.findChild<QRadioButton*>("Option2");
  EXPECT_FALSE(left->isChecked());
  EXPECT_FALSE(right->isChecked());
  QTest::mouseClick(left, Qt::LeftButton);
  EXPECT_TRUE(p.Horizontal.Option1);
  EXPECT_FALSE(p.Horizontal.Option2);
  QTest::mouseClick(right, Qt::LeftButton);
  EXPECT_FALSE(p.Horizontal.Option1);
  EXPECT_TRUE(p.Horizontal.Option2);
  EXPECT_FALSE(left->isChecked());
  // A record with neither letter leaves both clear.
  p.Horizontal.Option1 = p.Horizontal.Option2 = false;
  w.Refresh();
  EXPECT_FALSE(left->isChecked());
  EXPECT_FALSE(right->isChecked());
  p.Horizontal.Option1 = true;
  w.Refresh();
  EXPECT_TRUE(left->isChecked());
  EXPECT_FALSE(right->isChecked());
}

TEST(HorizontalEditor, DegreeFollowsTheUnitsOfItsCreation) {
  struct Case {
    int16_t units;
    bool enabled;
  } cases[] = {{0, true}, {1, false}};
  for (const Case& c : cases) {
    Project p;
    p.MetricUnits = c.units;
    Horizontal w(p);
    EXPECT_EQ(w.findChild<QLineEdit*>("Degree")->isEnabled(), c.enabled);
    QLabel* label = nullptr;
    for (QLabel* l : w.findChildren<QLabel*>())
      if (l->text() == "Degree:") label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->isEnabled(), c.enabled);
    // Set once: a later change of units leaves it.
    p.MetricUnits = 1 - c.units;
    w.Refresh();
    EXPECT_EQ(w.findChild<QLineEdit*>("Degree")->isEnabled(), c.enabled);
  }
}

TEST(HorizontalEditor, MenuMakesOneWindowAndHideKeepsTheData) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  testing::FakeClock clock;
  frmMain main(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, &clock, &settings});
  main.OpenEditor(Form::Horiz);
  EditorWindow* w = main.editors().Window(Form::Horiz);
  ASSERT_NE(dynamic_cast<Horizontal*>(w), nullptr);
  QTest::keyClicks(w->findChild<QLineEdit*>("Radius"), "150");
  QTest::mouseClick(w->findChild<QPushButton*>("Command2"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  main.OpenEditor(Form::Horiz);
  EXPECT_EQ(main.editors().Window(Form::Horiz), w);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(main.project().Horizontal.Radius, "150");
  EXPECT_EQ(w->findChild<QLineEdit*>("Radius")->text(), "150");
}

}  // namespace
}  // namespace kv
