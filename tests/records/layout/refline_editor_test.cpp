#include "records/layout/refline_editor.h"

#include <gtest/gtest.h>

#include "../grid_fixture.h"

namespace kv {
namespace {

struct Placed { const char *name, *kind, *text; int left, top, width; };  // text: caption or items; -1: not checked
// Row by row, left to right: the tab order too. Option3/4 sit inside Picture1.
const char *const kE = "QLineEdit", *const kL = "QListWidget", *const kR = "QRadioButton", *const kK = "QCheckBox";
const Placed kControls[] = {
    {"RefLineSta", kE, "", 1680, 120, 1212},
    {"StaOn", kL, "Horizontal Control,Back Tangent,Ahead Tangent,Same Ref. as Before", 4440, 120, 1692},
    {"Option1", kR, "Left", 360, 960, -1}, {"Option2", kR, "Right", 1200, 960, -1}, {"SkewAngle", kE, "", 2880, 960, 1452},
    {"SkewRespTo", kL, "Horizontal Control,Layout Line,Back Tangent,Ahead Tangent", 1440, 1440, 1332},
    {"Option3", kR, "Parallel to Ref. Line", -1, -1, -1}, {"Option4", kR, "Same Skew as Ref. Line", -1, -1, -1},
    {"LayoutLineIs", kL, "Back Tangent,Chord,Ahead Tangent", 1440, 2280, 1332},
    {"RevLayoutLine", kL, "Incr/Not,Decr/Reversed,Decr/Not,Incr/Reversed", 4680, 2280, 1572},
    {"TransX", kE, "", 720, 3240, 1212}, {"TransY", kE, "", 2520, 3240, 1452}, {"LimitBegSta", kE, "", 1680, 4080, 1332},
    {"LimitEndSta", kE, "", 4440, 4080, 1212},
    {"Check1", kK, "Segmented Girder Lines to Be Broken at Reference Line", 240, 4920, -1},
    {"Check2", kK, "Supress Listing", 3000, 4920, -1},
    {"Check3", kK, "Offset Option for Segmented Girder Pattern Shift", 240, 5520, -1},
    {"Check4", kK, "Request X-0 Points", 3000, 5520, -1}, {"Command4", "QPushButton", "Hide", 2640, 6120, 1092}};
const char* const kLabels =
    "Reference Station:@120,120|Station is on:@3240,120|Skew@120,600|Angle:@2160,960|With Respect to:@360,1440|"
    "Default Skew Angle for Bent  Lines:@3120,1440|Layout Line Is:@120,2280|Reverse Layout Line:@3120,2280|"
    "Transform Constant for Layout Coordinates@120,2880|X:@360,3240|Y:@2160,3240|"
    "Limits of Valid Elevation and Cross-Slope Data@120,3720|Begin Station:@360,4080|End Station:@3360,4080|"
    "Options@120,4560";

TEST(RefLineEditor, ControlsTextsPlacesTabOrderNewStateAndNothingCutOff) {
  Project p;
  RefLine w(p);
  w.show();
  EXPECT_EQ(w.windowTitle() + " " + w.objectName(), "Reference Line RefLine");
  QStringList order;
  for (const Placed& c : kControls) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(w.findChildren<QWidget*>(c.name).size(), 1);
    QWidget* x = w.findChild<QWidget*>(c.name);
    EXPECT_TRUE(x->inherits(c.kind));
    if (auto* b = qobject_cast<QAbstractButton*>(x)) { EXPECT_EQ(b->text(), c.text); }
    if (auto* l = qobject_cast<QListWidget*>(x)) {
      EXPECT_EQ(ItemsOf(l).join(','), c.text);
      EXPECT_EQ(QList<qsizetype>({l->height(), l->currentRow(), l->selectedItems().size()}),
                QList<qsizetype>({Py(w, 255), -1, 0}));
      l->setCurrentRow(1);  // a one-line list shows its current item whole in height
      const QRect item = l->visualItemRect(l->item(1));
      EXPECT_TRUE(item.top() >= 0 && item.bottom() <= l->viewport()->rect().bottom() &&
                  item.height() >= l->fontMetrics().height());
    }
    if (c.left >= 0) { EXPECT_EQ(x->pos(), QPoint(Px(w, c.left), Py(w, c.top))); }
    if (c.width >= 0) { EXPECT_EQ(x->width(), Px(w, c.width)); }
    order << c.name;
  }
  QWidget* picture = w.findChild<QWidget*>("Picture1");
  ASSERT_NE(picture, nullptr);
  const QWidget *option3 = w.findChild<QWidget*>("Option3"), *option4 = w.findChild<QWidget*>("Option4");
  EXPECT_EQ(std::tuple(picture->pos(), w.rect().contains(picture->geometry()), option3->parentWidget(),
                       option3->y() < option4->y()), std::tuple(QPoint(Px(w, 4680), Py(w, 1320)), true, picture, true));
  EXPECT_EQ(testing::TabOrder(w, order), order);
  ExpectLabels(w, kLabels);
  QStringList checked;  // and nothing is cut off
  for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Check1", "Check4"})
    if (w.findChild<QAbstractButton*>(name)->isChecked()) checked << name;
  EXPECT_EQ(checked, QStringList({"Option1", "Option3"}));
  for (QLabel* l : w.findChildren<QLabel*>()) {
    SCOPED_TRACE(l->text().toStdString());
    EXPECT_LE(l->heightForWidth(l->width()), l->height());
    EXPECT_TRUE(w.rect().contains(l->geometry()));
  }
  for (const QWidget* o : {option3, option4})
    EXPECT_TRUE(o->sizeHint().width() <= o->width() && o->geometry().right() <= picture->rect().right())
        << o->objectName().toStdString();
}

TEST(RefLineEditor, EditsLandInTheProjectAndRefreshShowsIt) {
  testing::RealShell shell;
  shell.window->OpenEditor(Form::Ref);
  QWidget& w = *shell.Editor(Form::Ref);
  RefLineData& r = shell.window->project().RefLine;
  auto on = [&w](const char* name) { return w.findChild<QAbstractButton*>(name)->isChecked(); };
  QTest::keyClicks(w.findChild<QLineEdit*>("RefLineSta"), "12+34.5678");
  QTest::keyClicks(w.findChild<QLineEdit*>("TransY"), "-0.5");
  EXPECT_EQ(r.RefLineSta + " " + r.TransY, "12+34.5678 -0.5");
  for (int k = 0; k < 4; ++k)
    w.findChild<QListWidget*>(QStringList({"StaOn", "SkewRespTo", "LayoutLineIs", "RevLayoutLine"})[k])->setCurrentRow(3 - k);
  EXPECT_EQ((std::array{r.StaOn, r.SkewRespTo, r.LayoutLineIs, r.RevLayoutLine}), (std::array{3, 2, 1, 0}));
  for (const char* name : {"Option2", "Option4", "Check3"})
    QTest::mouseClick(w.findChild<QAbstractButton*>(name), Qt::LeftButton);
  // The two groups stay apart: the bent-line skew leaves the side alone.
  EXPECT_EQ((std::array{r.Option1, r.Option2, r.Option3, r.Option4, r.Check3, on("Option2")}),
            (std::array{false, true, false, true, true, true}));
  r.StaOn = 2, r.Option1 = r.Option3 = r.Check2 = true, r.Option2 = r.Option4 = false;
  r.SkewAngle = "15\xb0" "00'00.00\"", r.LimitEndSta = "135+00.0000";
  dynamic_cast<EditorWindow&>(w).Refresh();
  EXPECT_EQ(QString("%1 %2 %3 %4").arg(w.findChild<QListWidget*>("StaOn")->currentRow()).arg(r.StaOn)
                .arg(on("Option1") && on("Option3") && on("Check2")).arg(w.findChild<QLineEdit*>("SkewAngle")->text()),
            QString::fromUtf8("2 2 1 15\u00b000'00.00\""));  // showing the project writes nothing back
  Click(w, "Command4");
  EXPECT_FALSE(w.isVisible());
  shell.window->OpenEditor(Form::Ref);
  EXPECT_EQ(shell.Editor(Form::Ref), &w);
  EXPECT_EQ(w.findChild<QLineEdit*>("LimitEndSta")->text(), "135+00.0000");
}

// What a one-choice list shows selected is what Save writes: after a Ctrl+click on the chosen
// item, or a click below the items, none is selected and the line carries the code for none.
// The wheel over a list without the focus changes nothing.
TEST(FormLists, WhatTheListShowsSelectedIsWrittenAndTheWheelNeedsTheFocus) {
  const struct { Form form; const char* list; int item; const char* code; int column; char chosen, none; bool below; } cases[] = {
      {Form::Cross, "CrownType", 3, "03", 3, 'P', 'A', false}, {Form::Cross, "CrownType", 3, "03", 3, 'P', 'A', true},
      {Form::Ref, "StaOn", 2, "04", 14, '2', ' ', false}, {Form::Ref, "SkewRespTo", 1, "04", 24, '2', '0', false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.list) + (c.below ? " below" : ""));
    testing::RealShell shell;
    shell.window->OpenEditor(c.form);
    QWidget& w = *shell.Editor(c.form);
    Activate(w);
    auto* list = w.findChild<QListWidget*>(c.list);
    auto written = [&] { return Saved(shell.window->project(), c.code).at(0).at(c.column - 1); };
    auto click = [&](QPoint at, Qt::KeyboardModifiers keys) { QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, at); };
    list->scrollToItem(list->item(c.item));
    click(list->visualItemRect(list->item(c.item)).center(), {});
    const char picked = written();
    if (c.below) click({4, list->viewport()->height() - 2}, {});
    else click(list->visualItemRect(list->item(c.item)).center(), Qt::ControlModifier);
    EXPECT_EQ(std::tuple(picked, written(), list->selectedItems().size()), std::tuple(c.chosen, c.none, 0));
    // One notch over the list while another control has the focus.
    click(list->visualItemRect(list->item(c.item)).center(), {});
    w.findChild<QLineEdit*>()->setFocus();
    Wheel(list);
    EXPECT_EQ(std::tuple(written(), list->verticalScrollBar()->value()),
              std::tuple(c.chosen, c.form == Form::Ref ? c.item : 0));
  }
}

}  // namespace
}  // namespace kv
