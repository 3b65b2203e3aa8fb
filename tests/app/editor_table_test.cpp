// The description, alignment and roadway-approach editors: captions, labels, tab order, places,
// each box's own field, Refresh, and what each form does of its own.

#include <QFrame>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "inputfile/description_editor.h"
#include "records/alignment/horizontal_editor.h"
#include "records/alignment/vertical_editor.h"
#include "records/loads/roadappr_editor.h"
#include "shell_fakes.h"

namespace kv {
namespace {

const struct {
  Form form;
  const char *title, *className;
  QStringList labels, tabs;  // in tab order, "name=caption" for a button; the last one hides
} kEditors[] = {
    {Form::Desc, "Description", "kv::Description",
     {"Structure ID:", "Units:", "Project Number:", "Subaccount:", "Designer:", "Detailer:", "Location:",
      "General Description:"},
     {"StructureID", "Option1=Metric", "Option2=English", "ProjNum", "SubAcc", "Designer", "Detailer", "Location",
      "GenDesc", "Command2=Hide"}},
    {Form::Horiz, "Horizontal Alignment", "kv::Horizontal",
     {"PI Station:", "Curve Data", "Direction:", "Combined Delta:", "Degree:", "Radius:", "In Spiral Length:",
      "Out Spiral Length:", "Profile Offset:", "(negative values for left)", "Station Equation", "Back:", "Ahead:"},
     {"PIStation", "Option1=Left", "Option2=Right", "Delta", "Degree", "Radius", "InSpiral", "OutSpiral",
      "ProfOffset", "Back", "Ahead", "Command2=Hide"}},
    {Form::Vert, "Vertical Alignment", "kv::Vertical",  // two columns of five boxes under their headings
     {"Vertical Curve #1", "% Grade In:", "In Length:", "Out Length:", "PI Station:", "PI Elevation:",
      "Vertical Curve #2", "In Length:", "Out Length:", "PI Station:", "PI Elevation:", "% Grade Out:"},
     {"GradeIn", "InLength1", "OutLength1", "PISta1", "PIElev1", "InLength2", "OutLength2", "PISta2", "PIElev2",
      "GradeOut", "Command2=Hide"}},
    {Form::RoadApp, "Roadway Approaches", "kv::RoadAppr",
     {"Begin Structure", "End Structure", "Approach Length", "Offsets from Horizontal Control"},
     {"BegStr", "EndStr", "Length", "Off1", "Off2", "Off3", "Off4", "Off5", "Off6", "Off7", "Command1=Hide"}},
};

TEST(EditorTable, CaptionsLabelsButtonsTabOrderAndPlaces) {
  testing::RealShell s;
  for (const auto& e : kEditors) {
    SCOPED_TRACE(e.title);
    EditorWindow* w = s.window->editors().Ensure(e.form);
    w->show();  // lays the grids out
    EXPECT_EQ(QStringList({w->windowTitle(), w->metaObject()->className()}) + testing::LabelTexts(*w),
              QStringList({e.title, e.className}) + e.labels);
    QStringList names;
    for (const QString& t : e.tabs) {
      names << t.section('=', 0, 0);
      ASSERT_EQ(w->findChildren<QWidget*>(names.last()).size(), 1) << t.toStdString();
      if (t.contains('=')) { EXPECT_EQ(w->findChild<QAbstractButton*>(names.last())->text(), t.section('=', 1)); }
    }
    EXPECT_EQ(testing::TabOrder(*w, names), names);
  }
  // The vertical curves side by side: under each heading five boxes top to bottom, each on
  // its label's line right of it; the second column right of the first one's boxes.
  EditorWindow* v = s.Editor(Form::Vert);
  const QList<QLabel*> l = v->findChildren<QLabel*>();  // as listed above, the headings at 0 and 6
  QRect above, firstColumn;
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(kEditors[2].tabs[i].toStdString());
    const QRect heading = l[i / 5 * 6]->geometry(), label = l[i + 1 + i / 5]->geometry(),
                box = v->findChild<QLineEdit*>(kEditors[2].tabs[i])->geometry();
    if (i % 5 == 0) above = heading;
    EXPECT_LE(qAbs(label.center().y() - box.center().y()), 4);
    EXPECT_TRUE(label.left() == heading.left() && label.right() < box.left() && box.top() > above.top());
    EXPECT_TRUE(i < 5 || label.left() > firstColumn.right());
    above = box, firstColumn |= i < 5 ? box : QRect();
  }
}

TEST(EditorTable, RoadwayApproachRowHeadingsAndBracketInTwips) {
  const std::pair<int, int> twips[] = {{120, 852},  {960, 732},  {1680, 972}, {2760, 972}, {3720, 852},
                                       {4560, 852}, {5400, 852}, {6240, 852}, {7080, 852}, {7920, 852}};
  Project p;
  RoadAppr w(p);
  auto x = [dx = w.logicalDpiX()](int t) { return TwipsToPixels(t, dx); };
  auto y = [dy = w.logicalDpiY()](int t) { return TwipsToPixels(t, dy); };
  EXPECT_EQ(w.size(), QSize(x(8985), y(1470)));
  for (int i = 0; i < 10; ++i) {  // left and width of each box in the row
    auto* box = w.findChild<QLineEdit*>(kEditors[3].tabs[i]);
    EXPECT_TRUE(box->geometry() == QRect(x(twips[i].first), y(480), x(twips[i].second), y(288)) &&
                box->text().isEmpty()) << i;
  }
  auto* hide = w.findChild<QPushButton*>("Command1");
  EXPECT_EQ(QRect(hide->pos(), QSize(hide->width(), 1)), QRect(x(4200), y(1080), x(1092), 1));
  for (QLabel* l : w.findChildren<QLabel*>()) EXPECT_LE(l->geometry().bottom(), y(480)) << l->text().toStdString();
  int lo = INT_MAX, hi = INT_MIN;  // the bracket spans Off1's left edge to the row's right end
  for (const char* name : {"Line1", "Line2", "Line3", "Line4"}) {
    auto* line = w.findChild<QFrame*>(name);
    ASSERT_NE(line, nullptr) << name;
    const int c = line->geometry().center().x(), half = line->width() > 4 ? line->width() / 2 : 0;
    lo = std::min(lo, c - half), hi = std::max(hi, c + half);
  }
  EXPECT_TRUE(std::abs(lo - x(2760)) <= 1 && std::abs(hi - x(7920 + 852)) <= 1) << lo << " " << hi;
}

struct Box { Form form; const char* name; std::string& (*field)(Project&); };
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

TEST(EditorTable, EachBoxEditsItsOwnFieldAndRefreshShowsTheFields) {
  testing::RealShell s;
  Project& p = s.window->project();
  for (const auto& e : kEditors) s.window->OpenEditor(e.form);
  auto box = [&](const Box& b) { return s.Editor(b.form)->findChild<QLineEdit*>(b.name); };
  for (const Box& b : kBoxes) {
    const QString typed = QStringLiteral("-%1+0.5").arg(&b - kBoxes);
    ASSERT_NE(box(b), nullptr) << b.name;
    QTest::keyClicks(box(b), typed);
    EXPECT_EQ(b.field(p), typed.toStdString()) << b.name;
    b.field(p) = std::string("\xb0") + b.name;  // Latin-1 degree sign, as read from a file
  }
  for (const auto& e : kEditors) s.Editor(e.form)->Refresh();
  for (const Box& b : kBoxes)
    EXPECT_TRUE(box(b)->text() == QString::fromUtf8("\u00b0") + b.name && b.field(p) == "\xb0" + std::string(b.name));
}

TEST(EditorTable, UnitsDirectionAndGeneralDescription) {
  Project p;
  Description d(p);
  Horizontal h(p);
  d.show(), h.show();  // clicks land where the layouts put the buttons
  auto* gen = d.findChild<QPlainTextEdit*>("GenDesc");
  QTest::keyClicks(gen, "one"), QTest::keyClick(gen, Qt::Key_Return), QTest::keyClicks(gen, "two");
  EXPECT_EQ(p.Description.GenDesc, "one\r\ntwo");  // line ends as in the file
  p.Description.GenDesc = "a\r\nb\r\n";
  d.Refresh();
  EXPECT_TRUE(gen->toPlainText() == "a\nb\n" && p.Description.GenDesc == "a\r\nb\r\n");
  auto* metric = d.findChild<QRadioButton*>("Option1");
  auto* english = d.findChild<QRadioButton*>("Option2");
  EXPECT_TRUE(english->isChecked() && !metric->isChecked()) << "English in a new project";
  for (QRadioButton* click : {metric, metric, english, metric}) {
    QTest::mouseClick(click, Qt::LeftButton);  // at once, and only one of the two
    EXPECT_EQ(QList({int(p.MetricUnits), int(p.Description.Option1), int(p.Description.Option2)}),
              QList({int(click == metric), int(click == metric), int(click == english)}));
    EXPECT_NE(metric->isChecked(), english->isChecked());
  }
  p.Description.Option1 = false, p.Description.Option2 = true;  // showing what was read does not switch the units
  d.Refresh();
  EXPECT_TRUE(english->isChecked() && p.MetricUnits == 1);
  auto* left = h.findChild<QRadioButton*>("Option1");
  auto* right = h.findChild<QRadioButton*>("Option2");
  QStringList seen;  // the buttons, then the record's two letters
  auto state = [&] {
    QString bits;
    for (bool on : {left->isChecked(), right->isChecked(), p.Horizontal.Option1, p.Horizontal.Option2})
      bits += on ? '1' : '0';
    seen << bits;
  };
  state();
  QTest::mouseClick(left, Qt::LeftButton), state();
  QTest::mouseClick(right, Qt::LeftButton), state();
  p.Horizontal.Option1 = p.Horizontal.Option2 = false, h.Refresh(), state();  // a record with neither letter
  p.Horizontal.Option1 = true, h.Refresh(), state();
  EXPECT_EQ(seen, (QStringList{"0000", "1010", "0101", "0000", "1010"}));
  for (const int16_t units : {int16_t{0}, int16_t{1}}) {  // Degree follows the units the form was made with
    Project q;
    q.MetricUnits = units;
    Horizontal w(q);
    q.MetricUnits = 1 - units;  // set once: a later change of units leaves it
    w.Refresh();
    EXPECT_EQ(QList({w.findChild<QLineEdit*>("Degree")->isEnabled(), w.findChild<QLabel*>("lblDegree")->isEnabled(),
                     w.findChild<QLabel*>("lblDegree")->text() == "Degree:"}),
              QList({units == 0, units == 0, true}));
  }
}

}  // namespace
}  // namespace kv
