#include "records/layout/refline_editor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../../app/shell_fakes.h"
#include "app/settings.h"

namespace kv {
namespace {

struct Placed {
  const char* name;
  const char* kind;
  const char* text;  // caption of a button, nullptr for boxes and lists
  int left, top, width;
};
// Row by row, left to right: the tab order too. Option3/4 sit inside Picture1.
const Placed kControls[] = {
    {"RefLineSta", "QLineEdit", nullptr, 1680, 120, 1212},
    {"StaOn", "QListWidget", nullptr, 4440, 120, 1692},
    {"Option1", "QRadioButton", "Left", 360, 960, -1},
    {"Option2", "QRadioButton", "Right", 1200, 960, -1},
    {"SkewAngle", "QLineEdit", nullptr, 2880, 960, 1452},
    {"SkewRespTo", "QListWidget", nullptr, 1440, 1440, 1332},
    {"Option3", "QRadioButton", "Parallel to Ref. Line", -1, -1, -1},
    {"Option4", "QRadioButton", "Same Skew as Ref. Line", -1, -1, -1},
    {"LayoutLineIs", "QListWidget", nullptr, 1440, 2280, 1332},
    {"RevLayoutLine", "QListWidget", nullptr, 4680, 2280, 1572},
    {"TransX", "QLineEdit", nullptr, 720, 3240, 1212},
    {"TransY", "QLineEdit", nullptr, 2520, 3240, 1452},
    {"LimitBegSta", "QLineEdit", nullptr, 1680, 4080, 1332},
    {"LimitEndSta", "QLineEdit", nullptr, 4440, 4080, 1212},
    {"Check1", "QCheckBox", "Segmented Girder Lines to Be Broken at Reference Line", 240, 4920, -1},
    {"Check2", "QCheckBox", "Supress Listing", 3000, 4920, -1},
    {"Check3", "QCheckBox", "Offset Option for Segmented Girder Pattern Shift", 240, 5520, -1},
    {"Check4", "QCheckBox", "Request X-0 Points", 3000, 5520, -1},
    {"Command4", "QPushButton", "Hide", 2640, 6120, 1092}};

TEST(RefLineEditor, ControlsTextsTwipsPositionsAndTabOrder) {
  Project p;
  RefLine w(p);
  EXPECT_EQ(w.windowTitle(), "Reference Line");
  EXPECT_EQ(w.objectName(), "RefLine");
  const double dx = w.logicalDpiX(), dy = w.logicalDpiY();
  QStringList order;
  for (const Placed& c : kControls) {
    SCOPED_TRACE(c.name);
    auto found = w.findChildren<QWidget*>(c.name);
    ASSERT_EQ(found.size(), 1);
    QWidget* x = found[0];
    EXPECT_TRUE(x->inherits(c.kind));
    if (c.text) EXPECT_EQ(qobject_cast<QAbstractButton*>(x)->text(), c.text);
    if (c.left >= 0) EXPECT_EQ(x->x(), TwipsToPixels(c.left, dx));
    if (c.top >= 0) EXPECT_EQ(x->y(), TwipsToPixels(c.top, dy));
    if (c.width >= 0) EXPECT_EQ(x->width(), TwipsToPixels(c.width, dx));
    if (x->inherits("QListWidget")) EXPECT_EQ(x->height(), TwipsToPixels(255, dy));
    order << c.name;
  }
  QWidget* picture = w.findChild<QWidget*>("Picture1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pos(), QPoint(TwipsToPixels(4680, dx), TwipsToPixels(1320, dy)));
  EXPECT_EQ(w.findChild<QWidget*>("Option3")->parentWidget(), picture);
  EXPECT_LT(w.findChild<QWidget*>("Option3")->y(), w.findChild<QWidget*>("Option4")->y());
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(x->objectName())) chain << x->objectName();
  EXPECT_EQ(chain, order);

  // Labels and headings with their left and top.
  struct Label {
    const char* text;
    int left, top;
  } labels[] = {{"Reference Station:", 120, 120},
                {"Station is on:", 3240, 120},
                {"Skew", 120, 600},
                {"Angle:", 2160, 960},
                {"With Respect to:", 360, 1440},
                {"Default Skew Angle for Bent  Lines:", 3120, 1440},
                {"Layout Line Is:", 120, 2280},
                {"Reverse Layout Line:", 3120, 2280},
                {"Transform Constant for Layout Coordinates", 120, 2880},
                {"X:", 360, 3240},
                {"Y:", 2160, 3240},
                {"Limits of Valid Elevation and Cross-Slope Data", 120, 3720},
                {"Begin Station:", 360, 4080},
                {"End Station:", 3360, 4080},
                {"Options", 120, 4560}};
  auto all = w.findChildren<QLabel*>();
  ASSERT_EQ(all.size(), std::size(labels));
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    SCOPED_TRACE(labels[i].text);
    EXPECT_EQ(all[i]->text(), labels[i].text);
    EXPECT_EQ(all[i]->pos(), QPoint(TwipsToPixels(labels[i].left, dx), TwipsToPixels(labels[i].top, dy)));
  }
}

TEST(RefLineEditor, NothingIsCutOff) {
  Project p;
  RefLine w(p);
  w.show();
  const QRect window = w.rect();
  for (QLabel* l : w.findChildren<QLabel*>()) {
    SCOPED_TRACE(l->text().toStdString());
    EXPECT_LE(l->heightForWidth(l->width()), l->height());
    EXPECT_TRUE(window.contains(l->geometry()));
  }
  QWidget* picture = w.findChild<QWidget*>("Picture1");
  EXPECT_TRUE(window.contains(picture->geometry()));
  for (const char* name : {"Option3", "Option4"}) {
    auto* option = w.findChild<QRadioButton*>(name);
    EXPECT_LE(option->sizeHint().width(), option->width()) << name;
    EXPECT_LE(option->geometry().right(), picture->rect().right()) << name;
  }
  // A one-line list shows its current item whole in height.
  for (const char* name : {"StaOn", "SkewRespTo", "LayoutLineIs", "RevLayoutLine"}) {
    auto* list = w.findChild<QListWidget*>(name);
    list->setCurrentRow(1);
    const QRect item = list->visualItemRect(list->item(1));
    EXPECT_GE(item.top(), 0) << name;
    EXPECT_LE(item.bottom(), list->viewport()->rect().bottom()) << name;
    EXPECT_GE(item.height(), list->fontMetrics().height()) << name;
  }
}

TEST(RefLineEditor, NewWindowStateAndListItems) {
  Project p;
  RefLine w(p);
  struct List {
    const char* name;
    QStringList items;
  } lists[] = {
      {"StaOn", {"Horizontal Control", "Back Tangent", "Ahead Tangent", "Same Ref. as Before"}},
      {"SkewRespTo", {"Horizontal Control", "Layout Line", "Back Tangent", "Ahead Tangent"}},
      {"LayoutLineIs", {"Back Tangent", "Chord", "Ahead Tangent"}},
      {"RevLayoutLine", {"Incr/Not", "Decr/Reversed", "Decr/Not", "Incr/Reversed"}}};
  for (const List& l : lists) {
    SCOPED_TRACE(l.name);
    auto* list = w.findChild<QListWidget*>(l.name);
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    EXPECT_EQ(items, l.items);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());
  }
  const std::pair<const char*, bool> checked[] = {{"Option1", true}, {"Option2", false},
                                                  {"Option3", true}, {"Option4", false},
                                                  {"Check1", false}, {"Check4", false}};
  for (auto [name, on] : checked)
    EXPECT_EQ(w.findChild<QAbstractButton*>(name)->isChecked(), on) << name;
}

