// The record editors as the main window makes them: one window per form, each box bound
// to its own field, Hide keeping what was typed, File Open filling the hidden ones.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "shell_fakes.h"

namespace kv {
namespace {

struct Box {
  Form form;
  const char* name;
  std::string& (*field)(Project&);
};
#define BOX(form, record, name) {Form::form, #name, [](Project& p) -> std::string& { return p.record.name; }}
const Box kBoxes[] = {
    BOX(Desc, Description, StructureID), BOX(Desc, Description, ProjNum),   BOX(Desc, Description, SubAcc),
    BOX(Desc, Description, Designer),    BOX(Desc, Description, Detailer),  BOX(Desc, Description, Location),
    BOX(Horiz, Horizontal, PIStation),   BOX(Horiz, Horizontal, Delta),     BOX(Horiz, Horizontal, Degree),
    BOX(Horiz, Horizontal, Radius),      BOX(Horiz, Horizontal, InSpiral),  BOX(Horiz, Horizontal, OutSpiral),
    BOX(Horiz, Horizontal, ProfOffset),  BOX(Horiz, Horizontal, Back),      BOX(Horiz, Horizontal, Ahead),
    BOX(Vert, Vertical, GradeIn),        BOX(Vert, Vertical, InLength1),    BOX(Vert, Vertical, OutLength1),
    BOX(Vert, Vertical, PISta1),         BOX(Vert, Vertical, PIElev1),      BOX(Vert, Vertical, InLength2),
    BOX(Vert, Vertical, OutLength2),     BOX(Vert, Vertical, PISta2),       BOX(Vert, Vertical, PIElev2),
    BOX(Vert, Vertical, GradeOut),       BOX(RoadApp, RoadAppr, BegStr),    BOX(RoadApp, RoadAppr, EndStr),
    BOX(RoadApp, RoadAppr, Length),      BOX(RoadApp, RoadAppr, Off1),      BOX(RoadApp, RoadAppr, Off2),
    BOX(RoadApp, RoadAppr, Off3),        BOX(RoadApp, RoadAppr, Off4),      BOX(RoadApp, RoadAppr, Off5),
    BOX(RoadApp, RoadAppr, Off6),        BOX(RoadApp, RoadAppr, Off7)};
#undef BOX

TEST(EditorTable, CaptionsLabelsButtonsAndTabOrder) {
  const struct {
    Form form;
    const char* title;
    QStringList labels, tabs, buttons;  // buttons: name=caption
  } editors[] = {
      {Form::Desc, "Description",
       {"Structure ID:", "Units:", "Project Number:", "Subaccount:", "Designer:", "Detailer:", "Location:",
        "General Description:"},
       {"StructureID", "Option1", "Option2", "ProjNum", "SubAcc", "Designer", "Detailer", "Location", "GenDesc",
        "Command2"},
       {"Option1=Metric", "Option2=English", "Command2=Hide"}},
      {Form::Horiz, "Horizontal Alignment",
       {"PI Station:", "Curve Data", "Direction:", "Combined Delta:", "Degree:", "Radius:", "In Spiral Length:",
        "Out Spiral Length:", "Profile Offset:", "(negative values for left)", "Station Equation", "Back:",
        "Ahead:"},
       {"PIStation", "Option1", "Option2", "Delta", "Degree", "Radius", "InSpiral", "OutSpiral", "ProfOffset",
        "Back", "Ahead", "Command2"},
       {"Option1=Left", "Option2=Right", "Command2=Hide"}},
      {Form::Vert, "Vertical Alignment",
       {"Vertical Curve #1", "% Grade In:", "In Length:", "Out Length:", "PI Station:", "PI Elevation:",
        "Vertical Curve #2", "In Length:", "Out Length:", "PI Station:", "PI Elevation:", "% Grade Out:"},
       {"GradeIn", "InLength1", "OutLength1", "PISta1", "PIElev1", "InLength2", "OutLength2", "PISta2", "PIElev2",
        "GradeOut", "Command2"},
       {"Command2=Hide"}},
      {Form::RoadApp, "Roadway Approaches",
       {"Begin Structure", "End Structure", "Approach Length", "Offsets from Horizontal Control"},
       {"BegStr", "EndStr", "Length", "Off1", "Off2", "Off3", "Off4", "Off5", "Off6", "Off7", "Command1"},
       {"Command1=Hide"}},
  };
  testing::RealShell s;
  for (const auto& e : editors) {
    SCOPED_TRACE(e.title);
    EditorWindow* w = s.window->editors().Ensure(e.form);
    EXPECT_EQ(w->windowTitle(), e.title);
    EXPECT_EQ(testing::LabelTexts(*w), e.labels);
    for (const QString& name : e.tabs) EXPECT_EQ(w->findChildren<QWidget*>(name).size(), 1) << name.toStdString();
    EXPECT_EQ(testing::TabOrder(*w, e.tabs), e.tabs);
    for (const QString& b : e.buttons)
      EXPECT_EQ(w->findChild<QAbstractButton*>(b.section('=', 0, 0))->text(), b.section('=', 1)) << b.toStdString();
  }
}

TEST(EditorTable, EachBoxEditsItsOwnFieldRefreshShowsItHideKeepsIt) {
  const struct {
    Form form;
    const char *className, *hide;
  } forms[] = {{Form::Desc, "kv::Description", "Command2"}, {Form::Horiz, "kv::Horizontal", "Command2"},
               {Form::Vert, "kv::Vertical", "Command2"}, {Form::RoadApp, "kv::RoadAppr", "Command1"}};
  testing::RealShell s;
  Project& p = s.window->project();
  for (const auto& f : forms) {
    s.window->OpenEditor(f.form);
    ASSERT_NE(s.Editor(f.form), nullptr);
    EXPECT_STREQ(s.Editor(f.form)->metaObject()->className(), f.className);
  }
  auto typed = [](const Box& b) { return QStringLiteral("-%1+0.5").arg(&b - kBoxes); };
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    auto* box = s.Editor(b.form)->findChild<QLineEdit*>(b.name);
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, typed(b));
    EXPECT_EQ(b.field(p), typed(b).toStdString());
  }
  for (const auto& f : forms) {  // Hide, and the menu shows the same window with what was typed
    EditorWindow* w = s.Editor(f.form);
    QTest::mouseClick(w->findChild<QPushButton*>(f.hide), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible()) << f.className;
    s.window->OpenEditor(f.form);
    EXPECT_EQ(s.Editor(f.form), w);
    EXPECT_TRUE(w->isVisible()) << f.className;
    w->close();  // the frame's close box only hides too
    EXPECT_EQ(s.Editor(f.form), w);
  }
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    EXPECT_EQ(s.Editor(b.form)->findChild<QLineEdit*>(b.name)->text(), typed(b));
    EXPECT_EQ(b.field(p), typed(b).toStdString());
    b.field(p) = std::string("\xb0") + b.name;  // Latin-1 degree sign, as read from a file
  }
  for (const auto& f : forms) s.Editor(f.form)->Refresh();
  for (const Box& b : kBoxes) {
    SCOPED_TRACE(b.name);
    EXPECT_EQ(s.Editor(b.form)->findChild<QLineEdit*>(b.name)->text(), QString::fromUtf8("\u00b0") + b.name);
    EXPECT_EQ(b.field(p), std::string("\xb0") + b.name);
  }
}

