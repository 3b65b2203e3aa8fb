#include "inputfile/description_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../app/shell_fakes.h"

namespace kv {
namespace {

struct Control {
  const char* name;
  const char* kind;
  const char* text;  // caption of buttons, nullptr for boxes
};

QString Caption(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  return QString();
}

TEST(DescriptionEditor, CaptionControlsLabelsAndTabOrder) {
  Project p;
  Description w(p);
  EXPECT_EQ(w.windowTitle(), "Description");
  EXPECT_EQ(w.objectName(), "Description");
  const Control controls[] = {
      {"StructureID", "QLineEdit", nullptr}, {"Option1", "QRadioButton", "Metric"},
      {"Option2", "QRadioButton", "English"}, {"ProjNum", "QLineEdit", nullptr},
      {"SubAcc", "QLineEdit", nullptr},       {"Designer", "QLineEdit", nullptr},
      {"Detailer", "QLineEdit", nullptr},     {"Location", "QLineEdit", nullptr},
      {"GenDesc", "QPlainTextEdit", nullptr}, {"Command2", "QPushButton", "Hide"}};
  QStringList order;
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    const auto found = w.findChildren<QWidget*>(c.name);
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0]->inherits(c.kind));
    if (c.text != nullptr) EXPECT_EQ(Caption(found[0]), QString::fromLatin1(c.text));
    order << c.name;
  }
  QStringList labels;
  for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
  EXPECT_EQ(labels, (QStringList{"Structure ID:", "Units:", "Project Number:", "Subaccount:",
                                 "Designer:", "Detailer:", "Location:", "General Description:"}));
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(x->objectName())) chain << x->objectName();
  EXPECT_EQ(chain, order);
  // English is chosen in a new project.
  EXPECT_TRUE(w.findChild<QRadioButton*>("Option2")->isChecked());
  EXPECT_FALSE(w.findChild<QRadioButton*>("Option1")->isChecked());
}

TEST(DescriptionEditor, TypingLandsInTheProjectAndRefreshShowsIt) {
  Project p;
  Description w(p);
  struct Case {
    const char* name;
    std::string DescriptionData::*field;
  } cases[] = {{"StructureID", &DescriptionData::StructureID},
               {"ProjNum", &DescriptionData::ProjNum},
               {"SubAcc", &DescriptionData::SubAcc},
               {"Designer", &DescriptionData::Designer},
               {"Detailer", &DescriptionData::Detailer},
               {"Location", &DescriptionData::Location}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* box = w.findChild<QLineEdit*>(c.name);
    QTest::keyClicks(box, QStringLiteral("A-%1").arg(c.name));
    EXPECT_EQ(p.Description.*c.field, "A-" + std::string(c.name));
    p.Description.*c.field = "from file \xb0";  // Latin-1 degree sign
    w.Refresh();
    EXPECT_EQ(box->text(), QString::fromUtf8("from file \u00b0"));
    EXPECT_EQ(p.Description.*c.field, "from file \xb0");
  }
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
  struct Step {
    QRadioButton* click;
    int16_t units;
  } steps[] = {{metric, 1}, {metric, 1}, {english, 0}, {metric, 1}};
  for (const Step& s : steps) {
    QTest::mouseClick(s.click, Qt::LeftButton);
    EXPECT_EQ(p.MetricUnits, s.units);
    EXPECT_EQ(p.Description.Option1, s.units == 1);
    EXPECT_EQ(p.Description.Option2, s.units == 0);
    EXPECT_NE(metric->isChecked(), english->isChecked());
  }
  // Showing what was read does not switch the units by itself.
  p.Description.Option1 = false;
  p.Description.Option2 = true;
  w.Refresh();
  EXPECT_TRUE(english->isChecked());
  EXPECT_EQ(p.MetricUnits, 1);
}

struct Main {
  Main() {
    settings = std::make_unique<QSettings>(dir.filePath("s.ini"), QSettings::IniFormat);
    window = std::make_unique<frmMain>(
        Platform{&dialogs, &messages, nullptr, nullptr, nullptr, &clock, settings.get()});
  }
  QTemporaryDir dir;
  testing::FakeDialogs dialogs;
  testing::FakeMessages messages;
  testing::FakeClock clock;
  std::unique_ptr<QSettings> settings;
  std::unique_ptr<frmMain> window;
};

TEST(DescriptionEditor, MenuMakesOneWindowAndHideKeepsTheData) {
  Main m;
  m.window->OpenEditor(Form::Desc);
  EditorWindow* first = m.window->editors().Window(Form::Desc);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_NE(dynamic_cast<Description*>(first), nullptr);
  QTest::keyClicks(first->findChild<QLineEdit*>("Designer"), "Kim");
  QTest::mouseClick(first->findChild<QPushButton*>("Command2"), Qt::LeftButton);
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(m.window->project().Description.Designer, "Kim");
  m.window->OpenEditor(Form::Desc);
  EXPECT_EQ(m.window->editors().Window(Form::Desc), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->findChild<QLineEdit*>("Designer")->text(), "Kim");
  first->close();  // the frame's close box only hides
  EXPECT_EQ(m.window->editors().Window(Form::Desc), first);
  EXPECT_EQ(first->findChild<QLineEdit*>("Designer")->text(), "Kim");
}

// File Open with every record editor created and hidden: each shows what was read.
TEST(DescriptionEditor, FileOpenFillsTheHiddenRecordEditors) {
  Main m;
  const Form forms[] = {Form::Desc, Form::Horiz, Form::Vert, Form::Ref, Form::RoadApp};
  for (Form f : forms) ASSERT_NE(m.window->editors().Ensure(f), nullptr);
  m.dialogs.answers << KV_TEST_DATA "/bridge_english.dat";
  m.window->mnuFileOpen_Click();
  struct Expect {
    Form form;
    const char* name;
    const char* text;
  } expects[] = {{Form::Desc, "StructureID", "BR-3SPAN01"},
                 {Form::Desc, "ProjNum", "2026-117"},
                 {Form::Desc, "Location", "Route 9 over Kelso Creek"},
                 {Form::Horiz, "Radius", "2291.83"},
                 {Form::Horiz, "PIStation", "125+40.5000"},
                 {Form::Vert, "GradeIn", "1.25"},
                 {Form::Vert, "GradeOut", "-0.8"},
                 {Form::Ref, "RefLineSta", "126+00.0000"},
                 {Form::RoadApp, "BegStr", "124+50.0"},
                 {Form::RoadApp, "Length", "30"},
                 {Form::RoadApp, "Off1", "-20"}};
  for (const Expect& e : expects) {
    SCOPED_TRACE(e.name);
    EditorWindow* w = m.window->editors().Window(e.form);
    EXPECT_FALSE(w->isVisible());
    auto* box = w->findChild<QLineEdit*>(e.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromLatin1(e.text));
  }
  auto* english = m.window->editors().Window(Form::Desc)->findChild<QRadioButton*>("Option2");
  EXPECT_TRUE(english->isChecked());
  EXPECT_TRUE(m.window->editors().Window(Form::Horiz)->findChild<QRadioButton*>("Option2")->isChecked());
}

}  // namespace
}  // namespace kv