TEST(RefLineEditor, EditsLandInTheProject) {
  Project p;
  RefLine w(p);
  w.show();
  QTest::keyClicks(w.findChild<QLineEdit*>("RefLineSta"), "12+34.5678");
  QTest::keyClicks(w.findChild<QLineEdit*>("TransY"), "-0.5");
  EXPECT_EQ(p.RefLine.RefLineSta, "12+34.5678");
  EXPECT_EQ(p.RefLine.TransY, "-0.5");
  struct Pick {
    const char* name;
    int row;
    int RefLineData::*field;
  } picks[] = {{"StaOn", 3, &RefLineData::StaOn},
               {"SkewRespTo", 1, &RefLineData::SkewRespTo},
               {"LayoutLineIs", 2, &RefLineData::LayoutLineIs},
               {"RevLayoutLine", 0, &RefLineData::RevLayoutLine}};
  for (const Pick& k : picks) {
    w.findChild<QListWidget*>(k.name)->setCurrentRow(k.row);
    EXPECT_EQ(p.RefLine.*k.field, k.row) << k.name;
  }
  QTest::mouseClick(w.findChild<QRadioButton*>("Option2"), Qt::LeftButton);
  QTest::mouseClick(w.findChild<QRadioButton*>("Option4"), Qt::LeftButton);
  QTest::mouseClick(w.findChild<QCheckBox*>("Check3"), Qt::LeftButton);
  EXPECT_FALSE(p.RefLine.Option1);
  EXPECT_TRUE(p.RefLine.Option2);
  EXPECT_FALSE(p.RefLine.Option3);
  EXPECT_TRUE(p.RefLine.Option4);
  EXPECT_TRUE(p.RefLine.Check3);
  // The two groups stay apart: picking the bent-line skew leaves the side alone.
  EXPECT_TRUE(w.findChild<QRadioButton*>("Option2")->isChecked());
}

TEST(RefLineEditor, RefreshShowsTheProjectAndHideKeepsIt) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  testing::FakeClock clock;
  frmMain main(Platform{nullptr, nullptr, nullptr, nullptr, nullptr, &clock, &settings});
  main.OpenEditor(Form::Ref);
  EditorWindow* w = main.editors().Window(Form::Ref);
  ASSERT_NE(dynamic_cast<RefLine*>(w), nullptr);
  RefLineData& r = main.project().RefLine;
  r.StaOn = 2;
  r.Option1 = false, r.Option2 = true;
  r.Option3 = false, r.Option4 = true;
  r.SkewAngle = "15\xb0" "00'00.00\"";
  r.Check2 = true;
  r.LimitEndSta = "135+00.0000";
  w->Refresh();
  EXPECT_EQ(w->findChild<QListWidget*>("StaOn")->currentRow(), 2);
  EXPECT_TRUE(w->findChild<QRadioButton*>("Option2")->isChecked());
  EXPECT_TRUE(w->findChild<QRadioButton*>("Option4")->isChecked());
  EXPECT_TRUE(w->findChild<QCheckBox*>("Check2")->isChecked());
  EXPECT_EQ(w->findChild<QLineEdit*>("SkewAngle")->text(), QString::fromUtf8("15\u00b000'00.00\""));
  EXPECT_EQ(w->findChild<QLineEdit*>("LimitEndSta")->text(), "135+00.0000");
  // Showing the project writes nothing back.
  EXPECT_EQ(r.StaOn, 2);
  QTest::mouseClick(w->findChild<QPushButton*>("Command4"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  main.OpenEditor(Form::Ref);
  EXPECT_EQ(main.editors().Window(Form::Ref), w);
  EXPECT_EQ(w->findChild<QLineEdit*>("LimitEndSta")->text(), "135+00.0000");
}

}  // namespace
}  // namespace kv