TEST(EditorTable, FileOpenFillsTheHiddenRecordEditors) {
  testing::RealShell s;
  for (Form f : {Form::Desc, Form::Horiz, Form::Vert, Form::Ref, Form::RoadApp})
    ASSERT_NE(s.window->editors().Ensure(f), nullptr);
  s.dialogs.answers << KV_TEST_DATA "/bridge_english.dat";
  s.window->mnuFileOpen_Click();
  const struct {
    Form form;
    const char *name, *text;
  } expects[] = {{Form::Desc, "StructureID", "BR-3SPAN01"},  {Form::Desc, "ProjNum", "2026-117"},
                 {Form::Desc, "Location", "Route 9 over Kelso Creek"},
                 {Form::Horiz, "Radius", "2291.83"},       {Form::Horiz, "PIStation", "125+40.5000"},
                 {Form::Vert, "GradeIn", "1.25"},          {Form::Vert, "GradeOut", "-0.8"},
                 {Form::Ref, "RefLineSta", "126+00.0000"}, {Form::RoadApp, "BegStr", "124+50.0"},
                 {Form::RoadApp, "Length", "30"},          {Form::RoadApp, "Off1", "-20"}};
  for (const auto& e : expects) {
    SCOPED_TRACE(e.name);
    EditorWindow* w = s.Editor(e.form);
    EXPECT_FALSE(w->isVisible());
    auto* box = w->findChild<QLineEdit*>(e.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromLatin1(e.text));
  }
  for (Form f : {Form::Desc, Form::Horiz})  // English; the curve to the right
    EXPECT_TRUE(s.Editor(f)->findChild<QRadioButton*>("Option2")->isChecked());
}

}  // namespace
}  // namespace kv
